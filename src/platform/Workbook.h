#pragma once

#include "platform/WorkbookSheet.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace airmotor::platform {

// The largest workbook file read, and the most its parts may hold unpacked together.
inline constexpr qint64 kWorkbookFileCap = 32 * 1024 * 1024;
inline constexpr qint64 kWorkbookUnpackedCap = 256 * 1024 * 1024;

// An .xlsx workbook held in memory: cells of its worksheets are read and written by sheet name, row
// and column; saving rewrites only the worksheets written to (and the calculation flags they need),
// every other part goes back with the same bytes. Every failure is one message naming the file and
// what is wrong with it.
class Workbook final {
public:
    using OpenResult = std::variant<Workbook, std::string>;

    // Refused: missing, not a regular file, over the size cap, not a zip archive, no readable
    // xl/workbook.xml or an unpacked size over the cap.
    static OpenResult open(const QString& path);
    // The same checks on a workbook's bytes; `path` names it in messages and is where save() writes.
    static OpenResult fromBytes(const QByteArray& bytes, const QString& path);

    const QString& path() const { return path_; }
    std::vector<std::string> sheetNames() const;
    // The sheet of that exact name, parsed on first use; a message when it is missing or malformed.
    std::variant<WorkbookSheet*, std::string> sheet(const std::string& name);

    // Writes the workbook to the file it came from, atomically (the old file stays whole when
    // anything fails). A message on failure.
    std::optional<std::string> save();
    std::optional<std::string> saveAs(const QString& path);
    // The whole workbook as save() writes it, or a message.
    std::variant<QByteArray, std::string> pack();

private:
    struct Part {
        QString name;
        QByteArray data;
        QDateTime time;
    };
    struct SheetEntry {
        std::string name;
        QString partName;
    };

    explicit Workbook(QString path) : path_(std::move(path)) {}
    std::optional<std::string> load(const QByteArray& bytes);
    std::optional<std::string> readWorkbookPart();
    std::optional<std::string> readSharedStrings();
    Part* part(const QString& name);
    void updateAfterWrites();
    void dropCalculationChain();
    std::string named(const std::string& what) const;

    QString path_;
    std::vector<Part> parts_;
    std::vector<SheetEntry> sheets_;
    QString sharedStringsPart_;
    std::shared_ptr<std::vector<std::string>> sharedStrings_ = std::make_shared<std::vector<std::string>>();
    std::map<QString, std::unique_ptr<WorkbookSheet>> parsed_;
};

} // namespace airmotor::platform
