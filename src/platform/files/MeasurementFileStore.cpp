#include "platform/files/MeasurementFileStore.h"

#include "core/maintenance/MotorDataEditor.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/RegularFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace airmotor::platform {
namespace {

// 32 points take about two kilobytes; anything far larger is not a measurement file.
constexpr qint64 kMeasurementFileCap = 256 * 1024;

using ReadResult = MeasurementFileStore::ReadResult;

ReadResult ReadWith(const QString& path, core::MeasurementParse (*parse)(std::string_view)) {
    auto read = ReadRegularFile(path, kMeasurementFileCap);
    if (auto* error = std::get_if<FileError>(&read))
        return std::move(*error);
    const QByteArray& bytes = std::get<QByteArray>(read);
    auto parsed = parse(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (auto* error = std::get_if<core::MeasurementFileError>(&parsed))
        return FaultAt(path, core::FileProblem::Content,
                       (error->line > 0 ? "line " + std::to_string(error->line) + ": " : "") + error->what);
    return std::get<core::MeasurementData>(std::move(parsed));
}

} // namespace

ReadResult MeasurementFileStore::read(const QString& path) {
    return ReadWith(path, core::ParseMeasurementFile);
}

ReadResult MeasurementFileStore::readCompanion(const QString& path) {
    return ReadWith(path, core::ParseCompanionFile);
}

std::optional<FileError> MeasurementFileStore::write(const QString& path, const core::MeasurementData& data) {
    return WriteFileAtomically(path, QByteArray::fromStdString(core::FormatMeasurementFile(data)));
}

std::optional<QString> MeasurementFileStore::findCompanion(const QString& measurementFile) {
    const QFileInfo info(measurementFile);
    const QString wanted = QString::fromStdString(core::CompanionFileName(info.fileName().toStdString()));
    const QDir folder = info.absoluteDir();
    if (QFileInfo(folder.filePath(wanted)).isFile())
        return folder.filePath(wanted);
    const QStringList entries = folder.entryList(QDir::Files);
    for (const QString& entry : entries)
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    return std::nullopt;
}

std::string MeasurementFileStore::today() {
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

} // namespace airmotor::platform
