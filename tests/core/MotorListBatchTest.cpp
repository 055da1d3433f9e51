#include "core/maintenance/MotorListBatch.h"
#include "core/maintenance/MotorDataEditor.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <tuple>

using namespace airmotor::core;
namespace {
namespace motor_list_batch_test {

namespace col = airmotor::core::motor_list;

// M(n) = 20 - 0.02 n Nm, L(n) = 5 + 0.01 n l/s; targets calibrate the curves.
MeasurementData Linear() {
    return std::get<MeasurementData>(ParseMeasurementFile(
        "6,10,0.5,0.1,1\r\n20,40,60,80,100,110\r\n32,24,16,8,0,-4\r\n70,90,110,130,150,160\r\n"
        "1100,0.6,0,12\r\n1.3,1,1\r\n2.5\r\n\"FROM-FILE\"\r\n#2026-12-07#\r\n"));
}

struct Sheet final : MotorListSheet {
    std::map<std::pair<int, int>, std::string> texts;
    std::map<std::pair<int, int>, double> numbers;
    int saves = 0;
    bool failSave = false;
    std::optional<std::string> unwritable;

    std::string text(int row, int column) const override {
        const auto it = texts.find({row, column});
        return it == texts.end() ? std::string() : it->second;
    }
    std::optional<double> number(int row, int column) const override {
        const auto it = numbers.find({row, column});
        return it == numbers.end() ? std::nullopt : std::optional<double>(it->second);
    }
    void setNumber(int row, int column, double value) override { numbers[{row, column}] = value; }
    std::optional<std::string> save() override {
        ++saves;
        return failSave ? std::optional<std::string>("list.xlsx: disk full") : std::nullopt;
    }
    std::optional<std::string> checkWritable() const override { return unwritable; }
    void row(int r, const std::string& designation, const std::string& file, const std::string& part1 = "") {
        texts[{r, col::kDesignation}] = designation;
        texts[{r, col::kMeasurementFile}] = file;
        texts[{r, col::kPartNumber1}] = part1;
    }
};

struct Services final : MotorListServices {
    std::vector<MotorRecord> added;
    std::vector<std::string> printed;
    bool failAdd = false;
    std::optional<std::string> failFind;

    std::variant<MeasurementData, std::string> readMeasurement(const std::string& file) override {
        if (file == "SHORT.DAT") {
            MeasurementData d = Linear();
            d.speed.resize(2), d.torque.resize(2), d.air.resize(2);
            return d;
        }
        return file.ends_with("GOOD.DAT") ? std::variant<MeasurementData, std::string>(Linear())
                                          : std::string(file + ": cannot be read: No such file or directory");
    }
    std::variant<int, std::string> addMotor(const MotorRecord& record, const std::string&) override {
        if (failAdd)
            return std::string("Zevodida.db: is locked");
        added.push_back(record);
        return 100 + static_cast<int>(added.size());
    }
    // An earlier add of the same designation and curves, as the catalogue would hold it.
    std::variant<std::optional<int>, std::string> findAdded(const MotorRecord& record,
                                                            const std::string& designation) override {
        if (failFind)
            return *failFind;
        for (std::size_t k = 0; k < added.size(); ++k)
            if (std::get<std::string>(*added[k].find("strBenamning")) == designation &&
                added[k].find("sngC1_M") != nullptr && *added[k].find("sngC1_M") == *record.find("sngC1_M"))
                return std::optional<int>(101 + static_cast<int>(k));
        return std::optional<int>();
    }
    std::optional<std::string> printDiagram(const MotorDataEditor& editor, int) override {
        printed.push_back(editor.texts().designation);
        return std::nullopt;
    }
};

std::string Text(const MotorRecord& r, const char* name) {
    return std::get<std::string>(*r.find(name));
}

TEST(MotorListBatch, UpdateAddsEachGoodRowOnceWritesItBackAndSkipsTheRestWithReasons) {
    Sheet sheet;
    sheet.row(2, "TKM20-A", "GOOD.DAT", "8411 01");
    sheet.row(3, "", "");
    sheet.row(4, "TKM20-B", "MISSING.DAT");
    sheet.row(5, "", " sub\\GOOD.DAT ", ""); // designation from the file, part numbers not carried over
    sheet.row(6, "TKM20-C", "GOOD.DAT");
    sheet.numbers[{6, col::kCatalogueIndex}] = 1;
    sheet.numbers[{2, col::kCatalogueIndex}] = 0; // not added yet
    sheet.row(7, "TKM20-D", "SHORT.DAT");
    sheet.row(8, "TKM20-E", "");
    Services services;
    MotorListBatch batch(sheet, services, MotorListMode::Update);
    for (int row = 2; row <= 8; ++row)
        EXPECT_TRUE(batch.runRow(row));

    const MotorListSummary& s = batch.summary();
    ASSERT_EQ(services.added.size(), 2u);
    EXPECT_EQ(Text(services.added[0], "strBenamning"), "TKM20-A");
    EXPECT_EQ(Text(services.added[0], "strDetaljnr1"), "8411 01");
    EXPECT_EQ(Text(services.added[1], "strBenamning"), "FROM-FILE");
    EXPECT_EQ(Text(services.added[1], "strDetaljnr1"), "");
    // The calibrated figures, as singles, and the new index; the sheet saved once per added row.
    EXPECT_NEAR(sheet.numbers.at({2, col::kMaxPower}), 0.6, 1e-4);
    for (const auto& [column, field] : {std::pair{col::kTorqueAtMax, "sngMomentMaxeff"},
                                        {col::kSpeedAtMax, "sngVarvMaxeff"},
                                        {col::kAirAtMax, "sngLuftMaxeff"}})
        EXPECT_EQ(static_cast<float>(sheet.numbers.at({2, column})),
                  static_cast<float>(std::get<double>(*services.added[0].find(field))));
    EXPECT_EQ(sheet.numbers.at({2, col::kCatalogueIndex}), 101.0);
    EXPECT_EQ(sheet.saves, 2);
    const std::vector<std::pair<int, std::string>> reasons = {
        {1, "empty row"},
        {2, "MISSING.DAT: cannot be read"},
        {4, "already in the catalogue as intKatalogindex 1 "},
        {5, "För få mätpunkter"},
        {6, "no measurement file in column L"}};
    for (const auto& [k, reason] : reasons) {
        EXPECT_EQ(s.rows[static_cast<std::size_t>(k)].outcome, RowOutcome::Skipped);
        EXPECT_NE(s.rows[static_cast<std::size_t>(k)].reason.find(reason), std::string::npos)
            << s.rows[static_cast<std::size_t>(k)].reason;
    }
    EXPECT_NE(SummaryText(s).find("7 rows: 2 added, 0 printed, 5 skipped."), std::string::npos);
}

TEST(MotorListBatch, FailuresStopOnlyWhereLaterRowsWouldLoseTheirIndex) {
    Sheet sheet;
    sheet.row(2, "A", "GOOD.DAT");
    sheet.row(3, "B", "GOOD.DAT");
    Services services;
    services.failAdd = true;
    MotorListBatch refused(sheet, services, MotorListMode::Update);
    EXPECT_TRUE(refused.runRow(2)); // the database refused this row: nothing written, go on
    EXPECT_EQ(refused.summary().rows[0].reason, "Zevodida.db: is locked");
    EXPECT_EQ(sheet.numbers.size(), 0u);

    services.failAdd = false;
    sheet.failSave = true;
    MotorListBatch unsaved(sheet, services, MotorListMode::Update);
    EXPECT_FALSE(unsaved.runRow(2));
    EXPECT_EQ(unsaved.summary().added, 1);
    EXPECT_NE(
        unsaved.summary().stopped.find("intKatalogindex 101, but the sheet could not be saved: list.xlsx"),
        std::string::npos);
}

TEST(MotorListBatch, PrintDrawsEveryRowIgnoringTheIndexColumn) {
    Sheet sheet;
    sheet.row(2, "P1", "GOOD.DAT");
    sheet.numbers[{2, col::kCatalogueIndex}] = 7;
    sheet.row(3, "P2", "NONE.DAT");
    Services services;
    MotorListBatch batch(sheet, services, MotorListMode::Print);
    batch.runRow(2);
    batch.runRow(3);
    EXPECT_EQ(services.printed, std::vector<std::string>{"P1"});
    EXPECT_TRUE(services.added.empty());
    EXPECT_EQ(sheet.saves, 0);
}

// Column M decides whether a row was added before: only an index an int can hold counts, and a value
// that is none (1e300, inf, 3e9) is refused with the row, never turned into a negative index.
TEST(MotorListBatch, ColumnMIsAnIndexOnlyWithinRange) {
    const std::vector<std::tuple<double, std::optional<int>, const char*>> cases = {
        {1.0, 1, "already in the catalogue as intKatalogindex 1 "},
        {2147483520.0, 2147483520, "already in the catalogue as intKatalogindex 2147483520 "},
        {3e9, std::nullopt, "column M holds 3e+09, which is no catalogue index"},
        {2147483647.0, std::nullopt, "column M holds 2147483647, which is no catalogue index"},
        {1e300, std::nullopt, "column M holds 1e+300, which is no catalogue index"},
        {std::numeric_limits<double>::infinity(), std::nullopt, "column M holds inf, which is no"},
        {-std::numeric_limits<double>::infinity(), std::nullopt, "column M holds -inf, which is no"},
    };
    for (const auto& [m, index, reason] : cases) {
        Sheet sheet;
        sheet.row(2, "A", "GOOD.DAT");
        sheet.numbers[{2, col::kCatalogueIndex}] = m;
        Services services;
        MotorListBatch batch(sheet, services, MotorListMode::Update);
        EXPECT_TRUE(batch.runRow(2));
        const MotorListRowResult& r = batch.summary().rows.front();
        EXPECT_EQ(r.outcome, RowOutcome::Skipped);
        EXPECT_EQ(r.catalogueIndex, index) << m;
        EXPECT_NE(r.reason.find(reason), std::string::npos) << r.reason;
        EXPECT_TRUE(services.added.empty());
    }
}

// Nothing reaches the catalogue while the sheet cannot be saved, and a motor an interrupted run
// added (index not in the sheet) is found and written back, not added twice.
TEST(MotorListBatch, AddsOnlyWhatTheSheetCanRecordAndNeverTwice) {
    Sheet sheet;
    sheet.row(2, "A", "GOOD.DAT");
    sheet.row(3, "B", "GOOD.DAT");
    sheet.unwritable = "list.xlsx: cannot be written (Read-only file system)";
    Services services;
    MotorListBatch readOnly(sheet, services, MotorListMode::Update);
    EXPECT_FALSE(readOnly.runRow(2));
    EXPECT_TRUE(services.added.empty());
    EXPECT_EQ(readOnly.summary().stopped,
              "row 2 was not added: list.xlsx: cannot be written (Read-only file system)");

    sheet.unwritable.reset();
    sheet.failSave = true; // killed before the save, as it were
    MotorListBatch interrupted(sheet, services, MotorListMode::Update);
    EXPECT_FALSE(interrupted.runRow(2));
    sheet.numbers.clear();
    sheet.failSave = false;
    MotorListBatch rerun(sheet, services, MotorListMode::Update);
    EXPECT_TRUE(rerun.runRow(2));
    EXPECT_TRUE(rerun.runRow(3));
    ASSERT_EQ(services.added.size(), 2u);
    EXPECT_EQ(rerun.summary().added, 2);
    EXPECT_EQ(sheet.numbers.at({2, col::kCatalogueIndex}), 101.0);
    EXPECT_NE(rerun.summary().rows[0].reason.find("added by an earlier run"), std::string::npos);
    EXPECT_EQ(sheet.numbers.at({3, col::kCatalogueIndex}), 102.0);

    services.failFind = "Zevodida.db: is locked";
    sheet.numbers.clear();
    MotorListBatch unreadable(sheet, services, MotorListMode::Update);
    EXPECT_TRUE(unreadable.runRow(2));
    EXPECT_EQ(unreadable.summary().rows[0].reason, "Zevodida.db: is locked");
    EXPECT_EQ(services.added.size(), 2u);
}

} // namespace motor_list_batch_test
} // namespace
