#include "platform/workbook/WorkbookSheet.h"

#include "core/format/NumberFormat.h"
#include "core/format/Utf8.h"
#include "platform/workbook/WorkbookXml.h"

#include <QBuffer>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace airmotor::platform {
namespace {

constexpr int kLetters = 26;
// Longest shared-string index text worth reading: anything longer refers to no string.
constexpr qsizetype kMaxIndexText = 32;

struct CellAddress {
    int row = 0, column = 0;
};

// "B12" (or "$B$12") -> {12, 2}; {0, 0} when it is no cell address.
CellAddress ParseAddress(QStringView ref) {
    qsizetype k = 0;
    const auto skipDollar = [&] {
        if (k < ref.size() && ref[k] == QLatin1Char('$'))
            ++k;
    };
    skipDollar();
    int column = 0, letters = 0;
    for (; k < ref.size() && letters <= 3; ++k, ++letters) {
        char16_t c = ref[k].unicode();
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
        if (c < u'A' || c > u'Z')
            break;
        column = column * kLetters + (c - u'A' + 1);
    }
    skipDollar();
    int row = 0, digits = 0;
    for (; k < ref.size() && digits <= 7; ++k, ++digits) {
        const char16_t c = ref[k].unicode();
        if (c < u'0' || c > u'9')
            break;
        row = row * 10 + (c - u'0');
    }
    if (letters < 1 || letters > 3 || digits < 1 || digits > 7 || k != ref.size() || row < 1 ||
        row > kMaxSheetRows || column < 1 || column > kMaxSheetColumns)
        return {};
    return {row, column};
}

QString Address(int row, int column) {
    return ColumnLetters(column) + QString::number(row);
}

// XML 1.0 cannot carry most control characters: they become U+FFFD rather than a broken part.
QString XmlSafe(const QString& text) {
    QString safe = text;
    for (QChar& c : safe) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF)
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

KeptCells::KeptCells(int firstRow, int lastRow, const std::vector<int>& columns, bool everyColumn)
    : firstRow_(firstRow), lastRow_(lastRow), everyColumn_(everyColumn) {
    if (everyColumn)
        return;
    columns_.assign(kMaxSheetColumns + 1, false);
    for (int c : columns)
        if (c >= 1 && c <= kMaxSheetColumns)
            columns_[static_cast<std::size_t>(c)] = true;
}

bool KeptCells::keeps(int row, int column) const {
    if (row < firstRow_ || row > lastRow_)
        return false;
    return everyColumn_ ||
           (column >= 1 && column <= kMaxSheetColumns && columns_[static_cast<std::size_t>(column)]);
}

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

// One pass over the part with a stream reader: every row and cell is checked and its place in the
// bytes noted; values are kept only for the cells asked for.
class SheetReader final {
public:
    SheetReader(WorkbookSheet& sheet, const KeptCells& kept) : sheet_(sheet), kept_(kept) {
        if (sheet_.part_.startsWith("\xEF\xBB\xBF"))
            byte_ = 3; // the reader does not count the byte order mark as a character
        if (!core::IsValidUtf8(
                std::string_view(sheet_.part_.constData(), static_cast<std::size_t>(sheet_.part_.size()))))
            sheet_.rewriteProblem_ = kNotUtf8;
    }

    std::optional<std::string> run();

private:
    using Span = WorkbookSheet::Span;
    // What an open element is to the reader.
    enum class Role { Other, Dimension, SheetData, Row, Cell, Value, Inline, Run, Text, CellExtension };

    static constexpr const char* kNotUtf8 = "the sheet is not UTF-8 text, so it cannot be written back";

    // The reader counts UTF-16 characters from the start; the bytes of the UTF-8 part are walked
    // along with it (offsets only ever grow).
    std::uint32_t byteAt(qint64 characters) {
        const QByteArray& p = sheet_.part_;
        while (characters_ < characters && byte_ < p.size()) {
            const auto b = static_cast<unsigned char>(p[byte_]);
            const int length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            byte_ += length;
            characters_ += length == 4 ? 2 : 1;
        }
        return static_cast<std::uint32_t>(std::min(byte_, p.size()));
    }

    // Where the tag ending at `end` begins: no raw '<' can stand inside a tag. A start tag must
    // name the element the reader reports, or the offsets are not trusted for writing.
    std::uint32_t tagStart(std::uint32_t end, QStringView name = {}) {
        const QByteArray& p = sheet_.part_;
        const qsizetype open = end == 0 ? -1 : p.lastIndexOf('<', end - 1);
        const bool follows =
            open >= 0 && p[end - 1] == '>' &&
            (name.isEmpty() || TagName(QByteArrayView(p).sliced(open, end - open)) == name.toUtf8());
        if (!follows && !sheet_.rewriteProblem_)
            sheet_.rewriteProblem_ = "the sheet's layout could not be followed, so it cannot be written back";
        return static_cast<std::uint32_t>(std::max<qsizetype>(open, 0));
    }
    Span startSpan() { return {tagStart(tagEnd_, reader_.qualifiedName()), tagEnd_, tagEnd_}; }

    Role roleOf(QStringView local);
    std::optional<std::string> startRow();
    std::optional<std::string> startCell();
    std::optional<std::string> endCell();
    void end(Role role, std::uint32_t end);

    WorkbookSheet& sheet_;
    const KeptCells& kept_;
    QXmlStreamReader reader_;
    qsizetype byte_ = 0;
    qint64 characters_ = 0;
    std::uint32_t tagEnd_ = 0; // of the element just started
    std::vector<Role> open_;   // the roles of the open elements, the root first
    qint64 elements_ = 0;
    bool sheetDataSeen_ = false;
    int lastRow_ = 0, lastColumn_ = 0;
    // The cell being read.
    QString type_;
    bool keep_ = false, hasValue_ = false, hasInline_ = false;
    QString value_, inline_;
};

std::optional<std::string> SheetReader::run() {
    QBuffer buffer(&sheet_.part_);
    buffer.open(QIODevice::ReadOnly);
    reader_.setDevice(&buffer);
    reader_.setNamespaceProcessing(false);
    while (!reader_.atEnd()) {
        switch (reader_.readNext()) {
        case QXmlStreamReader::StartDocument: {
            const QStringView encoding = reader_.documentEncoding();
            if (!encoding.isEmpty() && encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) != 0)
                sheet_.rewriteProblem_ = kNotUtf8;
            break;
        }
        case QXmlStreamReader::DTD:
            return std::string(kDtdRefused);
        case QXmlStreamReader::StartElement: {
            // The byte scan before the reader enforces these already; they also hold for the reader.
            if (open_.size() >= static_cast<std::size_t>(kMaxXmlDepth) || ++elements_ > kMaxSheetElements)
                return "is beyond the limits of " + std::to_string(kMaxXmlDepth) + " levels or " +
                       std::to_string(kMaxSheetElements) + " elements";
            tagEnd_ = byteAt(reader_.characterOffset());
            const Role role = roleOf(LocalNameOf(reader_.qualifiedName()));
            if (open_.empty() && LocalNameOf(reader_.qualifiedName()) != QLatin1String("worksheet"))
                return std::string("the part is not a worksheet");
            if (open_.empty())
                sheet_.prefix_ = PrefixOf(reader_.qualifiedName());
            if (role == Role::Row)
                if (auto error = startRow())
                    return error;
            if (role == Role::Cell)
                if (auto error = startCell())
                    return error;
            open_.push_back(role);
            break;
        }
        case QXmlStreamReader::Characters:
            if (!open_.empty() && open_.back() == Role::Value)
                value_.append(reader_.text());
            else if (!open_.empty() && open_.back() == Role::Text)
                inline_.append(reader_.text());
            break;
        case QXmlStreamReader::EndElement: {
            const Role role = open_.back();
            open_.pop_back();
            end(role, byteAt(reader_.characterOffset()));
            if (role == Role::Cell)
                if (auto error = endCell())
                    return error;
            break;
        }
        default:
            break;
        }
    }
    if (reader_.hasError())
        return "malformed XML at line " + std::to_string(reader_.lineNumber()) + ", column " +
               std::to_string(reader_.columnNumber()) + ": " + reader_.errorString().toStdString();
    if (!sheetDataSeen_)
        return std::string("the worksheet has no sheetData");
    return std::nullopt;
}

// The role of an element starting now, from its name and the roles of the elements around it.
SheetReader::Role SheetReader::roleOf(QStringView local) {
    const std::size_t depth = open_.size() + 1;
    const Role parent = open_.empty() ? Role::Other : open_.back();
    if (depth == 2 && local == QLatin1String("dimension") && !sheet_.dimension_) {
        sheet_.dimension_ = startSpan();
        sheet_.dimensionRef_ = reader_.attributes().value(QLatin1String("ref")).toString();
        return Role::Dimension;
    }
    if (depth == 2 && local == QLatin1String("sheetData") && !sheetDataSeen_) {
        sheetDataSeen_ = true;
        sheet_.sheetData_ = startSpan();
        return Role::SheetData;
    }
    if (parent == Role::SheetData && local == QLatin1String("row"))
        return Role::Row;
    if (parent == Role::Row && local == QLatin1String("c"))
        return Role::Cell;
    if (parent == Role::Row && local == QLatin1String("extLst") && sheet_.rows_.back().extension == 0)
        sheet_.rows_.back().extension = tagStart(tagEnd_, reader_.qualifiedName());
    if (parent == Role::Cell) {
        WorkbookSheet::CellSpan& cell = sheet_.cells_.back();
        if (local == QLatin1String("v") && !hasValue_) {
            hasValue_ = true;
            // Of a cell not kept only a shared-string index is needed: its text stays short.
            return keep_ || type_ == QLatin1String("s") ? Role::Value : Role::Other;
        }
        if (local == QLatin1String("is") && !hasInline_) {
            hasInline_ = true;
            return keep_ ? Role::Inline : Role::Other;
        }
        if (local == QLatin1String("f"))
            cell.formula = true;
        if (local == QLatin1String("extLst") && !cell.extension) {
            cell.extension = startSpan();
            return Role::CellExtension;
        }
        return Role::Other;
    }
    // Phonetic hints (rPh) hold t elements too; they are no part of the text.
    if (parent == Role::Inline && local == QLatin1String("r"))
        return Role::Run;
    if ((parent == Role::Inline || parent == Role::Run) && local == QLatin1String("t"))
        return Role::Text;
    return Role::Other;
}

std::optional<std::string> SheetReader::startRow() {
    const QXmlStreamAttributes attributes = reader_.attributes();
    const bool addressed = attributes.hasAttribute(QLatin1String("r"));
    const QStringView given = attributes.value(QLatin1String("r"));
    const int row = addressed ? given.toInt() : lastRow_ + 1;
    if (row <= lastRow_ || row > kMaxSheetRows)
        return "row " + given.toString().toStdString() + " is out of order or outside a sheet";
    WorkbookSheet::RowSpan span;
    span.row = row;
    span.span = startSpan();
    span.firstCell = static_cast<std::uint32_t>(sheet_.cells_.size());
    sheet_.rows_.push_back(span);
    lastRow_ = row;
    lastColumn_ = 0;
    return std::nullopt;
}

std::optional<std::string> SheetReader::startCell() {
    const QXmlStreamAttributes attributes = reader_.attributes();
    const QStringView address = attributes.value(QLatin1String("r"));
    CellAddress a{lastRow_, lastColumn_ + 1};
    if (attributes.hasAttribute(QLatin1String("r")))
        a = ParseAddress(address);
    if (a.row != lastRow_ || a.column <= lastColumn_)
        return "cell " + address.toString().toStdString() + " is out of order or outside its row " +
               std::to_string(lastRow_);
    if (sheet_.cells_.size() >= static_cast<std::size_t>(kMaxSheetCells))
        return "holds more than the limit of " + std::to_string(kMaxSheetCells) + " cells";
    lastColumn_ = a.column;
    type_ = attributes.hasAttribute(QLatin1String("t")) ? attributes.value(QLatin1String("t")).toString()
                                                        : QStringLiteral("n");
    keep_ = kept_.keeps(a.row, a.column);
    hasValue_ = hasInline_ = false;
    value_.clear();
    inline_.clear();
    WorkbookSheet::CellSpan cell;
    cell.column = a.column;
    cell.span = startSpan();
    sheet_.cells_.push_back(cell);
    ++sheet_.rows_.back().cellCount;
    return std::nullopt;
}

std::optional<std::string> SheetReader::endCell() {
    const int row = lastRow_, column = lastColumn_;
    std::size_t sharedIndex = 0;
    if (type_ == QLatin1String("s")) {
        bool ok = false;
        const QString index = value_.size() > kMaxIndexText ? QString() : value_.trimmed();
        sharedIndex = static_cast<std::size_t>(index.toULongLong(&ok));
        if (!ok || sharedIndex >= sheet_.sharedStrings_->size())
            return "cell " + Address(row, column).toStdString() +
                   " refers to a shared string that does not exist";
    }
    if (!keep_)
        return std::nullopt;
    CellValue value;
    if (type_ == QLatin1String("inlineStr")) {
        value = inline_.toStdString();
    } else if (!hasValue_) {
        return std::nullopt;
    } else if (type_ == QLatin1String("s")) {
        value = (*sheet_.sharedStrings_)[sharedIndex];
    } else if (type_ == QLatin1String("b")) {
        value = value_.trimmed() == QLatin1String("1");
    } else if (type_ == QLatin1String("n")) {
        bool ok = false;
        const double number = value_.trimmed().toDouble(&ok);
        if (!ok)
            return std::nullopt;
        value = number;
    } else {
        value = value_.toStdString(); // str (a formula's text), e (an error value), d (an ISO date)
    }
    sheet_.values_.push_back({row, column, std::move(value)});
    return std::nullopt;
}

void SheetReader::end(Role role, std::uint32_t end) {
    switch (role) {
    case Role::Dimension:
        sheet_.dimension_->end = end;
        break;
    case Role::SheetData:
        sheet_.sheetData_.end = end;
        sheet_.sheetDataSelfClosing_ = end == sheet_.sheetData_.tagEnd;
        sheet_.sheetDataEndTag_ = sheet_.sheetDataSelfClosing_ ? end : tagStart(end);
        break;
    case Role::Row: {
        WorkbookSheet::RowSpan& row = sheet_.rows_.back();
        row.span.end = end;
        row.endTag = end == row.span.tagEnd ? end : tagStart(end);
        break;
    }
    case Role::Cell:
        sheet_.cells_.back().span.end = end;
        break;
    case Role::CellExtension:
        sheet_.cells_.back().extension->end = end;
        break;
    default:
        break;
    }
}

std::variant<std::unique_ptr<WorkbookSheet>, std::string>
WorkbookSheet::Read(QByteArray part, std::shared_ptr<const std::vector<std::string>> sharedStrings,
                    const KeptCells& kept) {
    if (auto problem = CheckXmlPart(part, SheetLimits()))
        return *problem;
    std::unique_ptr<WorkbookSheet> sheet(new WorkbookSheet());
    sheet->part_ = std::move(part);
    sheet->sharedStrings_ = std::move(sharedStrings);
    SheetReader reader(*sheet, kept);
    if (auto error = reader.run())
        return *error;
    return sheet;
}

const WorkbookSheet::RowSpan* WorkbookSheet::findRow(int row) const {
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), row,
                                     [](const RowSpan& r, int wanted) { return r.row < wanted; });
    return it != rows_.end() && it->row == row ? &*it : nullptr;
}

const WorkbookSheet::CellSpan* WorkbookSheet::findCell(const RowSpan& row, int column) const {
    const auto first = cells_.begin() + row.firstCell;
    const auto last = first + row.cellCount;
    const auto it = std::lower_bound(first, last, column,
                                     [](const CellSpan& c, int wanted) { return c.column < wanted; });
    return it != last && it->column == column ? &*it : nullptr;
}

CellValue WorkbookSheet::cell(int row, int column) const {
    if (const auto it = written_.find({row, column}); it != written_.end())
        return it->second.value;
    const auto it = std::lower_bound(values_.begin(), values_.end(), std::pair(row, column),
                                     [](const KeptValue& v, const std::pair<int, int>& wanted) {
                                         return std::pair(v.row, v.column) < wanted;
                                     });
    if (it != values_.end() && it->row == row && it->column == column)
        return it->value;
    return std::monostate{};
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
        return core::ShortestText(*d);
    if (const bool* b = std::get_if<bool>(&value))
        return *b ? "TRUE" : "FALSE";
    return {};
}

int WorkbookSheet::lastRow() const {
    const int read = rows_.empty() ? 0 : rows_.back().row;
    return written_.empty() ? read : std::max(read, written_.rbegin()->first.first);
}

void WorkbookSheet::write(int row, int column, const char* type, QByteArray content, CellValue value) {
    CheckAddress(row, column);
    if (rewriteProblem_)
        throw std::runtime_error(*rewriteProblem_);
    if (const RowSpan* r = findRow(row))
        if (const CellSpan* c = findCell(*r, column); c != nullptr && c->formula)
            formulaRemoved_ = true;
    written_[{row, column}] = Written{type, std::move(content), std::move(value)};
}

QByteArray WorkbookSheet::element(const char* localName, const QByteArray& content,
                                  const QByteArray& attributes) const {
    const QByteArray name = prefix_.toUtf8() + localName;
    return '<' + name + attributes + '>' + content + "</" + name + '>';
}

void WorkbookSheet::setNumber(int row, int column, double value) {
    if (!std::isfinite(value))
        throw std::domain_error("a cell cannot hold a number that is not finite");
    write(row, column, nullptr, element("v", QByteArray::fromStdString(core::ShortestText(value))), value);
}

void WorkbookSheet::setText(int row, int column, const std::string& text) {
    const QString safe = XmlSafe(QString::fromStdString(text));
    if (safe.size() > kMaxCellText)
        throw std::length_error("a cell holds at most " + std::to_string(kMaxCellText) + " characters");
    const QByteArray space = safe != safe.trimmed() ? QByteArray(" xml:space=\"preserve\"") : QByteArray();
    write(row, column, "inlineStr", element("is", element("t", EscapedXml(safe), space)), safe.toStdString());
}

void WorkbookSheet::setBool(int row, int column, bool value) {
    write(row, column, "b", element("v", value ? "1" : "0"), value);
}

QByteArray WorkbookSheet::newCellXml(int row, int column, const Written& w) const {
    QByteArray attributes = " r=\"" + Address(row, column).toUtf8() + '"';
    if (w.type != nullptr)
        attributes += QByteArray(" t=\"") + w.type + '"';
    return element("c", w.content, attributes);
}

QByteArray WorkbookSheet::writtenCellXml(const CellSpan& cell, const Written& w) const {
    const QByteArrayView part(part_);
    QByteArray tag = WithoutAttribute(part.sliced(cell.span.start, cell.span.tagEnd - cell.span.start), "t");
    if (w.type != nullptr)
        tag = WithAttribute(tag, "t", QString::fromLatin1(w.type));
    QByteArray xml = OpenedTag(tag) + w.content;
    if (cell.extension)
        xml += part.sliced(cell.extension->start, cell.extension->end - cell.extension->start).toByteArray();
    return xml + "</" + TagName(tag) + '>';
}

std::optional<QString> WorkbookSheet::extendedDimension() const {
    if (!dimension_)
        return std::nullopt;
    const QStringList corners = dimensionRef_.split(QLatin1Char(':'));
    const CellAddress first = ParseAddress(corners.front());
    const CellAddress last = ParseAddress(corners.back());
    if (first.row == 0 || last.row == 0)
        return std::nullopt; // a range the program does not understand is left as the writer made it
    int top = std::min(first.row, last.row), bottom = std::max(first.row, last.row);
    int left = std::min(first.column, last.column), right = std::max(first.column, last.column);
    for (const auto& [address, w] : written_) {
        top = std::min(top, address.first);
        bottom = std::max(bottom, address.first);
        left = std::min(left, address.second);
        right = std::max(right, address.second);
    }
    const QString ref = Address(top, left) + QLatin1Char(':') + Address(bottom, right);
    if (ref == dimensionRef_)
        return std::nullopt;
    return ref;
}

QByteArray WorkbookSheet::xml() const {
    if (written_.empty())
        return part_;
    const QByteArrayView part(part_);
    auto slice = [&](const Span& s) { return part.sliced(s.start, s.tagEnd - s.start); };
    struct Splice {
        qsizetype start, end;
        QByteArray text;
    };
    std::vector<Splice> splices;
    QByteArray newRows; // for a sheetData without any row element
    for (auto it = written_.begin(); it != written_.end();) {
        const int row = it->first.first;
        auto next = it;
        while (next != written_.end() && next->first.first == row)
            ++next;
        const RowSpan* existing = findRow(row);
        if (existing == nullptr) {
            QByteArray cells;
            for (auto w = it; w != next; ++w)
                cells += newCellXml(row, w->first.second, w->second);
            const QByteArray rowXml = element("row", cells, " r=\"" + QByteArray::number(row) + '"');
            const auto following = std::upper_bound(
                rows_.begin(), rows_.end(), row, [](int wanted, const RowSpan& r) { return wanted < r.row; });
            if (sheetDataSelfClosing_)
                newRows += rowXml;
            else
                splices.push_back(
                    {following == rows_.end() ? qsizetype(sheetDataEndTag_) : following->span.start,
                     following == rows_.end() ? qsizetype(sheetDataEndTag_) : following->span.start, rowXml});
        } else if (existing->span.end == existing->span.tagEnd) {
            // <row r="5"/> opened to hold its new cells; the optional span hint may no longer fit.
            const QByteArray tag = WithoutAttribute(slice(existing->span), "spans");
            QByteArray xml = OpenedTag(tag);
            for (auto w = it; w != next; ++w)
                xml += newCellXml(row, w->first.second, w->second);
            splices.push_back({existing->span.start, existing->span.end, xml + "</" + TagName(tag) + '>'});
        } else {
            bool added = false;
            const auto first = cells_.begin() + existing->firstCell;
            const auto last = first + existing->cellCount;
            for (auto w = it; w != next; ++w) {
                const int column = w->first.second;
                if (const CellSpan* c = findCell(*existing, column)) {
                    splices.push_back({c->span.start, c->span.end, writtenCellXml(*c, w->second)});
                    continue;
                }
                added = true;
                const auto after = std::upper_bound(
                    first, last, column, [](int wanted, const CellSpan& c) { return wanted < c.column; });
                // Cells go before a later cell, else before the row's extLst, which stays last.
                const qsizetype at = after != last              ? after->span.start
                                     : existing->extension != 0 ? existing->extension
                                                                : existing->endTag;
                splices.push_back({at, at, newCellXml(row, column, w->second)});
            }
            if (added)
                splices.push_back({existing->span.start, existing->span.tagEnd,
                                   WithoutAttribute(slice(existing->span), "spans")});
        }
        it = next;
    }
    if (!newRows.isEmpty()) {
        const QByteArray tag = slice(sheetData_).toByteArray();
        splices.push_back(
            {sheetData_.start, sheetData_.end, OpenedTag(tag) + newRows + "</" + TagName(tag) + '>'});
    }
    if (const auto ref = extendedDimension())
        splices.push_back(
            {dimension_->start, dimension_->tagEnd, WithAttribute(slice(*dimension_), "ref", *ref)});
    // Insertions at a place come before a replacement starting there, in the order they were made.
    std::stable_sort(splices.begin(), splices.end(), [](const Splice& a, const Splice& b) {
        return a.start != b.start ? a.start < b.start : a.end < b.end;
    });
    QByteArray out;
    out.reserve(part_.size() + 256 * static_cast<qsizetype>(splices.size()));
    qsizetype cursor = 0;
    for (const Splice& s : splices) {
        out += part.sliced(cursor, s.start - cursor);
        out += s.text;
        cursor = s.end;
    }
    out += part.sliced(cursor);
    return out;
}

} // namespace airmotor::platform
