#include "../platform/SmallDisk.h"
#include "CliRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
namespace robustness_cli_test {

using airmotor::cli::test::CliResult;
using airmotor::cli::test::ExpectFailure;
using airmotor::cli::test::RunCli;

const QString kBin = QStringLiteral(AIRMOTOR_BIN_DIR);
const QString kData = QStringLiteral(AIRMOTOR_SOURCE_DIR "/data");
const QString kCli = QStringLiteral(AIRMOTOR_BIN_DIR "/airmotor-cli");

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

// A copy of the bundled sources in `folder`, each file passed through `edit`.
void CopySources(const QString& folder, const std::function<QByteArray(const QString&, QByteArray)>& edit) {
    QDir().mkpath(folder);
    for (const QString f : {"motors.csv", "texts.csv", "imperial.csv"})
        Write(folder + "/" + f, edit(f, Read(kData + "/" + f)));
}

TEST(RobustnessCli, ExitCodesAndOneLineMessages) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    Write(dir.filePath("file"), "x");
    const struct {
        QStringList args;
        int status;
        std::string fragment;
    } cases[] = {
        {{"--folder", dir.filePath("file"), "catalogue"}, 1, "is a regular file, not a folder"},
        {{"--folder", kBin, "diagram", "--out", ""}, 2, "--out needs a file name"},
        {{"--folder", kBin, "diagram", "--out", fifo + ".png"}, 1, "a FIFO"},
        {{"--folder", kBin, "drawing", "--index", "5", "--out", dir.filePath("null.png")},
         1,
         "character device"},
        {{"make-database", kData, "/dev/null"}, 1, "/dev/null: is a character device"},
        {{"--folder", kBin, "drawing", "--index", "5", "--out", dir.filePath("no/x.png")},
         1,
         "x.png: cannot be written: No such file or directory"},
        {{"--folder", kBin, "export", "--torque", "10", "--speed", "3000", "--out",
          dir.filePath("dangling.csv")},
         1,
         "dangling.csv: is a symbolic link to " + dir.filePath("gone/x.csv").toStdString() +
             ", which cannot be created: No such file or directory"},
    };
    ASSERT_TRUE(QFile::link(dir.filePath("gone/x.csv"), dir.filePath("dangling.csv")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo + ".png").constData(), 0600), 0);
    // A private null device: a faulty build under test must not get to replace the system's.
    const bool device =
        ::mknod(QFile::encodeName(dir.filePath("null.png")).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    for (const auto& tc : cases)
        if (device || !tc.args.contains(dir.filePath("null.png")))
            ExpectFailure(RunCli(tc.args), tc.status, tc.fragment.c_str());
    EXPECT_FALSE(QFileInfo(fifo + ".png").isFile());
    EXPECT_FALSE(QFileInfo(dir.filePath("null.png")).isFile());

    // A folder name that is no UTF-8 (QProcess would encode it): passed as raw bytes by the shell.
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"),
                {"-c", "exec \"$0\" --folder \"$(printf '/tmp/bad\\377')\" catalogue", kCli});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 1);
    EXPECT_TRUE(shell.readAllStandardError().contains("not valid UTF-8"));
    if (::geteuid() != 0) { // root reads every folder
        QDir(dir.path()).mkdir("closed");
        QFile::setPermissions(dir.filePath("closed"), QFileDevice::WriteOwner);
        ExpectFailure(RunCli({"--folder", dir.filePath("closed"), "catalogue"}), 1, "Permission denied");
    }
}

// An output that meets a full disk is an error (exit 1) that names the file and the reason, and the
// file that was there stays whole. (These used to be reported as written, leaving an empty file.)
TEST(RobustnessCli, FullDiskIsAnErrorAndTheOldFileStays) {
    airmotor::test::SmallDisk disk;
    if (!disk.skipReason().empty())
        GTEST_SKIP() << disk.skipReason();
    const QStringList duty = {"--torque", "10", "--speed", "3000", "--pressure", "6"};
    const struct {
        const char* command;
        QStringList options;
        const char* out;
    } cases[] = {
        {"export", duty, "old.csv"},
        {"export", duty, "old.xlsx"},
        {"diagram", duty, "diagram.png"},
        {"diagram", duty, "diagram.svg"},
        {"drawing", {"--index", "5"}, "drawing.png"},
        {"datasheet", duty, "sheet.pdf"},
        {"compare", duty + QStringList{"--rows", "1,2"}, "compare.pdf"},
        {"catalogue-table", {}, "table.pdf"},
    };
    for (const auto& c : cases) {
        const QString out = disk.path(QString::fromLatin1(c.out));
        disk.empty();
        Write(out, "the old file");
        disk.fill();
        const CliResult r =
            RunCli(QStringList{"--folder", kBin, c.command} + c.options + QStringList{"--out", out});
        ExpectFailure(r, 1, "No space left on device");
        EXPECT_TRUE(r.err.contains(out.toUtf8())) << r.err.toStdString();
        EXPECT_EQ(Read(out), "the old file") << c.out;
        EXPECT_EQ(disk.files(), QStringList{QString::fromLatin1(c.out)});
        QFile::remove(out);
    }
}

// The catalogue is written before the workbook: when the workbook's save meets a full disk, the run
// fails naming it and leaves it whole, and the next run recognises the motor it already added.
TEST(RobustnessCli, AMotorListSaveOnAFullDiskFailsAndTheNextRunAddsNoCopy) {
    airmotor::test::SmallDisk disk;
    if (!disk.skipReason().empty())
        GTEST_SKIP() << disk.skipReason();
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(kBin + QStringLiteral("/Zevodida.db"), folder.filePath("Zevodida.db")));
    const QDir sample(AIRMOTOR_SOURCE_DIR "/data/samples/motor-list");
    for (const QString& name : sample.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(sample.filePath(name), disk.path(name)));
    const QString book = disk.path(QStringLiteral("Motorlista.xlsx"));
    const QByteArray before = Read(book);
    const QStringList run = {"--folder", folder.path(), "motor-list", book, "--rows", "2-2", "--update"};
    disk.fill();
    const CliResult full = RunCli(run);
    ExpectFailure(full, 1, "No space left on device");
    EXPECT_TRUE(full.err.contains(book.toUtf8())) << full.err.toStdString();
    EXPECT_EQ(Read(book), before);
    EXPECT_EQ(disk.files(), sample.entryList(QDir::Files));

    disk.empty();
    const CliResult again = RunCli(run + QStringList{"--json"});
    ASSERT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_TRUE(again.out.contains("added by an earlier run")) << again.out.toStdString();
    EXPECT_EQ(airmotor::cli::test::Listed(folder.path(), "TKM20-S1-EX"), 1);
}

// The usage errors and refusals of every command are recorded with the CLI's outputs; these three
// cannot be written there (no arguments at all, an option without its value at the end, a folder in
// the way of the output).
TEST(RobustnessCli, UsageErrorsTheRecordedOutputsCannotHold) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("taken.pdf");
    ExpectFailure(RunCli({}), 2, "usage: airmotor-cli");
    ExpectFailure(RunCli({"catalogue", "--folder"}), 2, "--folder");
    ExpectFailure(RunCli({"datasheet", "--out", dir.filePath("taken.pdf")}), 1, "regular");
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    // The model and measurement commands need no program folder: a useless one does not stop them.
    for (const QStringList& command :
         {QStringList{"decimals", "--value", "12"},
          QStringList{"measurement", AIRMOTOR_SOURCE_DIR "/tests/cli/recorded/TKM20.DAT"}})
        EXPECT_EQ(RunCli(QStringList{"--folder", "/nonexistent"} + command).status, 0)
            << command[0].toStdString();
}

TEST(RobustnessCli, FifosAndFailuresAfterWarningsDoNotHangOrPrintTwice) {
    QTemporaryDir dir;
    // A catalogue whose load warns (a search index naming no motor), and a FIFO as the settings file.
    CopySources(dir.filePath("src"), [](const QString& f, QByteArray bytes) {
        return f == "motors.csv" ? bytes.replace("\n318,83,", "\n318,999,") : bytes;
    });
    ASSERT_EQ(RunCli({"make-database", dir.filePath("src"), dir.filePath("Zevodida.db")}).status, 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("ZEVODIDA.DAT")).constData(), 0600), 0);
    const CliResult ok = RunCli({"--folder", dir.path(), "catalogue", "--json"});
    ASSERT_EQ(ok.status, 0) << ok.err.toStdString();
    EXPECT_TRUE(ok.err.contains("warning: ") && ok.err.contains("name no motor")) << ok.err.toStdString();
    ExpectFailure(RunCli({"--folder", dir.path(), "search", "--alternative", "9"}), 2, "alternative");

    QFile::remove(dir.filePath("src/motors.csv"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.filePath("src/motors.csv")));
    ExpectFailure(RunCli({"make-database", dir.filePath("src"), dir.filePath("Zevodida.db")}), 1,
                  "motors.csv: is a character device");
}

// A build killed in the middle leaves the previous database as it was, and its temporary one,
// which the next build removes.
TEST(RobustnessCli, KilledBuildKeepsThePreviousDatabaseAndLeavesNothingAfterTheNextBuild) {
    QTemporaryDir dir;
    CopySources(dir.filePath("big"), [](const QString& f, QByteArray bytes) {
        if (f != "motors.csv")
            return bytes;
        // Many copies of the first motor under new keys: a build that takes a while.
        const QList<QByteArray> lines = bytes.split('\n');
        const QByteArray tail = lines[1].mid(lines[1].indexOf(','));
        QByteArray out = lines[0] + '\n';
        for (int k = 1; k <= 60000; ++k)
            out += QByteArray::number(k) + tail + '\n';
        return out;
    });
    const QString out = dir.filePath("Z.db");
    const QRegularExpression temporary(QStringLiteral("^Z\\.db\\.tmp-"));
    const auto temporaries = [&] {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(temporary);
    };
    CopySources(dir.filePath("small"), [](const QString&, QByteArray bytes) { return bytes; });
    ASSERT_EQ(RunCli({"make-database", dir.filePath("small"), out}).status, 0);
    const QByteArray previous = Read(out);
    QProcess build;
    build.start(kCli, {"make-database", dir.filePath("big"), out});
    QElapsedTimer clock;
    clock.start();
    // Generous: a sanitized build on a loaded machine reads the big sources for a long while.
    while (temporaries().isEmpty() && build.state() != QProcess::NotRunning && clock.elapsed() < 180000)
        QThread::msleep(2);
    QThread::msleep(20);
    build.kill();
    build.waitForFinished();
    ASSERT_FALSE(temporaries().isEmpty()) << "the build ended before it could be killed";
    EXPECT_EQ(Read(out), previous);

    ASSERT_EQ(RunCli({"make-database", dir.filePath("small"), out}).status, 0);
    EXPECT_EQ(temporaries(), QStringList());
}

// Texts and motors of one command come from the same version of a database rebuilt meanwhile.
TEST(RobustnessCli, EverySearchSeesOneVersionWhileTheDatabaseIsRebuilt) {
    QTemporaryDir dir;
    for (const char* version : {"A", "B"})
        CopySources(dir.filePath(version), [&](const QString& f, QByteArray bytes) {
            if (f == "texts.csv") // a long text keeps the texts' read open long enough to matter
                return bytes
                    .replace("\n138,The min. start torque of this motor,",
                             "\n138,The min. start torque of this motor " + QByteArray(version) + ",")
                    .replace("\n0,English,Deutsch,", "\n0,English,Deutsch" + QByteArray(2 << 20, 'x') + ",");
            if (f == "motors.csv") // every product number ends in the version letter
                return QString::fromUtf8(bytes)
                    .replace(QRegularExpression("\n(\\d+,\\d+,[^,\n]*,[^,\n]*)"),
                             QStringLiteral("\n\\1") + version)
                    .toUtf8();
            return bytes;
        });
    const QString db = dir.filePath("Zevodida.db");
    ASSERT_EQ(RunCli({"make-database", dir.filePath("A"), db}).status, 0);
    QProcess rebuild;
    rebuild.start(QStringLiteral("/bin/sh"),
                  {"-c",
                   QStringLiteral("while [ ! -e \"$3.stop\" ]; do \"$0\" make-database \"$1\" \"$3\"; "
                                  "\"$0\" make-database \"$2\" \"$3\"; done"),
                   kCli, dir.filePath("A"), dir.filePath("B"), db});
    ASSERT_TRUE(rebuild.waitForStarted());
    const QRegularExpression text("motor ([AB]) \\(");
    const QRegularExpression product("\"lblProductNumber\":\"[^\"]*([AB])\"");
    int searches = 0;
    QElapsedTimer clock;
    clock.start();
    int mixed = 0;
    // At least a few searches however slow the machine, so the check below has something to see.
    while ((clock.elapsed() < 4000 || searches < 3) && !HasFailure()) {
        const CliResult r = RunCli({"--folder", dir.path(), "search", "--torque", "2", "--speed", "300",
                                    "--pressure", "6", "--json"});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        const QString json = QString::fromUtf8(r.out);
        const auto t = text.match(json);
        const auto p = product.match(json);
        EXPECT_TRUE(t.hasMatch() && p.hasMatch()) << r.out.left(300).toStdString();
        mixed += t.captured(1) != p.captured(1) ? 1 : 0;
        ++searches;
    }
    EXPECT_EQ(mixed, 0) << "of " << searches << " searches saw texts of one version, motors of the other";
    Write(db + ".stop", "");
    EXPECT_TRUE(rebuild.waitForFinished(120000));
}

} // namespace robustness_cli_test
} // namespace
