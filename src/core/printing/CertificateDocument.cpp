#include "core/printing/CertificateDocument.h"

namespace airmotor::core {

std::string CertificateDocumentName(std::string_view language) {
    if (language == "German")
        return "1if.PM Inform. Ex certificates German Version xq 22 Okt 2004.pdf";
    if (language == "French")
        return "Certificat ATEX pour moteur.pdf";
    if (language == "Italian")
        return "informazione certificazione EX motori.pdf";
    if (language == "Spanish")
        return "Normativa ATEX.pdf";
    return "EX information.pdf";
}

std::vector<std::string> CertificateDocumentLanguages() {
    return {"English", "German", "French", "Italian", "Spanish"};
}

} // namespace airmotor::core
