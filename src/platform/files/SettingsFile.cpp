#include "platform/files/SettingsFile.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace airmotor::platform {
namespace {

const QString kDatabaseName = QStringLiteral("Zevodida.db");
const QString kSettingsName = QStringLiteral("ZEVODIDA.DAT");

} // namespace

QString ProgramFolder::databaseFile() const {
    return QDir(folder).filePath(kDatabaseName);
}

bool IsWritableFolder(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

QString UserSettingsFolder() {
    // One fixed folder for the desktop program and the CLI alike, whatever the executable is called.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("airmotor"));
}

ProgramFolder ResolveProgramFolder(const QString& commandLineText, const QString& programDir,
                                   const std::function<bool(const QString&)>& isWritable,
                                   const QString& userFolder) {
    QString folder = commandLineText.trimmed();
    // The installed data folder is shared by every user (and owned by the package manager): settings
    // never go there, even when the user happens to be able to write it (root).
    bool shared = false;
    if (folder.isEmpty()) {
        folder = programDir;
        if (!QFileInfo::exists(QDir(programDir).filePath(kDatabaseName))) {
            const QString installed = QDir::cleanPath(programDir + QStringLiteral("/../share/airmotor"));
            if (QFileInfo::exists(QDir(installed).filePath(kDatabaseName))) {
                folder = installed;
                shared = true;
            }
        }
    }
    folder = QDir::cleanPath(folder);
    ProgramFolder result;
    result.folder = folder;
    const QString own = QDir(folder).filePath(kSettingsName);
    if (!shared && isWritable(folder)) {
        result.settingsFile = own;
    } else {
        result.settingsFile = QDir(userFolder).filePath(kSettingsName);
        result.fallbackSettingsFile = own;
    }
    return result;
}

SettingsFile::SettingsFile(ProgramFolder folder) : folder_(std::move(folder)) {}

std::optional<core::Settings> SettingsFile::readFile(const QString& path) {
    // The file is one short line; a large file, a FIFO or a device is not a settings file.
    const auto read = ReadRegularFile(path, kSettingsFileCap);
    if (!std::holds_alternative<QByteArray>(read))
        return std::nullopt;
    const QByteArray& bytes = std::get<QByteArray>(read);
    return core::ParseSettings(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

core::Settings SettingsFile::read() const {
    QString path = folder_.settingsFile;
    if (!QFileInfo::exists(path) && !folder_.fallbackSettingsFile.isEmpty())
        path = folder_.fallbackSettingsFile;
    if (auto settings = readFile(path))
        return *settings;
    return core::Settings{};
}

std::optional<FileError> SettingsFile::write(const core::Settings& settings) const {
    const QString& path = folder_.settingsFile;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return FaultAt(path, core::FileProblem::FolderNotCreated);
    return WriteFileAtomically(path, QByteArray::fromStdString(core::FormatSettings(settings)));
}

} // namespace airmotor::platform
