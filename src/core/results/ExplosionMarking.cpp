#include "core/results/ExplosionMarking.h"

#include "core/selection/Designation.h"

#include <algorithm>
#include <array>

namespace airmotor::core {

namespace {

template <std::size_t N> bool OneOf(std::string_view text, const std::array<std::string_view, N>& list) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

std::string Pick(bool t110) {
    return std::string(t110 ? kMarkingT110 : kMarkingT85);
}

constexpr std::array<std::string_view, 8> kTkm42T110 = {"TKM42-A040-", "TKM42-A025-", "TKM42-A065-",
                                                        "TKM42-A200-", "TKM42-AR020", "TKM42-AR030",
                                                        "TKM42-AR050", "TKM42-AR170"};
constexpr std::array<std::string_view, 12> kTkm46T110Short = {"A025-", "A040-", "A065-", "A200-",
                                                              "AR020", "AR030", "AR050", "AR170",
                                                              "AV025", "AV040", "AV065", "AV200"};
constexpr std::array<std::string_view, 14> kTkm46T110Long = {
    "RL-A010-", "RL-A005-", "RL-A015-", "RL-A025-", "RL-A040-", "RL-A065-", "RL-A200-",
    "RL-AR004", "RL-AR007", "RL-AR010", "RL-AR020", "RL-AR030", "RL-AR050", "RL-AR170"};
constexpr std::array<std::string_view, 13> kTkm54T110 = {
    "A020-11", "A030-11", "A050-11", "A180-11", "AR015-1", "AR020-1", "AR035-1",
    "AR130-1", "AV020-1", "AV030-1", "AV050-1", "AV180-1", "B-AR015"};
constexpr std::array<std::string_view, 8> kTkm66T110 = {"A020-", "A030-", "A050-", "A180-",
                                                        "AR015", "AR020", "AR035", "AR130"};

} // namespace

ExplosionMarkingResult ExplosionMarking(std::string_view d, float utvaxling, std::string_view cellText) {
    const std::string_view p5 = d.substr(0, 5);
    ExplosionMarkingResult result;
    if (p5 == "TKM14" || p5 == "TKM22" || p5 == "TKM33" || p5 == "TKM34") {
        result.lblClass = Pick(utvaxling == 1.0f);
    } else if (p5 == "TKM42") {
        result.lblClass = Pick(OneOf(d.substr(0, 11), kTkm42T110));
    } else if (p5 == "TKM46") {
        result.lblClass = Pick(OneOf(Mid(d, 7, 5), kTkm46T110Short) || OneOf(Mid(d, 7, 8), kTkm46T110Long));
    } else if (p5 == "TKM54") {
        // This family is told apart by the clicked cell, which may carry a variant code. A cell of a
        // motor whose start torque is short is shown as "( text )": read the text inside, or every
        // such motor would be marked T85 whatever its variant.
        std::string_view cell = cellText;
        if (cell.starts_with("( ") && cell.ends_with(" )") && cell.size() >= 4) {
            cell = cell.substr(2, cell.size() - 4);
        }
        result.lblClass = Pick(OneOf(Mid(cell, 7, 7), kTkm54T110));
    } else if (p5 == "TKM66") {
        result.lblClass = Pick(OneOf(Mid(d, 7, 5), kTkm66T110));
    } else if (p5 == "TKM77") {
        const std::string_view mid = Mid(d, 7, 5);
        result.lblClass = Pick(mid == "A027-" || mid == "AR024");
    } else if (p5 == "TKS03" || p5 == "TKS05" || p5 == "TKS15" || p5 == "TKS25" || p5 == "TKS35") {
        if (utvaxling != 1.0f)
            return result; // geared TKS motors carry no marking
        if (Contains(d, "-L-") || Contains(d, "5-SL") || Contains(d, "3-SL") || Contains(d, "-M"))
            result.lblClass = std::string(Contains(d, "-L-") ? kMarkingT85X : kMarkingT85);
        else
            result.lblClass =
                std::string(Contains(d, "-RL-") || Contains(d, "-R-SL") ? kMarkingT110 : kMarkingT240);
    } else {
        result.clearCertificateNumber = true;
    }
    return result;
}

} // namespace airmotor::core
