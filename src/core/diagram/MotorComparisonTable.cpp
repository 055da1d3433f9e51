#include "core/diagram/MotorComparisonTable.h"

#include "core/diagram/ComparisonDiagram.h"
#include "core/diagram/DiagramEngine.h"

#include <algorithm>
#include <string>
#include <vector>

namespace airmotor::core {

namespace {

constexpr float kFontSize = 7.5f;        // printer points
constexpr float kMinimumFontSize = 6.0f; // printer points: still readable on a printed sheet
constexpr float kLineStep = 3.2f;        // mm between the lines of a wrapped text at kFontSize
constexpr float kHeadingSize = 9.0f;     // printer points
constexpr float kCaptionWidth = 44.0f;   // mm: long captions wrap, so four motor columns stay wide enough
constexpr float kRowHeight = 5.2f;       // mm
constexpr float kSampleLength = 7.0f;    // mm of the header's line sample
constexpr std::int16_t kSampleWidth = 11;
constexpr const char* kBestMark = " *";
constexpr const char* kNoMark = "  "; // keeps unmarked figures aligned with marked ones

// A text broken at its blanks into lines no wider than `width` mm. Only a single word wider than the
// column makes the text smaller, and never below kMinimumFontSize: four motors leave a column of
// about 11 mm, where a regulation such as "At reduced pressure" needs three lines.
struct WrappedText {
    std::vector<std::string> lines;
    float size = kFontSize;
};

WrappedText Wrapped(DiagramEngine& e, const std::string& text, const std::string& mark, float width,
                    bool bold) {
    WrappedText wrapped;
    std::string line;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t blank = std::min(text.find(' ', start), text.size());
        const std::string word = text.substr(start, blank - start);
        start = blank + 1;
        if (word.empty())
            continue;
        const std::string longer = line.empty() ? word : line + " " + word;
        if (line.empty() || e.TextWidth(longer + mark, kFontSize, bold) <= width) {
            line = longer;
            continue;
        }
        wrapped.lines.push_back(line);
        line = word;
    }
    wrapped.lines.push_back(line + mark);
    float widest = 0.0f;
    for (const std::string& l : wrapped.lines)
        widest = std::max(widest, e.TextWidth(l, kFontSize, bold));
    if (widest > width)
        wrapped.size = std::max(kMinimumFontSize, kFontSize * width / widest);
    return wrapped;
}

void DrawLines(DiagramEngine& e, const WrappedText& text, float x, float baseline, bool bold, int align) {
    for (std::size_t k = 0; k < text.lines.size(); ++k)
        e.DrawText(text.lines[k], x, baseline - static_cast<float>(k) * kLineStep, text.size, bold, align);
}

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
        // A text too long for its column (the regulation, a long caption) takes more lines, and the
        // row grows with its longest text.
        const WrappedText caption = Wrapped(e, f.caption, "", kCaptionWidth - 1.0f, false);
        DrawLines(e, caption, 0.0f, down(y), false, 1);
        std::size_t lines = caption.lines.size();
        for (std::size_t m = 0; m < motors && m < f.texts.size(); ++m) {
            const bool best = m < f.best.size() && f.best[m];
            const WrappedText text = Wrapped(e, f.texts[m], best ? kBestMark : kNoMark, column - 1.0f, best);
            DrawLines(e, text, right(m), down(y), best, 7);
            lines = std::max(lines, text.lines.size());
        }
        y += static_cast<float>(lines - 1) * kLineStep;
        e.SetColour(QBColor(7));
        e.SetLineWidth(2);
        e.DrawLine(0.0f, down(y + 1.2f), kComparisonTableWidth, down(y + 1.2f), 1.0f);
        e.SetColour(QBColor(0));
    }
    y += kRowHeight * 1.5f;
    e.DrawText(c.bestNote, 0.0f, down(y), kFontSize, false, 1);
}

} // namespace airmotor::core
