#include "core/diagram/ComparisonTable.h"

#include <algorithm>
#include <array>

namespace airmotor::core {

namespace {

constexpr std::array<const char*, 3> kHeadings{"Old", "New", "Diff %"};
constexpr float kLineSpacing = 1.2f;
constexpr float kColumnGap = 3.0f; // world units between columns

struct Columns {
    float label = 0.0f;
    std::array<float, 3> value{};
    float line = 0.0f;
};

Columns Measure(DiagramEngine& e, const ProductionComparison& t, float size) {
    Columns c;
    c.line = e.TextHeight("Ag", size, false) * kLineSpacing;
    for (std::size_t k = 0; k < kHeadings.size(); ++k)
        c.value[k] = e.TextWidth(kHeadings[k], size, true);
    for (const ComparisonRow& r : t.rows) {
        c.label = std::max(c.label, e.TextWidth(r.label, size, false));
        const std::array<const std::string*, 3> texts{&r.oldText, &r.newText, &r.diffText};
        for (std::size_t k = 0; k < texts.size(); ++k)
            c.value[k] = std::max(c.value[k], e.TextWidth(*texts[k], size, false));
    }
    return c;
}

} // namespace

ComparisonTableSize MeasureComparisonTable(DiagramEngine& engine, const ProductionComparison& table,
                                           float size) {
    const Columns c = Measure(engine, table, size);
    float width = c.label;
    for (float w : c.value)
        width += kColumnGap + w;
    return {width, c.line * static_cast<float>(table.rows.size() + 1)};
}

void DrawComparisonTable(DiagramEngine& engine, const ProductionComparison& table, float left, float top,
                         float size, bool yDown) {
    const Columns c = Measure(engine, table, size);
    engine.SetColour(QBColor(0));
    // Right edges of the value columns: figures align on their last digit.
    std::array<float, 3> right{};
    float x = left + c.label;
    for (std::size_t k = 0; k < right.size(); ++k) {
        x += kColumnGap + c.value[k];
        right[k] = x;
    }
    float y = top;
    for (std::size_t k = 0; k < kHeadings.size(); ++k)
        engine.DrawText(kHeadings[k], right[k], y, size, true, 9);
    for (const ComparisonRow& r : table.rows) {
        y += yDown ? c.line : -c.line;
        engine.DrawText(r.label, left, y, size, false, 3);
        const std::array<const std::string*, 3> texts{&r.oldText, &r.newText, &r.diffText};
        for (std::size_t k = 0; k < texts.size(); ++k)
            if (!texts[k]->empty())
                engine.DrawText(*texts[k], right[k], y, size, false, 9);
    }
}

} // namespace airmotor::core
