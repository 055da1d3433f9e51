// Drawing the standard motor diagram and rendering a bundled dimension drawing.

#include "GuiApplication.h"
#include "core/diagram/MotorDiagram.h"
#include "core/language/Language.h"
#include "platform/drawing/DiagramExport.h"
#include "platform/drawing/DimensionDrawing.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using namespace airmotor;

using bench::EnsureGuiApplication;

// A mid-size motor of the bundled catalogue: cubic torque and air curves.
struct DiagramFixture {
    DiagramFixture() {
        c.intAntalMotorer = 1;
        c.strBenamning[1] = "TKM46-A650-";
        c.sngTomgVarvtal[1] = 6400.0f;
        c.sngLuftforbrTomgang[1] = 126.0f;
        c.sngMaxEffekt[1] = 3.22f;
        c.sngStallmoment[1] = 19.5f;
        c.intGradtal_M[1] = 3;
        c.cM(0, 1) = 19.5f;
        c.cM(1, 1) = -2.6e-3f;
        c.cM(2, 1) = -1.0e-7f;
        c.cM(3, 1) = 1.0e-11f;
        c.intGradtal_L[1] = 2;
        c.cL(0, 1) = 30.0f;
        c.cL(1, 1) = 0.012f;
        c.cL(2, 1) = 4.0e-7f;
        for (int k = 0; k < core::kTextCount; ++k)
            language.strText.set(k, "Text " + std::to_string(k));
        input.catalogue = &c;
        input.index = 1;
        input.strCurrentBenamning = c.strBenamning[1];
        input.texts = &language.strText;
        input.hasWorkingPoint = true;
        input.sngArbetsVarvtal = 3000.0f;
        input.sngArbetsMoment = 10.0f;
        input.sngRadStrypning = 0.8f;
    }
    core::MotorCatalogue c;
    core::LanguageState language;
    core::MotorDiagramInput input;
};

void BM_StandardDiagram1400x1200(benchmark::State& state) {
    if (!EnsureGuiApplication()) {
        state.SkipWithError("a non-GUI application object exists");
        return;
    }
    DiagramFixture f;
    QImage image(1400, 1200, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        platform::PaintMotorDiagram(painter, QRectF(0, 0, 1400, 1200), core::CanvasKind::Window, 96.0,
                                    f.input);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_StandardDiagram1400x1200)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_RenderBundledWmfDrawing(benchmark::State& state) {
    if (!EnsureGuiApplication()) {
        state.SkipWithError("a non-GUI application object exists");
        return;
    }
    const QDir bin(QStringLiteral(AIRMOTOR_BIN_DIR));
    const QStringList drawings =
        bin.entryList({QStringLiteral("TKM22G.WMF"), QStringLiteral("*.WMF")}, QDir::Files);
    if (drawings.isEmpty()) {
        state.SkipWithError("no bundled .WMF drawing in the program folder (build bundled_drawings)");
        return;
    }
    const QString name = QFileInfo(drawings.first()).completeBaseName();
    QImage image(1000, 750, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        // Reading, converting and drawing: what the drawing window does for a new motor.
        const platform::DimensionDrawing d = platform::DimensionDrawing::Load(bin.path(), name);
        if (!d.isValid()) {
            state.SkipWithError(d.error().toStdString().c_str());
            return;
        }
        image.fill(Qt::white);
        QPainter painter(&image);
        d.render(painter, QRectF(0, 0, 1000, 750));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderBundledWmfDrawing)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace
