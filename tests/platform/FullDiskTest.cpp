#include "platform/drawing/DiagramExport.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/MeasurementFileStore.h"
#include "platform/files/SelectionFile.h"
#include "platform/files/SettingsFile.h"
#include "platform/files/UserPreferences.h"
#include "platform/printing/PrintJobs.h"
#include "platform/storage/DatabaseBuilder.h"
#include "platform/workbook/AnalysisWorkbook.h"
#include "platform/workbook/Workbook.h"

#include "SmallDisk.h"
#include "TestDatabase.h"

#include <QPainter>
#include <QPrinter>

#include <functional>
#include <sys/stat.h>

using namespace airmotor;
using namespace airmotor::platform;
namespace {
namespace full_disk_test {

using platform::test::ReadFile;
using platform::test::WriteFile;

using Write = std::function<std::optional<std::string>(const QString& path)>;

std::optional<std::string> Message(const std::optional<FileError>& error) {
    return error ? std::optional<std::string>(error->message) : std::nullopt;
}

QByteArray AnalysisWorkbookBytes() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("rows.xlsx"));
    EXPECT_FALSE(WriteAnalysisWorkbook(file, {}, {}, "EUR"));
    return ReadFile(file);
}

// Every writer meets a disk with no room left: the old file stays as it was, no temporary file is
// left behind, and the message names the file and the system's reason. (The small outputs used to
// be reported as written while the file on disk became empty.)
TEST(FullDisk, EveryWriterKeepsTheOldFileAndSaysWhy) {
    airmotor::test::SmallDisk disk;
    if (!disk.skipReason().empty())
        GTEST_SKIP() << disk.skipReason();
    const QByteArray workbook = AnalysisWorkbookBytes();
    const auto chart = [](const QString& path) -> std::optional<std::string> {
        const QString error =
            ExportChart([](QPainter& p, const QRectF& area) { p.fillRect(area, Qt::white); }, path,
                        QSize(120, 80), QStringLiteral("Chart"));
        return error.isEmpty() ? std::nullopt : std::optional<std::string>(error.toStdString());
    };
    const struct {
        const char* file;
        QByteArray old;
        const char* reason;
        Write write;
    } cases[] = {
        {"plain.txt", "old text", "No space left on device",
         [](const QString& p) { return Message(WriteFileAtomically(p, "new text")); }},
        {"motors.xlsx", workbook, "No space left on device",
         [](const QString& p) -> std::optional<std::string> {
             auto opened = Workbook::open(p);
             if (auto* error = std::get_if<std::string>(&opened))
                 return "not opened: " + *error;
             return std::get<Workbook>(opened).save();
         }},
        {"rows.xlsx", workbook, "No space left on device",
         [](const QString& p) { return Message(WriteAnalysisWorkbook(p, {}, {}, "EUR")); }},
        {"choice.json", "{}", "No space left on device",
         [](const QString& p) { return Message(WriteSelectionFile(p, core::SavedSelection{})); }},
        {"ZEVODIDA.DAT", "\"2020-01-01\",\"German\",0\n", "No space left on device",
         [](const QString& p) {
             return Message(
                 SettingsFile(ResolveProgramFolder(QFileInfo(p).path(), QString())).write(core::Settings{}));
         }},
        {"M1.DAT", "0,1,1,1,1\n", "No space left on device",
         [](const QString& p) { return Message(MeasurementFileStore::write(p, core::MeasurementData{})); }},
        {"chart.png", "old png", "No space left on device", chart},
        {"chart.svg", "old svg", "No space left on device", chart},
        {"chart.pdf", "old pdf", "No space left on device", chart},
        {"sheet.pdf", "old sheet", "No space left on device",
         [](const QString& p) -> std::optional<std::string> {
             PdfJobSink sink(p);
             const PrintRun run = RunOnePageJobs(sink, 1, QPageLayout::Portrait, QStringLiteral("Sheet"),
                                                 [](QPainter&, const QRectF&, double, int) {});
             return run.ok() ? std::nullopt : std::optional<std::string>(run.error.toStdString());
         }},
        {"printer.pdf", "old print", "No space left on device",
         [](const QString& p) -> std::optional<std::string> {
             QPrinter printer(QPrinter::HighResolution);
             printer.setOutputFormat(QPrinter::PdfFormat);
             printer.setOutputFileName(p);
             PrinterJobSink sink(printer);
             const PrintRun run = RunOnePageJobs(sink, 1, QPageLayout::Portrait, QStringLiteral("Sheet"),
                                                 [](QPainter&, const QRectF&, double, int) {});
             return run.ok() ? std::nullopt : std::optional<std::string>(run.error.toStdString());
         }},
        // SQLite reports the full disk in its own words.
        {"Zevodida.db", "old catalogue", "disk is full",
         [](const QString& p) -> std::optional<std::string> {
             const auto built = DatabaseBuilder::build(QStringLiteral(AIRMOTOR_SOURCE_DIR "/data"), p);
             if (const auto* error = std::get_if<BuildError>(&built))
                 return error->message;
             return std::nullopt;
         }},
        {"airmotor.conf", "[airCost]\nhoursPerYear=1000\n", "No space left on device",
         [](const QString& p) -> std::optional<std::string> {
             core::RecordingMessageSink messages;
             UserPreferences(p, messages).setAirCost({3000.0, 0.2, 0.3});
             if (messages.messages.empty())
                 return std::nullopt;
             return messages.messages.back().text;
         }},
    };
    for (const auto& c : cases) {
        const QString file = disk.path(QString::fromLatin1(c.file));
        disk.empty();
        WriteFile(file, c.old);
        disk.fill();
        const std::optional<std::string> error = c.write(file);
        EXPECT_EQ(ReadFile(file), c.old) << c.file;
        QFile::remove(file);
        if (!error) {
            ADD_FAILURE() << c.file << ": reported as written";
            continue;
        }
        EXPECT_NE(error->find(file.toStdString()), std::string::npos) << *error;
        EXPECT_NE(error->find(c.reason), std::string::npos) << *error;
        EXPECT_EQ(disk.files(), QStringList()) << c.file << ": left behind";
    }
}

// The file a link names is replaced and the link stays; the permissions of the replaced file are
// kept; what is no regular file, and a link whose target cannot be made, are named.
TEST(FullDisk, ReplacementFollowsLinksAndKeepsPermissions) {
    QTemporaryDir dir;
    const auto at = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    WriteFile(at("target.txt"), "old");
    ASSERT_TRUE(QFile::setPermissions(at("target.txt"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                            QFileDevice::ReadGroup));
    ASSERT_TRUE(QFile::link(at("target.txt"), at("link.txt")));
    ASSERT_TRUE(QFile::link(QStringLiteral("target.txt"), at("relative.txt")));
    ASSERT_TRUE(QFile::link(at("missing/new.txt"), at("dangling.txt")));
    ASSERT_TRUE(QFile::link(at("created.txt"), at("pending.txt")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));

    EXPECT_FALSE(WriteFileAtomically(at("link.txt"), "via link"));
    EXPECT_TRUE(QFileInfo(at("link.txt")).isSymLink());
    EXPECT_EQ(ReadFile(at("target.txt")), "via link");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(at("target.txt")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_FALSE(WriteFileAtomically(at("relative.txt"), "relative"));
    EXPECT_EQ(ReadFile(at("target.txt")), "relative");
    EXPECT_FALSE(WriteFileAtomically(at("pending.txt"), "made"));
    EXPECT_EQ(ReadFile(at("created.txt")), "made");

    const struct {
        const char* file;
        const char* says;
    } refused[] = {
        {"dangling.txt", "is a symbolic link to "},
        {"folder", "is a folder, not a regular file"},
    };
    for (const auto& r : refused) {
        const auto error = WriteFileAtomically(at(r.file), "x");
        ASSERT_TRUE(error.has_value()) << r.file;
        EXPECT_NE(error->message.find(at(r.file).toStdString() + ": " + r.says), std::string::npos)
            << error->message;
    }
    const auto dangling = WriteFileAtomically(at("dangling.txt"), "x");
    EXPECT_NE(dangling->message.find(at("missing/new.txt").toStdString()), std::string::npos);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 6);
}

// A copy takes the first free name, leaves the taken ones alone, and when it cannot be completed
// (an unreadable source, a full disk) leaves nothing behind and names the file it was to write.
TEST(FullDisk, CopiesTakeAFreeNameOrLeaveNothing) {
    airmotor::test::SmallDisk disk;
    if (!disk.skipReason().empty())
        GTEST_SKIP() << disk.skipReason();
    QTemporaryDir dir;
    WriteFile(dir.filePath("source.db"), QByteArray(20000, 'x'));
    const auto named = [](const QString& folder) {
        return [folder](int n) {
            return QDir(folder).filePath(n == 1 ? "copy.db" : QString("copy-%1.db").arg(n));
        };
    };
    WriteFile(dir.filePath("copy.db"), "taken");
    WriteFile(dir.filePath("copy-2.db"), "taken");
    QFile source(dir.filePath("source.db"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const auto copied = CopyToNewFile(source, named(dir.path()));
    ASSERT_TRUE(std::holds_alternative<QString>(copied)) << std::get<FileError>(copied).message;
    EXPECT_EQ(std::get<QString>(copied), dir.filePath("copy-3.db"));
    EXPECT_EQ(ReadFile(dir.filePath("copy-3.db")), QByteArray(20000, 'x'));
    EXPECT_EQ(ReadFile(dir.filePath("copy-2.db")), "taken");

    // Every name the caller offers is taken: the copy is refused naming the first, and its
    // temporary is gone.
    const auto full = CopyToNewFile(source, [&dir](int) { return dir.filePath("copy.db"); });
    ASSERT_TRUE(std::holds_alternative<FileError>(full));
    EXPECT_EQ(std::get<FileError>(full).message,
              dir.filePath("copy.db").toStdString() + ": cannot be written: every name like it is taken");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);

    QFile writeOnly(dir.filePath("source.db"));
    ASSERT_TRUE(writeOnly.open(QIODevice::WriteOnly | QIODevice::Append));
    disk.fill();
    for (QFile* from : {&writeOnly, &source}) {
        const auto failed = CopyToNewFile(*from, named(disk.path(QString())));
        ASSERT_TRUE(std::holds_alternative<FileError>(failed));
        EXPECT_NE(std::get<FileError>(failed).message.find(disk.path("copy.db").toStdString() +
                                                           ": cannot be written"),
                  std::string::npos)
            << std::get<FileError>(failed).message;
        EXPECT_EQ(disk.files(), QStringList());
    }
}

} // namespace full_disk_test
} // namespace
