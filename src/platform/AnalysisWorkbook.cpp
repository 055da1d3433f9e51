#include "platform/AnalysisWorkbook.h"

#include "core/analysis/AnalysisColumns.h"
#include "core/analysis/AnalysisCsv.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"

#include <QBuffer>
#include <QDir>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <string>

// The workbook is written with the same zip library the workbook reader uses. A second spreadsheet
// library would bring its own copy of the zip functions under the same symbol names, and whichever
// copy the loader binds first would be called with the other's structures.
namespace airmotor::platform {

namespace {

constexpr char kSheetName[] = "Duty analysis";
constexpr double kTextColumnWidth = 24.0;
constexpr double kNumberColumnWidth = 14.0;
// Header and the row number and designation columns stay in view while scrolling.
constexpr int kFrozenRows = 1;
constexpr int kFrozenColumns = 2;
// Styles: 0 plain, 1 the header, then one per number of decimals from kFirstNumberStyle.
constexpr int kHeaderStyle = 1;
constexpr int kFirstNumberStyle = 2;
constexpr int kFirstCustomFormat = 164; // lower format ids are the spreadsheet's built-in ones

constexpr char kMain[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr char kRelationships[] = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr char kDocumentRelationships[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr char kXmlHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

std::string NumberFormat(int decimals) {
    return decimals <= 0 ? std::string("0") : "0." + std::string(static_cast<std::size_t>(decimals), '0');
}

// "A" for 0, "AA" for 26.
std::string ColumnName(std::size_t column) {
    std::string name;
    for (std::size_t c = column + 1; c > 0; c = (c - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (c - 1) % 26));
    return name;
}

// Text as XML character data; characters XML cannot hold become blanks.
std::string Escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto u = static_cast<unsigned char>(ch);
        if (ch == '&')
            out += "&amp;";
        else if (ch == '<')
            out += "&lt;";
        else if (ch == '>')
            out += "&gt;";
        else if (ch == '"')
            out += "&quot;";
        else if (u < 0x20 && ch != '\t' && ch != '\n')
            out += ' ';
        else
            out += ch;
    }
    return out;
}

// The shortest text that reads back to the same double.
std::string NumberText(double value) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return error == std::errc() ? std::string(buffer.data(), end) : std::string("0");
}

std::string InlineText(const std::string& cell, const std::string& text, int style) {
    return "<c r=\"" + cell + "\" t=\"inlineStr\"" + (style ? " s=\"" + std::to_string(style) + "\"" : "") +
           "><is><t xml:space=\"preserve\">" + Escaped(text) + "</t></is></c>";
}

struct Styles {
    std::map<int, int> styleOfDecimals; // decimals → cell style index
    std::string xml;
};

Styles BuildStyles() {
    Styles s;
    std::string formats;
    std::string numberXfs;
    int count = 0;
    for (const core::AnalysisColumn& column : core::kAnalysisColumns) {
        if (column.decimals == core::kTextColumn || s.styleOfDecimals.count(column.decimals))
            continue;
        const int id = kFirstCustomFormat + count;
        formats += "<numFmt numFmtId=\"" + std::to_string(id) + "\" formatCode=\"" +
                   NumberFormat(column.decimals) + "\"/>";
        numberXfs += "<xf numFmtId=\"" + std::to_string(id) +
                     "\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>";
        s.styleOfDecimals[column.decimals] = kFirstNumberStyle + count;
        ++count;
    }
    s.xml = std::string(kXmlHead) + "<styleSheet xmlns=\"" + kMain + "\"><numFmts count=\"" +
            std::to_string(count) + "\">" + formats +
            "</numFmts><fonts count=\"2\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font>"
            "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
            "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
            "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
            "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
            "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
            "borderId=\"0\"/></cellStyleXfs>"
            "<cellXfs count=\"" +
            std::to_string(kFirstNumberStyle + count) +
            "\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
            "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\" "
            "applyAlignment=\"1\"><alignment vertical=\"top\" wrapText=\"1\"/></xf>" +
            numberXfs +
            "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
            "</cellStyles></styleSheet>";
    return s;
}

std::string BuildSheet(const std::vector<core::AnalysedRow>& rows, const core::TextTable& strText,
                       const Styles& styles) {
    std::string xml = std::string(kXmlHead) + "<worksheet xmlns=\"" + kMain + "\"><sheetViews>" +
                      "<sheetView workbookViewId=\"0\"><pane xSplit=\"" + std::to_string(kFrozenColumns) +
                      "\" ySplit=\"" + std::to_string(kFrozenRows) + "\" topLeftCell=\"" +
                      ColumnName(kFrozenColumns) + std::to_string(kFrozenRows + 1) +
                      "\" activePane=\"bottomRight\" state=\"frozen\"/>"
                      "<selection pane=\"bottomRight\"/></sheetView></sheetViews><cols>";
    for (std::size_t c = 0; c < core::kAnalysisColumnCount; ++c) {
        const bool text = core::kAnalysisColumns[c].decimals == core::kTextColumn;
        const std::string n = std::to_string(c + 1);
        xml += "<col min=\"" + n + "\" max=\"" + n + "\" width=\"" +
               NumberText(text ? kTextColumnWidth : kNumberColumnWidth) + "\" customWidth=\"1\"/>";
    }
    xml += "</cols><sheetData><row r=\"1\">";
    const auto headings = core::AnalysisHeadings(strText);
    for (std::size_t c = 0; c < core::kAnalysisColumnCount; ++c)
        xml += InlineText(ColumnName(c) + "1", headings[c], kHeaderStyle);
    xml += "</row>";
    int r = 1;
    for (const core::AnalysedRow& row : rows) {
        ++r;
        const std::string rowName = std::to_string(r);
        xml += "<row r=\"" + rowName + "\">";
        const auto cells = core::AnalysisCells(row);
        for (std::size_t c = 0; c < core::kAnalysisColumnCount; ++c) {
            const int decimals = core::kAnalysisColumns[c].decimals;
            const std::string cell = ColumnName(c) + rowName;
            if (decimals == core::kTextColumn)
                xml += InlineText(cell, cells[c].text, 0);
            else if (cells[c].number && std::isfinite(*cells[c].number))
                xml += "<c r=\"" + cell + "\" s=\"" + std::to_string(styles.styleOfDecimals.at(decimals)) +
                       "\"><v>" + NumberText(*cells[c].number) + "</v></c>";
        }
        xml += "</row>";
    }
    return xml + "</sheetData></worksheet>";
}

// The parts of the workbook in package order.
std::vector<std::pair<QString, std::string>> BuildParts(const std::vector<core::AnalysedRow>& rows,
                                                        const core::TextTable& strText) {
    const Styles styles = BuildStyles();
    const std::string types =
        std::string(kXmlHead) +
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
        "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/></Types>";
    const std::string packageRels = std::string(kXmlHead) + "<Relationships xmlns=\"" + kRelationships +
                                    "\"><Relationship Id=\"rId1\" Type=\"" + kDocumentRelationships +
                                    "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    const std::string workbook = std::string(kXmlHead) + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" +
                                 kDocumentRelationships + "\"><sheets><sheet name=\"" + kSheetName +
                                 "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    const std::string workbookRels =
        std::string(kXmlHead) + "<Relationships xmlns=\"" + kRelationships +
        "\"><Relationship Id=\"rId1\" Type=\"" + kDocumentRelationships +
        "/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" +
        kDocumentRelationships + "/styles\" Target=\"styles.xml\"/></Relationships>";
    return {{QStringLiteral("[Content_Types].xml"), types},
            {QStringLiteral("_rels/.rels"), packageRels},
            {QStringLiteral("xl/workbook.xml"), workbook},
            {QStringLiteral("xl/_rels/workbook.xml.rels"), workbookRels},
            {QStringLiteral("xl/styles.xml"), styles.xml},
            {QStringLiteral("xl/worksheets/sheet1.xml"), BuildSheet(rows, strText, styles)}};
}

} // namespace

std::optional<std::string> WriteAnalysisWorkbook(const QString& path,
                                                 const std::vector<core::AnalysedRow>& rows,
                                                 const core::TextTable& strText) {
    const std::string name = QDir::toNativeSeparators(path).toStdString();
    if (const auto refused = CheckOutputTarget(path))
        return refused->message;
    QBuffer buffer;
    {
        QuaZip zip(&buffer);
        zip.setUtf8Enabled(true);
        if (!zip.open(QuaZip::mdCreate))
            return name + ": cannot be written (the workbook could not be packed)";
        for (const auto& [part, text] : BuildParts(rows, strText)) {
            QuaZipFile file(&zip);
            const QByteArray data = QByteArray::fromStdString(text);
            if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(part)) || file.write(data) != data.size())
                return name + ": cannot be written (part " + part.toStdString() + " could not be packed)";
            file.close();
            if (file.getZipError() != ZIP_OK)
                return name + ": cannot be written (part " + part.toStdString() + " could not be packed)";
        }
        zip.close();
        if (zip.getZipError() != ZIP_OK)
            return name + ": cannot be written (the workbook could not be packed)";
    }
    if (auto error = WriteFileAtomically(path, buffer.data()))
        return error->message;
    return std::nullopt;
}

std::optional<std::string> WriteAnalysisExport(const core::ResultExportTarget& target,
                                               const std::vector<core::AnalysedRow>& rows,
                                               const core::TextTable& strText) {
    const QString path = QString::fromStdString(target.path);
    if (target.format == core::ResultFormat::Workbook)
        return WriteAnalysisWorkbook(path, rows, strText);
    if (auto error = WriteFileAtomically(path, QByteArray::fromStdString(core::AnalysisCsv(rows, strText))))
        return error->message;
    return std::nullopt;
}

} // namespace airmotor::platform
