#include "platform/printing/CertificateDocuments.h"

#include "core/printing/CertificateDocument.h"

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

QString CertificateDocuments::open(std::string_view language) const {
    const QString file = path(language);
    const QFileInfo info(file);
    if (!info.exists())
        return QStringLiteral("%1: the certificate information document is missing").arg(file);
    if (!info.isFile())
        return QStringLiteral("%1: is not a regular file").arg(file);
    if (!opener_(QUrl::fromLocalFile(info.absoluteFilePath())))
        return QStringLiteral("%1: no program could open the document").arg(file);
    return {};
}

} // namespace airmotor::platform
