#include "core/printing/CatalogueTable.h"

#include "core/common/Keys.h"
#include "core/diagram/DiagramEngine.h"
#include "core/format/NumberFormat.h"

#include <algorithm>
#include <array>
#include <functional>

namespace airmotor::core {

namespace {

constexpr float kSheetWidth = 297.0f; // landscape A4, millimetres
constexpr float kSheetHeight = 210.0f;
constexpr float kHeadingTop1 = 5.0f;
constexpr float kHeadingTop2 = 9.0f;
constexpr float kFirstRowTop = 19.0f;
constexpr float kRowStep = 5.0f;
constexpr float kSize = 10.0f;
constexpr float kLeft = 8.0f;
constexpr float kAscentShare = 0.8f; // of a line's height above the baseline

struct Column {
    int headingKey; // name and unit on two lines
    float headingX; // designation: left edge; the others: right edge
    float rowX;
    std::function<std::string(const MotorCatalogue&, std::size_t)> cell;
    float room; // a longer text shrinks to this width, so neighbouring cells never overlap
    int rowAnchor = 9;
};

std::function<std::string(const MotorCatalogue&, std::size_t)>
Number(const std::vector<float> MotorCatalogue::*field, const char* mask) {
    return
        [field, mask](const MotorCatalogue& c, std::size_t i) { return FormatNumber((c.*field)[i], mask); };
}

std::function<std::string(const MotorCatalogue&, std::size_t)>
Text(const std::vector<std::string> MotorCatalogue::*field) {
    return [field](const MotorCatalogue& c, std::size_t i) { return (c.*field)[i]; };
}

const std::array<Column, 14>& Columns() {
    namespace K = TextKey;
    static const std::array<Column, 14> columns{{
        {K::TableDesignation, kLeft, kLeft, Text(&MotorCatalogue::strBenamning), 33, 3},
        {K::TablePartNo1, 65, 65, Text(&MotorCatalogue::strDetaljnr1), 23},
        {K::TablePartNo2, 100, 100, Text(&MotorCatalogue::strDetaljnr2), 33},
        {K::TablePartNo3, 135, 135, Text(&MotorCatalogue::strDetaljnr3), 33},
        {K::TableFreeSpeed, 150, 145, Number(&MotorCatalogue::sngTomgVarvtal, "#####"), 10},
        {K::TableAirAtFreeSpeed, 163, 158, Number(&MotorCatalogue::sngLuftforbrTomgang, "###.0"), 12},
        {K::TableMaxPower, 175, 170, Number(&MotorCatalogue::sngMaxEffekt, "##.00"), 11},
        {K::TableTorqueAtMaxPower, 192, 187, Number(&MotorCatalogue::sngMomentMaxeff, "###.00"), 16},
        {K::TableAirAtMaxPower, 206, 201, Number(&MotorCatalogue::sngLuftMaxeff, "###.0"), 13},
        {K::TableSpeedAtMaxPower, 221, 216, Number(&MotorCatalogue::sngVarvMaxeff, "#####"), 14},
        {K::TableStallTorque, 238, 233, Number(&MotorCatalogue::sngStallmoment, "####.00"), 16},
        {K::TableMinStartTorque, 257, 252, Number(&MotorCatalogue::sngMinStartMoment, "####.00"), 18},
        {K::TableRelativePrice, 271, 266, Number(&MotorCatalogue::sngPris, "##.00"), 13},
        // The drawing names of a catalogue are longer than the price column leaves room for
        // right-aligned: they start after the price instead, as far as the sheet's edge.
        {K::TableDrawing, 282, 268, Text(&MotorCatalogue::strMattskiss), 24, 3},
    }};
    return columns;
}

} // namespace

int CatalogueTablePages(const MotorCatalogue& catalogue) {
    const int n = std::max(0, static_cast<int>(catalogue.intAntalMotorer));
    return (n + kCatalogueRowsPerPage - 1) / kCatalogueRowsPerPage;
}

CatalogueTableRange CatalogueTablePageRange(const MotorCatalogue& catalogue, int page) {
    const int first = (page - 1) * kCatalogueRowsPerPage + 1;
    return {first, std::min(static_cast<int>(catalogue.intAntalMotorer), first + kCatalogueRowsPerPage - 1)};
}

void DrawCatalogueTablePage(Canvas& canvas, const MotorCatalogue& catalogue, const TextTable& strText,
                            int page, float printerDpi) {
    DiagramEngine e(canvas);
    e.sngPrinterDpi = printerDpi;
    e.SetScale(0.0f, 0.0f, kSheetWidth, kSheetHeight, "Overkant");
    e.SetColour(QBColor(0));
    // A shrunk text keeps the baseline of its row.
    const auto fitted = [&](const std::string& text, float x, float y, bool bold, int anchor, float room) {
        const float w = e.TextWidth(text, kSize, bold);
        const float size = w > room ? kSize * room / w : kSize;
        const float drop = (e.TextHeight(text, kSize, bold) - e.TextHeight(text, size, bold)) * kAscentShare;
        e.DrawText(text, x, y + drop, size, bold, anchor);
    };
    const auto& columns = Columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int anchor = c == 0 ? 3 : 9; // top-left, or top-right at x
        const float room = c == 0 ? columns[1].headingX - kLeft - 25.0f
                                  : columns[c].headingX - columns[c - 1].headingX - 1.5f;
        const std::string& heading = strText(columns[c].headingKey);
        const std::size_t cut = heading.find('\n');
        fitted(heading.substr(0, cut), columns[c].headingX, kHeadingTop1, true, anchor, room);
        if (cut != std::string::npos)
            fitted(heading.substr(cut + 1), columns[c].headingX, kHeadingTop2, true, anchor, room);
    }
    const CatalogueTableRange range = CatalogueTablePageRange(catalogue, page);
    float y = kFirstRowTop;
    for (int k = range.first; k <= range.last; ++k) {
        const auto i = static_cast<std::size_t>(k);
        for (std::size_t c = 0; c < columns.size(); ++c)
            fitted(columns[c].cell(catalogue, i), columns[c].rowX, y, false, columns[c].rowAnchor,
                   columns[c].room);
        y += kRowStep;
    }
}

} // namespace airmotor::core
