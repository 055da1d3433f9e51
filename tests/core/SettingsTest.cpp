#include "core/catalogue/Settings.h"
#include "core/format/IniDocument.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace airmotor::core;

namespace {
namespace settings_test {

TEST(Settings, ReadsTheThreeFreeFormatValuesAndOnlyTheSixLanguageNames) {
    const struct {
        const char* text;
        const char* setting1;
        const char* language;
        int setting3;
    } cases[] = {
        {"\"2017-01-12\",\"English\",0\r\n", "2017-01-12", "English", 0},
        {"\"2017-01-12\",\"German\",3\n", "2017-01-12", "German", 3},
        {"\"2017-01-12\",\"French\",-7", "2017-01-12", "French", -7},     // no line end at all
        {"  \"a, b\" , \"Spanish\"  ,  12  \r\n", "a, b", "Spanish", 12}, // quoted comma, blanks
        {"\"d\"junk,\"Italian\"x y,5\n", "d", "Italian", 5},              // text after a closing quote
        {"plain date,English_Imperial,1\n", "plain date", "English_Imperial", 1}, // unquoted texts
        {"\"d\",\"English\",2.5\n", "d", "English", 2},                           // rounded half to even
        {"\"d\",\"English\",\n", "d", "English", 0},                              // empty number
        {"\"d\"\r\n\"German\"\r\n4\r\n", "d", "German", 4},                       // one value per line
        {"\xEF\xBB\xBF\"d\",\"German\",1", "d", "German", 1},                     // byte-order mark
        {"\"d\",\"English\",1\r\n\"ignored\",\"German\",2\r\n", "d", "English", 1},
        // A language outside the six names reads as none: only an exact name counts.
        {"\"d\",\"english\",0", "d", "", 0},
        {"\"d\",\"Englis\",0", "d", "", 0},
    };
    for (const auto& tc : cases) {
        const auto s = ParseSettings(tc.text);
        ASSERT_TRUE(s.has_value()) << tc.text;
        EXPECT_EQ(std::tuple(s->strSetting1, s->strLanguage, s->intSetting3),
                  std::tuple(std::string(tc.setting1), std::string(tc.language), tc.setting3))
            << tc.text;
    }
}

TEST(Settings, MalformedFilesGiveNothing) {
    for (const char* text : {"", "\r\n", "\"d\",\"English\"", "\"d\",\"English\"\r\n",
                             "\"d\",\"English\",abc", "\"d\",\"English\",40000", "\"d\",\"English\",\"3\"",
                             "\"unterminated,English,0", "\"d\",\"English\",1e999"}) {
        EXPECT_FALSE(ParseSettings(text).has_value()) << text;
    }
}

TEST(Settings, WrittenLineReadsBackTheSameValues) {
    const Settings cases[] = {
        {"price list, spring", "German", -32768},
        {"", "", 32767},
    };
    for (const Settings& in : cases) {
        const std::string line = FormatSettings(in);
        const auto out = ParseSettings(line);
        ASSERT_TRUE(out.has_value()) << line;
        EXPECT_EQ(std::tie(out->strSetting1, out->strLanguage, out->intSetting3),
                  std::tie(in.strSetting1, in.strLanguage, in.intSetting3));
    }
    EXPECT_EQ(FormatSettings({"2017-01-12", "French", 0}), "\"2017-01-12\",\"French\",0\r\n");
    // A quote cannot be written inside a quoted value; it is dropped rather than cutting the value short.
    EXPECT_EQ(ParseSettings(FormatSettings({"a\"b", "German", 1}))->strSetting1, "ab");
}

TEST(IniDocument, ListItemsLoseTypeMarksAndSurroundingBlanks) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        // The marks the settings class puts before a text that would otherwise read as a typed value.
        {"[s]\nk=@@at first\n", {"@at first"}},
        {"[s]\nk=@String(nul\\0)\n", {std::string("nul\0", 4)}},
        {"[s]\nk=\"@String(a)\", @String(b\n", {"a", "@String(b"}},
        {"[s]\nk=@Strings(a)\n", {"@Strings(a)"}},
        // Blanks around keys, sections and unquoted items are not part of them; inside quotes they are.
        {"[s] \t\nk \t= a b , \tc\t\n", {"a b", "c"}},
        {"[s]\n k=\" a \" ,b \n", {" a ", "b"}},
    };
    for (const auto& [text, values] : cases)
        EXPECT_EQ(IniDocument::Parse(text).list("s", "k"), values) << text;
}

// A backslash before a line break continues the value on the next line, whichever break it is; an
// octal escape takes up to three digits, zeros included.
TEST(IniDocument, EscapesAndContinuedLinesAreRead) {
    const std::pair<const char*, const char*> cases[] = {
        {"k=a\\\r\nb\n", "ab"},
        {"k=a\\\nb\n", "ab"},
        {"k=a\\\n\rb\n", "ab"},
        {"k=\\101\\60b\n", "A0b"},
    };
    for (const auto& [line, value] : cases) {
        const IniDocument d = IniDocument::Parse(std::string("[s]\n") + line + "j=c\n");
        EXPECT_EQ(d.text("s", "k"), value) << line;
        EXPECT_EQ(d.text("s", "j"), "c") << line;
    }
}

// Control characters are written as the settings class writes them: the short escapes by letter,
// the others as hexadecimal, and a hex digit after a hex escape escaped too so it is not read into it.
TEST(IniDocument, ControlCharactersAreWrittenAsEscapes) {
    const std::pair<std::string, std::string> cases[] = {
        {"\t\x1f\t", "\\t\\x1f\\t"},
        {"\x01"
         "b!",
         "\\x1\\x62!"},
        {"a b", "a b"},
    };
    for (const auto& [value, written] : cases) {
        IniDocument d;
        d.setText("s", "k", value);
        EXPECT_EQ(d.format(), "[s]\nk=" + written + "\n") << written;
        EXPECT_EQ(IniDocument::Parse(d.format()).text("s", "k"), value) << written;
    }
}

} // namespace settings_test
} // namespace
