#pragma once

#include "core/language/Language.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace airmotor::core {

// How a caption is built from its text key. Most captions are the text itself; three are composed.
enum class CaptionRule {
    Text,           // strText(key)
    TitleVersion,   // strText(key) & "   (" & version & ")"
    PriceListDate,  // strText(key), a line break, the price-list date of ZEVODIDA.DAT
    LubricatedNote, // "TKM42/(46)/54/66/77 " & strText(key)
};

// One caption of one window. An empty control names the window's own title.
// Control arrays are written Name_k, as the widgets are named.
struct CaptionEntry {
    std::string_view window;
    std::string_view control;
    int key = 0;
    CaptionRule rule = CaptionRule::Text;
};

// What the composed captions need besides the text table.
struct CaptionContext {
    std::string priceListDate; // strSetting1
    int versionMajor = 0;
    int versionMinor = 0;
    int versionPatch = 0;
};

// Every caption that a language change re-sets, for all windows of the program.
std::span<const CaptionEntry> CaptionKeys();

std::string CaptionText(const CaptionEntry& entry, const TextTable& strText, const CaptionContext& context);

// The language menu mnuLanguage(0..5); -1 / "English" outside the six.
std::string_view LanguageOfMenuItem(int item);
int MenuItemOfLanguage(std::string_view language);

// The start window's list Combo1 in the order of kLanguageNames; an entry outside 0..5 gives "English".
// The list shows no texts of a language yet: it names each language as the Options menu does, with
// the program's own text of the menu item less its accelerator.
inline constexpr int kStartListSize = 6;
std::string StartListEntry(int entry);
std::string_view LanguageOfStartEntry(int entry);

// The choices of the mounting-position window: five part numbers and, for picture 5, text 223.
std::string MountingPositionText(int picture, const TextTable& strText);

// The result grid's header texts (row 0, columns 0 and 1).
inline constexpr int kGridHeaderKey0 = 79;
inline constexpr int kGridHeaderKey1 = 135;

// The product news of this version, one text with its paragraphs, and its title (menu item).
inline constexpr int kNewsKey = 40;
inline constexpr int kNewsTitleKey = 43;
// The colour legend of the requirement fields, one colour a line.
inline constexpr int kFieldLegendKey = 42;

} // namespace airmotor::core
