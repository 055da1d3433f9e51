#include "core/diagram/MotorComparisonTable.h"

#include "core/diagram/ComparisonDiagram.h"
#include "core/diagram/DiagramEngine.h"

#include <algorithm>

namespace airmotor::core {

namespace {

constexpr float kFontSize = 7.5f;        // printer points
constexpr float kMinimumFontSize = 4.0f; // printer points
constexpr float kHeadingSize = 9.0f;     // printer points
constexpr float kCaptionWidth = 54.0f;   // mm
constexpr float kRowHeight = 5.2f;       // mm
constexpr float kSampleLength = 7.0f;    // mm of the header's line sample
constexpr std::int16_t kSampleWidth = 11;
constexpr const char* kBestMark = " *";

} // namespace

void DrawMotorComparisonTable(Canvas& canvas, const MotorComparison& c) {
    DiagramEngine e(canvas);
    e.SetScale(0.0f, 0.0f, kComparisonTableWidth, kComparisonTableHeight, "Underkant");
    e.sngClipXMin = 0.0f;
    e.sngClipXMax = kComparisonTableWidth;
    e.sngClipYMin = 0.0f;
    e.sngClipYMax = kComparisonTableHeight;
    const std::size_t motors = c.motors.size();
    if (motors == 0)
        return;
    const float column = (kComparisonTableWidth - kCaptionWidth) / static_cast<float>(motors);
    const auto right = [&](std::size_t m) {
        return kCaptionWidth + static_cast<float>(m + 1) * column - 1.0f;
    };
    // Lines are counted from the top; texts sit on their line.
    const auto down = [](float y) { return kComparisonTableHeight - y; };

    e.SetColour(QBColor(0));
    float y = kRowHeight;
    for (std::size_t m = 0; m < motors; ++m) {
        const ComparedMotorStyle style = StyleOfComparedMotor(m);
        e.DrawText(std::to_string(c.motors[m].row), right(m), down(y), kHeadingSize, true, 7);
        e.SetColour(style.colour);
        e.SetLineWidth(kSampleWidth);
        e.SetLineStyle(style.style);
        e.DrawLine(right(m) - kSampleLength - 4.0f, down(y) + 1.3f, right(m) - 4.0f, down(y) + 1.3f, 1.0f);
        e.SetLineStyle(0);
        e.SetColour(QBColor(0));
    }
    e.DrawText(c.rowHeading, 0.0f, down(y), kHeadingSize, true, 1);
    y += 1.2f;
    e.SetLineWidth(4);
    e.DrawLine(0.0f, down(y), kComparisonTableWidth, down(y), 1.0f);

    for (const ComparedFigure& f : c.figures) {
        y += kRowHeight;
        e.DrawText(f.caption, 0.0f, down(y), kFontSize, false, 1);
        for (std::size_t m = 0; m < motors && m < f.texts.size(); ++m) {
            const bool best = m < f.best.size() && f.best[m];
            const std::string text = f.texts[m] + (best ? kBestMark : "  ");
            // A long text (the regulation) is set smaller rather than run into its neighbour.
            const float width = e.TextWidth(text, kFontSize, best);
            const float size = width > column - 1.0f
                                   ? std::max(kMinimumFontSize, kFontSize * (column - 1.0f) / width)
                                   : kFontSize;
            e.DrawText(text, right(m), down(y), size, best, 7);
        }
        e.SetColour(QBColor(7));
        e.SetLineWidth(2);
        e.DrawLine(0.0f, down(y + 1.2f), kComparisonTableWidth, down(y + 1.2f), 1.0f);
        e.SetColour(QBColor(0));
    }
    y += kRowHeight * 1.5f;
    e.DrawText(c.bestNote, 0.0f, down(y), kFontSize, false, 1);
}

} // namespace airmotor::core
