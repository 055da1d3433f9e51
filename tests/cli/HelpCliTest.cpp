#include "CliRunner.h"
#include "core/common/ProgramVersion.h"

#include <QProcessEnvironment>
#include <QRegularExpression>

using namespace airmotor::cli::test;

namespace {
namespace help_cli_test {

// The command names as the program's own help lists them (two-space indent under "Commands:").
QStringList ListedCommands() {
    const CliResult r = RunCli({"--help"});
    QStringList names;
    bool inCommands = false;
    for (const QByteArray& line : r.out.split('\n')) {
        if (line == "Commands:")
            inCommands = true;
        else if (inCommands && line.startsWith("  "))
            names << QString::fromUtf8(line.trimmed().split(' ').first());
        else if (inCommands)
            break;
    }
    return names;
}

TEST(HelpCli, VersionOfBothPrograms) {
    for (const char* program : {"airmotor-cli", "airmotor"}) {
        QProcess process;
        // The desktop program answers without a window system.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb");
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(AIRMOTOR_BIN_DIR "/") + program, {"--version"});
        ASSERT_TRUE(process.waitForFinished(30000)) << program;
        EXPECT_EQ(process.exitCode(), 0) << program;
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        EXPECT_TRUE(out.startsWith(QString(program) + " " +
                                   QString::number(airmotor::core::ThisBuild().versionMajor) + "."))
            << out.toStdString();
        EXPECT_TRUE(out.contains("Catalogue date " + QString::fromUtf8(airmotor::core::ThisBuild().date)))
            << out.toStdString();

        process.start(QStringLiteral(AIRMOTOR_BIN_DIR "/") + program, {"--help"});
        ASSERT_TRUE(process.waitForFinished(30000)) << program;
        EXPECT_EQ(process.exitCode(), 0) << program;
        EXPECT_TRUE(process.readAllStandardOutput().startsWith(QByteArray("Usage: ") + program)) << program;
    }
}

TEST(HelpCli, EveryCommandHasHelpWithAnExample) {
    const QStringList commands = ListedCommands();
    ASSERT_GE(commands.size(), 11) << "the help lists the commands";
    for (const QString& command : commands) {
        for (const QStringList& line : {QStringList{command, "--help"}, QStringList{"-h", command}}) {
            const CliResult r = RunCli(line);
            EXPECT_EQ(r.status, 0) << line.join(' ').toStdString() << ": " << r.err.toStdString();
            EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
            const QString out = QString::fromUtf8(r.out);
            EXPECT_TRUE(out.startsWith("Usage: airmotor-cli ") && out.contains(" " + command))
                << out.toStdString();
            EXPECT_TRUE(out.contains(QRegularExpression("\nExample:\n  airmotor-cli .*" + command)))
                << out.toStdString();
        }
    }
}

} // namespace help_cli_test
} // namespace
