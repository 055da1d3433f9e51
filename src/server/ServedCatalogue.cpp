#include "server/ServedCatalogue.h"

#include "core/language/Language.h"
#include "platform/files/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace airmotor::server {
namespace {

constexpr qint64 kMaxPageFileBytes = 4 * 1024 * 1024;

QByteArray ContentType(const QString& suffix) {
    if (suffix == "html")
        return "text/html; charset=utf-8";
    if (suffix == "js")
        return "text/javascript; charset=utf-8";
    if (suffix == "css")
        return "text/css; charset=utf-8";
    if (suffix == "svg")
        return "image/svg+xml";
    if (suffix == "png")
        return "image/png";
    if (suffix == "json")
        return "application/json";
    return {};
}

// The page's files from the folder's web/ (one level: the page has no build step and no tree). A
// missing folder serves the API alone.
QHash<QString, StaticFile> ReadPage(const QString& folder) {
    QHash<QString, StaticFile> files;
    const QDir web(QDir(folder).filePath(QStringLiteral("web")));
    for (const QFileInfo& info : web.entryInfoList(QDir::Files | QDir::Readable, QDir::Name)) {
        const QByteArray type = ContentType(info.suffix().toLower());
        if (type.isEmpty() || !info.isFile() || info.size() > kMaxPageFileBytes)
            continue;
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            throw cli::FolderError(info.filePath().toStdString() + ": the page file cannot be read");
        files.insert(info.fileName(), StaticFile{type, file.readAll()});
    }
    return files;
}

} // namespace

const core::LanguageState& ServedCatalogue::language(const std::string& name) const {
    for (std::size_t k = 0; k < core::kLanguageNames.size(); ++k)
        if (core::kLanguageNames[k] == name)
            return folder.languages[k];
    return folder.languages.front();
}

std::shared_ptr<const ServedCatalogue> ServedCatalogue::Load(const std::optional<std::string>& folder,
                                                             const std::optional<std::string>& catalogue,
                                                             const std::string& programDir) {
    auto served = std::make_shared<ServedCatalogue>();
    served->folder = cli::LoadFolderCatalogue(folder, catalogue, programDir,
                                              {core::kLanguageNames.begin(), core::kLanguageNames.end()});
    served->page = ReadPage(QString::fromStdString(served->folder.folder.string()));
    return served;
}

} // namespace airmotor::server
