#include "platform/printing/PrintPicture.h"

#include "platform/files/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace airmotor::platform {

namespace {

// A logo or sign larger than this is not a picture the printout should load.
constexpr qint64 kMaxPictureBytes = 32 * 1024 * 1024;

} // namespace

PrintPicture::PrintPicture() = default;
PrintPicture::~PrintPicture() = default;
PrintPicture::PrintPicture(PrintPicture&&) noexcept = default;
PrintPicture& PrintPicture::operator=(PrintPicture&&) noexcept = default;

QStringList LogoFileNames() {
    return {QStringLiteral("HDRLOGO.BMP"), QStringLiteral("HDRLOGO.SVG")};
}

QStringList ExSignFileNames() {
    return {QStringLiteral("Ex.bmp"), QStringLiteral("Ex.svg")};
}

PrintPicture PrintPicture::Load(const QString& folder, const QStringList& names) {
    PrintPicture picture;
    QString path;
    for (const QString& name : names) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo::exists(candidate)) {
            path = candidate;
            break;
        }
    }
    if (path.isEmpty()) {
        const QString last = QDir(folder).filePath(names.value(names.size() - 1));
        picture.error_ = QStringLiteral("%1: the file is missing (looked for %2); printed without it")
                             .arg(last, names.join(", "));
        picture.fault_ = {core::TaskProblem::PictureMissing, QDir::toNativeSeparators(last).toStdString(),
                          names.join(", ").toStdString(), std::nullopt};
        return picture;
    }
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxPictureBytes) {
        picture.error_ = QStringLiteral("%1: not a regular file of at most %2 MiB")
                             .arg(path)
                             .arg(kMaxPictureBytes / (1024 * 1024));
        const auto notRegular = NotRegularFile(path);
        picture.fault_ = picture.notPrinted(
            path, notRegular ? notRegular->fault : FaultAt(path, core::FileProblem::TooLarge).fault);
        if (!notRegular)
            picture.fault_.file->cap = kMaxPictureBytes;
        return picture;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        picture.error_ = QStringLiteral("%1: cannot be read (%2)").arg(path, file.errorString());
        picture.fault_ = picture.notPrinted(
            path, FaultAt(path, core::FileProblem::CannotRead, file.errorString().toStdString()).fault);
        return picture;
    }
    const QByteArray data = file.read(kMaxPictureBytes);
    if (info.suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        auto svg = std::make_unique<QSvgRenderer>(data);
        if (!svg->isValid() || svg->defaultSize().isEmpty()) {
            picture.error_ = QStringLiteral("%1: not a valid SVG picture").arg(path);
            picture.fault_ = picture.notPrinted(path, std::nullopt);
            return picture;
        }
        picture.svg_ = std::move(svg);
    } else if (!picture.image_.loadFromData(data)) {
        picture.error_ = QStringLiteral("%1: not a readable picture").arg(path);
        picture.fault_ = picture.notPrinted(path, std::nullopt);
    }
    return picture;
}

core::TaskFault PrintPicture::notPrinted(const QString& path, std::optional<core::FileFault> file) {
    return {core::TaskProblem::PictureNotPrinted,
            QDir::toNativeSeparators(path).toStdString(),
            {},
            std::move(file)};
}

QSizeF PrintPicture::size() const {
    if (svg_)
        return svg_->viewBoxF().size();
    return QSizeF(image_.size());
}

void PrintPicture::paint(QPainter& painter, const QRectF& target) const {
    const QRectF rect = FitInside(target, size());
    if (svg_)
        svg_->render(&painter, rect);
    else if (!image_.isNull())
        painter.drawImage(rect, image_);
}

QRectF FitInside(const QRectF& target, const QSizeF& content) {
    if (content.isEmpty() || target.isEmpty())
        return {};
    const double scale = std::min(target.width() / content.width(), target.height() / content.height());
    const QSizeF fitted = content * scale;
    return QRectF(target.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
}

} // namespace airmotor::platform
