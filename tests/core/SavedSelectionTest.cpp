#include "core/session/SavedSelection.h"

#include "SelectionTestCatalogue.h"
#include "core/session/SelectionSession.h"

#include <gtest/gtest.h>

namespace airmotor::core {
namespace {
namespace saved_selection_test {

using F = RequirementField;

class SavedSelectionTest : public ::testing::Test, protected testing::SessionHarness {
protected:
    SavedSelectionTest() {
        for (const char* name : {"TKM22-A100-", "TKM22-A200-", "TKM33-A100-"}) {
            testing::TestMotor m = testing::Tkm(name);
            m.stall = 100.0f + 20.0f * static_cast<float>(catalogue.intAntalMotorer);
            testing::AddMotor(catalogue, m);
        }
        language = testing::KeyedLanguage();
    }
    std::unique_ptr<SelectionSession> Fresh() {
        auto s = std::make_unique<SelectionSession>(catalogue, language, sink);
        s->Load();
        return s;
    }
};

// A search with changed options and a clicked second row comes back as the same input, the same
// result rows and the same current motor; replaying twice changes nothing.
TEST_F(SavedSelectionTest, ReplayRestoresInputOptionsAndTheClickedMotor) {
    auto original = Fresh();
    original->ClickTKSRestricted(1);
    original->ClickMotorType(1, false);
    original->ClickCatalogue(1);
    original->TypeIntoField(F::ArbetsMomentB, "50");
    original->TypeIntoField(F::ArbetsVarvtalB, "2000");
    original->ClickSearch();
    ASSERT_GE(original->results().rowCount(), 2);
    ASSERT_TRUE(original->ClickCell(2, 0));
    const SavedSelection saved = CaptureSelection(*original);
    EXPECT_TRUE(saved.search);
    EXPECT_EQ(saved.tksVersions, 1);
    EXPECT_EQ(saved.series, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(saved.fields[0], original->input().box(F::ArbetsMomentB).text);
    ASSERT_FALSE(saved.designation.empty());

    auto restored = Fresh();
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(ReplaySelection(*restored, saved), 2);
        EXPECT_EQ(CaptureSelection(*restored), saved);
        EXPECT_EQ(restored->current().katalogIndex, original->current().katalogIndex);
        EXPECT_EQ(restored->results().rowCount(), original->results().rowCount());
    }
}

// A motor the catalogue no longer lists: the duty is restored, no row is clicked. Without a clicked
// motor nothing is named.
TEST_F(SavedSelectionTest, MissingMotorStillRestoresTheDuty) {
    auto original = Fresh();
    original->ClickCatalogue(1);
    original->TypeIntoField(F::ArbetsMomentB, "12");
    original->ClickSearch();
    SavedSelection saved = CaptureSelection(*original);
    EXPECT_TRUE(saved.designation.empty());
    saved.designation = "TKM99-GONE-";
    auto restored = Fresh();
    EXPECT_EQ(ReplaySelection(*restored, saved), 0);
    EXPECT_FALSE(restored->current().valid);
    EXPECT_EQ(restored->input().box(F::ArbetsMomentB).text, saved.fields[0]);
    EXPECT_EQ(restored->results().rowCount(), original->results().rowCount());
}

} // namespace saved_selection_test
} // namespace
} // namespace airmotor::core
