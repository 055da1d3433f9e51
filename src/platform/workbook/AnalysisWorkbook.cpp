#include "platform/workbook/AnalysisWorkbook.h"

#include "core/analysis/AnalysisColumns.h"
#include "core/analysis/AnalysisCsv.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/RegularFile.h"
#include "platform/workbook/WorkbookSheet.h"

#include <QBuffer>
#include <QDir>
#include <QXmlStreamWriter>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <array>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>

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
constexpr char kContentTypes[] = "http://schemas.openxmlformats.org/package/2006/content-types";
constexpr char kTypePrefix[] = "application/vnd.openxmlformats-";

QString NumberFormat(int decimals) {
    return decimals <= 0 ? QStringLiteral("0") : "0." + QString(decimals, QLatin1Char('0'));
}

// Characters XML cannot hold become blanks (the writer would otherwise emit a part no reader opens).
QString XmlSafe(const std::string& text) {
    QString out = QString::fromStdString(text);
    for (QChar& ch : out)
        if (ch.unicode() < 0x20 && ch != QLatin1Char('\t') && ch != QLatin1Char('\n'))
            ch = QLatin1Char(' ');
    return out;
}

// The shortest text that reads back to the same double.
QString NumberText(double value) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return error == std::errc() ? QString::fromLatin1(buffer.data(), end - buffer.data())
                                : QStringLiteral("0");
}

// Cell address of a zero-based column on a sheet row: "A1", "AA7".
QString CellName(std::size_t column, int row) {
    return ColumnLetters(static_cast<int>(column) + 1) + QString::number(row);
}

// One part of the package: the writer of its XML and the bytes it has written.
class Part {
public:
    Part() : xml_(&bytes_) { xml_.writeStartDocument(QStringLiteral("1.0"), true); }
    QXmlStreamWriter& xml() { return xml_; }
    QByteArray finish() {
        xml_.writeEndDocument();
        return bytes_;
    }

private:
    QByteArray bytes_;
    QXmlStreamWriter xml_;
};

void WriteAttributes(QXmlStreamWriter& xml,
                     std::initializer_list<std::pair<const char*, QString>> attributes) {
    for (const auto& [name, value] : attributes)
        xml.writeAttribute(QLatin1String(name), value);
}

void WriteEmpty(QXmlStreamWriter& xml, const char* name,
                std::initializer_list<std::pair<const char*, QString>> attributes = {}) {
    xml.writeEmptyElement(QLatin1String(name));
    WriteAttributes(xml, attributes);
}

void WriteInlineText(QXmlStreamWriter& xml, const QString& cell, const std::string& text, int style) {
    xml.writeStartElement(QStringLiteral("c"));
    xml.writeAttribute(QStringLiteral("r"), cell);
    xml.writeAttribute(QStringLiteral("t"), QStringLiteral("inlineStr"));
    if (style != 0)
        xml.writeAttribute(QStringLiteral("s"), QString::number(style));
    xml.writeStartElement(QStringLiteral("is"));
    xml.writeStartElement(QStringLiteral("t"));
    xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    xml.writeCharacters(XmlSafe(text));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

struct Styles {
    std::map<int, int> styleOfDecimals; // decimals → cell style index
    QByteArray xml;
};

Styles BuildStyles() {
    Styles s;
    std::vector<std::pair<int, int>> formats; // format id, decimals
    for (const core::AnalysisColumn& column : core::kAnalysisColumns) {
        if (column.decimals == core::kTextColumn || s.styleOfDecimals.count(column.decimals))
            continue;
        const int count = static_cast<int>(formats.size());
        formats.emplace_back(kFirstCustomFormat + count, column.decimals);
        s.styleOfDecimals[column.decimals] = kFirstNumberStyle + count;
    }
    const auto count = [](std::size_t n) { return QString::number(n); };
    Part part;
    QXmlStreamWriter& xml = part.xml();
    xml.writeStartElement(QStringLiteral("styleSheet"));
    xml.writeDefaultNamespace(QLatin1String(kMain));
    xml.writeStartElement(QStringLiteral("numFmts"));
    xml.writeAttribute(QStringLiteral("count"), count(formats.size()));
    for (const auto& [id, decimals] : formats)
        WriteEmpty(xml, "numFmt",
                   {{"numFmtId", QString::number(id)}, {"formatCode", NumberFormat(decimals)}});
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("fonts"));
    xml.writeAttribute(QStringLiteral("count"), QStringLiteral("2"));
    for (const bool bold : {false, true}) {
        xml.writeStartElement(QStringLiteral("font"));
        if (bold)
            WriteEmpty(xml, "b");
        WriteEmpty(xml, "sz", {{"val", QStringLiteral("11")}});
        WriteEmpty(xml, "name", {{"val", QStringLiteral("Calibri")}});
        xml.writeEndElement();
    }
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("fills"));
    xml.writeAttribute(QStringLiteral("count"), QStringLiteral("2"));
    for (const char* pattern : {"none", "gray125"}) {
        xml.writeStartElement(QStringLiteral("fill"));
        WriteEmpty(xml, "patternFill", {{"patternType", QLatin1String(pattern)}});
        xml.writeEndElement();
    }
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("borders"));
    xml.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
    xml.writeStartElement(QStringLiteral("border"));
    for (const char* side : {"left", "right", "top", "bottom", "diagonal"})
        WriteEmpty(xml, side);
    xml.writeEndElement();
    xml.writeEndElement();

    const QString zero = QStringLiteral("0");
    xml.writeStartElement(QStringLiteral("cellStyleXfs"));
    xml.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
    WriteEmpty(xml, "xf", {{"numFmtId", zero}, {"fontId", zero}, {"fillId", zero}, {"borderId", zero}});
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("cellXfs"));
    xml.writeAttribute(QStringLiteral("count"),
                       QString::number(kFirstNumberStyle + static_cast<int>(formats.size())));
    WriteEmpty(xml, "xf",
               {{"numFmtId", zero}, {"fontId", zero}, {"fillId", zero}, {"borderId", zero}, {"xfId", zero}});
    xml.writeStartElement(QStringLiteral("xf"));
    WriteAttributes(xml, {{"numFmtId", zero},
                          {"fontId", QStringLiteral("1")},
                          {"fillId", zero},
                          {"borderId", zero},
                          {"xfId", zero},
                          {"applyFont", QStringLiteral("1")},
                          {"applyAlignment", QStringLiteral("1")}});
    WriteEmpty(xml, "alignment", {{"vertical", QStringLiteral("top")}, {"wrapText", QStringLiteral("1")}});
    xml.writeEndElement();
    for (const auto& format : formats)
        WriteEmpty(xml, "xf",
                   {{"numFmtId", QString::number(format.first)},
                    {"fontId", zero},
                    {"fillId", zero},
                    {"borderId", zero},
                    {"xfId", zero},
                    {"applyNumberFormat", QStringLiteral("1")}});
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("cellStyles"));
    xml.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
    WriteEmpty(xml, "cellStyle", {{"name", QStringLiteral("Normal")}, {"xfId", zero}, {"builtinId", zero}});
    xml.writeEndElement();
    xml.writeEndElement(); // styleSheet
    s.xml = part.finish();
    return s;
}

QByteArray BuildSheet(const std::vector<core::AnalysedRow>& rows, const core::TextTable& strText,
                      std::string_view currency, const Styles& styles) {
    Part part;
    QXmlStreamWriter& xml = part.xml();
    xml.writeStartElement(QStringLiteral("worksheet"));
    xml.writeDefaultNamespace(QLatin1String(kMain));
    xml.writeStartElement(QStringLiteral("sheetViews"));
    xml.writeStartElement(QStringLiteral("sheetView"));
    xml.writeAttribute(QStringLiteral("workbookViewId"), QStringLiteral("0"));
    WriteEmpty(xml, "pane",
               {{"xSplit", QString::number(kFrozenColumns)},
                {"ySplit", QString::number(kFrozenRows)},
                {"topLeftCell", CellName(kFrozenColumns, kFrozenRows + 1)},
                {"activePane", QStringLiteral("bottomRight")},
                {"state", QStringLiteral("frozen")}});
    WriteEmpty(xml, "selection", {{"pane", QStringLiteral("bottomRight")}});
    xml.writeEndElement();
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("cols"));
    for (std::size_t c = 0; c < core::kAnalysisColumnCount; ++c) {
        const bool text = core::kAnalysisColumns[c].decimals == core::kTextColumn;
        const QString n = QString::number(c + 1);
        WriteEmpty(xml, "col",
                   {{"min", n},
                    {"max", n},
                    {"width", NumberText(text ? kTextColumnWidth : kNumberColumnWidth)},
                    {"customWidth", QStringLiteral("1")}});
    }
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("sheetData"));
    xml.writeStartElement(QStringLiteral("row"));
    xml.writeAttribute(QStringLiteral("r"), QStringLiteral("1"));
    const auto headings = core::AnalysisHeadings(strText, currency);
    for (std::size_t c = 0; c < core::kAnalysisColumnCount; ++c)
        WriteInlineText(xml, CellName(c, 1), headings[c], kHeaderStyle);
    xml.writeEndElement();
    int r = 1;
    for (const core::AnalysedRow& row : rows) {
        ++r;
        xml.writeStartElement(QStringLiteral("row"));
        xml.writeAttribute(QStringLiteral("r"), QString::number(r));
        const auto cells = core::AnalysisCells(row);
        for (std::size_t c = 0; c < core::kAnalysisColumnCount; ++c) {
            const int decimals = core::kAnalysisColumns[c].decimals;
            if (decimals == core::kTextColumn) {
                WriteInlineText(xml, CellName(c, r), cells[c].text, 0);
            } else if (cells[c].number && std::isfinite(*cells[c].number)) {
                xml.writeStartElement(QStringLiteral("c"));
                xml.writeAttribute(QStringLiteral("r"), CellName(c, r));
                xml.writeAttribute(QStringLiteral("s"), QString::number(styles.styleOfDecimals.at(decimals)));
                xml.writeTextElement(QStringLiteral("v"), NumberText(*cells[c].number));
                xml.writeEndElement();
            }
        }
        xml.writeEndElement();
    }
    xml.writeEndElement(); // sheetData
    xml.writeEndElement(); // worksheet
    return part.finish();
}

QByteArray ContentTypes() {
    Part part;
    QXmlStreamWriter& xml = part.xml();
    xml.writeStartElement(QStringLiteral("Types"));
    xml.writeDefaultNamespace(QLatin1String(kContentTypes));
    const QString prefix = QLatin1String(kTypePrefix);
    WriteEmpty(
        xml, "Default",
        {{"Extension", QStringLiteral("rels")}, {"ContentType", prefix + "package.relationships+xml"}});
    WriteEmpty(xml, "Default",
               {{"Extension", QStringLiteral("xml")}, {"ContentType", QStringLiteral("application/xml")}});
    const QString sheetml = prefix + "officedocument.spreadsheetml.";
    WriteEmpty(
        xml, "Override",
        {{"PartName", QStringLiteral("/xl/workbook.xml")}, {"ContentType", sheetml + "sheet.main+xml"}});
    WriteEmpty(xml, "Override",
               {{"PartName", QStringLiteral("/xl/worksheets/sheet1.xml")},
                {"ContentType", sheetml + "worksheet+xml"}});
    WriteEmpty(xml, "Override",
               {{"PartName", QStringLiteral("/xl/styles.xml")}, {"ContentType", sheetml + "styles+xml"}});
    xml.writeEndElement();
    return part.finish();
}

// A relationships part: {Id, type after the document relationships namespace, target} each.
QByteArray Relationships(std::initializer_list<std::array<const char*, 3>> relationships) {
    Part part;
    QXmlStreamWriter& xml = part.xml();
    xml.writeStartElement(QStringLiteral("Relationships"));
    xml.writeDefaultNamespace(QLatin1String(kRelationships));
    for (const auto& [id, type, target] : relationships)
        WriteEmpty(xml, "Relationship",
                   {{"Id", QLatin1String(id)},
                    {"Type", QLatin1String(kDocumentRelationships) + "/" + QLatin1String(type)},
                    {"Target", QLatin1String(target)}});
    xml.writeEndElement();
    return part.finish();
}

QByteArray WorkbookPart() {
    Part part;
    QXmlStreamWriter& xml = part.xml();
    xml.writeStartElement(QStringLiteral("workbook"));
    xml.writeDefaultNamespace(QLatin1String(kMain));
    xml.writeNamespace(QLatin1String(kDocumentRelationships), QStringLiteral("r"));
    xml.writeStartElement(QStringLiteral("sheets"));
    xml.writeEmptyElement(QStringLiteral("sheet"));
    xml.writeAttribute(QStringLiteral("name"), QLatin1String(kSheetName));
    xml.writeAttribute(QStringLiteral("sheetId"), QStringLiteral("1"));
    xml.writeAttribute(QLatin1String(kDocumentRelationships), QStringLiteral("id"), QStringLiteral("rId1"));
    xml.writeEndElement();
    xml.writeEndElement();
    return part.finish();
}

// The parts of the workbook in package order.
std::vector<std::pair<QString, QByteArray>> BuildParts(const std::vector<core::AnalysedRow>& rows,
                                                       const core::TextTable& strText,
                                                       std::string_view currency) {
    const Styles styles = BuildStyles();
    return {
        {QStringLiteral("[Content_Types].xml"), ContentTypes()},
        {QStringLiteral("_rels/.rels"), Relationships({{"rId1", "officeDocument", "xl/workbook.xml"}})},
        {QStringLiteral("xl/workbook.xml"), WorkbookPart()},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
         Relationships({{"rId1", "worksheet", "worksheets/sheet1.xml"}, {"rId2", "styles", "styles.xml"}})},
        {QStringLiteral("xl/styles.xml"), styles.xml},
        {QStringLiteral("xl/worksheets/sheet1.xml"), BuildSheet(rows, strText, currency, styles)}};
}

} // namespace

std::optional<FileError> WriteAnalysisWorkbook(const QString& path,
                                               const std::vector<core::AnalysedRow>& rows,
                                               const core::TextTable& strText, std::string_view currency) {
    const auto notPacked = [&path](const std::string& what) {
        return FaultAt(path, core::FileProblem::CannotWriteBecause, what + " could not be packed");
    };
    if (auto refused = CheckOutputTarget(path))
        return refused;
    QBuffer buffer;
    {
        QuaZip zip(&buffer);
        zip.setUtf8Enabled(true);
        if (!zip.open(QuaZip::mdCreate))
            return notPacked("the workbook");
        for (const auto& [part, data] : BuildParts(rows, strText, currency)) {
            QuaZipFile file(&zip);
            if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(part)) || file.write(data) != data.size())
                return notPacked("part " + part.toStdString());
            file.close();
            if (file.getZipError() != ZIP_OK)
                return notPacked("part " + part.toStdString());
        }
        zip.close();
        if (zip.getZipError() != ZIP_OK)
            return notPacked("the workbook");
    }
    return WriteFileAtomically(path, buffer.data());
}

std::optional<FileError> WriteAnalysisExport(const core::ResultExportTarget& target,
                                             const std::vector<core::AnalysedRow>& rows,
                                             const core::TextTable& strText, std::string_view currency) {
    const QString path = QString::fromStdString(target.path);
    if (target.format == core::ResultFormat::Workbook)
        return WriteAnalysisWorkbook(path, rows, strText, currency);
    return WriteFileAtomically(path, QByteArray::fromStdString(core::AnalysisCsv(rows, strText, currency)));
}

} // namespace airmotor::platform
