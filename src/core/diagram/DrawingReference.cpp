#include "core/diagram/DrawingReference.h"

#include "core/selection/Designation.h"

namespace airmotor::core {

namespace {

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

bool IsLink(std::string_view s) {
    return StartsWith(s, "http");
}

} // namespace

DrawingChoice ChooseDrawing(std::string_view strMattskiss, int intValdKolumn) {
    const std::string_view whole = Trim(strMattskiss);
    DrawingChoice choice;
    const auto comma = whole.find(',');
    // A whole reference that is a link keeps its commas (a URL may hold one).
    if (IsLink(whole)) {
        choice.isLink = true;
        choice.name = std::string(whole);
        return choice;
    }
    std::string_view part = whole;
    if (comma != std::string_view::npos)
        part = intValdKolumn == 1 ? whole.substr(comma + 1) : whole.substr(0, comma);
    part = Trim(part);
    choice.isLink = IsLink(part);
    choice.name = std::string(part);
    return choice;
}

} // namespace airmotor::core
