#pragma once

#include "platform/workbook/WorkbookSheet.h"

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

// The largest workbook file read, and the most its parts may hold unpacked together: the unpacked
// parts stay in memory while the workbook is open, so a small file that unpacks to gigabytes is refused.
inline constexpr qint64 kWorkbookFileCap = 32 * 1024 * 1024;
inline constexpr qint64 kWorkbookUnpackedCap = 32 * 1024 * 1024;

// An .xlsx workbook held in memory: cells of its worksheets are read and written by sheet name, row
// and column; saving rewrites only the worksheets written to (and the calculation flags they need),
// every other part goes back with the same bytes. Every failure is one message naming the file and
// what is wrong with it.
class Workbook final {
public:
    using OpenResult = std::variant<Workbook, std::string>;

    // Refused: missing, not a regular file, over the size cap, not a zip archive, no readable
    // xl/workbook.xml or an unpacked size over the cap. The file's size and modification time are
    // noted, so save() notices another program's change.
    static OpenResult open(const QString& path);
    // The same checks on a workbook's bytes; `path` names it in messages and is where save() writes.
    static OpenResult fromBytes(const QByteArray& bytes, const QString& path);

    const QString& path() const { return path_; }
    std::vector<std::string> sheetNames() const;
    // The sheet of that exact name, parsed on first use with the cells to keep (a later call gets
    // the sheet as first read); a message when it is missing, malformed or beyond the limits.
    std::variant<WorkbookSheet*, std::string> sheet(const std::string& name,
                                                    const KeptCells& kept = KeptCells::All());

    // Writes the workbook to the file it came from, atomically (the old file stays whole when
    // anything fails). Refused when the file changed on disk since it was read or last saved: the
    // other program's change is kept. A message on failure.
    std::optional<std::string> save();
    // Nothing when save() can be expected to succeed: the file is as it was read, may be written,
    // and its folder takes the new version; otherwise why not. Changes nothing on disk.
    std::optional<std::string> checkWritable() const;
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
    struct FileStamp {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const FileStamp&) const = default;
    };
    static FileStamp StampOf(const QString& path);
    std::optional<std::string> changedOnDisk() const;

    explicit Workbook(QString path) : path_(std::move(path)) {}
    std::optional<std::string> load(const QByteArray& bytes);
    std::optional<std::string> readWorkbookPart();
    std::optional<std::string> readSharedStrings();
    Part* part(const QString& name);
    void updateAfterWrites();
    void dropCalculationChain();
    std::string named(const std::string& what) const;

    QString path_;
    std::optional<FileStamp> stamp_; // of the file as read or last saved
    std::vector<Part> parts_;
    std::vector<SheetEntry> sheets_;
    QString sharedStringsPart_;
    std::shared_ptr<std::vector<std::string>> sharedStrings_ = std::make_shared<std::vector<std::string>>();
    std::map<QString, std::unique_ptr<WorkbookSheet>> parsed_;
};

} // namespace airmotor::platform
