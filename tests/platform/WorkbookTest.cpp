#include "platform/workbook/Workbook.h"
#include "platform/workbook/WorkbookSheetWriter.h"
#include "platform/workbook/WorkbookXml.h"

#include "TestDatabase.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstring>
#include <limits>

using namespace airmotor::platform;
namespace {
namespace workbook_test {

using airmotor::platform::test::ReadFile;
using airmotor::platform::test::WriteFile;

using Parts = std::vector<std::pair<QString, QByteArray>>;

void WriteZip(const QString& path, const Parts& parts) {
    QuaZip zip(path);
    ASSERT_TRUE(zip.open(QuaZip::mdCreate));
    for (const auto& [name, data] : parts) {
        QuaZipFile f(&zip);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly, QuaZipNewInfo(name)));
        f.write(data);
        f.close();
    }
}

std::map<QString, QByteArray> ReadZip(const QString& path) {
    std::map<QString, QByteArray> parts;
    QuaZip zip(path);
    EXPECT_TRUE(zip.open(QuaZip::mdUnzip));
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile f(&zip);
        f.open(QIODevice::ReadOnly);
        parts[zip.getCurrentFileName()] = f.readAll();
    }
    return parts;
}

// A workbook as another writer may make it: prefixed elements, rows and cells without addresses.
Parts HandMade(const QByteArray& sheetXml) {
    return {
        {"xl/workbook.xml",
         "<x:workbook xmlns:x=\"m\" xmlns:rel=\"r\"><x:bookViews><x:sheet name=\"View\" rel:id=\"rId1\"/>"
         "</x:bookViews><x:sheets><x:sheet name=\"Motorer\" rel:id=\"rId1\"/></x:sheets><x:calcPr/><x:extLst>"
         "<x:sheet name=\"Late\" rel:id=\"rId1\"/></x:extLst></x:workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships><Relationship Id=\"rId1\" Type=\"t/worksheet\" Target=\"/xl/worksheets/s.xml\"/>"
         "<Relationship Id=\"rId2\" Type=\"t/sharedStrings\" Target=\"sharedStrings.xml\"/>"
         "<Relationship Id=\"rId3\" Type=\"t/calcChain\" Target=\"calcChain.xml\"/></Relationships>"},
        {"[Content_Types].xml",
         "<Types><Override PartName=\"/xl/calcChain.xml\" ContentType=\"c\"/></Types>"},
        {"xl/calcChain.xml", "<calcChain><c r=\"C2\" i=\"1\"/></calcChain>"},
        {"xl/sharedStrings.xml",
         "<x:sst xmlns:x=\"m\"><x:si><x:t>plain</x:t></x:si><x:si><x:r><x:t>ri</x:t></x:r><x:r><x:t>ch</x:t>"
         "</x:r><x:rPh><x:t>hint</x:t></x:rPh></x:si></x:sst>"},
        {"xl/worksheets/s.xml", sheetXml}};
}

const QByteArray kCells =
    "<x:worksheet xmlns:x=\"m\"><x:dimension ref=\"A1:C2\"/><x:sheetData>"
    "<x:row><x:c t=\"s\"><x:v>1</x:v></x:c><x:c t=\"inlineStr\"><x:is><x:t>inline</x:t></x:is></x:c>"
    "<x:c t=\"b\"><x:v>1</x:v></x:c></x:row>"
    "<x:row r=\"2\"><x:c r=\"A2\"><x:v>2.5E3</x:v></x:c><x:c r=\"B2\" t=\"e\"><x:v>#N/A</x:v></x:c>"
    "<x:c r=\"C2\" t=\"str\" s=\"4\"><x:f>A1&amp;B1</x:f><x:v>richinline</x:v></x:c></x:row>"
    "</x:sheetData></x:worksheet>";

std::string OpenError(const QString& path) {
    auto opened = Workbook::open(path);
    if (auto* error = std::get_if<std::string>(&opened))
        return *error;
    auto sheet = std::get<Workbook>(opened).sheet("Motorer");
    return std::holds_alternative<std::string>(sheet) ? std::get<std::string>(sheet) : std::string();
}

TEST(Workbook, ReadsEveryKindOfCellAndWritesWithoutBreakingOtherParts) {
    QTemporaryDir dir;
    const QString path = dir.filePath("book.xlsx");
    WriteZip(path, HandMade(kCells));
    auto opened = Workbook::open(path);
    ASSERT_TRUE(std::holds_alternative<Workbook>(opened)) << std::get<std::string>(opened);
    Workbook book = std::get<Workbook>(std::move(opened));
    // Only the sheet list names sheets: a <sheet> in the views or an extension is none.
    EXPECT_EQ(book.sheetNames(), std::vector<std::string>{"Motorer"});
    WorkbookSheet& s = *std::get<WorkbookSheet*>(book.sheet("Motorer"));
    const std::vector<std::tuple<int, int, CellValue>> expected = {{1, 1, std::string("rich")},
                                                                   {1, 2, std::string("inline")},
                                                                   {1, 3, true},
                                                                   {2, 1, 2500.0},
                                                                   {2, 2, std::string("#N/A")},
                                                                   {2, 3, std::string("richinline")},
                                                                   {2, 4, std::monostate{}},
                                                                   {3, 1, std::monostate{}}};
    for (const auto& [row, column, value] : expected)
        EXPECT_EQ(s.cell(row, column), value) << row << "," << column;
    EXPECT_EQ(s.text(2, 1), "2500");
    EXPECT_EQ(s.lastRow(), 2);

    s.setNumber(2, 3, 0.1);                      // over the formula: it and the calculation chain go
    s.setText(4, 2, std::string(" a\x01<b>& ")); // a new row, with what XML cannot carry raw
    s.setBool(2, 2, false);
    ASSERT_EQ(book.save(), std::nullopt);

    Workbook again = std::get<Workbook>(Workbook::open(path));
    WorkbookSheet& t = *std::get<WorkbookSheet*>(again.sheet("Motorer"));
    EXPECT_EQ(
        (std::array{t.cell(2, 3), t.cell(4, 2), t.cell(2, 2), t.cell(1, 1)}),
        (std::array<CellValue, 4>{0.1, std::string(" a\xEF\xBF\xBD<b>& "), false, std::string("rich")}));
    const auto parts = ReadZip(path);
    EXPECT_EQ(parts.count("xl/calcChain.xml"), 0u);
    EXPECT_FALSE(parts.at("xl/_rels/workbook.xml.rels").contains("calcChain"));
    EXPECT_FALSE(parts.at("[Content_Types].xml").contains("calcChain"));
    EXPECT_TRUE(parts.at("xl/workbook.xml").contains("fullCalcOnLoad=\"1\""));
    EXPECT_EQ(parts.at("xl/workbook.xml").count("calcPr"), 1); // the file's prefixed one, not a second
    EXPECT_EQ(parts.at("xl/sharedStrings.xml"), HandMade(kCells)[4].second);
    const QByteArray sheet = parts.at("xl/worksheets/s.xml");
    EXPECT_TRUE(sheet.contains("<x:dimension ref=\"A1:C4\"/>")) << sheet.toStdString();
    // The style stays and the formula goes (attributes in any order).
    const QRegularExpression c2(R"(<x:c (r="C2" s="4"|s="4" r="C2")><x:v>0.1</x:v></x:c>)");
    EXPECT_TRUE(c2.match(QString::fromUtf8(sheet)).hasMatch()) << sheet.toStdString();
}

TEST(Workbook, RefusalsNameTheFileAndWhatIsWrong) {
    QTemporaryDir dir;
    const auto zip = [&](const char* name, Parts parts) {
        WriteZip(dir.filePath(name), parts);
        return dir.filePath(name);
    };
    Parts noBook = HandMade(kCells);
    noBook.erase(noBook.begin());
    Parts noSheetPart = HandMade(kCells);
    noSheetPart.pop_back();
    Parts wrongName = HandMade(kCells);
    wrongName[0].second.replace("Motorer", "Motors");
    WriteFile(dir.filePath("text.xlsx"), "Motorer;TKM20\n");
    QFile big(dir.filePath("big.xlsx"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(kWorkbookFileCap + 1));
    const std::vector<std::pair<QString, std::string>> cases = {
        {dir.filePath("none.xlsx"), "does not exist"},
        {dir.path(), "not a regular file"},
        {dir.filePath("big.xlsx"), "larger than the limit"},
        {dir.filePath("text.xlsx"), "not a zip archive"},
        {zip("nobook.xlsx", noBook), "has no xl/workbook.xml"},
        {zip("badbook.xlsx", {{"xl/workbook.xml", "<workbook><sheets>"}}),
         "xl/workbook.xml: malformed XML at line 1"},
        {zip("nosheet.xlsx", wrongName), "has no sheet \"Motorer\""},
        {zip("nopart.xlsx", noSheetPart), "its part xl/worksheets/s.xml is missing"},
        {zip("badsheet.xlsx", HandMade("<worksheet><sheetData><row>")), "s.xml: malformed XML"},
        {zip("badstring.xlsx", HandMade("<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>9</v></c>"
                                        "</row></sheetData></worksheet>")),
         "cell A1 refers to a shared string that does not exist"},
        {zip("order.xlsx",
             HandMade("<worksheet><sheetData><row r=\"3\"/><row r=\"2\"/></sheetData></worksheet>")),
         "out of order"},
        {zip("twice.xlsx",
             HandMade("<worksheet><sheetData><row r=\"2\"/><row r=\"2\"/></sheetData></worksheet>")),
         "out of order"},
    };
    for (const auto& [path, reason] : cases) {
        const std::string error = OpenError(path);
        EXPECT_NE(error.find(path.toStdString()), std::string::npos) << error;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
}

TEST(Workbook, ImpossibleWritesAndFailedSavesChangeNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("book.xlsx");
    WriteZip(path, HandMade(kCells));
    const QByteArray original = ReadFile(path);
    Workbook book = std::get<Workbook>(Workbook::open(path));
    WorkbookSheet& s = *std::get<WorkbookSheet*>(book.sheet("Motorer"));
    EXPECT_THROW(s.setNumber(0, 1, 1), std::out_of_range);
    EXPECT_THROW(s.setNumber(1, kMaxSheetColumns + 1, 1), std::out_of_range);
    EXPECT_THROW(s.setNumber(1, 1, std::numeric_limits<double>::quiet_NaN()), std::domain_error);
    EXPECT_THROW(s.setText(1, 1, std::string(kMaxCellText + 1, 'x')), std::length_error);
    EXPECT_FALSE(s.modified());
    s.setNumber(1, 1, 5);
    EXPECT_NE(book.saveAs(dir.filePath("missing/book.xlsx")), std::nullopt);
    const auto intoFolder = book.saveAs(dir.path());
    ASSERT_NE(intoFolder, std::nullopt);
    EXPECT_NE(intoFolder->find("not a regular file"), std::string::npos);
    EXPECT_EQ(ReadFile(path), original);
}

// The production batch's sheet writer: a cell that cannot be written makes the save refuse, so a
// half-filled sheet never replaces the workbook; a good sheet is saved whole.
TEST(WorkbookSheetWriter, RefusedCellStopsTheSaveAndAGoodSheetIsSaved) {
    QTemporaryDir dir;
    const QString path = dir.filePath("book.xlsx");
    WriteZip(path, HandMade(kCells));
    const QByteArray original = ReadFile(path);
    auto missing = WorkbookSheetWriter::open(path, "TKM");
    ASSERT_TRUE(std::holds_alternative<std::string>(missing));
    EXPECT_NE(std::get<std::string>(missing).find("TKM"), std::string::npos);

    auto bad = std::get<std::unique_ptr<WorkbookSheetWriter>>(WorkbookSheetWriter::open(path, "Motorer"));
    bad->setNumber(3, 2, 1.5);
    bad->setNumber(3, 3, std::numeric_limits<double>::infinity());
    const auto refused = bad->save();
    ASSERT_NE(refused, std::nullopt);
    EXPECT_EQ(refused->rfind(path.toStdString(), 0), 0u) << *refused;
    EXPECT_EQ(ReadFile(path), original);

    auto good = std::get<std::unique_ptr<WorkbookSheetWriter>>(WorkbookSheetWriter::open(path, "Motorer"));
    good->setNumber(3, 2, 1.5);
    good->setText(3, 1, "TKM14");
    ASSERT_EQ(good->save(), std::nullopt);
    Workbook reread = std::get<Workbook>(Workbook::open(path));
    WorkbookSheet& s = *std::get<WorkbookSheet*>(reread.sheet("Motorer"));
    EXPECT_EQ(s.number(3, 2), 1.5);
    EXPECT_EQ(s.text(3, 1), "TKM14");
    EXPECT_EQ(s.number(3, 1), std::nullopt); // a designation is no number, not 0
}

QByteArray Repeated(const char* piece, qint64 times) {
    QByteArray out;
    out.reserve(static_cast<qsizetype>(std::strlen(piece) * static_cast<std::size_t>(times)));
    for (qint64 i = 0; i < times; ++i)
        out += piece;
    return out;
}

// The peak resident set since the last reset, in MiB (Linux only; 0 elsewhere).
long PeakResidentMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toLong() / 1024;
    return 0;
}

std::shared_ptr<const std::vector<std::string>> Strings() {
    return std::make_shared<const std::vector<std::string>>(std::vector<std::string>{"shared"});
}

// "At once" against the minutes the old reader took; sanitizers slow the scan about tenfold.
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 kRefusalBudgetMs = 10000;
#else
constexpr qint64 kRefusalBudgetMs = 1000;
#endif

// Parts that kept the old reader busy for minutes or filled the memory: each is refused at once,
// the message naming the file, the part and the limit.
TEST(Workbook, HostilePartsAreRefusedAtOnceNamingTheLimit) {
    QTemporaryDir dir;
    const QByteArray deep = Repeated("<a>", 100000);
    const QByteArray attributes = [] {
        QByteArray tag = "<worksheet><sheetData><row><c";
        for (int i = 0; i < 20000; ++i)
            tag += " a" + QByteArray::number(i) + "=\"\"";
        return tag + "/></row></sheetData></worksheet>";
    }();
    const std::vector<std::tuple<std::size_t, QByteArray, std::string>> cases = {
        {5, "<worksheet><sheetData>" + deep, "s.xml: nests elements deeper than the limit of 64 levels"},
        {4, "<sst>" + deep, "sharedStrings.xml: nests elements deeper than the limit of 64"},
        {0, "<workbook>" + deep, "workbook.xml: nests elements deeper than the limit of 64"},
        {1, "<Relationships>" + deep, "workbook.xml.rels: nests elements deeper than the limit of 64"},
        {5,
         "<worksheet><sheetData><row>" + Repeated("<c/>", kMaxSheetCells + 1) +
             "</row></sheetData></worksheet>",
         "s.xml: holds more than the limit of 1000000 cells"},
        {5, "<worksheet><sheetData/>" + Repeated("<x/>", kMaxSheetElements) + "</worksheet>",
         "s.xml: holds more than the limit of 4000000 elements"},
        {4, "<sst>" + Repeated("<si/>", kMaxSharedStrings + 1) + "</sst>",
         "sharedStrings.xml: holds more than the limit of 1000000 shared strings"},
        {5, attributes, "s.xml: has an element with more than the limit of 64 attributes"},
        // An empty element one level below the deepest permitted adds no depth to the byte scan.
        {5, "<worksheet>" + Repeated("<a>", 63) + "<b/>" + Repeated("</a>", 63) + "</worksheet>",
         "s.xml: is beyond the limits of 64 levels"},
        {5,
         "<!DOCTYPE worksheet [<!ENTITY x SYSTEM \"file:///etc/hostname\">]><worksheet><sheetData><row>"
         "<c t=\"inlineStr\"><is><t>&x;</t></is></c></row></sheetData></worksheet>",
         "s.xml declares a document type"},
        {5, QByteArray("\xFF\xFE<\0w\0/\0>\0", 10), "s.xml: is not UTF-8 text"},
    };
    int n = 0;
    for (const auto& [index, xml, reason] : cases) {
        Parts parts = HandMade(kCells);
        parts[index].second = xml;
        const QString path = dir.filePath(QStringLiteral("hostile%1.xlsx").arg(++n));
        WriteZip(path, parts);
        QElapsedTimer timer;
        timer.start();
        const std::string error = OpenError(path);
        EXPECT_LT(timer.elapsed(), kRefusalBudgetMs) << reason;
        EXPECT_EQ(error.rfind(path.toStdString() + ": ", 0), 0u) << error;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
}

// A million empty cells and a million shared strings are within the limits: read, they stay small.
TEST(Workbook, LargestPermittedPartsStayWellWithinMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer's shadow memory makes resident sizes meaningless";
#endif
    QTemporaryDir dir;
    const QString path = dir.filePath("big.xlsx");
    Parts parts =
        HandMade("<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c></row><row r=\"2\">" +
                 Repeated("<c/>", kMaxSheetCells - 1) + "</row></sheetData></worksheet>");
    parts[4].second =
        "<sst><si><t>first</t></si>" + Repeated("<si><t>x</t></si>", kMaxSharedStrings - 1) + "</sst>";
    WriteZip(path, parts);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        GTEST_SKIP() << "the peak resident size cannot be reset here";
    clear.close();
    auto opened = Workbook::open(path);
    ASSERT_TRUE(std::holds_alternative<Workbook>(opened)) << std::get<std::string>(opened);
    auto sheet = std::get<Workbook>(opened).sheet("Motorer");
    ASSERT_TRUE(std::holds_alternative<WorkbookSheet*>(sheet)) << std::get<std::string>(sheet);
    EXPECT_EQ(std::get<WorkbookSheet*>(sheet)->text(1, 1), "x");
    EXPECT_LT(PeakResidentMiB(), 200);
}

// A written sheet is the part's own bytes with the written cells, their rows and the dimension
// replaced: declarations, comments, line ends and unknown content stay exactly as they were.
TEST(WorkbookSheet, WritesOnlyTheWrittenCellsIntoThePartsOwnBytes) {
    const QByteArray root =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<x:worksheet "
        "xmlns:x=\"main\" xmlns:mc=\"compat\" mc:Ignorable=\"x14ac\" xmlns:x14ac=\"ac\">";
    struct Write {
        int row, column;
        CellValue value;
    };
    const std::vector<std::tuple<QByteArray, std::vector<Write>, QByteArray>> cases = {
        {root + "<x:dimension ref=\"A1:C3\"/><!-- \xC3\xA5\xF0\x9F\x98\x80 --><x:sheetData>\r\n"
                "<x:row r=\"1\" spans=\"1:3\" x14ac:dyDescent=\"0.25\"><x:c r=\"A1\" t=\"inlineStr\"><x:is>"
                "<x:t>\xC3\xA5\xC3\xA4\xC3\xB6 \xF0\x9F\x98\x80</x:t></x:is></x:c>\r\n<x:c r=\"C1\" s=\"4\" "
                "t=\"str\">"
                "<x:f>A1&amp;\"&gt;\"</x:f><x:v>x</x:v></x:c><x:extLst/></x:row>\r\n"
                "<x:row r=\"3\"><x:c r=\"A3\" foo='a\">b' "
                "t=\"s\"><x:v>0</x:v><x:extLst><x:ext/></x:extLst></x:c>"
                "</x:row></x:sheetData><x:extLst/></x:worksheet>",
         {{1, 3, 2.5},
          {1, 2, std::string(" <&> ")},
          {1, 4, true},
          {2, 1, 7.0},
          {3, 1, std::string("T")},
          {5, 2, 1.0}},
         root + "<x:dimension ref=\"A1:D5\"/><!-- \xC3\xA5\xF0\x9F\x98\x80 --><x:sheetData>\r\n"
                "<x:row r=\"1\" x14ac:dyDescent=\"0.25\"><x:c r=\"A1\" t=\"inlineStr\"><x:is>"
                "<x:t>\xC3\xA5\xC3\xA4\xC3\xB6 \xF0\x9F\x98\x80</x:t></x:is></x:c>\r\n"
                "<x:c r=\"B1\" t=\"inlineStr\"><x:is><x:t xml:space=\"preserve\"> &lt;&amp;&gt; "
                "</x:t></x:is></x:c>"
                "<x:c r=\"C1\" s=\"4\"><x:v>2.5</x:v></x:c><x:c r=\"D1\" "
                "t=\"b\"><x:v>1</x:v></x:c><x:extLst/></x:row>\r\n"
                "<x:row r=\"2\"><x:c r=\"A2\"><x:v>7</x:v></x:c></x:row>"
                "<x:row r=\"3\"><x:c r=\"A3\" foo='a\">b' t=\"inlineStr\"><x:is><x:t>T</x:t></x:is>"
                "<x:extLst><x:ext/></x:extLst></x:c></x:row><x:row r=\"5\"><x:c r=\"B5\"><x:v>1</x:v></x:c>"
                "</x:row></x:sheetData><x:extLst/></x:worksheet>"},
        // A row whose cells are only overwritten keeps its span hint.
        {"<worksheet><sheetData><row r=\"1\" spans=\"1:1\"><c "
         "r=\"A1\"><v>1</v></c></row></sheetData></worksheet>",
         {{1, 1, 2.0}},
         "<worksheet><sheetData><row r=\"1\" spans=\"1:1\"><c "
         "r=\"A1\"><v>2</v></c></row></sheetData></worksheet>"},
        // A range the program cannot read is left as it was.
        {"<worksheet><dimension ref=\"A1:?\"/><sheetData/></worksheet>",
         {{2, 2, 1.0}},
         "<worksheet><dimension ref=\"A1:?\"/><sheetData><row r=\"2\"><c r=\"B2\"><v>1</v></c></row>"
         "</sheetData></worksheet>"},
        {"<worksheet><dimension ref=\"A1\"/><sheetData/></worksheet>",
         {{2, 2, 1.0}},
         "<worksheet><dimension ref=\"A1:B2\"/><sheetData><row r=\"2\"><c "
         "r=\"B2\"><v>1</v></c></row></sheetData>"
         "</worksheet>"},
        {"<worksheet><sheetData><row r=\"3\" spans=\"1:2\" "
         "/><row><c><v>1</v></c><c/></row></sheetData></worksheet>",
         {{3, 2, 0.5}, {4, 3, 2.0}},
         "<worksheet><sheetData><row r=\"3\"><c r=\"B3\"><v>0.5</v></c></row><row><c><v>1</v></c><c/>"
         "<c r=\"C4\"><v>2</v></c></row></sheetData></worksheet>"},
    };
    for (const auto& [part, writes, expected] : cases) {
        auto read = WorkbookSheet::Read(part, Strings(), KeptCells::All());
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<WorkbookSheet>>(read))
            << std::get<std::string>(read);
        WorkbookSheet& sheet = *std::get<std::unique_ptr<WorkbookSheet>>(read);
        EXPECT_EQ(sheet.xml(), part);
        for (const Write& w : writes) {
            if (const double* d = std::get_if<double>(&w.value))
                sheet.setNumber(w.row, w.column, *d);
            else if (const bool* b = std::get_if<bool>(&w.value))
                sheet.setBool(w.row, w.column, *b);
            else
                sheet.setText(w.row, w.column, std::get<std::string>(w.value));
        }
        EXPECT_EQ(sheet.xml().toStdString(), expected.toStdString());
        auto again = WorkbookSheet::Read(sheet.xml(), Strings(), KeptCells::All());
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<WorkbookSheet>>(again))
            << std::get<std::string>(again);
        for (const Write& w : writes) {
            EXPECT_EQ(std::get<std::unique_ptr<WorkbookSheet>>(again)->cell(w.row, w.column), w.value);
            EXPECT_EQ(sheet.cell(w.row, w.column), w.value);
        }
    }
}

TEST(WorkbookSheet, KeepsOnlyTheCellsAskedForAndRefusesToRewriteWhatItCannotFollow) {
    const QByteArray part =
        "<worksheet><sheetData><row r=\"2\"><c r=\"A2\"><v>1</v></c><c r=\"B2\" t=\"s\"><v>0</v>"
        "</c></row><row r=\"9\"><c r=\"B9\"><v>3</v></c></row></sheetData></worksheet>";
    auto read = WorkbookSheet::Read(part, Strings(), KeptCells::Columns({2}, 1, 8));
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<WorkbookSheet>>(read));
    const WorkbookSheet& kept = *std::get<std::unique_ptr<WorkbookSheet>>(read);
    EXPECT_EQ(kept.cell(2, 1), CellValue());
    EXPECT_EQ(kept.cell(2, 2), CellValue(std::string("shared")));
    EXPECT_EQ(kept.cell(9, 2), CellValue());
    EXPECT_EQ(kept.lastRow(), 9);

    // Read in the code page it declares; written back it would be mixed with UTF-8.
    auto latin =
        WorkbookSheet::Read("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><worksheet><sheetData><row>"
                            "<c t=\"inlineStr\"><is><t>\xE5</t></is></c></row></sheetData></worksheet>",
                            Strings(), KeptCells::All());
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<WorkbookSheet>>(latin));
    WorkbookSheet& sheet = *std::get<std::unique_ptr<WorkbookSheet>>(latin);
    EXPECT_EQ(sheet.text(1, 1), "\xC3\xA5");
    ASSERT_TRUE(sheet.rewriteProblem().has_value());
    EXPECT_THROW(sheet.setNumber(1, 2, 1.0), std::runtime_error);
    EXPECT_FALSE(sheet.modified());
}

// The byte scan before the parser: every limit holds exactly at its value, prefixed names count,
// and what comments, CDATA sections and instructions hold is no markup.
TEST(WorkbookXml, LimitsHoldExactlyAtTheirBoundaries) {
    const auto attributes = [](int n) {
        QByteArray tag = "<c";
        for (int i = 0; i < n; ++i)
            tag += " a" + QByteArray::number(i) + (i % 2 ? "='\">'" : "=\"'>\"");
        return tag + "/>";
    };
    const XmlLimits cells{kMaxXmlDepth, 10, "c", 3, "cells"};
    const std::vector<std::tuple<QByteArray, XmlLimits, std::string>> cases = {
        {Repeated("<a>", 64) + Repeated("</a>", 64), SheetLimits(), ""},
        {Repeated("<a>", 65) + Repeated("</a>", 65), SheetLimits(), "deeper than the limit of 64 levels"},
        {Repeated("<a/>", 70), SheetLimits(), ""},
        {"<r>" + attributes(kMaxXmlAttributes) + "</r>", SheetLimits(), ""},
        {"<r>" + attributes(kMaxXmlAttributes + 1) + "</r>", SheetLimits(),
         "more than the limit of 64 attributes"},
        {"<r><c/><x:c/><:c/></r>", cells, ""},
        {"<r><c/><x:c/><:c/><y:c></y:c></r>", cells, "more than the limit of 3 cells"},
        {"<r>" + Repeated("<b/>", 9) + "</r>", cells, ""},
        {"<r>" + Repeated("<b/>", 10) + "</r>", cells, "more than the limit of 10 elements"},
        {"<?xml version=\"1.0\"?><r><!-- <!DOCTYPE r> <c/><c/><c/><c/> --><![CDATA[<c/><c/><c/><c/>]]><?pi "
         "<c/><c/><c/>"
         "<c/>?></r>",
         cells, ""},
        {"<!DOCTYPE r><r/>", cells, "document type declaration"},
        {QByteArray(), cells, ""}, // the parser says what is wrong with an empty part
    };
    for (const auto& [xml, limits, problem] : cases) {
        const auto found = CheckXmlPart(xml, limits);
        EXPECT_EQ(found.has_value(), !problem.empty())
            << xml.left(80).toStdString() << ": " << found.value_or("");
        EXPECT_NE(found.value_or("").find(problem), std::string::npos) << found.value_or("");
    }
}

// Cell addresses at the letter carries and the sheet's last row and column: a cell there is read,
// one past it refuses the part, and column numbers and letters turn into each other exactly.
TEST(WorkbookSheet, AddressesHoldAtTheLetterCarriesAndTheSheetsEdges) {
    const struct {
        int column;
        const char* letters;
    } columns[] = {{1, "A"},   {26, "Z"},   {27, "AA"},   {52, "AZ"},
                   {53, "BA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
    for (const auto& c : columns) {
        EXPECT_EQ(ColumnLetters(c.column), c.letters);
        EXPECT_EQ(ColumnNumber(c.letters), c.column) << c.letters;
    }
    for (const char* bad : {"", "a", "A1", "AAAA", "@"})
        EXPECT_EQ(ColumnNumber(bad), 0) << bad;

    const auto read = [](const char* ref, int row) {
        const QByteArray part = "<worksheet><sheetData><row r=\"" + QByteArray::number(std::max(row, 1)) +
                                "\"><c r=\"" + ref + "\"><v>7</v></c></row></sheetData></worksheet>";
        return WorkbookSheet::Read(part, Strings(), KeptCells::All());
    };
    const struct {
        const char* ref;
        int row, column; // 0: the part is refused
    } cells[] = {{"XFD1048576", 1048576, 16384},
                 {"$AA$1000000", 1000000, 27},
                 {"A1", 1, 1},
                 {"XFE1", 0, 0},
                 {"A1048577", 0, 0},
                 {"A10000000", 0, 0},
                 {"AAAA1", 0, 0},
                 {"A0", 0, 0},
                 {"1A", 0, 0}};
    for (const auto& c : cells) {
        auto sheet = read(c.ref, c.row);
        if (c.row == 0) {
            EXPECT_TRUE(std::holds_alternative<std::string>(sheet)) << c.ref;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<WorkbookSheet>>(sheet)) << c.ref;
        EXPECT_EQ(std::get<std::unique_ptr<WorkbookSheet>>(sheet)->cell(c.row, c.column), CellValue(7.0))
            << c.ref;
    }
}

} // namespace workbook_test
} // namespace
