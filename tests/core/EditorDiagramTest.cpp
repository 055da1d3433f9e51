#include "core/maintenance/EditorDiagram.h"
#include "core/diagram/RecordingCanvas.h"
#include "core/maintenance/MotorDataEditor.h"

#include "EditorTestData.h"
#include "LayoutChecks.h"
#include "SelectionTestCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using namespace airmotor::core;
namespace {
namespace editor_diagram_test {

using F = EditorField;

using airmotor::core::testing::HasLabel;
using airmotor::core::testing::LinearMotor;

struct Drawn : airmotor::core::testing::LoadedEditor {
    Drawn() : LoadedEditor(LinearMotor()) { EXPECT_TRUE(editor.calibrate()); }
};

TEST(EditorDiagram, ScaleFieldsChooseTheAxesOfScreenAndPaper) {
    EditorFields fields;
    fields.type(F::VutmaxB, "1500");
    fields.type(F::NmrutincB, "5"); // 70 / 5: fourteen divisions shared by the value axes
    const DiagramScale screen = EditorScale(fields, CanvasKind::Window);
    const DiagramScale paper = EditorScale(fields, CanvasKind::Printer);
    EXPECT_EQ(std::tuple(screen.speed.maximum, screen.torque.maximum, screen.air.divisions),
              std::tuple(1200.0, 70.0, 14));
    EXPECT_EQ(std::tuple(paper.speed.maximum, paper.torque.maximum, paper.torque.divisions),
              std::tuple(1500.0, 50.0, 10));
    // A grid of a million lines is a typing slip: no divisions, nothing drawable.
    fields.type(F::VrutincB, "0.1");
    fields.type(F::VmaxB, "99999");
    EXPECT_EQ(EditorScale(fields, CanvasKind::Window).speed.divisions, 0);
}

TEST(EditorDiagram, FittedCurvesPointsAndAxisColours) {
    Drawn d;
    EditorDiagramOptions options;
    EditorDiagram plain = BuildEditorDiagram(d.editor, options);
    ASSERT_TRUE(plain.plot.drawable);
    ASSERT_EQ(plain.plot.curves.size(), 3u); // torque, power, air; no companion loaded
    EXPECT_TRUE(plain.plot.points.empty());
    EXPECT_TRUE(plain.plot.colouredGraduations);
    const PlotCurve& torque = plain.plot.curves[0];
    EXPECT_NEAR(torque.value.front(), 20.0f - 0.02f * torque.speed.front(), 1e-3f);

    options.showPoints = true;
    options.blackGraduations = true;
    EditorDiagram marked = BuildEditorDiagram(d.editor, options);
    EXPECT_EQ(marked.plot.points.size(), 3u * 11u);
    EXPECT_FALSE(marked.plot.colouredGraduations);
    // Tick marks black: no line of the torque colour outside the curves.
    RecordingCanvas canvas;
    DrawEditorDiagram(canvas, marked);
    EXPECT_TRUE(std::none_of(canvas.lines.begin(), canvas.lines.end(),
                             [](const auto& l) { return l.state.colour == QBColor(12); }));
    // The last point's negative torque and power lie below the axes and are left out.
    EXPECT_EQ(canvas.circles.size(), 3u * 11u - 2u);
    // Each point stands at its speed on the window's axis box of 140 x 120.
    const PlotPoint& first = marked.plot.points.front();
    EXPECT_NEAR(canvas.circles.front().x,
                first.speed / static_cast<float>(marked.plot.scale.speed.maximum) * 140.0f, 1e-3f);
}

TEST(EditorDiagram, CompanionCurvesDashedAndPrintRangeDropsFactors) {
    Drawn d;
    d.editor.loadCompanion(LinearMotor(8));
    d.editor.recompute();
    ASSERT_TRUE(d.editor.calibrate());
    EditorDiagram both = BuildEditorDiagram(d.editor, {});
    ASSERT_EQ(both.plot.curves.size(), 6u);
    for (std::size_t c = 3; c < 6; ++c)
        EXPECT_EQ(both.plot.curves[c].style, 1) << c;
    EXPECT_TRUE(HasLabel(both.dataBlock, "Kn="));

    d.editor.fields().type(F::txtKatalogIndex_1, "3");
    EXPECT_FALSE(HasLabel(BuildEditorDiagram(d.editor, {}).dataBlock, "Kn="));
}

TEST(EditorDiagram, NothingDrawableBeforeADrawingPass) {
    RecordingMessageSink messages;
    MotorDataEditor editor(messages);
    EXPECT_FALSE(BuildEditorDiagram(editor, {}).plot.drawable);
}

TEST(EditorDiagram, CatalogueMotorPageCarriesItsIndex) {
    Drawn d;
    MotorCatalogue catalogue;
    airmotor::core::testing::TestMotor m = airmotor::core::testing::Tks("TKS05-A-BS 40");
    std::tie(m.stall, m.n0) = std::tuple{10.0f, 1000.0f};
    airmotor::core::testing::AddMotor(catalogue, m);
    const EditorDiagram page = BuildCatalogueEditorDiagram(catalogue, 1, d.editor, {});
    ASSERT_TRUE(page.plot.drawable);
    EXPECT_EQ(page.plot.subtitle, "Motor nr: 1");
    EXPECT_EQ(page.plot.title, "TKS05-A-BS 40");
    EXPECT_FALSE(HasLabel(page.dataBlock, "Kn="));
    EXPECT_EQ(page.plot.curves.size(), 3u);
    // Every stored coefficient counts: the torque line M = 10 (1 - n / 1000) of the catalogue.
    for (const PlotCurve& c : page.plot.curves)
        if (c.quantity == CurveQuantity::Torque) {
            ASSERT_FALSE(c.speed.empty());
            EXPECT_NEAR(c.value.front(), 10.0f * (1.0f - c.speed.front() / 1000.0f), 1e-3f);
        }
    EXPECT_FALSE(BuildCatalogueEditorDiagram(catalogue, 2, d.editor, {}).plot.drawable);
}

TEST(EditorDiagram, ValueAxesLabelledAtTheirOwnSteps) {
    Drawn d;
    EditorDiagramOptions paper;
    paper.canvas = CanvasKind::Printer;
    RecordingCanvas canvas = airmotor::core::testing::Paper(297.0f, 210.0f);
    // Torque 50 in steps of 10 beside power 1.4 in steps of 0.2: sharing the torque's five
    // divisions would label the power axis 0.28, 0.56, ... as "0.3", "0.6".
    DrawEditorDiagram(canvas, BuildEditorDiagram(d.editor, paper));
    EXPECT_TRUE(canvas.findText("1.4") && canvas.findText("0.4") && canvas.findText("50"));
    EXPECT_EQ(canvas.findText("0.3"), nullptr);
    airmotor::core::testing::ExpectApart(canvas, "editor page");
}

// A decimals box typed far beyond any int (shown red) labels with the most decimals a label has.
TEST(EditorDiagram, DecimalsTypedBeyondAnIntAreBounded) {
    Drawn d;
    EditorDiagramOptions paper;
    paper.canvas = CanvasKind::Printer;
    for (const auto& [typed, decimals] :
         {std::pair{"99999999999999999999", 3}, {"-99999999999999999999", 0}, {"2.7", 2}}) {
        d.editor.fields().type(F::NmdecB, typed);
        d.editor.fields().type(F::KwdecB, typed);
        const EditorDiagram diagram = BuildEditorDiagram(d.editor, paper);
        EXPECT_EQ(diagram.plot.torqueDecimals, decimals) << typed;
        EXPECT_EQ(diagram.plot.powerDecimals, decimals) << typed;
    }
}

} // namespace editor_diagram_test
} // namespace
