#include "core/selection/GridRowText.h"

#include "SelectionTestCatalogue.h"

#include <gtest/gtest.h>

namespace airmotor::core {
namespace {
namespace grid_row_text_test {

TEST(GridRowText, VariantCodesAndGearTextsInOrderOfPrecedence) {
    struct Row {
        const char* designation;
        const char* nr1;
        const char* nr2;
        const char* cell0;
        const char* cell1;
        bool secondIsDesignation;
    } rows[] = {
        {"TKM22-A100-", "11 2222 01", "12 2222 02", "TKM22-A100-11", "TKM22-A100-12", true},
        {"TKM22-A100-", "15 2222 01", "15 2222 02", "TKM22-A100-15", "TKM22-A100-15", true},
        {"TKM22-A100-", "11 2222 01", "13 2222 02", "TKM22-A100-11", "", false},
        // A code on the second number alone is not appended.
        {"TKM22-A100-", "8112 01", "12 2222 02", "TKM22-A100-", "", false},
        // Codes win over the gear texts.
        {"TKM22-14-A-100", "11 2222 01", "", "TKM22-14-A-10011", "", false},
        {"TKM22-14-A-100", "8112", "", "TKM22-14-A-100", " T34", false},
        {"TKM22-3-A-100", "", "", "TKM22-3-A-100", " T34", false},
        {"TKM33-HG931-A-1", "", "", "TKM33-HG931-A-1", " T34", false},
        {"TKM33-2-A-1", "", "", "TKM33-2-A-1", " T34", false},
        {"TKM22-14-B-100", "", "", "TKM22-14-B-100", " T35", false},
        // "11" without the blank is an ordering number, not a code.
        {"TKS05-100-", "1122 01", "", "TKS05-100-", "", false},
    };
    const LanguageState language = testing::KeyedLanguage();
    for (const Row& row : rows) {
        MotorCatalogue c;
        testing::TestMotor m = testing::Tkm(row.designation);
        m.nr1 = row.nr1;
        m.nr2 = row.nr2;
        const int i = testing::AddMotor(c, m);
        const GridRowCells cells = GridRowText(c, i, language.strText);
        EXPECT_EQ(cells.cells[0], row.cell0) << row.designation << " " << row.nr1;
        EXPECT_EQ(cells.cells[1], row.cell1) << row.designation << " " << row.nr1;
        EXPECT_TRUE(cells.isDesignation[0]);
        EXPECT_EQ(cells.isDesignation[1], row.secondIsDesignation) << row.designation;
    }
    EXPECT_EQ(Bracketed("TKM22"), "( TKM22 )");
}

} // namespace grid_row_text_test
} // namespace
} // namespace airmotor::core
