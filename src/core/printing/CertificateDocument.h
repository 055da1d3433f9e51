#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace airmotor::core {

// The certificate-information document of a language (picEx): the program folder holds one PDF
// per language under these names; an unknown language gets the English one.
std::string CertificateDocumentName(std::string_view strLanguage);

// The languages that have a document of their own, as strLanguage spells them.
std::vector<std::string> CertificateDocumentLanguages();

} // namespace airmotor::core
