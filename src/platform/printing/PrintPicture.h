#pragma once

#include "core/language/TaskFault.h"

#include <QImage>
#include <QRectF>
#include <QString>

#include <memory>

class QPainter;
class QSvgRenderer;

namespace airmotor::platform {

// A print resource picture: a bitmap a maker dropped into the program folder, or the program's own
// vector artwork. Painted fitted into a rectangle, keeping its proportions.
class PrintPicture final {
public:
    PrintPicture();
    ~PrintPicture();
    PrintPicture(PrintPicture&&) noexcept;
    PrintPicture& operator=(PrintPicture&&) noexcept;

    // The first of the candidate names (in the folder) that exists; a missing or unreadable file
    // leaves the picture invalid with a message naming the file.
    static PrintPicture Load(const QString& folder, const QStringList& names);

    bool isValid() const { return svg_ != nullptr || !image_.isNull(); }
    const QString& error() const { return error_; } // English, for the command line
    const core::TaskFault& fault() const { return fault_; }
    QSizeF size() const;
    void paint(QPainter& painter, const QRectF& target) const;

private:
    static core::TaskFault notPrinted(const QString& path, std::optional<core::FileFault> file);

    std::unique_ptr<QSvgRenderer> svg_;
    QImage image_;
    QString error_;
    core::TaskFault fault_;
};

// The largest rectangle of the content's proportions inside target, centred.
QRectF FitInside(const QRectF& target, const QSizeF& content);

// Names the program looks for: a maker's bitmap first, then the bundled artwork.
QStringList LogoFileNames();
QStringList ExSignFileNames();

} // namespace airmotor::platform
