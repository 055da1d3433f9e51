#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <string>

namespace airmotor::platform {

// What an XML part of a workbook may hold. A part is checked against them by a plain scan of its
// bytes before any XML parser sees it: a hostile part (nested a hundred thousand levels deep, ten
// million empty cells in fifty kilobytes) is refused at once instead of keeping a parser busy for
// minutes or filling the memory.
struct XmlLimits {
    int depth = 0;
    qint64 elements = 0;
    // Elements of this local name are counted on their own ("c" for a sheet's cells), with what
    // they are called in the message.
    const char* countedName = nullptr;
    qint64 counted = 0;
    const char* countedWhat = "";
};

// Real parts nest a dozen levels; the parser's cost grows with the depth it tracks.
inline constexpr int kMaxXmlDepth = 64;
// The parser compares every attribute of an element with every other: thousands take seconds.
inline constexpr int kMaxXmlAttributes = 64;
// Parts read whole into a document tree (workbook, relationships, content types) hold little.
inline constexpr qint64 kMaxTreePartElements = 100000;
// A cell takes two or three elements (c, v, f), a shared string two or more (si, t, runs).
inline constexpr qint64 kMaxSheetElements = 4000000;
inline constexpr qint64 kMaxSheetCells = 1000000;
inline constexpr qint64 kMaxSharedStrings = 1000000;

// Why a part with a document type declaration is refused.
inline constexpr const char* kDtdRefused =
    "holds a document type declaration (DTD), which a workbook part may not: entities it declares, external "
    "ones above all, are not read";

XmlLimits TreePartLimits();
XmlLimits SheetLimits();
XmlLimits SharedStringLimits();

// Nothing when the part keeps within the limits; otherwise what is wrong, the limit named. Also
// refused: a document type declaration (the only way to an external entity) and a part that is
// not UTF-8 text.
std::optional<std::string> CheckXmlPart(QByteArrayView xml, const XmlLimits& limits);

// The part after its name only in an ASCII-compatible encoding: no byte order mark of UTF-16 or
// UTF-32 and no NUL byte.
bool LooksAsciiCompatible(QByteArrayView xml);

// "x:" of "x:worksheet", "" without a prefix.
QString PrefixOf(QStringView qualifiedName);
QStringView LocalNameOf(QStringView qualifiedName);

// A start tag as raw bytes ("<c r=\"A1\" t=\"s\">" or "<c/>"), edited without touching anything
// else in it: attribute values are skipped as quoted texts, so a quote or '>' inside one does not
// confuse the edit.
QByteArray WithoutAttribute(QByteArrayView tag, QByteArrayView name);
// `name`="value" (value escaped here) replacing that attribute or added at the end.
QByteArray WithAttribute(QByteArrayView tag, QByteArrayView name, const QString& value);
// "<c .../>" made "<c ...>"; an open tag unchanged.
QByteArray OpenedTag(QByteArrayView tag);
bool IsSelfClosing(QByteArrayView tag);
// The element name of a start tag ("x:c").
QByteArray TagName(QByteArrayView tag);

// Text for an element's content or an attribute value: & < > " escaped, and a carriage return as
// a character reference so the reader does not fold it into a line feed.
QByteArray EscapedXml(const QString& text);

} // namespace airmotor::platform
