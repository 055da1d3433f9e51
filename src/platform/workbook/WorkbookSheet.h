#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace airmotor::platform {

// What a cell holds: nothing, a number, a text (shared, inline or a formula's text result) or a boolean.
// An error value ("#N/A") reads as its text.
using CellValue = std::variant<std::monostate, double, std::string, bool>;

// The largest sheet a workbook can hold (rows and columns are 1-based).
inline constexpr int kMaxSheetRows = 1048576;
inline constexpr int kMaxSheetColumns = 16384;
inline constexpr int kMaxCellText = 32767; // characters

// The cells whose values a reader keeps; every other cell reads as empty. A batch names the columns
// and rows it reads, so a sheet of a million cells costs no more than the cells asked for.
class KeptCells {
public:
    static KeptCells All() { return KeptCells(1, kMaxSheetRows, {}, true); }
    static KeptCells None() { return KeptCells(1, 0, {}, false); }
    static KeptCells Columns(const std::vector<int>& columns, int firstRow = 1, int lastRow = kMaxSheetRows) {
        return KeptCells(firstRow, lastRow, columns, false);
    }
    bool keeps(int row, int column) const;

private:
    KeptCells(int firstRow, int lastRow, const std::vector<int>& columns, bool everyColumn);
    int firstRow_, lastRow_;
    std::vector<bool> columns_; // by column number; empty with everyColumn_
    bool everyColumn_;
};

// One worksheet part, read as a stream. Cells are addressed by 1-based row and column; writes keep
// the cell's style, drop a formula it held and store texts inline, so the shared-string table is
// never touched. A written sheet is the part's own bytes with only the written cells (and the rows
// and dimension holding them) replaced, so everything the program does not understand stays as it was.
class WorkbookSheet final {
public:
    // The part and the workbook's shared strings; what is wrong (without the file name) when the part
    // breaks a limit, is malformed, or its cells cannot be addressed or refer past the strings.
    static std::variant<std::unique_ptr<WorkbookSheet>, std::string>
    Read(QByteArray part, std::shared_ptr<const std::vector<std::string>> sharedStrings,
         const KeptCells& kept);

    CellValue cell(int row, int column) const;
    // A number cell, or a text cell that reads wholly as a number; nothing otherwise.
    std::optional<double> number(int row, int column) const;
    // A text cell as it stands, a number as its shortest decimal text, a boolean as TRUE/FALSE.
    std::string text(int row, int column) const;
    // The highest row holding any cell element, 0 for an empty sheet.
    int lastRow() const;

    // Out-of-range addresses throw std::out_of_range, a non-finite number std::domain_error and a
    // text longer than a cell holds std::length_error; a part that cannot be rewritten safely
    // std::runtime_error (see rewriteProblem()). The sheet is unchanged then.
    void setNumber(int row, int column, double value);
    void setText(int row, int column, const std::string& text);
    void setBool(int row, int column, bool value);

    // Why the part cannot be written back (not UTF-8, say), or nothing.
    const std::optional<std::string>& rewriteProblem() const { return rewriteProblem_; }
    bool modified() const { return !written_.empty(); }
    // A formula was overwritten: the workbook's calculation chain no longer matches.
    bool formulaRemoved() const { return formulaRemoved_; }
    QByteArray xml() const;

private:
    friend class SheetReader;

    // Byte offsets into the part: an element from its '<' to past its end, and where its start tag ends.
    struct Span {
        std::uint32_t start = 0, tagEnd = 0, end = 0;
    };
    struct CellSpan {
        int column = 0;
        Span span;
        bool formula = false;
        std::optional<Span> extension; // the cell's extLst, kept when the cell is written
    };
    struct RowSpan {
        int row = 0;
        Span span;
        std::uint32_t endTag = 0;    // where "</row>" begins (span.end for a self-closing row)
        std::uint32_t extension = 0; // where the row's extLst begins, 0 when it has none
        std::uint32_t firstCell = 0; // into cells_
        std::uint32_t cellCount = 0;
    };
    struct KeptValue {
        int row = 0, column = 0;
        CellValue value;
    };
    struct Written {
        const char* type = nullptr; // the t attribute, nullptr for a number
        QByteArray content;         // <v>…</v> or <is>…</is>, prefixed
        CellValue value;
    };

    WorkbookSheet() = default;
    const RowSpan* findRow(int row) const;
    const CellSpan* findCell(const RowSpan& row, int column) const;
    void write(int row, int column, const char* type, QByteArray content, CellValue value);
    // <prefix:name attributes>content</prefix:name>
    QByteArray element(const char* localName, const QByteArray& content,
                       const QByteArray& attributes = {}) const;
    QByteArray newCellXml(int row, int column, const Written& w) const;
    QByteArray writtenCellXml(const CellSpan& cell, const Written& w) const;
    // The dimension's range grown over the written cells, when it changed and is understood.
    std::optional<QString> extendedDimension() const;

    QByteArray part_;
    std::shared_ptr<const std::vector<std::string>> sharedStrings_;
    QString prefix_; // element prefix of the part ("" or "x:")
    std::vector<RowSpan> rows_;
    std::vector<CellSpan> cells_;
    std::vector<KeptValue> values_; // in row, then column order
    std::optional<Span> dimension_;
    QString dimensionRef_;
    Span sheetData_;
    std::uint32_t sheetDataEndTag_ = 0;
    bool sheetDataSelfClosing_ = false;
    std::optional<std::string> rewriteProblem_;
    std::map<std::pair<int, int>, Written> written_;
    bool formulaRemoved_ = false;
};

// "B" -> 2, "AA" -> 27; 0 for anything else. And back: 2 -> "B".
int ColumnNumber(const QString& letters);
QString ColumnLetters(int column);

} // namespace airmotor::platform
