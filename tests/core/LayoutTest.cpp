// Layout rules every page and diagram keeps, whatever the language's text lengths: texts stay on
// the surface and apart from each other and from the pictures, columns keep a common edge, headings
// are bold and body texts are not.
#include "core/analysis/MotorComparison.h"
#include "core/calculators/CalculatorDiagram.h"
#include "core/calculators/WagonCalculation.h"
#include "core/common/Keys.h"
#include "core/diagram/ComparisonDiagram.h"
#include "core/diagram/DiagramEngine.h"
#include "core/diagram/MotorComparisonTable.h"
#include "core/diagram/MotorDiagram.h"
#include "core/diagram/RecordingCanvas.h"
#include "core/format/NumberFormat.h"
#include "core/format/NumberParsing.h"
#include "core/printing/CatalogueTable.h"
#include "core/printing/PrintoutPage.h"

#include "LayoutChecks.h"
#include "SelectionTestCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace airmotor::core;
using namespace airmotor::core::testing;

namespace {
namespace layout_test {

LanguageState Bundled(std::string_view name) {
    LanguageState l;
    l.strLanguage = std::string(name);
    l.intImperialUnits = name == "English_Imperial" ? 1 : 0;
    EXPECT_FALSE(ApplyLanguageTexts(l, BundledLanguageRows(), BundledImperialRows()).has_value());
    l.units = UnitFactors::ForImperial(l.intImperialUnits);
    return l;
}

// Index of the first text after `from` reading `text`; the texts of a page come in drawing order.
std::size_t Next(const RecordingCanvas& c, const std::string& text, std::size_t from = 0) {
    for (std::size_t i = from; i < c.texts.size(); ++i)
        if (c.texts[i].text == text)
            return i;
    ADD_FAILURE() << "not drawn: " << text;
    return c.texts.size();
}

const RecordingCanvas::Text* Find(const RecordingCanvas& c, const std::string& text, std::size_t from = 0) {
    const std::size_t i = Next(c, text, from);
    return i < c.texts.size() ? &c.texts[i] : nullptr;
}

void ExpectWeight(const RecordingCanvas& c, const std::string& text, bool bold, const std::string& what,
                  std::size_t from = 0) {
    if (text.empty())
        return;
    if (const auto* t = Find(c, text, from)) {
        EXPECT_EQ(t->state.bold, bold) << what << ": " << text;
    }
}

// Boxes of one column: each below the one before, all on the left edge of the first, or on its right.
void ExpectColumn(const std::vector<Box>& boxes, bool leftEdge, const std::string& what) {
    for (std::size_t i = 1; i < boxes.size(); ++i) {
        EXPECT_NEAR(leftEdge ? boxes[i].left : boxes[i].right, leftEdge ? boxes[0].left : boxes[0].right,
                    kSlack)
            << what;
        EXPECT_GT(boxes[i].top, boxes[i - 1].top) << what;
    }
}

struct Printout : SessionHarness {
    Printout(std::string_view languageName, const std::string& designation) {
        AddMotor(catalogue, {.designation = designation, .nr2 = "8112 0000 02"});
        Start(Bundled(languageName));
        session->ClickCatalogue(1);
        session->TypeIntoField(RequirementField::ArbetsMomentB, "40");
        session->TypeIntoField(RequirementField::ArbetsVarvtalB, "2000");
        session->TypeIntoField(RequirementField::MinStartmomentB, "5");
        session->ClickSearch();
        session->ClickCell(1, 0);
    }
};

// Bold faces run wider than regular ones on a real printer, while the recording canvas measures
// both alike. A bold character takes a quarter of its point size in millimetres, so a text can be
// made exactly as wide as its room.
MeasuredCanvas WideBold(RecordingCanvas paper) {
    return MeasuredCanvas(
        std::move(paper),
        [](const RecordingCanvas& c, std::string_view t) {
            return c.state.bold ? 0.25f * c.state.fontSize * static_cast<float>(t.size()) : c.textWidth(t);
        },
        [](const RecordingCanvas& c, std::string_view t) { return c.textHeight(t); });
}

// Texts too long for their room shrink to it and keep their distance from their neighbours: the
// title 6 mm from the bold designation beside it, a key-figure value 1 mm from the next column's.
TEST(Layout, ShrunkSheetTextsKeepTheirDistances) {
    Printout p("English", "TKS05-100-5-BG");
    PrintoutPlan plan = PlanPrintout(*p.session, p.language, "2026-12-07");
    ASSERT_TRUE(plan.valid && plan.mode == PrintMode::Complete);
    plan.sheet.title = "Compressed air motor with a long title";
    ASSERT_FALSE(plan.sheet.keyFigures.empty());
    plan.sheet.keyFigures.front().values = {"11111.111", "22222.222", "33333.333"};
    // Shrunk to its longest word, a heading fits that word to its room exactly: the word stays
    // whole, and two words exactly as wide share a line.
    plan.sheet.columnHeadings[kThrottled] = plan.sheet.columnHeadings[kReduced] = "Shrunken A BCDEFG";
    MeasuredCanvas paper = WideBold(Paper(kSheetShort, kSheetLong));
    DrawPrintoutPage(paper, plan, kPrinterDpi);
    const auto* title = paper.find(plan.sheet.title);
    const auto* designation = paper.find(plan.sheet.designation);
    ASSERT_TRUE(title && designation);
    EXPECT_NEAR(designation->left - title->right, 6.0f, 0.01f);
    EXPECT_TRUE(paper.find("Shrunken") && paper.find("A BCDEFG"));
    const RecordingCanvas::Text* heading = paper.recorded.findText("Shrunken");
    EXPECT_TRUE(heading && heading->state.bold) << "key-figure column headings are bold";
    // The motor's list has no units: its values end where the units of the list above do.
    const auto* unit = paper.find(plan.sheet.requirements.front().unit);
    const auto* number = paper.find(plan.sheet.motor.back().value);
    ASSERT_TRUE(unit && number);
    EXPECT_NEAR(number->right, unit->right, 0.01f);
    std::vector<const MeasuredCanvas::Span*> values;
    for (std::size_t c = 0; c < 3; ++c)
        if (plan.sheet.columns[c])
            values.push_back(paper.find(plan.sheet.keyFigures.front().values[c]));
    ASSERT_GE(values.size(), 2u);
    for (std::size_t i = 1; i < values.size(); ++i)
        if (values[i - 1] && values[i]) {
            EXPECT_NEAR(values[i]->left - values[i - 1]->right, 1.0f, 0.01f) << values[i]->text;
        }
}

// The date shares the last note's line for exactly as long as the bold note and the regular date
// fit side by side: measuring the date in the note's weight would drop it a line too early. A note
// too long to share its line leaves the date a line of its own on the lower margin.
TEST(Layout, DateLeavesTheLastNotesLineJustWhenBothNoLongerFit) {
    Printout p("English", "TKS05-100-5-BG");
    PrintoutPlan plan = PlanPrintout(*p.session, p.language, "2026-12-07");
    ASSERT_TRUE(plan.valid && !plan.sheet.notes.empty());
    for (std::string note = "N"; note.size() < 200; note += 'n') {
        plan.sheet.notes.back() = note;
        MeasuredCanvas paper = WideBold(Paper(kSheetShort, kSheetLong));
        DrawPrintoutPage(paper, plan, kPrinterDpi);
        const auto* n = paper.find(note);
        const auto* d = paper.find(plan.sheet.dateLine);
        ASSERT_TRUE(n && d);
        const bool fits = (n->right - n->left) + (d->right - d->left) + 5.0f <= d->right - n->left;
        ASSERT_EQ(d->top < n->bottom, fits) << note.size() << " characters";
        if (!fits) {
            EXPECT_NEAR(d->bottom, kSheetLong - 8.0f, 0.01f);
            return;
        }
    }
    FAIL() << "no note crowded the date off its line";
}

// In a condensed face a unit may be narrower than a millimetre: its values still end short of it.
TEST(Layout, ValuesStayClearOfNarrowUnits) {
    Printout p("English", "TKS05-100-5-BG");
    const PrintoutPlan plan = PlanPrintout(*p.session, p.language, "2026-12-07");
    MeasuredCanvas paper(
        Paper(kSheetShort, kSheetLong),
        [](const RecordingCanvas& c, std::string_view t) {
            return 0.01f * c.state.fontSize * static_cast<float>(t.size());
        },
        [](const RecordingCanvas& c, std::string_view t) { return c.textHeight(t); });
    DrawPrintoutPage(paper, plan, kPrinterDpi);
    const DataLine& torque = plan.sheet.requirements.front();
    const auto* value = paper.find(torque.value);
    const auto* unit = paper.find(torque.unit);
    ASSERT_TRUE(value && unit);
    ASSERT_LT(unit->right - unit->left, 1.0f) << torque.unit;
    EXPECT_LT(value->right, unit->left) << torque.label;
}

TEST(Layout, PrintoutPagesInEveryLanguageAndMode) {
    for (const std::string_view name : kLanguageNames)
        for (const std::string designation : {"TKM22-A100-", "TKS05-100-5-BG"})
            for (int mode = 0; mode < 3; ++mode) {
                const std::string what =
                    std::string(name) + " " + designation + " mode " + std::to_string(mode);
                Printout p(name, designation);
                ASSERT_EQ(p.session->results().rowCount(), 1) << what;
                p.session->ClickOutputOption(mode);
                const PrintoutPlan plan = PlanPrintout(*p.session, p.language, "2026-12-07");
                ASSERT_TRUE(plan.valid) << what;
                const float w = plan.landscape ? kSheetLong : kSheetShort;
                const float h = plan.landscape ? kSheetShort : kSheetLong;
                RecordingCanvas paper = Paper(w, h);
                const std::vector<PictureSlot> slots = DrawPrintoutPage(paper, plan, kPrinterDpi);
                std::vector<Box> pictures;
                for (const PictureSlot& s : slots) {
                    const Box b{s.x / w, s.y / h, (s.x + s.width) / w, (s.y + s.height) / h};
                    EXPECT_TRUE(s.width > 0.0f && s.height > 0.0f && b.left >= 0.0f && b.right <= 1.0f &&
                                b.top >= 0.0f && b.bottom <= 1.0f)
                        << what << ": picture " << static_cast<int>(s.kind);
                    pictures.push_back(b);
                }
                for (std::size_t i = 0; i < pictures.size(); ++i)
                    for (std::size_t j = i + 1; j < pictures.size(); ++j)
                        EXPECT_FALSE(Overlap(pictures[i], pictures[j])) << what << ": pictures " << i << j;
                ExpectApart(paper, what, {0, 0, 1, 1}, pictures);

                const DataSheet& s = plan.sheet;
                // The sheet's own texts follow the diagram's.
                std::size_t sheet = 0;
                while (sheet < paper.texts.size() && paper.texts[sheet].state.world.height != h)
                    ++sheet;
                ExpectWeight(paper, s.designation, true, what, sheet);
                if (plan.mode == PrintMode::Complete) {
                    // Title and designation stand level with the middle of the logo.
                    const float middle = slots.front().y + slots.front().height / 2.0f;
                    for (const std::string* title : {&s.title, &s.designation})
                        if (const auto* t = Find(paper, *title, sheet)) {
                            EXPECT_NEAR((paper.box(*t).top + paper.box(*t).bottom) / 2.0f * h, middle, 1.0f)
                                << what << ": " << *title;
                        }
                }
                if (plan.mode == PrintMode::DrawingOnly) {
                    EXPECT_EQ(slots.size(), 1u) << what;
                    continue;
                }
                for (std::size_t i = sheet; i < paper.texts.size(); ++i)
                    EXPECT_FALSE(paper.texts[i].state.bold && paper.texts[i].text.empty())
                        << what << ": an empty heading line";
                for (const std::string* heading :
                     {&s.title, &s.requirementHeading, &s.motorHeading, &s.supplyPressure})
                    ExpectWeight(paper, *heading, true, what, sheet);
                for (const std::string& note : s.notes)
                    ExpectWeight(paper, note, true, what, sheet);
                ExpectWeight(paper, s.dateLine, false, what, sheet);
                // Lists: labels start on one edge, values end on one, line under line.
                for (const auto& [heading, list] : {std::pair{&s.requirementHeading, &s.requirements},
                                                    std::pair{&s.motorHeading, &s.motor}}) {
                    std::size_t at = Next(paper, *heading, sheet);
                    std::vector<Box> labels, values;
                    for (const DataLine& l : *list) {
                        at = Next(paper, l.label, at + 1);
                        if (at == paper.texts.size())
                            break;
                        EXPECT_FALSE(paper.texts[at].state.bold) << what << ": " << l.label;
                        labels.push_back(paper.box(paper.texts[at]));
                        at = Next(paper, l.value, at + 1);
                        if (at == paper.texts.size())
                            break;
                        values.push_back(paper.box(paper.texts[at]));
                        if (!l.unit.empty() && l.unit != kSpeedUnit) {
                            at = Next(paper, l.unit, at + 1);
                            EXPECT_FALSE(at < paper.texts.size() && paper.texts[at].state.bold)
                                << what << ": " << l.unit;
                        }
                    }
                    ExpectColumn(labels, true, what + ": " + *heading);
                    ExpectColumn(values, false, what + ": " + *heading);
                }
                // Key figures: one right edge per shown column, rows top to bottom in their order.
                std::size_t at = Next(paper, s.supplyPressure, sheet);
                std::vector<std::vector<Box>> columns(3);
                for (const KeyFigureRow& r : s.keyFigures)
                    for (std::size_t col = 0; col < 3; ++col)
                        if (s.columns[col]) {
                            at = Next(paper, r.values[col], at + 1);
                            if (at == paper.texts.size())
                                break;
                            EXPECT_FALSE(paper.texts[at].state.bold) << what << ": " << r.values[col];
                            columns[col].push_back(paper.box(paper.texts[at]));
                        }
                for (std::size_t col = 0; col < 3; ++col) {
                    ExpectColumn(columns[col], false, what + " " + std::to_string(col));
                    for (std::size_t i = 0;
                         col > 0 && i < std::min(columns[col].size(), columns[col - 1].size()); ++i)
                        EXPECT_GT(columns[col][i].right, columns[col - 1][i].right) << what << " " << col;
                }
            }
}

TEST(Layout, CatalogueTablePagesInEveryLanguage) {
    MotorCatalogue catalogue;
    for (int i = 0; i < kCatalogueRowsPerPage + 2; ++i) {
        AddMotor(catalogue, {.designation = i % 2 ? "TKS05-100-5-BG-LONG" : "TKM22-A100-",
                             .pris = 1234.5f,
                             .nr2 = "8112 0000 02",
                             .mattskiss = "http://example.com/drawings/TKM22A.pdf"});
    }
    for (const std::string_view name : kLanguageNames)
        for (int page = 1; page <= CatalogueTablePages(catalogue); ++page) {
            const std::string what = std::string(name) + " page " + std::to_string(page);
            const LanguageState l = Bundled(name);
            RecordingCanvas paper = Paper(kSheetLong, kSheetShort);
            DrawCatalogueTablePage(paper, catalogue, l.strText, page, kPrinterDpi);
            ExpectApart(paper, what);
            const CatalogueTableRange range = CatalogueTablePageRange(catalogue, page);
            const std::size_t cells = 14u * static_cast<std::size_t>(range.last - range.first + 1);
            ASSERT_GE(paper.texts.size(), cells) << what;
            const std::size_t headings = paper.texts.size() - cells;
            // Each heading shows every one of its lines, whether it has one or two.
            std::vector<std::string> lines;
            for (int key = TextKey::TableDesignation; key <= TextKey::TableDrawing; ++key) {
                const std::string& heading = l.strText(key);
                const std::size_t cut = heading.find('\n');
                lines.push_back(heading.substr(0, cut));
                if (cut != std::string::npos)
                    lines.push_back(heading.substr(cut + 1));
            }
            ASSERT_EQ(headings, lines.size()) << what;
            for (std::size_t i = 0; i < headings; ++i)
                EXPECT_EQ(paper.texts[i].text, lines[i]) << what;
            for (std::size_t i = 0; i < paper.texts.size(); ++i)
                EXPECT_EQ(paper.texts[i].state.bold, i < headings) << what << ": " << paper.texts[i].text;
            // Each column keeps its edge (the designation and drawing columns the left one) from row
            // to row, and the rows come down in even steps.
            for (std::size_t col = 0; col < 14; ++col) {
                std::vector<Box> column;
                for (std::size_t row = 0; row * 14 < cells; ++row)
                    column.push_back(paper.box(paper.texts[headings + row * 14 + col]));
                ExpectColumn(column, col == 0 || col == 13, what + " " + std::to_string(col));
            }
        }
}

TEST(Layout, ComparisonSheetAndDiagramInEveryLanguage) {
    for (const std::string_view name : kLanguageNames)
        for (std::size_t motors = 1; motors <= kMaxComparedMotors; ++motors) {
            const std::string what = std::string(name) + " " + std::to_string(motors) + " motors";
            SessionHarness h;
            for (std::size_t m = 0; m < motors; ++m) {
                // The fourth motor's speed axis has more than seven steps.
                AddMotor(h.catalogue, {.designation = "TKM2" + std::to_string(m + 2) + "-A100-",
                                       .n0 = m == 3 ? 15000.0f : 10000.0f});
            }
            h.Start(Bundled(name));
            h.SearchDuty("40");
            std::vector<int> rows;
            for (int r = 1; r <= h.session->results().rowCount(); ++r)
                rows.push_back(r);
            ASSERT_EQ(rows.size(), motors) << what;

            const MotorComparison c = CompareRows(*h.session, rows, h.language, {});
            RecordingCanvas paper = Paper(kComparisonTableWidth, kComparisonTableHeight);
            DrawMotorComparisonTable(paper, c);
            // Long captions and regulation texts take more lines rather than run into a neighbour.
            ExpectApart(paper, what + " sheet");
            ExpectWeight(paper, c.rowHeading, true, what);
            ExpectWeight(paper, c.bestNote, false, what);
            for (const RecordingCanvas::Text& t : paper.texts)
                for (const ComparedFigure& f : c.figures)
                    if (!t.text.empty() && f.caption.rfind(t.text, 0) == 0) {
                        EXPECT_FALSE(t.state.bold) << what << ": " << t.text;
                        break;
                    }

            ComparisonDiagramInput in = ComparisonInputFromSession(*h.session, h.language, rows);
            in.showPower = in.showAir = true;
            const ComparisonPlot plot = ComputeComparisonPlot(in);
            EXPECT_TRUE(plot.speed.labelStep == 0.0 || plot.speed.labelStep >= plot.speed.step)
                << what << ": speed labels denser than the grid";
            RecordingCanvas window = Window();
            DrawComparisonPlot(window, plot);
            EXPECT_NE(window.findText(FormatNumber(plot.speed.maximum, "#0")), nullptr)
                << what << ": speed labels";
            const char* unit = name == "French"    ? "[tr/mn]"
                               : name == "German"  ? "[min   ]"
                               : name == "Italian" ? "[giri/min]"
                                                   : "[r/min]";
            EXPECT_NE(window.findText(unit), nullptr) << what;
            ExpectApart(window, what + " diagram");
            ExpectAxes(window, what + " diagram", false);
            // The panels stack from the top in their order, each title above the labels of its axis.
            float above = -1.0f;
            for (const ComparisonPanel& panel : plot.panels)
                if (const auto* t = Find(window, panel.title)) {
                    const Box title = window.box(*t);
                    EXPECT_GT(title.top, above) << what << ": " << panel.title;
                    above = title.top;
                    for (const auto& tick : window.texts) {
                        const Box b = window.box(tick);
                        const float middle = (b.top + b.bottom) / 2.0f;
                        EXPECT_FALSE(Numeric(tick.text) && b.right < title.left && middle > title.top &&
                                     middle < title.bottom)
                            << what << ": " << panel.title << " beside " << tick.text;
                    }
                }
        }
}

TEST(Layout, MotorDiagramOnTheWindowForEveryAlternative) {
    for (const std::string_view name : kLanguageNames)
        for (int alternative = 0; alternative < 6; ++alternative) {
            const std::string what = std::string(name) + " alternative " + std::to_string(alternative);
            Printout p(name, "TKM22-A100-");
            p.session->ClickDiagramAlternative(alternative);
            p.session->ClickOutputOption(0);
            const PrintoutPlan plan = PlanPrintout(*p.session, p.language, "2026-12-07");
            RecordingCanvas window = Window();
            DrawMotorDiagram(window, plan.diagram);
            ASSERT_FALSE(window.texts.empty()) << what;
            ExpectApart(window, what);
            // Every family member is named at its curve.
            std::set<std::string> curveLabels;
            for (const PlotCurve& curve : ComputeMotorPlot(plan.diagram).curves)
                if (!curve.label.empty() && curveLabels.insert(curve.label).second) {
                    EXPECT_NE(window.findText(curve.label), nullptr) << what << ": " << curve.label;
                }
            ExpectAxes(window, what, true, curveLabels);
        }
}

TEST(Layout, CalculatorDiagramForEveryAlternative) {
    for (const std::string_view name : kLanguageNames)
        for (const float T : {6.0f, 0.6f}) {
            const LanguageState l = Bundled(name);
            const CalculationResult result =
                SolveWagon({9, 0.9f, 0.1f, 0, 1000, 1, 1, T, 5000, 0.7f}, MotorData{10.0f, 8.0f, 3000.0f});
            for (int alternative = 0; alternative < 6; ++alternative) {
                const std::string what = std::string(name) + " alternative " + std::to_string(alternative);
                const CalculatorPlot plot = MakeCalculatorPlot(WagonLayout(), result, l.strText, alternative);
                RecordingCanvas window = Window();
                DrawCalculatorPlot(window, plot);
                ASSERT_FALSE(window.texts.empty()) << what;
                ExpectApart(window, what);
                ExpectAxes(window, what);
                ExpectWeight(window, plot.timeTitle, false, what);
                // The time labels run up to the time axis's end, no further.
                float lowest = 0.0f;
                for (const auto& t : window.texts)
                    if (Numeric(t.text))
                        lowest = std::max(lowest, window.box(t).top);
                for (const auto& t : window.texts)
                    if (Numeric(t.text) && window.box(t).top == lowest) {
                        EXPECT_LE(LeadingDouble(t.text), result.axes.time->maximum * 1.000001)
                            << what << ": " << t.text;
                    }
            }
        }
}

} // namespace layout_test
} // namespace
