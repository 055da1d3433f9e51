#pragma once

#include <string>
#include <string_view>

namespace airmotor::core {

// Which dimension drawing a motor's strMattskiss names for the clicked table column.
struct DrawingChoice {
    bool isLink = false; // a web reference: opened by the desktop, never loaded as a file
    std::string name;    // drawing name (no folder, no extension) or the link; "" = none
};

// "name": that drawing; "first,second": the second for column 1, else the first; "http...": a link.
DrawingChoice ChooseDrawing(std::string_view strMattskiss, int intValdKolumn);

} // namespace airmotor::core
