#include "core/diagram/Canvas.h"

#include <array>

namespace airmotor::core {

Rgb QBColor(int index) {
    static constexpr std::array<Rgb, 16> palette = {{{0, 0, 0},
                                                     {0, 0, 128},
                                                     {0, 128, 0},
                                                     {0, 128, 128},
                                                     {128, 0, 0},
                                                     {128, 0, 128},
                                                     {128, 128, 0},
                                                     {192, 192, 192},
                                                     {128, 128, 128},
                                                     {0, 0, 255},
                                                     {0, 255, 0},
                                                     {0, 255, 255},
                                                     {255, 0, 0},
                                                     {255, 0, 255},
                                                     {255, 255, 0},
                                                     {255, 255, 255}}};
    if (index < 0 || index > 15)
        return palette[0];
    return palette[static_cast<std::size_t>(index)];
}

} // namespace airmotor::core
