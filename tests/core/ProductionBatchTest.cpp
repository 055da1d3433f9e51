#include "core/production/ProductionBatch.h"

#include "core/common/Keys.h"
#include "core/production/ProductionComparison.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace airmotor::core {
namespace {
namespace production_batch_test {

// Rows 1..listed are in the grid; the rows in `withRecords` have production records; printing job
// `failingJob` fails.
struct Services final : ProductionBatchServices {
    int listed = 3;
    std::set<int> withRecords{1, 3};
    int failingJob = 0;
    int current = 0;
    int listedRows() const override { return listed; }
    bool selectRow(int row) override {
        current = row;
        return true;
    }
    MotorDiagramInput currentDiagram() override {
        MotorDiagramInput in;
        in.strCurrentBenamning = "TKM" + std::to_string(current);
        if (withRecords.count(current) != 0) {
            auto comparison = std::make_shared<ProductionComparison>();
            comparison->count = 2;
            for (const char* label : kComparisonLabels) // a table has every row
                comparison->rows.push_back({label, 1.0, 1.1, 10.0, "1.0", "1.1", "10"});
            in.production = comparison;
        }
        return in;
    }
    bool print(int job) override { return job != failingJob; }
};

struct Sheet final : SheetWriter {
    std::set<int> rows;
    std::optional<std::string> saveError;
    int saves = 0;
    void setNumber(int row, int, double) override { rows.insert(row); }
    void setText(int row, int, std::string_view) override { rows.insert(row); }
    std::optional<std::string> save() override {
        ++saves;
        return saveError;
    }
};

ProductionBatch::End RunBatch(Services& services, SheetWriter* sheet, ProductionBatchSummary& summary,
                              const TextTable* strText = nullptr) {
    ProductionBatch batch(services, sheet);
    for (int row = 1; row <= kProductionResultRows && batch.runRow(row);)
        ++row;
    auto end = batch.finish("tkm.xlsx", strText);
    summary = batch.summary();
    return end;
}

// Motors with records are printed and fill one sheet row each from row 3; the summary says what
// happened, and a save or printout that fails makes the batch a failed one.
TEST(ProductionBatch, PrintsRecordedMotorsFillsTheSheetAndSaysWhatHappened) {
    Services services;
    Sheet sheet;
    ProductionBatchSummary summary;
    auto end = RunBatch(services, &sheet, summary);
    EXPECT_EQ(end.text,
              "3 motors looked up, 2 printed with production data; sheet TKM rows 3-4 of tkm.xlsx.");
    EXPECT_EQ(sheet.rows, (std::set<int>{3, 4}));
    EXPECT_FALSE(summary.failed);

    sheet.saveError = "tkm.xlsx: No space left on device";
    end = RunBatch(services, &sheet, summary);
    EXPECT_EQ(end.saveError, sheet.saveError);
    EXPECT_TRUE(summary.failed);

    services.withRecords.clear();
    Sheet untouched;
    end = RunBatch(services, &untouched, summary);
    EXPECT_EQ(untouched.saves, 0) << "nothing printed, nothing saved";
    EXPECT_EQ(end.text, "3 motors looked up, 0 printed with production data.");

    services.withRecords = {1, 2};
    services.failingJob = 2;
    end = RunBatch(services, nullptr, summary);
    EXPECT_TRUE(summary.failed);
    EXPECT_EQ(end.text, "2 motors looked up, 1 printed with production data (stopped: the last printout "
                        "failed); no workbook writer is connected, sheet TKM is not filled.");
}

// The summary reads in the user's language; a table that lacks these texts (a catalogue older than
// them) leaves it English.
TEST(ProductionBatch, SummaryIsWordedFromTheTextTable) {
    TextTable german;
    german.set(TextKey::ProductionBatchCounts, "%1 Motoren nachgeschlagen, %2 mit Produktionsdaten gedruckt");
    german.set(TextKey::ProductionBatchCancelled, "abgebrochen");
    german.set(TextKey::ProductionBatchStopped, "angehalten");
    german.set(TextKey::ProductionBatchSheetRows, "Blatt TKM Zeilen %1-%2 von %3");
    german.set(TextKey::ProductionBatchNoSheet, "ohne Blatt");
    Services services;
    Sheet sheet;
    ProductionBatchSummary summary;
    EXPECT_EQ(
        RunBatch(services, &sheet, summary, &german).text,
        "3 Motoren nachgeschlagen, 2 mit Produktionsdaten gedruckt; Blatt TKM Zeilen 3-4 von tkm.xlsx.");
    const TextTable older;
    EXPECT_EQ(RunBatch(services, &sheet, summary, &older).text,
              "3 motors looked up, 2 printed with production data; sheet TKM rows 3-4 of tkm.xlsx.");

    services.failingJob = 2;
    EXPECT_EQ(RunBatch(services, nullptr, summary, &german).text,
              "3 Motoren nachgeschlagen, 1 mit Produktionsdaten gedruckt (angehalten); ohne Blatt.");
    ProductionBatch cancelled(services, nullptr);
    cancelled.runRow(1);
    cancelled.cancel();
    EXPECT_EQ(cancelled.finish("tkm.xlsx", &german).text,
              "1 Motoren nachgeschlagen, 1 mit Produktionsdaten gedruckt (abgebrochen); ohne Blatt.");
}

} // namespace production_batch_test
} // namespace
} // namespace airmotor::core
