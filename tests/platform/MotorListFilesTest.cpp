#include "platform/workbook/MotorListFiles.h"
#include "core/maintenance/MotorListBatch.h"
#include "platform/storage/SqliteConnection.h"
#include "platform/workbook/MotorListWorkbook.h"

#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <sched.h>
#include <sys/mount.h>

using namespace airmotor;
namespace {
namespace motor_list_files_test {

namespace col = core::motor_list;
using platform::test::ReadFile;
using platform::test::WriteFile;

// The sample list (rows 2-4, with their measurement files) in `folder`, the catalogue in `database`.
struct SampleList {
    QString book, database;
    platform::MotorDataWriter writer{database};
    core::LanguageState language;

    SampleList(const QString& folder, const QString& databaseFile)
        : book(folder + "/Motorlista.xlsx"), database(databaseFile) {
        const QDir sample(AIRMOTOR_SOURCE_DIR "/data/samples/motor-list");
        for (const QString& name : sample.entryList(QDir::Files))
            EXPECT_TRUE(QFile::copy(sample.filePath(name), QDir(folder).filePath(name)));
        EXPECT_TRUE(QFile::copy(AIRMOTOR_BIN_DIR "/Zevodida.db", database));
    }
    // Runs rows 2..last; the batch's summary.
    core::MotorListSummary run(int last, const std::function<void()>& afterOpen = {}) {
        auto opened = platform::MotorListWorkbook::open(book);
        EXPECT_TRUE(std::holds_alternative<std::unique_ptr<platform::MotorListWorkbook>>(opened));
        auto& list = *std::get<std::unique_ptr<platform::MotorListWorkbook>>(opened);
        if (afterOpen)
            afterOpen();
        platform::MotorListFiles files(list.folder(), writer, language, [](int) -> platform::PrintJobSink& {
            throw std::logic_error("no print");
        });
        core::MotorListBatch batch(list, files, core::MotorListMode::Update);
        for (int row = 2; row <= last && batch.runRow(row); ++row) {
        }
        return batch.summary();
    }
    int copies(const char* designation) const {
        platform::SqliteConnection connection(database, platform::SqliteConnection::Mode::ReadOnly);
        EXPECT_TRUE(connection.open());
        QSqlQuery q(connection.database());
        q.prepare("SELECT COUNT(*) FROM tblMotordata WHERE strBenamning = ?");
        q.addBindValue(QString::fromUtf8(designation));
        EXPECT_TRUE(q.exec() && q.next());
        return q.value(0).toInt();
    }
};

TEST(MotorListFiles, AddedRowsGetTheirFiguresAndIndexWrittenIntoTheWorkbook) {
    QTemporaryDir dir;
    SampleList list(dir.path(), dir.filePath("Zevodida.db"));
    const core::MotorListSummary summary = list.run(4);
    ASSERT_EQ(summary.added, 3) << core::SummaryText(summary);
    platform::Workbook reread = std::get<platform::Workbook>(platform::Workbook::open(list.book));
    const platform::WorkbookSheet& s = *std::get<platform::WorkbookSheet*>(reread.sheet("Motorer"));
    EXPECT_EQ((std::array{s.text(1, col::kDesignation), s.text(2, col::kDrawing),
                          s.text(4, col::kMeasurementFile)}),
              (std::array<std::string, 3>{"Motorbeteckning", "TKM20", "TKS05C3.DAT"}));
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

// Killed between the catalogue write and the workbook save, a run leaves the motor in the catalogue
// without its index in column M: the next run finds it and writes the index back.
TEST(MotorListFiles, AMotorAnInterruptedRunAddedGetsItsIndexBackInsteadOfACopy) {
    QTemporaryDir dir;
    SampleList list(dir.path(), dir.filePath("Zevodida.db"));
    const QByteArray unsaved = ReadFile(list.book);
    const core::MotorListSummary first = list.run(2);
    ASSERT_EQ(first.added, 1) << core::SummaryText(first);
    WriteFile(list.book, unsaved); // the workbook as the interrupted run left it: not saved
    const core::MotorListSummary again = list.run(3);
    ASSERT_EQ(again.added, 2) << core::SummaryText(again);
    EXPECT_EQ(again.rows[0].catalogueIndex, first.rows[0].catalogueIndex);
    EXPECT_NE(again.rows[0].reason.find("added by an earlier run"), std::string::npos)
        << again.rows[0].reason;
    EXPECT_EQ(again.rows[1].reason, "");
    EXPECT_EQ(std::make_pair(list.copies("TKM20-S1-EX"), list.copies("TKM30-S2-EX")), std::make_pair(1, 1));
    platform::Workbook reread = std::get<platform::Workbook>(platform::Workbook::open(list.book));
    const auto& s = *std::get<platform::WorkbookSheet*>(reread.sheet("Motorer"));
    EXPECT_EQ(s.number(2, col::kCatalogueIndex), std::optional<double>(*first.rows[0].catalogueIndex));
}

// Another program saved the workbook while the batch ran: its change is kept and nothing is added.
TEST(MotorListFiles, AWorkbookChangedByAnotherProgramIsNotOverwritten) {
    QTemporaryDir dir;
    SampleList list(dir.path(), dir.filePath("Zevodida.db"));
    QByteArray theirs;
    const core::MotorListSummary summary = list.run(3, [&] {
        theirs = ReadFile(list.book) + "other program";
        WriteFile(list.book, theirs);
    });
    EXPECT_EQ(summary.added, 0);
    EXPECT_NE(summary.stopped.find("was changed by another program since it was read"), std::string::npos)
        << summary.stopped;
    EXPECT_EQ(summary.rows.size(), 1u);
    EXPECT_EQ(ReadFile(list.book), theirs);
    EXPECT_EQ(list.copies("TKM20-S1-EX"), 0);
}

// A workbook that cannot be saved (here on a read-only file system) stops the batch before the first
// catalogue write: otherwise every retry would add the row's motor again.
TEST(MotorListFiles, AWorkbookThatCannotBeSavedAddsNothing) {
    // Mounts of this process only: whatever happens to the test, none is left behind.
    if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "no mount namespace of its own here (needs root): read-only workbook not checked";
    QTemporaryDir dir;
    const QByteArray mount = QFile::encodeName(dir.filePath("ro"));
    ASSERT_TRUE(QDir().mkdir(dir.filePath("ro")));
    ASSERT_EQ(::mount("tmpfs", mount.constData(), "tmpfs", 0, "size=4m"), 0);
    const std::unique_ptr<const char, void (*)(const char*)> unmount(mount.constData(),
                                                                     [](const char* m) { ::umount(m); });
    SampleList list(dir.filePath("ro"), dir.filePath("Zevodida.db"));
    ASSERT_EQ(::mount(nullptr, mount.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    for (int retry = 0; retry < 3; ++retry) {
        const core::MotorListSummary run = list.run(3);
        EXPECT_EQ(run.added, 0);
        EXPECT_NE(run.stopped.find("row 2 was not added: "), std::string::npos) << run.stopped;
        EXPECT_NE(run.stopped.find("Motorlista.xlsx: cannot be written"), std::string::npos) << run.stopped;
    }
    EXPECT_EQ(list.copies("TKM20-S1-EX"), 0);
}

} // namespace motor_list_files_test
} // namespace
