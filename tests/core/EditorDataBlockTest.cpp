#include "core/maintenance/EditorDataBlock.h"
#include "core/diagram/RecordingCanvas.h"

#include "EditorTestData.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace airmotor::core;

namespace {
namespace editor_data_block_test {

using airmotor::core::testing::HasLabel;

EditorDataBlockInput Input() {
    EditorDataBlockInput in;
    in.figures.freeSpeed = 1000.0f;
    in.figures.speedAtMaxPower = 550.0f;
    in.designation = "TKM20-A5";
    return in;
}

TEST(EditorDataBlock, LinesFollowTheirConditions) {
    struct Case {
        const char* what;
        float targetFree, targetSpeed;
        bool printRange;
        const char* designation;
        bool companion;
        std::vector<const char*> present, absent;
    };
    // clang-format off
    const Case cases[] = {
        {"no targets", 0, 500, false, "TKM20-A5", false, {"Kn=", "Verkn.grad maxeff. "},
         {"Målvärden:", "Avv. % Varvtal Maxeff.", "Data för ostrypt motor:", "Modul"}},
        {"target free speed only", 1100, 0, false, "TKM20-A5", false, {"Målvärden:"}, {"Avv. % Varvtal Maxeff."}},
        {"both targets", 1100, 500, false, "TKM20-A5", true, {"Avv. % Varvtal Maxeff.", "Data för ostrypt motor:"}, {}},
        {"print range", 0, 0, true, "TKM20-A5", false, {"Utväxling"}, {"Kn=", "Km=", "Kl=", "Verkn.grad maxeff. "}},
        {"worm", 0, 0, false, "TKS03-ST-BS 40", false, {"Axelavstånd", "Pressvinkel"}, {"Tätn.diam. ing. steg"}},
        {"multi-stage", 0, 0, false, "TKM20-A5-UAA 247", false, {"Axelavst. ing. steg"}, {"Modul"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        EditorDataBlockInput in = Input();
        in.targets.freeSpeed = c.targetFree;
        in.targets.speedAtMaxPower = c.targetSpeed;
        in.printRange = c.printRange;
        in.designation = c.designation;
        if (c.companion)
            in.companion = EditorDataBlockInput::Companion{};
        const auto lines = EditorDataBlockLines(in);
        for (const char* label : c.present)
            EXPECT_TRUE(HasLabel(lines, label)) << c.what << ": " << label;
        for (const char* label : c.absent)
            EXPECT_FALSE(HasLabel(lines, label)) << c.what << ": " << label;
    }
    EditorDataBlockInput in = Input();
    in.targets = {1100.0f, 0.6f, 500.0f, 12.0f};
    const auto lines = EditorDataBlockLines(in);
    EXPECT_EQ(lines[0].colour, kTargetBlockColour);
    EXPECT_EQ(lines[8].label, "Tomgångsvarvtal"); // after the target block and two empty lines
    EXPECT_EQ(lines[8].value, "1000.00");
    const auto deviation = std::find_if(lines.begin(), lines.end(), [](const DataBlockLine& l) {
        return l.label == "Avv. % Varvtal Maxeff.";
    });
    EXPECT_EQ(deviation->value, "10.00");
}

} // namespace editor_data_block_test
} // namespace
