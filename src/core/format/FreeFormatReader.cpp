#include "core/format/FreeFormatReader.h"

namespace airmotor::core {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

std::optional<FreeFormatValue> FreeFormatReader::next() {
    // At the end of the input only a trailing comma still announces an (empty) value.
    if (pos_ >= text_.size() && !afterComma_)
        return std::nullopt;
    while (pos_ < text_.size() && IsBlank(text_[pos_]))
        ++pos_;
    FreeFormatValue value;
    if (pos_ < text_.size() && text_[pos_] == '"') {
        const auto close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos)
            return std::nullopt; // an unterminated quote is not a readable value
        value.quoted = true;
        value.text = std::string(text_.substr(pos_ + 1, close - pos_ - 1));
        pos_ = close + 1;
        while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_]))
            ++pos_;
    } else {
        const auto start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_]))
            ++pos_;
        auto raw = text_.substr(start, pos_ - start);
        while (!raw.empty() && IsBlank(raw.back()))
            raw.remove_suffix(1);
        value.text = std::string(raw);
    }
    skipSeparator();
    return value;
}

void FreeFormatReader::skipSeparator() {
    afterComma_ = false;
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == ',') {
        ++pos_;
        afterComma_ = true;
        return;
    }
    if (text_[pos_] == '\r')
        ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n')
        ++pos_;
}

} // namespace airmotor::core
