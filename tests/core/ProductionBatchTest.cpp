#include "core/production/ProductionBatch.h"

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

ProductionBatch::End RunBatch(Services& services, SheetWriter* sheet, ProductionBatchSummary& summary) {
    ProductionBatch batch(services, sheet);
    for (int row = 1; row <= kProductionResultRows && batch.runRow(row);)
        ++row;
    auto end = batch.finish("tkm.xlsx");
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

} // namespace production_batch_test
} // namespace
} // namespace airmotor::core
