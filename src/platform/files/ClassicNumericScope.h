#pragma once

#include <clocale>
#include <locale.h>

namespace airmotor::platform {

// C libraries that print numbers (libwmf writes its SVG with printf) follow the process locale,
// which Qt sets from the desktop: under a comma locale "12.5" would come out as "12,5" and the
// drawing would fall apart. This switches the calling thread alone to the classic locale for the
// scope, so other threads and the rest of the program are untouched.
class ClassicNumericScope final {
public:
    ClassicNumericScope() : classic_(newlocale(LC_ALL_MASK, "C", nullptr)) {
        if (classic_ != nullptr)
            previous_ = uselocale(classic_);
    }
    ~ClassicNumericScope() {
        if (classic_ != nullptr) {
            uselocale(previous_);
            freelocale(classic_);
        }
    }
    ClassicNumericScope(const ClassicNumericScope&) = delete;
    ClassicNumericScope& operator=(const ClassicNumericScope&) = delete;

private:
    locale_t classic_;
    locale_t previous_ = nullptr;
};

} // namespace airmotor::platform
