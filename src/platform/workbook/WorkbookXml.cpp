#include "platform/workbook/WorkbookXml.h"

#include <cstring>

namespace airmotor::platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Position of `what` at or after `from`, or -1.
qsizetype Find(QByteArrayView xml, qsizetype from, QByteArrayView what) {
    return from >= xml.size() ? -1 : xml.indexOf(what, from);
}

// One attribute of a start tag: where it begins (at the blank before its name), ends (after the
// closing quote) and its name.
struct AttributeSpan {
    qsizetype begin = 0, end = 0;
    QByteArrayView name;
};

// The attributes of a start tag; scanning stops at the tag's end or at anything that is no
// attribute (the tag came from a parsed part, so that does not happen).
std::vector<AttributeSpan> Attributes(QByteArrayView tag) {
    std::vector<AttributeSpan> spans;
    qsizetype k = 1;
    while (k < tag.size() && !IsBlank(tag[k]) && tag[k] != '/' && tag[k] != '>')
        ++k;
    for (;;) {
        const qsizetype begin = k;
        while (k < tag.size() && IsBlank(tag[k]))
            ++k;
        const qsizetype nameStart = k;
        while (k < tag.size() && !IsBlank(tag[k]) && tag[k] != '=' && tag[k] != '/' && tag[k] != '>')
            ++k;
        if (k == nameStart || k >= tag.size())
            return spans;
        const QByteArrayView name = tag.sliced(nameStart, k - nameStart);
        while (k < tag.size() && (IsBlank(tag[k]) || tag[k] == '='))
            ++k;
        if (k >= tag.size() || (tag[k] != '"' && tag[k] != '\''))
            return spans;
        const qsizetype close = tag.indexOf(tag[k], k + 1);
        if (close < 0)
            return spans;
        k = close + 1;
        spans.push_back({begin, k, name});
    }
}

// Where the tag's closing "/>" or ">" begins.
qsizetype CloseOf(QByteArrayView tag) {
    return IsSelfClosing(tag) ? tag.lastIndexOf('/') : tag.size() - 1;
}

} // namespace

XmlLimits TreePartLimits() {
    return {kMaxXmlDepth, kMaxTreePartElements};
}

XmlLimits SheetLimits() {
    return {kMaxXmlDepth, kMaxSheetElements, "c", kMaxSheetCells, "cells"};
}

XmlLimits SharedStringLimits() {
    return {kMaxXmlDepth, kMaxSheetElements, "si", kMaxSharedStrings, "shared strings"};
}

bool LooksAsciiCompatible(QByteArrayView xml) {
    // An empty view may have no data at all: memchr must not see it.
    return xml.isEmpty() || (!xml.startsWith("\xFE\xFF") && !xml.startsWith("\xFF\xFE") &&
                             std::memchr(xml.data(), 0, static_cast<std::size_t>(xml.size())) == nullptr);
}

std::optional<std::string> CheckXmlPart(QByteArrayView xml, const XmlLimits& limits) {
    if (!LooksAsciiCompatible(xml))
        return std::string("is not UTF-8 text (parts in UTF-16 are not read)");
    const QByteArrayView counted = limits.countedName ? QByteArrayView(limits.countedName) : QByteArrayView();
    int depth = 0;
    qint64 elements = 0, countedElements = 0;
    qsizetype k = 0;
    const qsizetype n = xml.size();
    for (;;) {
        const qsizetype open = Find(xml, k, "<");
        if (open < 0 || open + 1 >= n)
            return std::nullopt;
        k = open + 1;
        const char c = xml[k];
        const QByteArrayView rest = xml.sliced(k);
        QByteArrayView skipTo;
        if (c == '?')
            skipTo = "?>";
        else if (rest.startsWith("!--"))
            skipTo = "-->";
        else if (rest.startsWith("![CDATA["))
            skipTo = "]]>";
        if (!skipTo.isEmpty()) {
            const qsizetype close = Find(xml, k, skipTo);
            if (close < 0)
                return std::nullopt; // unterminated: the parser says so
            k = close + skipTo.size();
            continue;
        }
        if (c == '!')
            return std::string(kDtdRefused);
        if (c == '/') {
            --depth;
            const qsizetype close = Find(xml, k, ">");
            if (close < 0)
                return std::nullopt;
            k = close + 1;
            continue;
        }
        if (++elements > limits.elements)
            return "holds more than the limit of " + std::to_string(limits.elements) + " elements";
        qsizetype nameEnd = k;
        while (nameEnd < n && !IsBlank(xml[nameEnd]) && xml[nameEnd] != '/' && xml[nameEnd] != '>')
            ++nameEnd;
        QByteArrayView name = xml.sliced(k, nameEnd - k);
        if (const qsizetype colon = name.lastIndexOf(':'); colon >= 0)
            name = name.sliced(colon + 1);
        if (!counted.isEmpty() && name == counted && ++countedElements > limits.counted)
            return "holds more than the limit of " + std::to_string(limits.counted) + " " +
                   limits.countedWhat;
        // To the tag's end, quoted attribute values skipped (they may hold '>').
        int attributes = 0;
        k = nameEnd;
        while (k < n && xml[k] != '>') {
            if (xml[k] == '"' || xml[k] == '\'') {
                const qsizetype close = xml.indexOf(xml[k], k + 1);
                if (close < 0)
                    return std::nullopt;
                if (++attributes > kMaxXmlAttributes)
                    return "has an element with more than the limit of " + std::to_string(kMaxXmlAttributes) +
                           " attributes";
                k = close;
            }
            ++k;
        }
        if (k >= n)
            return std::nullopt;
        if (xml[k - 1] != '/' && ++depth > limits.depth)
            return "nests elements deeper than the limit of " + std::to_string(limits.depth) + " levels";
        ++k;
    }
}

QString PrefixOf(QStringView qualifiedName) {
    return qualifiedName.left(qualifiedName.indexOf(QLatin1Char(':')) + 1).toString();
}

QStringView LocalNameOf(QStringView qualifiedName) {
    return qualifiedName.mid(qualifiedName.indexOf(QLatin1Char(':')) + 1);
}

bool IsSelfClosing(QByteArrayView tag) {
    qsizetype k = tag.size() - 2;
    while (k > 0 && IsBlank(tag[k]))
        --k;
    return k > 0 && tag[k] == '/' && tag.endsWith('>');
}

QByteArray TagName(QByteArrayView tag) {
    qsizetype k = 1;
    while (k < tag.size() && !IsBlank(tag[k]) && tag[k] != '/' && tag[k] != '>')
        ++k;
    return tag.sliced(1, k - 1).toByteArray();
}

QByteArray WithoutAttribute(QByteArrayView tag, QByteArrayView name) {
    for (const AttributeSpan& a : Attributes(tag))
        if (a.name == name)
            return tag.first(a.begin).toByteArray() + tag.sliced(a.end).toByteArray();
    return tag.toByteArray();
}

QByteArray WithAttribute(QByteArrayView tag, QByteArrayView name, const QString& value) {
    const QByteArray bare = WithoutAttribute(tag, name);
    const qsizetype close = CloseOf(bare);
    return bare.first(close) + ' ' + name.toByteArray() + "=\"" + EscapedXml(value) + '"' +
           bare.sliced(close);
}

QByteArray OpenedTag(QByteArrayView tag) {
    if (!IsSelfClosing(tag))
        return tag.toByteArray();
    qsizetype end = CloseOf(tag);
    while (end > 0 && IsBlank(tag[end - 1]))
        --end;
    return tag.first(end).toByteArray() + '>';
}

QByteArray EscapedXml(const QString& text) {
    QByteArray out;
    const QByteArray utf8 = text.toUtf8();
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace airmotor::platform
