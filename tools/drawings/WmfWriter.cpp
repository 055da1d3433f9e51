#include "WmfWriter.h"

#include <algorithm>

namespace airmotor::drawings {

namespace {

std::uint16_t W(int v) {
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
}
std::uint16_t Lo(std::uint32_t v) {
    return static_cast<std::uint16_t>(v & 0xFFFFu);
}
std::uint16_t Hi(std::uint32_t v) {
    return static_cast<std::uint16_t>(v >> 16);
}
// COLORREF is 0x00BBGGRR.
std::uint32_t ColorRef(std::uint32_t rgb) {
    return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

// Bytes two to a word, low byte first; an odd count is padded with a zero byte.
void AppendBytes(std::vector<std::uint16_t>& params, std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto lo = static_cast<std::uint8_t>(bytes[i]);
        const auto hi = i + 1 < bytes.size() ? static_cast<std::uint8_t>(bytes[i + 1]) : std::uint8_t{0};
        params.push_back(static_cast<std::uint16_t>(lo | (hi << 8)));
    }
}

// The point count followed by the coordinates, as POLYLINE and POLYGON take them.
std::vector<std::uint16_t> PointParams(const std::vector<int>& xy) {
    std::vector<std::uint16_t> p = {W(static_cast<int>(xy.size() / 2))};
    for (int v : xy)
        p.push_back(W(v));
    return p;
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, Lo(v));
    Put16(out, Hi(v));
}

} // namespace

WmfWriter::WmfWriter(int width, int height, int unitsPerInch)
    : width_(width), height_(height), unitsPerInch_(unitsPerInch) {
    record(0x0103, {8});                   // SETMAPMODE anisotropic
    record(0x020B, {W(0), W(0)});          // SETWINDOWORG y, x
    record(0x020C, {W(height), W(width)}); // SETWINDOWEXT y, x
    record(0x0102, {1});                   // SETBKMODE transparent
}

void WmfWriter::record(std::uint16_t function, const std::vector<std::uint16_t>& params) {
    const std::uint32_t size = 3 + static_cast<std::uint32_t>(params.size());
    records_.push_back(Lo(size));
    records_.push_back(Hi(size));
    records_.push_back(function);
    records_.insert(records_.end(), params.begin(), params.end());
    maxRecord_ = std::max<std::size_t>(maxRecord_, size);
}

int WmfWriter::createObject(std::uint16_t function, const std::vector<std::uint16_t>& params) {
    record(function, params);
    // A new object takes the lowest free slot of the object table.
    auto it = std::find(used_.begin(), used_.end(), false);
    const int slot = static_cast<int>(it - used_.begin());
    if (it == used_.end())
        used_.push_back(true);
    else
        *it = true;
    return slot;
}

void WmfWriter::replace(int& slot, int object) {
    record(0x012D, {W(object)}); // SELECTOBJECT
    if (slot >= 0) {
        record(0x01F0, {W(slot)}); // DELETEOBJECT
        used_[static_cast<std::size_t>(slot)] = false;
    }
    slot = object;
}

void WmfWriter::pen(int style, int width, std::uint32_t rgb) {
    const std::uint32_t c = ColorRef(rgb);
    replace(pen_, createObject(0x02FA, {W(style), W(width), W(0), Lo(c), Hi(c)}));
}

void WmfWriter::hollowBrush() {
    replace(brush_, createObject(0x02FC, {1, 0, 0, 0}));
}

void WmfWriter::solidBrush(std::uint32_t rgb) {
    const std::uint32_t c = ColorRef(rgb);
    replace(brush_, createObject(0x02FC, {0, Lo(c), Hi(c), 0}));
}

void WmfWriter::font(int height, int weight) {
    std::vector<std::uint16_t> p = {W(-height), 0, 0, 0,     W(weight),
                                    0,          0, 0, 0x2200 /*variable pitch, sans serif*/};
    // The face name is NUL-terminated.
    AppendBytes(p, std::string_view("Helvetica", sizeof "Helvetica"));
    replace(font_, createObject(0x02FB, p));
}

void WmfWriter::textAlign(int align) {
    record(0x012E, {W(align | 24 /*baseline*/)});
}

void WmfWriter::textColour(std::uint32_t rgb) {
    const std::uint32_t c = ColorRef(rgb);
    record(0x0209, {Lo(c), Hi(c)});
}

void WmfWriter::line(int x1, int y1, int x2, int y2) {
    record(0x0214, {W(y1), W(x1)}); // MOVETO
    record(0x0213, {W(y2), W(x2)}); // LINETO
}

void WmfWriter::polyline(const std::vector<int>& xy) {
    record(0x0325, PointParams(xy));
}

void WmfWriter::polygon(const std::vector<int>& xy) {
    record(0x0324, PointParams(xy));
}

void WmfWriter::rectangle(int left, int top, int right, int bottom) {
    record(0x041B, {W(bottom), W(right), W(top), W(left)});
}

void WmfWriter::ellipse(int left, int top, int right, int bottom) {
    record(0x0418, {W(bottom), W(right), W(top), W(left)});
}

void WmfWriter::text(int x, int y, std::string_view latin1) {
    std::vector<std::uint16_t> p = {W(static_cast<int>(latin1.size()))};
    AppendBytes(p, latin1);
    p.push_back(W(y));
    p.push_back(W(x));
    record(0x0521, p); // TEXTOUT
}

std::vector<std::uint8_t> WmfWriter::finish() {
    std::vector<std::uint16_t> body = records_;
    body.push_back(3); // EOF record
    body.push_back(0);
    body.push_back(0);

    std::vector<std::uint8_t> out;
    // Placeable header: key, handle, bounding box, units per inch, reserved, checksum.
    std::vector<std::uint16_t> ph = {Lo(0x9AC6CDD7u), Hi(0x9AC6CDD7u),  0, 0, 0, W(width_),
                                     W(height_),      W(unitsPerInch_), 0, 0};
    std::uint16_t checksum = 0;
    for (std::uint16_t v : ph)
        checksum ^= v;
    for (std::uint16_t v : ph)
        Put16(out, v);
    Put16(out, checksum);
    // Metafile header: memory metafile, 9 words, version 3.0, size in words, objects, largest record.
    const std::uint32_t sizeWords = 9 + static_cast<std::uint32_t>(body.size());
    Put16(out, 1);
    Put16(out, 9);
    Put16(out, 0x0300);
    Put32(out, sizeWords);
    Put16(out, static_cast<std::uint16_t>(std::max<std::size_t>(used_.size(), 1)));
    Put32(out, static_cast<std::uint32_t>(maxRecord_));
    Put16(out, 0);
    for (std::uint16_t v : body)
        Put16(out, v);
    return out;
}

} // namespace airmotor::drawings
