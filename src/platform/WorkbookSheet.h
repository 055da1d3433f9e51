#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>

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

// One worksheet part, parsed. Cells are addressed by 1-based row and column; writes keep the cell's
// style, drop a formula it held and store texts inline, so the shared-string table is never touched.
class WorkbookSheet final {
public:
    // The parsed part and the workbook's shared strings. Throws std::runtime_error with what is
    // wrong (without the file name) when the cells cannot be addressed or refer past the strings.
    WorkbookSheet(QDomDocument document, std::shared_ptr<const std::vector<std::string>> sharedStrings);

    CellValue cell(int row, int column) const;
    // A number cell, or a text cell that reads wholly as a number; nothing otherwise.
    std::optional<double> number(int row, int column) const;
    // A text cell as it stands, a number as its shortest decimal text, a boolean as TRUE/FALSE.
    std::string text(int row, int column) const;
    // The highest row holding any cell element, 0 for an empty sheet.
    int lastRow() const;

    // Out-of-range addresses throw std::out_of_range, a non-finite number std::domain_error and a
    // text longer than a cell holds std::length_error; the sheet is unchanged then.
    void setNumber(int row, int column, double value);
    void setText(int row, int column, const std::string& text);
    void setBool(int row, int column, bool value);

    bool modified() const { return modified_; }
    // A formula was overwritten: the workbook's calculation chain no longer matches.
    bool formulaRemoved() const { return formulaRemoved_; }
    QByteArray xml() const;

private:
    QDomElement find(int row, int column) const;
    QDomElement writable(int row, int column);
    QDomElement makeElement(const char* localName);
    void replaceContent(QDomElement& cell, const char* type, QDomElement content);
    void extendDimension(int row, int column);

    QDomDocument document_;
    std::shared_ptr<const std::vector<std::string>> sharedStrings_;
    QString prefix_; // element prefix of the part ("" or "x:")
    QDomElement sheetData_;
    std::map<int, QDomElement> rows_;
    bool modified_ = false;
    bool formulaRemoved_ = false;
};

// "B" -> 2, "AA" -> 27; 0 for anything else. And back: 2 -> "B".
int ColumnNumber(const QString& letters);
QString ColumnLetters(int column);

} // namespace airmotor::platform
