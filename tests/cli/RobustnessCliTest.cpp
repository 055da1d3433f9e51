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

using airmotor::cli::test::CliResult;
using airmotor::cli::test::ExpectFailure;
using airmotor::cli::test::RunCli;

namespace {

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

QByteArray Unchanged(const QString&, QByteArray bytes) {
    return bytes;
}

} // namespace

TEST(RobustnessCli, ExitCodesAndOneLineMessages) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    Write(dir.filePath("file"), "x");
    const struct {
        QStringList args;
        int status;
        const char* fragment;
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
         "cannot be written ("},
    };
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo + ".png").constData(), 0600), 0);
    // A private null device: a faulty build under test must not get to replace the system's.
    const bool device =
        ::mknod(QFile::encodeName(dir.filePath("null.png")).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    for (const auto& tc : cases)
        if (device || !tc.args.contains(dir.filePath("null.png")))
            ExpectFailure(RunCli(tc.args), tc.status, tc.fragment);
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

// Usage errors (2) and refusals (1) of every command: nothing on stdout, one line on stderr naming
// what is wrong, no file written. %D stands for a duty, %T for a private folder, %A for the Access
// files at hand (no catalogues: their import names what is missing).
TEST(RobustnessCli, UsageErrorsAndRefusalsOfEveryCommand) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("taken.pdf");
    Write(dir.filePath("SHORT.DAT"), "3,1,1,1,1\r\n1,2,3\r\n");
    const struct {
        const char* args;
        int status;
        const char* fragment;
    } cases[] = {
        {"", 2, "usage: airmotor-cli"},
        {"nonsense", 2, "nonsense"},
        {"frobnicate", 2, "airmotor-cli --help lists the commands"},
        {"frobnicate --help", 2, "unknown command"},
        {"--verbose catalogue", 2, "--verbose"},
        {"catalogue --colour red", 2, "colour"},
        {"--language Swedish texts", 2, "Swedish"},
        {"catalogue --folder", 2, "--folder"},
        {"make-database data", 2,
         "usage: airmotor-cli [--folder DIR] [--language LANG] [--json] make-database DATA_DIR"},
        {"factors --pressure 5", 2, "usage: airmotor-cli [--folder DIR] [--language LANG] [--json] factors"},
        {"axis --value 1 --bogus 2", 2,
         "; usage: airmotor-cli [--folder DIR] [--language LANG] [--json] axis"},
        {"factors --designation TKM22 --pressure 6,3", 2, "pressure"},
        {"factors --designation TKM22 --pressure 6 --previous 1,1", 2, "previous"},
        {"axis --value abc --axis X", 2, "value"},
        {"axis --value 3 --axis Z", 2, "axis"},
        {"decimals --value 1e999", 2, "value"},
        {"fit --degree -1 --points 0,1", 2, "degree"},
        {"fit --degree 2 --points 0,1|2", 2, "points"},
        {"--folder= catalogue", 2, "--folder needs a folder name"},
        {"search --nonsense 1", 2, "--nonsense"},
        {"search --torque 2 --select 99999999999", 2, "no such row"},
        {"list --select -40000", 2, "no such row"},
        {"search --select x", 2, "--select"},
        {"list --rotation left", 2, "--rotation"},
        {"search --series ABC", 2, "ABC"},
        {"search --alternative 6", 2, "--alternative"},
        {"search --obsolete all", 2, "--obsolete"},
        {"analyse %D --all --select 2", 2, "exclude each other"},
        {"analyse %D --select 9999", 2, "no such row"},
        {"analyse %D --hours -1", 2, "--hours"},
        {"analyse %D --hours 9000", 2, "--hours"},
        {"analyse %D --price nan", 2, "--price"},
        {"analyse %D --energy x", 2, "--energy"},
        {"compare %D --rows 1,2,3,4,5", 2, "at most 4"},
        {"compare %D --rows 1,999", 2, "row 999 does not exist"},
        {"compare %D --rows 2,3,2", 2, "row 2 was chosen twice"},
        {"compare %D --rows 1,x", 2, "--rows takes row numbers"},
        {"compare %D --rows 0", 2, "start at 1"},
        {"compare %D", 2, "--rows is required"},
        {"compare %D --rows 1 --out %T/c.bmp", 2, "unknown file type"},
        {"diagram", 2, "--out"},
        {"diagram --out %T/x.png --size 12x", 2, "--size"},
        {"diagram --out %T/x.png --alternative 6", 2, "alternative"},
        {"diagram --out %T/x.gif", 2, "unknown file type \"gif\""},
        {"drawing --index 1 --out %T/x.svg", 2, "use .png"},
        {"diagram --select 900 --out %T/x.png", 1, "no motor"}, // a row below the list
        {"datasheet --torque 100000 --speed 3000 --out %T/x.pdf", 2, "no motor"},
        {"datasheet --out %T/x.png", 2, ".pdf"},
        {"datasheet --mode all --out %T/x.pdf", 2, "--mode"},
        {"datasheet --copies 0 --out %T/x.pdf", 2, "--copies"},
        {"datasheet --out %T/taken.pdf", 1, "regular"},
        {"wagon --index 0", 2, "--index"},
        {"wagon --index 1 --own 1,1,1", 2, "exclude each other"},
        {"wagon --own 1,1", 2, "--own"},
        {"rotating-mass --own 1,1,1 --select 2", 2, "exclude each other"},
        {"wagon --select 999", 2, "no motor is current"},
        {"drawing --out %T/w.png", 2, "--index"},
        {"drawing --index 99999 --out %T/w.png", 2, "index"},
        {"measurement %T/SHORT.DAT --json", 1, "SHORT.DAT: line 3"},
        {"production --index 3 --production %T/gone.sqlite", 1, "gone.sqlite: the production"},
        {"production --production %T/gone.sqlite", 2, "--index is required"},
        {"import-catalogue %A/testV1997.mdb %T/imported.db", 1, "testV1997.mdb: has no table tblMotordata"},
        {"import-catalogue %A/test2V2000.mdb %T/imported.db --json", 1, "test2V2000.mdb: has no table"},
        {"import-catalogue %A/README.md %T/imported.db", 1, "is not an Access database"},
        {"import-catalogue %A/testV1997.mdb", 2, "needs a legacy Access catalogue"},
    };
    for (const auto& tc : cases) {
        QString line = QString::fromUtf8(tc.args);
        line.replace("%D", "--torque 10 --speed 3000 --pressure 6").replace("%T", dir.path());
        line.replace("%A", AIRMOTOR_SOURCE_DIR "/tests/data/access");
        QStringList args = line.split(' ', Qt::SkipEmptyParts).replaceInStrings("|", " ");
        SCOPED_TRACE(tc.args);
        ExpectFailure(RunCli(args), tc.status, tc.fragment);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList("SHORT.DAT"));
    // The model commands need no program folder: a useless one does not stop them.
    EXPECT_EQ(RunCli({"--folder", "/nonexistent", "decimals", "--value", "12"}).status, 0);
}

TEST(RobustnessCli, KeyFilteredFieldTextIsTypedWithAWarning) {
    const CliResult r = RunCli({"--folder", kBin, "search", "--torque", "1e999", "--speed", "300", "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, "airmotor-cli: warning: search: --torque \"1e999\" is typed as \"1999\" (the field "
                     "takes digits, '.', '-' and '*' only)\n");
    EXPECT_EQ(r.json()["fields"].toObject()["ArbetsMomentB"].toObject()["text"].toString(), "1999");
    // A decimal comma is typed as a point without a word.
    EXPECT_EQ(RunCli({"--folder", kBin, "search", "--torque", "2,5", "--speed", "300"}).err, "");
    // Every command that runs the window's search warns the same way.
    QTemporaryDir dir;
    const QString sheet = dir.filePath("sheet.pdf");
    for (const QStringList& args :
         {QStringList{"analyse", "--torque", "1e1", "--speed", "300", "--json"},
          QStringList{"datasheet", "--torque", "1e1", "--speed", "300", "--out", sheet, "--json"}}) {
        const CliResult c = RunCli(QStringList{"--folder", kBin} + args);
        ASSERT_EQ(c.status, 0) << c.err.toStdString();
        EXPECT_TRUE(c.err.contains("--torque \"1e1\" is typed as \"11\"")) << c.err.toStdString();
    }
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
    CopySources(dir.filePath("small"), Unchanged);
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
