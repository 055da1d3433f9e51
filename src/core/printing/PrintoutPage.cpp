#include "core/printing/PrintoutPage.h"

#include "core/diagram/ComparisonTable.h"
#include "core/diagram/DiagramEngine.h"

#include <algorithm>
#include <sstream>

namespace airmotor::core {

namespace {

// Millimetre geometry of the sheets; text sizes are printer points.
constexpr float kMargin = 12.0f;
constexpr float kTextSize = 10.0f;
constexpr float kHeadingSize = 8.0f; // key-figure column headings
constexpr float kTitleSize = 14.0f;
constexpr float kNoteSize = 12.0f;
constexpr float kDesignationSize = 12.0f;
constexpr float kMountingSize = 9.0f;
constexpr float kDrawingOnlyTitleSize = 20.0f;
constexpr float kSmallestSize = 5.5f; // a text shrinks to fit its room, never below this
constexpr float kAscentShare = 0.8f;  // of a line's height above the baseline
constexpr float kLogoWidth = 22.35f;  // 1267.2 x 644 twips
constexpr float kLogoHeight = 11.36f;
constexpr float kLogoLeft = 12.7f;
constexpr float kExSignSize = 11.0f;
constexpr float kValueColumn = 14.0f;     // width of a key-figure value column
constexpr float kWrappedLabelSize = 8.0f; // below this a key-figure label wraps instead
constexpr float kSmallestHeadingSize = 6.0f;
constexpr float kDataTopPortrait = 137.0f;
constexpr float kColumnGap = 8.0f;
constexpr float kListColumn = 80.0f; // requirements and motor, left of the key figures
constexpr int kRuleWidth = 3;        // 300-dpi dots
constexpr float kComparisonSize = 8.0f;

struct Pen {
    DiagramEngine& e;
    std::string language;

    float lineHeight(float size, bool bold = false) { return e.TextHeight("Ag", size, bold); }

    // Draws t with its top at y; anchor 3 left, 6 centred, 9 right. The size shrinks so the text
    // never needs more than maxWidth.
    void text(std::string_view t, float x, float y, float size, bool bold, int anchor, float maxWidth = 0.0f,
              int colour = 0) {
        if (maxWidth > 0.0f) {
            const float w = e.TextWidth(t, size, bold);
            if (w > maxWidth) {
                const float full = lineHeight(size, bold);
                size = std::max(kSmallestSize, size * maxWidth / w);
                y += (full - lineHeight(size, bold)) * kAscentShare; // on the line's baseline
            }
        }
        e.SetColour(QBColor(colour));
        e.DrawText(t, x, y, size, bold, anchor);
        e.SetColour(QBColor(0));
    }

    float unitWidth(const std::string& unit) {
        if (unit == kSpeedUnit)
            return e.TextWidth(speedUnitText(), kTextSize, false);
        return e.TextWidth(unit, kTextSize, false);
    }

    std::string speedUnitText() const {
        if (language == "German")
            return "[min   ]";
        if (language == "French")
            return "[tr/mn]";
        return language == "Italian" ? "[giri/min]" : "[r/min]";
    }

    // Unit right-aligned at x.
    void unit(const std::string& u, float x, float y) {
        if (u == kSpeedUnit && (language == "German" || language == "French"))
            e.SpeedUnitLabel(x, y, kTextSize, 9);
        else
            text(u == kSpeedUnit ? speedUnitText() : u, x, y, kTextSize, false, 9);
    }

    void rule(float x1, float x2, float y) {
        e.SetLineWidth(kRuleWidth);
        e.SetLineStyle(0);
        e.SetColour(QBColor(0));
        e.canvas().line(x1, y, x2, y);
    }

    // Greedy word wrap into lines no wider than width. A single word wider than the width is
    // broken with a hyphen where it must (a heading at its smallest size still too wide would run
    // into the next column); breaks fall between UTF-8 characters.
    std::vector<std::string> wrap(const std::string& t, float size, bool bold, float width) {
        std::istringstream words(t);
        std::vector<std::string> lines;
        std::string word, line;
        while (words >> word) {
            const std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && e.TextWidth(candidate, size, bold) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            while (e.TextWidth(line, size, bold) > width) {
                const std::size_t cut = hyphenCut(line, size, bold, width);
                if (cut == 0 || cut >= line.size())
                    break;
                lines.push_back(line.substr(0, cut) + "-");
                line.erase(0, cut);
            }
        }
        if (!line.empty())
            lines.push_back(line);
        return lines;
    }

    // The longest start of `text` (whole characters, at least two) that fits `width` with a hyphen
    // after it; 0 where none does.
    std::size_t hyphenCut(const std::string& text, float size, bool bold, float width) {
        std::size_t best = 0;
        int characters = 0;
        for (std::size_t k = 1; k < text.size(); ++k) {
            if ((static_cast<unsigned char>(text[k]) & 0xC0) == 0x80)
                continue;
            if (++characters >= 2 && e.TextWidth(text.substr(0, k) + "-", size, bold) <= width)
                best = k;
        }
        return best;
    }
};

// Heading and label/value/unit lines in a column of width w. Returns the y below the list.
float DrawList(Pen& p, const std::string& heading, const std::vector<DataLine>& lines, float x, float y,
               float w) {
    const float h = p.lineHeight(kTextSize);
    p.text(heading, x, y, kTextSize, true, 3, w);
    y += h * 1.1f;
    float unitW = 0.0f, valueW = 0.0f;
    for (const auto& l : lines) {
        unitW = std::max(unitW, l.unit.empty() ? 0.0f : p.unitWidth(l.unit));
        valueW = std::max(valueW, p.e.TextWidth(l.value, kTextSize, false));
    }
    const float valueRight = x + w - (unitW > 0.0f ? unitW + 2.0f : 0.0f);
    // Short values (figures) leave the labels the room up to them; a long value (a designation,
    // an ordering number) shares the line with its caption.
    for (const auto& l : lines) {
        const float ownW = p.e.TextWidth(l.value, kTextSize, false);
        const float labelRoom = valueRight - x - std::max(valueW, ownW) - 3.0f;
        p.text(l.label, x + 2.0f, y, kTextSize, false, 3, labelRoom - 2.0f);
        p.text(l.value, valueRight, y, kTextSize, false, 9, valueRight - x - 2.0f, l.colour);
        if (!l.unit.empty())
            p.unit(l.unit, x + w, y);
        y += h;
    }
    return y;
}

float DrawKeyFigures(Pen& p, const DataSheet& s, float x, float y, float w) {
    const float h = p.lineHeight(kTextSize);
    p.text(s.supplyPressure, x, y, kTextSize, true, 3, w);
    y += h * 1.2f;
    std::vector<int> cols;
    for (int c = 0; c < 3; ++c)
        if (s.columns[static_cast<std::size_t>(c)])
            cols.push_back(c);
    const float valueW = std::min(kValueColumn, (w * 0.55f) / static_cast<float>(cols.size()));
    const float valuesLeft = x + w - valueW * static_cast<float>(cols.size());
    float unitW = 0.0f;
    for (const auto& r : s.keyFigures)
        unitW = std::max(unitW, r.unit.empty() ? 0.0f : p.unitWidth(r.unit));
    const float unitRight = valuesLeft - 1.5f;
    const float labelRoom = unitRight - unitW - 2.0f - x;

    // Column headings wrapped in their column, bottom-aligned over the values. The first column
    // may also use the empty room above the units; a word too long for its room shrinks the
    // whole heading.
    struct Heading {
        std::vector<std::string> lines;
        float size;
        float room;
    };
    std::vector<Heading> headings;
    float depth = 0.0f;
    for (std::size_t i = 0; i < cols.size(); ++i) {
        const int c = cols[i];
        const float room = valueW - 2.0f + (i == 0 ? (unitRight - x) * 0.4f : 0.0f);
        const std::string& text = s.columnHeadings[static_cast<std::size_t>(c)];
        float size = kHeadingSize;
        std::istringstream words(text);
        for (std::string word; words >> word;)
            size = std::min(size, kHeadingSize * room / p.e.TextWidth(word, kHeadingSize, true));
        size = std::max(size, kSmallestHeadingSize);
        std::vector<std::string> lines = p.wrap(text, size, true, room);
        if (c == kReduced && !s.reducedPressure.empty())
            lines.push_back(s.reducedPressure);
        depth = std::max(depth, p.lineHeight(size, true) * static_cast<float>(lines.size()));
        headings.push_back({std::move(lines), size, room});
    }
    for (std::size_t i = 0; i < cols.size(); ++i) {
        const float right = valuesLeft + valueW * static_cast<float>(i + 1) - 0.5f;
        const float lh = p.lineHeight(headings[i].size, true);
        float ly = y + depth - lh * static_cast<float>(headings[i].lines.size());
        for (const auto& line : headings[i].lines) {
            p.text(line, right, ly, headings[i].size, true, 9, headings[i].room);
            ly += lh;
        }
    }
    y += depth + 0.6f;
    p.rule(x, x + w, y);
    y += 0.8f;
    for (const auto& r : s.keyFigures) {
        // A long label shrinks a little, then takes a second line rather than become unreadable.
        const float room = labelRoom - 2.0f;
        const float fitted = std::min(kTextSize, kTextSize * room / p.e.TextWidth(r.label, kTextSize, false));
        std::vector<std::string> label{r.label};
        float size = std::max(fitted, kWrappedLabelSize);
        if (fitted < kWrappedLabelSize)
            label = p.wrap(r.label, size, false, room);
        const float lh = p.lineHeight(size);
        float ly = y + (h - lh);
        for (const auto& line : label) {
            p.text(line, x + 2.0f, ly, size, false, 3, room, r.colour);
            ly += lh;
        }
        if (!r.unit.empty())
            p.unit(r.unit, unitRight, y);
        for (std::size_t i = 0; i < cols.size(); ++i) {
            const float right = valuesLeft + valueW * static_cast<float>(i + 1) - 0.5f;
            p.text(r.values[static_cast<std::size_t>(cols[i])], right, y, kTextSize, false, 9, valueW - 1.0f,
                   r.colour);
        }
        y = std::max(y + h, ly);
    }
    p.rule(x, x + w, y + 0.4f);
    return y + 1.5f;
}

float DrawExLines(Pen& p, const DataSheet& s, float x, float y, float w, std::vector<PictureSlot>& slots) {
    if (s.exLines.empty())
        return y;
    const bool mounting = !s.exPicture;
    const float size = mounting ? kMountingSize : kTextSize;
    const float h = p.lineHeight(size);
    float tx = x;
    const float top = y;
    if (s.exPicture) {
        slots.push_back({PictureSlot::Kind::ExSign, x, y, kExSignSize, kExSignSize});
        tx = x + kExSignSize + 3.0f;
        y += std::max(0.0f, (kExSignSize - h * static_cast<float>(s.exLines.size())) / 2.0f);
    }
    for (const auto& line : s.exLines) {
        p.text(line, tx, y, size, false, 3, x + w - tx);
        y += h;
    }
    return std::max(y, s.exPicture ? top + kExSignSize : y);
}

// Notes 29-31 bottom-up from the lower margin, the date right-aligned on the last note's line, or
// on a line of its own when the note would have to shrink beside it. Returns the top of the footer.
float DrawFooter(Pen& p, const DataSheet& s, float left, float right, float bottom) {
    const float h = p.lineHeight(kNoteSize, true);
    const float dateW = p.e.TextWidth(s.dateLine, kTextSize, false);
    const bool dateBeside = p.e.TextWidth(s.notes.back(), kNoteSize, true) + dateW + 5.0f <= right - left;
    const float dateH = dateBeside ? 0.0f : p.lineHeight(kTextSize) * 1.2f;
    float y = bottom - h * 3.0f - dateH;
    const float top = y;
    for (const auto& note : s.notes) {
        p.text(note, left, y, kNoteSize, true, 3, right - left);
        y += h;
    }
    const float dateY =
        dateBeside ? y - h + (h - p.lineHeight(kTextSize)) / 2.0f : y + dateH - p.lineHeight(kTextSize);
    p.text(s.dateLine, right, dateY, kTextSize, false, 9);
    return top;
}

// The production comparison under the data block; returns the y below it.
float DrawProductionTable(Pen& p, const ProductionComparison* table, float x, float y) {
    if (!table || !table->shown())
        return y;
    DrawComparisonTable(p.e, *table, x, y + 2.0f, kComparisonSize, true);
    return y + 2.0f + MeasureComparisonTable(p.e, *table, kComparisonSize).height;
}

std::vector<PictureSlot> PortraitSheet(Pen& p, const DataSheet& s, const ProductionComparison* table) {
    std::vector<PictureSlot> slots;
    const float right = kSheetShort - kMargin;
    slots.push_back({PictureSlot::Kind::Logo, kLogoLeft, 8.0f, kLogoWidth, kLogoHeight});
    const float titleX = kLogoLeft + kLogoWidth + 6.0f;
    const float th = p.lineHeight(kTitleSize, true);
    const float titleY = 8.0f + (kLogoHeight - th) / 2.0f;
    const float designationW = std::min(p.e.TextWidth(s.designation, kTitleSize, true), 80.0f);
    p.text(s.designation, right, titleY, kTitleSize, true, 9, 80.0f);
    p.text(s.title, titleX, titleY, kTitleSize, true, 3, right - designationW - 6.0f - titleX);
    p.rule(kMargin, right, 22.0f);

    float yl = DrawList(p, s.requirementHeading, s.requirements, kMargin, kDataTopPortrait, kListColumn);
    yl = DrawList(p, s.motorHeading, s.motor, kMargin, yl + 3.0f, kListColumn);
    const float rx = kMargin + kListColumn + kColumnGap;
    float yr = DrawKeyFigures(p, s, rx, kDataTopPortrait, right - rx);
    yr = DrawExLines(p, s, rx, yr + 2.0f, right - rx, slots);
    // The dimension drawing makes room for the table: it shrinks to the space left below.
    const float yt = DrawProductionTable(p, table, kMargin, std::max(yl, yr));

    const float footerTop = DrawFooter(p, s, kMargin, right, kSheetLong - 8.0f);
    const float drawingTop = yt + 4.0f;
    slots.push_back({PictureSlot::Kind::Drawing, kMargin, drawingTop, right - kMargin,
                     std::max(0.0f, footerTop - 4.0f - drawingTop)});
    return slots;
}

std::vector<PictureSlot> LandscapeSheet(Pen& p, const DataSheet& s, const ProductionComparison* table) {
    std::vector<PictureSlot> slots;
    constexpr float left = 184.0f;
    const float right = kSheetLong - kMargin;
    const float w = right - left;
    float y = 10.0f;
    p.text(s.title, left, y, kTitleSize, true, 3, w);
    y += p.lineHeight(kTitleSize, true) * 1.1f;
    p.text(s.designation, left, y, kDesignationSize, true, 3, w);
    y += p.lineHeight(kDesignationSize, true) * 1.3f;
    y = DrawList(p, s.requirementHeading, s.requirements, left, y, w) + 2.0f;
    y = DrawList(p, s.motorHeading, s.motor, left, y, w) + 2.0f;
    y = DrawKeyFigures(p, s, left, y, w);
    y = DrawExLines(p, s, left, y + 2.0f, w, slots);
    DrawProductionTable(p, table, left, y);
    DrawFooter(p, s, left, right, kSheetShort - 8.0f);
    return slots;
}

std::vector<PictureSlot> DrawingOnlySheet(Pen& p, const DataSheet& s) {
    const float top = 6.0f;
    p.text(s.designation, kSheetLong / 2.0f, top, kDrawingOnlyTitleSize, true, 6);
    const float drawingTop = top + p.lineHeight(kDrawingOnlyTitleSize, true) + 4.0f;
    return {
        {PictureSlot::Kind::Drawing, 10.0f, drawingTop, kSheetLong - 20.0f, kSheetShort - 8.0f - drawingTop}};
}

} // namespace

std::vector<PictureSlot> DrawPrintoutPage(Canvas& canvas, const PrintoutPlan& plan, float printerDpi) {
    if (!plan.valid)
        return {};
    if (plan.mode != PrintMode::DrawingOnly) {
        MotorDiagramInput diagram = plan.diagram;
        diagram.landscapePage = plan.landscape;
        diagram.printerDpi = printerDpi;
        DrawMotorDiagram(canvas, diagram);
    }
    DiagramEngine e(canvas);
    e.sngPrinterDpi = printerDpi;
    e.strLanguage = plan.diagram.strLanguage;
    const float width = plan.landscape ? kSheetLong : kSheetShort;
    const float height = plan.landscape ? kSheetShort : kSheetLong;
    e.SetScale(0.0f, 0.0f, width, height, "Overkant");
    e.sngRightEdge = width;
    Pen pen{e, plan.diagram.strLanguage};
    const ProductionComparison* table = plan.diagram.productionData ? plan.diagram.production.get() : nullptr;
    switch (plan.mode) {
    case PrintMode::DrawingOnly:
        return DrawingOnlySheet(pen, plan.sheet);
    case PrintMode::DiagramOnly:
        return LandscapeSheet(pen, plan.sheet, table);
    case PrintMode::Complete:
        break;
    }
    return PortraitSheet(pen, plan.sheet, table);
}

} // namespace airmotor::core
