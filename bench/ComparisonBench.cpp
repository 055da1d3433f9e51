// The comparison of four result rows: table figures, and the diagram with power and air panels.

#include "BundledCatalogue.h"
#include "GuiApplication.h"
#include "core/analysis/MotorComparison.h"
#include "core/diagram/ComparisonDiagram.h"
#include "core/session/SelectionSession.h"
#include "platform/drawing/DiagramExport.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace airmotor;

class SilentSink final : public core::MessageSink {
public:
    void show(const core::Message&) override {}
};

struct ComparisonFixture {
    core::LanguageState language;
    SilentSink sink;
    std::unique_ptr<core::SelectionSession> session;
    const std::vector<int> rows = {1, 2, 3, 4};

    ComparisonFixture() {
        for (int k = 0; k < core::kTextCount; ++k)
            language.strText.set(k, "Text " + std::to_string(k));
        session = std::make_unique<core::SelectionSession>(bench::BundledCatalogue(), language, sink);
        session->Load();
        session->ClickCatalogue(1);
        session->TypeIntoField(core::RequirementField::ArbetsMomentB, "10");
        session->TypeIntoField(core::RequirementField::ArbetsVarvtalB, "3000");
        session->TypeIntoField(core::RequirementField::TillgLuftTryckB, "6");
        session->ClickSearch();
    }
};

void BM_CompareFourRowsTable(benchmark::State& state) {
    ComparisonFixture f;
    if (f.session->results().rowCount() < 4) {
        state.SkipWithError("the search found fewer than four motors");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(core::CompareRows(*f.session, f.rows, f.language, {}).figures.data());
}
BENCHMARK(BM_CompareFourRowsTable)->Unit(benchmark::kMicrosecond)->Repetitions(9);

// What the window does when a tick changes: the plot data and one repaint at 1400 x 1100.
void BM_CompareFourMotorsDiagram1400x1100(benchmark::State& state) {
    if (!bench::EnsureGuiApplication()) {
        state.SkipWithError("a non-GUI application object exists");
        return;
    }
    ComparisonFixture f;
    if (f.session->results().rowCount() < 4) {
        state.SkipWithError("the search found fewer than four motors");
        return;
    }
    QImage image(1400, 1100, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        core::ComparisonDiagramInput input = core::ComparisonInputFromSession(*f.session, f.language, f.rows);
        input.showPower = true;
        input.showAir = true;
        QPainter painter(&image);
        platform::PaintComparisonDiagram(painter, QRectF(0, 0, 1400, 1100),
                                         core::ComputeComparisonPlot(input));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_CompareFourMotorsDiagram1400x1100)->Unit(benchmark::kMillisecond)->Repetitions(9);

} // namespace
