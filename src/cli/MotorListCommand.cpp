#include "cli/MotorListCommand.h"

#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "core/maintenance/MotorListBatch.h"
#include "platform/files/RegularFile.h"
#include "platform/workbook/MotorListFiles.h"
#include "platform/workbook/MotorListWorkbook.h"

#include <QDir>

#include <algorithm>
#include <memory>
#include <regex>
#include <stdexcept>

namespace airmotor::cli {
namespace {

struct RowRange {
    int first = 0, last = 0;
};

// "A-B" (or one row "A"), 1 <= A <= B within a sheet.
RowRange ParseRows(const std::string& text) {
    static const std::regex pattern(R"(\s*(\d{1,7})\s*(?:-\s*(\d{1,7})\s*)?)");
    std::smatch match;
    if (std::regex_match(text, match, pattern)) {
        const int first = std::stoi(match[1].str());
        const int last = match[2].matched ? std::stoi(match[2].str()) : first;
        if (first >= 1 && first <= last && last <= platform::kMaxSheetRows)
            return {first, last};
    }
    throw UsageError("motor-list: --rows takes FIRST-LAST, 1 <= FIRST <= LAST <= " +
                     std::to_string(platform::kMaxSheetRows) + " (got \"" + text + "\")");
}

void WriteSummary(JsonWriter& json, const core::MotorListSummary& summary) {
    json.beginObject().key("rows").beginArray();
    for (const core::MotorListRowResult& r : summary.rows) {
        json.beginObject()
            .field("row", r.row)
            .field("designation", r.designation)
            .field("file", r.file)
            .field("outcome", core::OutcomeName(r.outcome))
            .field("reason", r.reason)
            .key("intKatalogindex");
        if (r.catalogueIndex)
            json.value(*r.catalogueIndex);
        else
            json.null();
        json.endObject();
    }
    json.endArray()
        .field("added", summary.added)
        .field("printed", summary.printed)
        .field("skipped", summary.skipped)
        .endObject()
        .finish();
}

} // namespace

int RunMotorListCommand(CliContext& context, const CommandArgs& args) {
    CommandArgs rest;
    std::vector<std::string> positional;
    bool update = false, print = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--update")
            update = true;
        else if (args[i] == "--print")
            print = true;
        else if (args[i] == "--json")
            continue;
        else if (args[i].rfind("--", 0) == 0) {
            rest.push_back(args[i]);
            if (args[i].find('=') == std::string::npos && i + 1 < args.size())
                rest.push_back(args[++i]);
        } else
            positional.push_back(args[i]);
    }
    const CommandOptions options("motor-list", rest, {"rows", "out"});
    if (positional.size() != 1)
        throw UsageError("motor-list: exactly one workbook expected");
    if (update == print)
        throw UsageError("motor-list: exactly one of --update and --print");
    if (update && options.has("out"))
        throw UsageError("motor-list: --out goes with --print");
    const RowRange rows = ParseRows(options.required("rows"));
    const QString outFolder = QString::fromStdString(options.text("out").value_or("."));
    if (print)
        if (auto error = platform::CheckReadableFolder(outFolder))
            throw std::runtime_error(error->message);

    auto opened =
        platform::MotorListWorkbook::open(QString::fromStdString(positional.front()), rows.first, rows.last);
    if (auto* error = std::get_if<std::string>(&opened))
        throw std::runtime_error(*error);
    platform::MotorListWorkbook& workbook = *std::get<std::unique_ptr<platform::MotorListWorkbook>>(opened);
    // The catalogue the command loaded: the folder's file, --catalogue or AIRMOTOR_CATALOGUE.
    platform::MotorDataWriter writer(QString::fromStdString(context.catalogueLocation));
    if (context.rowVersions)
        writer.rememberLoaded(*context.rowVersions);
    std::unique_ptr<platform::PdfJobSink> sink;
    platform::MotorListFiles files(workbook.folder(), writer, context.language,
                                   [&](int row) -> platform::PrintJobSink& {
                                       sink = std::make_unique<platform::PdfJobSink>(
                                           QDir(outFolder).filePath(QStringLiteral("row-%1.pdf").arg(row)));
                                       return *sink;
                                   });
    core::MotorListBatch batch(workbook, files,
                               update ? core::MotorListMode::Update : core::MotorListMode::Print);
    for (int row = rows.first; row <= rows.last; ++row)
        if (!batch.runRow(row))
            throw std::runtime_error(batch.summary().stopped);
    JsonWriter json(*context.out);
    WriteSummary(json, batch.summary());
    return 0;
}

} // namespace airmotor::cli
