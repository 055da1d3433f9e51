#include "core/session/CaptionKeys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

using namespace airmotor::core;

namespace {
namespace caption_keys_test {

TEST(CaptionKeys, EveryControlOfAWindowIsListedOnceWithAKeyOfTheTable) {
    std::set<std::pair<std::string, std::string>> seen;
    for (const CaptionEntry& e : CaptionKeys()) {
        EXPECT_GE(e.key, 0);
        EXPECT_LT(e.key, kTextCount);
        EXPECT_TRUE(seen.emplace(std::string(e.window), std::string(e.control)).second)
            << e.window << " " << e.control;
    }
    for (const char* window : {"LUFTMOTOR", "F2", "MÅTTSKISS", "frmWagonCalculation", "frmRotatingMass"})
        EXPECT_EQ(seen.count({window, ""}), 1u) << window;
}

TEST(CaptionKeys, ComposedCaptions) {
    TextTable t;
    t.set(63, "Air Motor Selector");
    t.set(108, "LISTPRICE AS OF");
    t.set(228, "only available as lubricated motors.");
    t.set(84, "Torque [Nm]");
    CaptionContext context{"2017-01-12", 1, 0, 7};
    auto caption = [&](std::string_view control) {
        for (const CaptionEntry& e : CaptionKeys())
            if (e.window == "LUFTMOTOR" && e.control == control)
                return CaptionText(e, t, context);
        return std::string("<missing>");
    };
    EXPECT_EQ(caption(""), "Air Motor Selector   (1.0.7)");
    EXPECT_EQ(caption("Label10_0"), "LISTPRICE AS OF\n2017-01-12");
    EXPECT_EQ(caption("Label25"), "TKM42/(46)/54/66/77 only available as lubricated motors.");
    EXPECT_EQ(caption("Label11"), "Torque [Nm]");
    // A key without text gives an empty caption, not a stale one.
    EXPECT_EQ(caption("Label12"), "");
}

TEST(CaptionKeys, LanguageMenuAndStartListMapToTheSixSettings) {
    const char* const menu[6] = {"English", "German", "French", "English_Imperial", "Italian", "Spanish"};
    for (int item = 0; item < 6; ++item) {
        EXPECT_EQ(LanguageOfMenuItem(item), menu[item]);
        EXPECT_EQ(MenuItemOfLanguage(menu[item]), item);
        EXPECT_EQ(LanguageOfStartEntry(item), kLanguageNames[std::size_t(item)]);
    }
    // Both the menu's French item and the start list's "Français" give French.
    EXPECT_EQ(LanguageOfMenuItem(2), LanguageOfStartEntry(3));
    for (int outside : {-1, 6, 100}) {
        EXPECT_EQ(LanguageOfStartEntry(outside), "English");
        EXPECT_EQ(LanguageOfMenuItem(outside), "English");
    }
    EXPECT_EQ(MenuItemOfLanguage("english"), -1);
}

} // namespace caption_keys_test
} // namespace
