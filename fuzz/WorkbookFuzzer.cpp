// The workbook reader on any bytes: a workbook or a clear error, never a crash; and what it writes
// back reads again with the written cells. An input not starting with a zip signature is taken as
// XML parts separated by the byte 0x1E (workbook, its relationships, shared strings, one worksheet) and
// packed first, so the mutations reach the XML instead of dying in the compressed stream.
#include "platform/workbook/Workbook.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

using airmotor::platform::CellValue;
using airmotor::platform::Workbook;
using airmotor::platform::WorkbookSheet;

constexpr int kProbedCells = 12;
const char* const kPartNames[] = {"xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/sharedStrings.xml",
                                  "xl/worksheets/sheet1.xml"};

QByteArray Pack(const QByteArray& input) {
    const QList<QByteArray> parts = input.split('\x1e');
    QBuffer buffer;
    {
        QuaZip zip(&buffer);
        if (!zip.open(QuaZip::mdCreate))
            std::abort();
        for (qsizetype i = 0; i < parts.size() && i < 4; ++i) {
            QuaZipFile file(&zip);
            if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(kPartNames[i]), nullptr, 0, 0, 0))
                std::abort();
            file.write(parts[i]);
            file.close();
        }
        zip.close();
    }
    return buffer.data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!bytes.startsWith("PK"))
        bytes = Pack(bytes);
    auto opened = Workbook::fromBytes(bytes, QStringLiteral("fuzz.xlsx"));
    if (std::holds_alternative<std::string>(opened)) {
        if (std::get<std::string>(opened).rfind("fuzz.xlsx: ", 0) != 0)
            std::abort(); // every refusal names the file
        return 0;
    }
    Workbook& book = std::get<Workbook>(opened);
    std::string written;
    for (const std::string& name : book.sheetNames()) {
        auto sheet = book.sheet(name);
        if (!std::holds_alternative<WorkbookSheet*>(sheet))
            continue;
        WorkbookSheet& s = *std::get<WorkbookSheet*>(sheet);
        for (int row = 1; row <= kProbedCells; ++row)
            for (int column = 1; column <= kProbedCells; ++column)
                (void)s.text(row, column);
        if (written.empty()) {
            s.setNumber(2, 5, 1400.5);
            s.setText(3, 2, "TKM20 <&>");
            written = name;
        }
    }
    if (written.empty())
        return 0;
    auto packed = book.pack();
    if (!std::holds_alternative<QByteArray>(packed))
        return 0;
    auto again = Workbook::fromBytes(std::get<QByteArray>(packed), QStringLiteral("fuzz.xlsx"));
    if (!std::holds_alternative<Workbook>(again))
        std::abort(); // the program's own output must read back
    auto sheet = std::get<Workbook>(again).sheet(written);
    if (!std::holds_alternative<WorkbookSheet*>(sheet))
        std::abort();
    const WorkbookSheet& s = *std::get<WorkbookSheet*>(sheet);
    if (s.cell(2, 5) != CellValue(1400.5) || s.text(3, 2) != "TKM20 <&>")
        std::abort();
    return 0;
}
