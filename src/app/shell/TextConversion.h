#pragma once

#include <QString>

#include <string_view>

namespace airmotor::app {

// The core keeps its texts as UTF-8: std::string, or string_view into constant tables, which need not
// end in a NUL. The widgets want QString.
inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A caption for a label that may wrap: a unit in brackets ("[lbf ft]", "[1/min]", "(bar(e))") never
// breaks inside; the label may still break before it.
inline QString KeepUnitsWhole(const QString& caption) {
    constexpr QChar kNoBreakSpace(0x00A0);
    constexpr QChar kWordJoiner(0x2060);
    QString out;
    out.reserve(caption.size() + 4);
    int depth = 0;
    for (const QChar c : caption) {
        if (c == '[' || c == '(')
            ++depth;
        else if ((c == ']' || c == ')') && depth > 0)
            --depth;
        out += depth > 0 && c == ' ' ? kNoBreakSpace : c;
        if (depth > 0 && c == '/')
            out += kWordJoiner;
    }
    return out;
}

// The caption as the text table writes it, from what KeepUnitsWhole made of it.
inline QString PlainCaption(QString shown) {
    return shown.remove(QChar(0x2060)).replace(QChar(0x00A0), ' ');
}

} // namespace airmotor::app
