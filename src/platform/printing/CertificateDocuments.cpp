#include "platform/printing/CertificateDocuments.h"

#include "core/printing/CertificateDocument.h"
#include "platform/files/RegularFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace airmotor::platform {

CertificateDocuments::CertificateDocuments(QString folder, Opener opener)
    : folder_(std::move(folder)), opener_(std::move(opener)) {
    if (!opener_)
        opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

QString CertificateDocuments::path(std::string_view language) const {
    return QDir(folder_).filePath(QString::fromStdString(core::CertificateDocumentName(language)));
}

std::optional<core::TaskFault> CertificateDocuments::open(std::string_view language) const {
    const QString file = path(language);
    const std::string name = QDir::toNativeSeparators(file).toStdString();
    if (!QFileInfo::exists(file))
        return core::TaskFault{core::TaskProblem::CertificateMissing, name, {}, std::nullopt};
    if (const auto error = NotRegularFile(file))
        return core::TaskFault{core::TaskProblem::CertificateNotOpened, name, {}, error->fault};
    if (!opener_(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath())))
        return core::TaskFault{core::TaskProblem::CertificateNotOpened, name, {}, std::nullopt};
    return std::nullopt;
}

} // namespace airmotor::platform
