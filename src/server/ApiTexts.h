#pragma once

#include "core/language/Language.h"

#include <QByteArray>

#include <string>

namespace airmotor::server {

// The page's texts in one language, by English names: the window captions the form and the detail
// figures use (with their units), the page's own texts and the six language settings by the names
// the Options menu gives them.
QByteArray PageTexts(const core::LanguageState& language, const std::string& languageName);

} // namespace airmotor::server
