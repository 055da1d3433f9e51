#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace airmotor::drawings {

// Writes a placeable Windows metafile record by record. Coordinates are logical units with y down;
// the placeable header states how many units make one inch.
class WmfWriter {
public:
    WmfWriter(int width, int height, int unitsPerInch);

    // Pen styles: 0 solid, 1 dash, 2 dot, 3 dash-dot. Width in logical units.
    void pen(int style, int width, std::uint32_t rgb);
    void hollowBrush();
    void solidBrush(std::uint32_t rgb);
    // Helvetica-like face; height in logical units (character cell), weight 400 or 700.
    void font(int height, int weight);
    // align: 0 left, 6 centre, 2 right; the y of text is its baseline.
    void textAlign(int align);
    void textColour(std::uint32_t rgb);

    void line(int x1, int y1, int x2, int y2);
    void polyline(const std::vector<int>& xy);
    void polygon(const std::vector<int>& xy);
    void rectangle(int left, int top, int right, int bottom);
    void ellipse(int left, int top, int right, int bottom);
    void text(int x, int y, std::string_view latin1);

    // The finished file: placeable header, metafile header, records, end record.
    std::vector<std::uint8_t> finish();

private:
    void record(std::uint16_t function, const std::vector<std::uint16_t>& params);
    int createObject(std::uint16_t function, const std::vector<std::uint16_t>& params);
    void replace(int& slot, int object);

    int width_, height_, unitsPerInch_;
    std::vector<std::uint16_t> records_;
    std::vector<bool> used_;
    std::size_t maxRecord_ = 3;
    int pen_ = -1, brush_ = -1, font_ = -1;
};

} // namespace airmotor::drawings
