#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace airmotor::cli {

// Streaming writer of one compact JSON document. Commas are placed automatically; keys and
// values must alternate inside objects. Floats are written with 9 significant digits (enough to
// read back the same single-precision value), doubles with 17; a non-finite number is null.
class JsonWriter final {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    JsonWriter& beginObject() { return open('{'); }
    JsonWriter& endObject() { return close('}'); }
    JsonWriter& beginArray() { return open('['); }
    JsonWriter& endArray() { return close(']'); }

    JsonWriter& key(std::string_view name) {
        separate();
        writeString(name);
        out_ << ':';
        afterKey_ = true;
        return *this;
    }

    JsonWriter& value(std::string_view text) {
        separate();
        writeString(text);
        return *this;
    }
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
    JsonWriter& value(bool flag) {
        separate();
        out_ << (flag ? "true" : "false");
        return *this;
    }
    JsonWriter& value(int number) { return value(static_cast<std::int64_t>(number)); }
    JsonWriter& value(std::int16_t number) { return value(static_cast<std::int64_t>(number)); }
    JsonWriter& value(std::int64_t number) {
        separate();
        out_ << number;
        return *this;
    }
    JsonWriter& value(float number) { return writeNumber(static_cast<double>(number), 9); }
    JsonWriter& value(double number) { return writeNumber(number, 17); }
    JsonWriter& null() {
        separate();
        out_ << "null";
        return *this;
    }

    template <class T> JsonWriter& field(std::string_view name, const T& v) { return key(name).value(v); }

    template <class T> JsonWriter& array(const std::vector<T>& values) {
        beginArray();
        for (const auto& v : values)
            value(v);
        return endArray();
    }

    // Ends the document with a line break (call once, after the outermost close).
    void finish() { out_ << '\n'; }

private:
    JsonWriter& open(char c) {
        separate();
        out_ << c;
        first_.push_back(true);
        return *this;
    }
    JsonWriter& close(char c) {
        out_ << c;
        first_.pop_back();
        return *this;
    }
    void separate() {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (!first_.empty()) {
            if (!first_.back())
                out_ << ',';
            first_.back() = false;
        }
    }
    JsonWriter& writeNumber(double number, int digits) {
        separate();
        if (!std::isfinite(number)) {
            out_ << "null";
            return *this;
        }
        // to_chars never uses the process locale, which may have a decimal comma.
        char buffer[40];
        const auto result =
            std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, digits);
        out_.write(buffer, result.ptr - buffer);
        return *this;
    }
    void writeString(std::string_view text) {
        out_ << '"';
        // Plain runs go out whole: a character at a time through the stream costs a sentry each.
        std::size_t run = 0;
        for (std::size_t k = 0; k < text.size(); ++k) {
            const auto c = static_cast<unsigned char>(text[k]);
            const char* escaped = nullptr;
            char buffer[8];
            switch (c) {
            case '"':
                escaped = "\\\"";
                break;
            case '\\':
                escaped = "\\\\";
                break;
            case '\n':
                escaped = "\\n";
                break;
            case '\r':
                escaped = "\\r";
                break;
            case '\t':
                escaped = "\\t";
                break;
            default:
                if (c < 0x20) {
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    escaped = buffer;
                }
            }
            if (escaped == nullptr)
                continue;
            out_.write(text.data() + run, static_cast<std::streamsize>(k - run));
            out_ << escaped;
            run = k + 1;
        }
        out_.write(text.data() + run, static_cast<std::streamsize>(text.size() - run));
        out_ << '"';
    }

    std::ostream& out_;
    std::vector<bool> first_;
    bool afterKey_ = false;
};

} // namespace airmotor::cli
