#include "platform/MotorListFiles.h"
#include "core/maintenance/MotorListBatch.h"
#include "platform/MotorListWorkbook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace airmotor;
namespace col = core::motor_list;

TEST(MotorListFiles, AddedRowsGetTheirFiguresAndIndexWrittenIntoTheWorkbook) {
    QTemporaryDir dir;
    const QDir sample(AIRMOTOR_SOURCE_DIR "/data/samples/motor-list");
    for (const QString& name : sample.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(sample.filePath(name), dir.filePath(name)));
    ASSERT_TRUE(QFile::copy(AIRMOTOR_BIN_DIR "/Zevodida.db", dir.filePath("Zevodida.db")));
    const QString book = dir.filePath("Motorlista.xlsx");
    {
        auto list =
            std::get<std::unique_ptr<platform::MotorListWorkbook>>(platform::MotorListWorkbook::open(book));
        platform::MotorDataWriter writer(dir.filePath("Zevodida.db"));
        core::LanguageState language;
        platform::MotorListFiles files(list->folder(), writer, language, [](int) -> platform::PrintJobSink& {
            throw std::logic_error("no print");
        });
        core::MotorListBatch batch(*list, files, core::MotorListMode::Update);
        for (int row = 2; row <= list->lastRow(); ++row)
            ASSERT_TRUE(batch.runRow(row));
        ASSERT_EQ(batch.summary().added, 3) << core::SummaryText(batch.summary());
    }
    platform::Workbook reread = std::get<platform::Workbook>(platform::Workbook::open(book));
    const platform::WorkbookSheet& s = *std::get<platform::WorkbookSheet*>(reread.sheet("Motorer"));
    EXPECT_EQ(s.text(1, col::kDesignation), "Motorbeteckning");
    EXPECT_EQ(s.text(2, col::kDrawing), "TKM20");
    EXPECT_EQ(s.text(4, col::kMeasurementFile), "TKS05C3.DAT");
    double lastIndex = 0;
    for (int row = 2; row <= 4; ++row) {
        for (int column :
             {col::kFreeSpeed, col::kMaxPower, col::kTorqueAtMax, col::kSpeedAtMax, col::kAirAtMax})
            EXPECT_GT(s.number(row, column).value_or(0), 0.0) << row << "," << column;
        ASSERT_TRUE(std::holds_alternative<double>(s.cell(row, col::kCatalogueIndex)));
        EXPECT_GT(s.number(row, col::kCatalogueIndex).value(), lastIndex);
        lastIndex = *s.number(row, col::kCatalogueIndex);
    }
    // The sample's targets: the calibrated free speed of the first motor is its target.
    EXPECT_NEAR(*s.number(2, col::kFreeSpeed), 1400.0, 1.0);
    EXPECT_EQ(reread.sheetNames(), (std::vector<std::string>{"Motorer", "Info"}));
}
