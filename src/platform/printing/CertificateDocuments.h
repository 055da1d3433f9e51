#pragma once

#include "core/language/TaskFault.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <optional>
#include <string_view>

namespace airmotor::platform {

// picEx: opens the certificate-information document of the language with the desktop's handler.
class CertificateDocuments final {
public:
    using Opener = std::function<bool(const QUrl&)>;
    // The default opener hands the file to the desktop.
    explicit CertificateDocuments(QString folder, Opener opener = {});

    QString path(std::string_view strLanguage) const;
    // Nothing on success, else what is wrong, naming the file (the windows word it).
    std::optional<core::TaskFault> open(std::string_view strLanguage) const;

private:
    QString folder_;
    Opener opener_;
};

} // namespace airmotor::platform
