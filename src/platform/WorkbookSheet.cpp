#include "platform/WorkbookSheet.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace airmotor::platform {
namespace {

constexpr int kLetters = 26;

QString LocalName(const QDomElement& e) {
    const QString tag = e.tagName();
    return tag.mid(tag.indexOf(QLatin1Char(':')) + 1);
}

QDomElement Child(const QDomElement& parent, const char* localName) {
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        if (LocalName(e) == QLatin1String(localName))
            return e;
    return {};
}

struct CellAddress {
    int row = 0, column = 0;
};

// "B12" -> {12, 2}; {0, 0} when it is no cell address.
CellAddress ParseAddress(const QString& ref) {
    static const QRegularExpression pattern(QStringLiteral("^\\$?([A-Za-z]{1,3})\\$?([0-9]{1,7})$"));
    const auto match = pattern.match(ref);
    if (!match.hasMatch())
        return {};
    const int row = match.captured(2).toInt();
    const int column = ColumnNumber(match.captured(1).toUpper());
    if (row < 1 || row > kMaxSheetRows || column < 1 || column > kMaxSheetColumns)
        return {};
    return {row, column};
}

QString Address(int row, int column) {
    return ColumnLetters(column) + QString::number(row);
}

// The text of a rich or plain string item: every run's <t>, phonetic hints left out.
std::string ItemText(const QDomElement& item) {
    QString text;
    for (QDomElement e = item.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString name = LocalName(e);
        if (name == QLatin1String("t"))
            text += e.text();
        else if (name == QLatin1String("r"))
            text += Child(e, "t").text();
    }
    return text.toStdString();
}

std::string ShortestText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// XML 1.0 cannot carry most control characters: they become U+FFFD rather than a broken part.
QString XmlSafe(const QString& text) {
    QString safe = text;
    for (QChar& c : safe) {
        const char16_t u = c.unicode();
        if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r')
            c = QChar(0xFFFD);
        else if (u == 0xFFFE || u == 0xFFFF)
            c = QChar(0xFFFD);
    }
    return safe;
}

void CheckAddress(int row, int column) {
    if (row < 1 || row > kMaxSheetRows || column < 1 || column > kMaxSheetColumns)
        throw std::out_of_range("cell row " + std::to_string(row) + ", column " + std::to_string(column) +
                                " is outside a sheet");
}

} // namespace

int ColumnNumber(const QString& letters) {
    if (letters.isEmpty() || letters.size() > 3)
        return 0;
    int column = 0;
    for (const QChar c : letters) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            return 0;
        column = column * kLetters + (c.unicode() - u'A' + 1);
    }
    return column;
}

QString ColumnLetters(int column) {
    QString letters;
    for (; column > 0; column = (column - 1) / kLetters)
        letters.prepend(QChar(static_cast<char16_t>(u'A' + (column - 1) % kLetters)));
    return letters;
}

WorkbookSheet::WorkbookSheet(QDomDocument document,
                             std::shared_ptr<const std::vector<std::string>> sharedStrings)
    : document_(std::move(document)), sharedStrings_(std::move(sharedStrings)) {
    const QDomElement root = document_.documentElement();
    if (LocalName(root) != QLatin1String("worksheet"))
        throw std::runtime_error("the part is not a worksheet");
    const QString tag = root.tagName();
    prefix_ = tag.left(tag.indexOf(QLatin1Char(':')) + 1);
    sheetData_ = Child(root, "sheetData");
    if (sheetData_.isNull())
        throw std::runtime_error("the worksheet has no sheetData");
    // Rows and cells may leave out their address (then they follow the previous one); every one is
    // given its address here, so cells can be inserted in order.
    int lastRow = 0;
    for (QDomElement row = sheetData_.firstChildElement(); !row.isNull(); row = row.nextSiblingElement()) {
        if (LocalName(row) != QLatin1String("row"))
            continue;
        const int r =
            row.hasAttribute(QStringLiteral("r")) ? row.attribute(QStringLiteral("r")).toInt() : lastRow + 1;
        if (r <= lastRow || r > kMaxSheetRows)
            throw std::runtime_error("row " + row.attribute(QStringLiteral("r")).toStdString() +
                                     " is out of order or outside a sheet");
        row.setAttribute(QStringLiteral("r"), r);
        rows_[r] = row;
        lastRow = r;
        int lastColumn = 0;
        for (QDomElement c = row.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
            if (LocalName(c) != QLatin1String("c"))
                continue;
            CellAddress a{r, lastColumn + 1};
            if (c.hasAttribute(QStringLiteral("r")))
                a = ParseAddress(c.attribute(QStringLiteral("r")));
            if (a.row != r || a.column <= lastColumn)
                throw std::runtime_error("cell " + c.attribute(QStringLiteral("r")).toStdString() +
                                         " is out of order or outside its row " + std::to_string(r));
            c.setAttribute(QStringLiteral("r"), Address(r, a.column));
            lastColumn = a.column;
            if (c.attribute(QStringLiteral("t")) == QLatin1String("s")) {
                bool ok = false;
                const auto index = Child(c, "v").text().trimmed().toULongLong(&ok);
                if (!ok || index >= sharedStrings_->size())
                    throw std::runtime_error("cell " + Address(r, a.column).toStdString() +
                                             " refers to a shared string that does not exist");
            }
        }
    }
}

QDomElement WorkbookSheet::find(int row, int column) const {
    const auto it = rows_.find(row);
    if (it == rows_.end())
        return {};
    const QString address = Address(row, column);
    for (QDomElement c = it->second.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        if (LocalName(c) == QLatin1String("c") && c.attribute(QStringLiteral("r")) == address)
            return c;
    return {};
}

CellValue WorkbookSheet::cell(int row, int column) const {
    const QDomElement c = find(row, column);
    if (c.isNull())
        return std::monostate{};
    const QString type = c.attribute(QStringLiteral("t"), QStringLiteral("n"));
    if (type == QLatin1String("inlineStr"))
        return ItemText(Child(c, "is"));
    const QDomElement v = Child(c, "v");
    if (v.isNull())
        return std::monostate{};
    const QString text = v.text();
    if (type == QLatin1String("s"))
        return (*sharedStrings_)[static_cast<std::size_t>(text.trimmed().toULongLong())];
    if (type == QLatin1String("b"))
        return text.trimmed() == QLatin1String("1");
    if (type == QLatin1String("n")) {
        bool ok = false;
        const double value = text.trimmed().toDouble(&ok);
        return ok ? CellValue(value) : CellValue(std::monostate{});
    }
    return text.toStdString(); // str (a formula's text), e (an error value), d (an ISO date)
}

std::optional<double> WorkbookSheet::number(int row, int column) const {
    const CellValue value = cell(row, column);
    if (const double* d = std::get_if<double>(&value))
        return *d;
    if (const std::string* s = std::get_if<std::string>(&value)) {
        bool ok = false;
        const double d = QString::fromStdString(*s).trimmed().toDouble(&ok);
        if (ok && std::isfinite(d))
            return d;
    }
    return std::nullopt;
}

std::string WorkbookSheet::text(int row, int column) const {
    const CellValue value = cell(row, column);
    if (const std::string* s = std::get_if<std::string>(&value))
        return *s;
    if (const double* d = std::get_if<double>(&value))
        return ShortestText(*d);
    if (const bool* b = std::get_if<bool>(&value))
        return *b ? "TRUE" : "FALSE";
    return {};
}

int WorkbookSheet::lastRow() const {
    return rows_.empty() ? 0 : rows_.rbegin()->first;
}

QDomElement WorkbookSheet::makeElement(const char* localName) {
    return document_.createElement(prefix_ + QLatin1String(localName));
}

QDomElement WorkbookSheet::writable(int row, int column) {
    CheckAddress(row, column);
    auto it = rows_.find(row);
    if (it == rows_.end()) {
        QDomElement created = makeElement("row");
        created.setAttribute(QStringLiteral("r"), row);
        const auto next = rows_.upper_bound(row);
        if (next == rows_.end())
            sheetData_.appendChild(created);
        else
            sheetData_.insertBefore(created, next->second);
        it = rows_.emplace(row, created).first;
    }
    QDomElement rowElement = it->second;
    QDomElement before;
    for (QDomElement c = rowElement.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        if (LocalName(c) != QLatin1String("c"))
            continue;
        const int existing = ParseAddress(c.attribute(QStringLiteral("r"))).column;
        if (existing == column)
            return c;
        if (existing > column) {
            before = c;
            break;
        }
    }
    QDomElement created = makeElement("c");
    created.setAttribute(QStringLiteral("r"), Address(row, column));
    // The row's span hint may not cover the new cell; it is optional, so it goes.
    rowElement.removeAttribute(QStringLiteral("spans"));
    if (before.isNull()) {
        // extLst, if any, stays last.
        const QDomElement ext = Child(rowElement, "extLst");
        if (ext.isNull())
            rowElement.appendChild(created);
        else
            rowElement.insertBefore(created, ext);
    } else {
        rowElement.insertBefore(created, before);
    }
    extendDimension(row, column);
    return created;
}

void WorkbookSheet::replaceContent(QDomElement& cell, const char* type, QDomElement content) {
    for (const char* old : {"f", "v", "is"}) {
        const QDomElement e = Child(cell, old);
        if (e.isNull())
            continue;
        if (QLatin1String(old) == QLatin1String("f"))
            formulaRemoved_ = true;
        cell.removeChild(e);
    }
    if (type == nullptr)
        cell.removeAttribute(QStringLiteral("t"));
    else
        cell.setAttribute(QStringLiteral("t"), QLatin1String(type));
    const QDomElement ext = Child(cell, "extLst");
    if (ext.isNull())
        cell.appendChild(content);
    else
        cell.insertBefore(content, ext);
    modified_ = true;
}

void WorkbookSheet::setNumber(int row, int column, double value) {
    if (!std::isfinite(value))
        throw std::domain_error("a cell cannot hold a number that is not finite");
    QDomElement c = writable(row, column);
    QDomElement v = makeElement("v");
    v.appendChild(document_.createTextNode(QString::fromStdString(ShortestText(value))));
    replaceContent(c, nullptr, v);
}

void WorkbookSheet::setText(int row, int column, const std::string& text) {
    const QString safe = XmlSafe(QString::fromStdString(text));
    if (safe.size() > kMaxCellText)
        throw std::length_error("a cell holds at most " + std::to_string(kMaxCellText) + " characters");
    QDomElement c = writable(row, column);
    QDomElement is = makeElement("is");
    QDomElement t = makeElement("t");
    if (safe != safe.trimmed())
        t.setAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    t.appendChild(document_.createTextNode(safe));
    is.appendChild(t);
    replaceContent(c, "inlineStr", is);
}

void WorkbookSheet::setBool(int row, int column, bool value) {
    QDomElement c = writable(row, column);
    QDomElement v = makeElement("v");
    v.appendChild(document_.createTextNode(value ? QStringLiteral("1") : QStringLiteral("0")));
    replaceContent(c, "b", v);
}

void WorkbookSheet::extendDimension(int row, int column) {
    QDomElement dimension = Child(document_.documentElement(), "dimension");
    if (dimension.isNull())
        return;
    const QStringList corners = dimension.attribute(QStringLiteral("ref")).split(QLatin1Char(':'));
    const CellAddress first = ParseAddress(corners.front());
    const CellAddress last = ParseAddress(corners.back());
    if (first.row == 0 || last.row == 0)
        return; // a range the program does not understand is left as the writer made it
    const int top = std::min({first.row, last.row, row});
    const int left = std::min({first.column, last.column, column});
    const int bottom = std::max({first.row, last.row, row});
    const int right = std::max({first.column, last.column, column});
    dimension.setAttribute(QStringLiteral("ref"),
                           Address(top, left) + QLatin1Char(':') + Address(bottom, right));
}

QByteArray WorkbookSheet::xml() const {
    return document_.toByteArray(-1);
}

} // namespace airmotor::platform
