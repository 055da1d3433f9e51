#include "platform/AnalysisWorkbook.h"

#include "core/analysis/AnalysisColumns.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <array>
#include <cstdio>
#include <string>

namespace airmotor::platform {

namespace {

constexpr double kTextColumnWidth = 24.0;
constexpr double kNumberColumnWidth = 14.0;
// Header and the row number and designation columns stay in view while scrolling.
constexpr lxw_row_t kFrozenRows = 1;
constexpr lxw_col_t kFrozenColumns = 2;

std::string NumberFormat(int decimals) {
    return decimals <= 0 ? std::string("0") : "0." + std::string(static_cast<std::size_t>(decimals), '0');
}

// Fills the workbook; the error of the first write that failed.
lxw_error Fill(lxw_workbook* book, const std::vector<core::AnalysedRow>& rows) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Duty analysis");
    if (!sheet)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    lxw_format* header = workbook_add_format(book);
    format_set_bold(header);
    format_set_text_wrap(header);
    format_set_align(header, LXW_ALIGN_VERTICAL_TOP);
    std::array<lxw_format*, core::kAnalysisColumnCount> formats{};
    for (std::size_t c = 0; c < core::kAnalysisColumnCount; ++c) {
        const int decimals = core::kAnalysisColumns[c].decimals;
        const auto column = static_cast<lxw_col_t>(c);
        if (decimals == core::kTextColumn) {
            worksheet_set_column(sheet, column, column, kTextColumnWidth, nullptr);
            continue;
        }
        formats[c] = workbook_add_format(book);
        format_set_num_format(formats[c], NumberFormat(decimals).c_str());
        worksheet_set_column(sheet, column, column, kNumberColumnWidth, formats[c]);
    }
    for (std::size_t c = 0; c < core::kAnalysisColumnCount; ++c)
        if (const lxw_error e = worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c),
                                                       core::kAnalysisColumns[c].heading, header))
            return e;
    lxw_row_t r = 1;
    for (const core::AnalysedRow& row : rows) {
        const auto cells = core::AnalysisCells(row);
        for (std::size_t c = 0; c < core::kAnalysisColumnCount; ++c) {
            const auto column = static_cast<lxw_col_t>(c);
            lxw_error e = LXW_NO_ERROR;
            if (core::kAnalysisColumns[c].decimals == core::kTextColumn)
                e = worksheet_write_string(sheet, r, column, cells[c].text.c_str(), nullptr);
            else if (cells[c].number)
                e = worksheet_write_number(sheet, r, column, *cells[c].number, formats[c]);
            if (e)
                return e;
        }
        ++r;
    }
    worksheet_freeze_panes(sheet, kFrozenRows, kFrozenColumns);
    return LXW_NO_ERROR;
}

} // namespace

std::optional<std::string> WriteAnalysisWorkbook(const QString& path,
                                                 const std::vector<core::AnalysedRow>& rows) {
    const std::string name = path.toStdString();
    if (const auto refused = CheckOutputTarget(path))
        return refused->message;
    // A name of our own beside the target: the rename stays on one file system.
    QTemporaryFile temporary(QFileInfo(path).absoluteDir().filePath(".xlsx-XXXXXX"));
    if (!temporary.open())
        return name + ": cannot be written (" + temporary.errorString().toStdString() + ")";
    const QByteArray temporaryName = QFile::encodeName(temporary.fileName());
    temporary.close();

    lxw_workbook* book = workbook_new(temporaryName.constData());
    if (!book)
        return name + ": cannot be written (the workbook could not be created)";
    const lxw_error filled = Fill(book, rows);
    const lxw_error closed = workbook_close(book); // frees the workbook whatever it returns
    const lxw_error error = filled ? filled : closed;
    if (error)
        return name + ": cannot be written (" + lxw_strerror(error) + ")";
    if (std::rename(temporaryName.constData(), QFile::encodeName(path).constData()) != 0)
        return name + ": cannot be written (the finished workbook could not replace it)";
    temporary.setAutoRemove(false);
    return std::nullopt;
}

} // namespace airmotor::platform
