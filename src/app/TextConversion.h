#pragma once

#include <QString>

#include <string_view>

namespace airmotor::app {

// The core keeps its texts as UTF-8: std::string, or string_view into constant tables, which need not
// end in a NUL. The widgets want QString.
inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace airmotor::app
