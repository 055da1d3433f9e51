#include "core/format/Utf8.h"

namespace airmotor::core {

std::size_t FirstInvalidUtf8(std::string_view text) {
    std::size_t k = 0;
    while (k < text.size()) {
        const auto c = static_cast<unsigned char>(text[k]);
        std::size_t length = 0;
        // The second byte's range excludes overlong forms (E0, F0), surrogates (ED) and
        // values beyond U+10FFFF (F4).
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (c < 0x80) {
            length = 1;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        } else {
            return k;
        }
        if (k + length > text.size())
            return k;
        for (std::size_t j = 1; j < length; ++j) {
            const auto b = static_cast<unsigned char>(text[k + j]);
            if (j == 1 ? (b < low || b > high) : (b & 0xC0) != 0x80)
                return k;
        }
        k += length;
    }
    return std::string_view::npos;
}

} // namespace airmotor::core
