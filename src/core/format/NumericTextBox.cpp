#include "core/format/NumericTextBox.h"

#include "core/format/NumberFormat.h"
#include "core/format/NumberParsing.h"

#include <cctype>

namespace airmotor::core {

namespace {
constexpr double kLimitMargin = 5e-11;
}

bool NumericKeyFilter(std::int16_t& key) {
    switch (key) {
    case 8:
    case 13:
    case 42:
    case 45:
    case 46:
        return true;
    case 44:
        key = 46; // a decimal comma is typed as a point
        return true;
    default:
        if (key >= '0' && key <= '9')
            return true;
        key = 0;
        return false;
    }
}

double LeadingNumber(const std::string& text) {
    // Blanks anywhere are skipped, as the classic conversion does; it stops at the first other
    // character that cannot continue a number.
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            compact.push_back(c);
    std::size_t pos = 0;
    std::string number;
    if (pos < compact.size() && (compact[pos] == '-' || compact[pos] == '+'))
        number.push_back(compact[pos++]);
    bool digits = false;
    while (pos < compact.size() && std::isdigit(static_cast<unsigned char>(compact[pos]))) {
        number.push_back(compact[pos++]);
        digits = true;
    }
    if (pos < compact.size() && compact[pos] == '.') {
        number.push_back(compact[pos++]);
        while (pos < compact.size() && std::isdigit(static_cast<unsigned char>(compact[pos]))) {
            number.push_back(compact[pos++]);
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (pos + 1 < compact.size() &&
        (compact[pos] == 'E' || compact[pos] == 'e' || compact[pos] == 'D' || compact[pos] == 'd')) {
        std::size_t q = pos + 1;
        std::string exponent = "e";
        if (compact[q] == '-' || compact[q] == '+')
            exponent.push_back(compact[q++]);
        bool expDigits = false;
        while (q < compact.size() && std::isdigit(static_cast<unsigned char>(compact[q]))) {
            exponent.push_back(compact[q++]);
            expDigits = true;
        }
        if (expDigits)
            number += exponent;
    }
    return LeadingDouble(number);
}

double ValidateNumericField(NumericTextBox& field, float defaultValue, float lower, float upper) {
    if (field.text.find('*') != std::string::npos)
        field.text = StrSingle(defaultValue);
    const double value = LeadingNumber(field.text);
    field.colour = value < static_cast<double>(lower) - kLimitMargin ? kColourBelowRange : kColourValid;
    if (value > static_cast<double>(upper) + kLimitMargin)
        field.colour = kColourAboveRange;
    return value;
}

TextSelection SelectAllOnFocus(const NumericTextBox& field) {
    return TextSelection{0, static_cast<int>(field.text.size())};
}

void SetFieldEnabled(NumericTextBox& field, bool enable, int colour) {
    if (enable) {
        if (!field.enabled) {
            field.colour = colour;
            field.enabled = true;
        }
    } else {
        field.enabled = false;
        field.colour = colour;
    }
}

} // namespace airmotor::core
