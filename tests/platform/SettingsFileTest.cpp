#include "platform/files/SettingsFile.h"

#include "TestDatabase.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace airmotor;
using namespace airmotor::platform;
using namespace airmotor::platform::test;

namespace {
namespace settings_file_test {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath("prefix/bin"));
        ASSERT_TRUE(QDir(root.path()).mkpath("prefix/share/airmotor"));
        ASSERT_TRUE(QDir(root.path()).mkpath("other"));
    }
    QString path(const QString& name) const { return QDir::cleanPath(root.filePath(name)); }
    QTemporaryDir root;
};

const auto kWritable = [](const QString&) { return true; };
const auto kReadOnly = [](const QString&) { return false; };

TEST_F(SettingsFileTest, ProgramFolderRule) {
    const QString bin = path("prefix/bin");
    const QString user = path("user");
    // Nothing anywhere: the program's own folder.
    EXPECT_EQ(ResolveProgramFolder("", bin, kWritable, user).folder, bin);
    // An installed program: the data folder beside bin/ holds the database.
    WriteFile(path("prefix/share/airmotor/Zevodida.db"), "db");
    const ProgramFolder installed = ResolveProgramFolder("", bin, kWritable, user);
    EXPECT_EQ(installed.folder, path("prefix/share/airmotor"));
    // ... whose settings are the user's even where the shared folder could be written (root).
    EXPECT_EQ(installed.settingsFile, path("user/ZEVODIDA.DAT"));
    EXPECT_EQ(installed.fallbackSettingsFile, path("prefix/share/airmotor/ZEVODIDA.DAT"));
    // A build tree: the database next to the program wins.
    WriteFile(path("prefix/bin/Zevodida.db"), "db");
    EXPECT_EQ(ResolveProgramFolder("", bin, kWritable, user).folder, bin);
    // The command-line text always wins, with or without a database there.
    const ProgramFolder given = ResolveProgramFolder(path("other") + "/", bin, kWritable, user);
    EXPECT_EQ(given.folder, path("other"));
    EXPECT_EQ(given.settingsFile, path("other/ZEVODIDA.DAT"));
    EXPECT_TRUE(given.fallbackSettingsFile.isEmpty());
    // A folder that cannot be written keeps its settings in the user's folder.
    const ProgramFolder readOnly = ResolveProgramFolder("", bin, kReadOnly, user);
    EXPECT_EQ(readOnly.folder, bin);
    EXPECT_EQ(readOnly.settingsFile, path("user/ZEVODIDA.DAT"));
    EXPECT_EQ(readOnly.fallbackSettingsFile, path("prefix/bin/ZEVODIDA.DAT"));
}

TEST_F(SettingsFileTest, MissingOrMalformedFileReadsAsNoLanguageAndARewriteReplacesItWhole) {
    const SettingsFile file(ResolveProgramFolder(path("other"), "", kWritable, path("user")));
    EXPECT_EQ(file.read().strLanguage, "");
    // What the parser refuses (its cases are the core's) reads as no language.
    WriteFile(path("other/ZEVODIDA.DAT"), QByteArray("\x00\x01\x02", 3));
    EXPECT_EQ(file.read().strLanguage, "");

    // A rewrite replaces the whole file, a longer old one included.
    WriteFile(path("other/ZEVODIDA.DAT"),
              "\"1999-05-05\",\"English_Imperial\",4\r\nsome longer trailing content\r\n");
    core::Settings s = file.read();
    EXPECT_EQ(s.strLanguage, "English_Imperial");
    s.strLanguage = "Italian";
    ASSERT_FALSE(file.write(s).has_value());
    EXPECT_EQ(ReadFile(path("other/ZEVODIDA.DAT")), "\"1999-05-05\",\"Italian\",4\r\n");
    EXPECT_EQ(QDir(path("other")).entryList(QDir::Files | QDir::Hidden), QStringList{"ZEVODIDA.DAT"});
}

TEST_F(SettingsFileTest, UnwritableFolderUsesTheUserFolderAndAFailedWriteIsReported) {
    WriteFile(path("prefix/bin/ZEVODIDA.DAT"), "\"2017-01-12\",\"German\",0\r\n");
    const SettingsFile file(ResolveProgramFolder("", path("prefix/bin"), kReadOnly, path("user/config")));
    EXPECT_EQ(file.read().strLanguage, "German"); // the bundled file until the user has a copy
    core::Settings s = file.read();
    s.strLanguage = "Spanish";
    ASSERT_FALSE(file.write(s).has_value());
    EXPECT_EQ(ReadFile(path("user/config/ZEVODIDA.DAT")), "\"2017-01-12\",\"Spanish\",0\r\n");
    EXPECT_EQ(ReadFile(path("prefix/bin/ZEVODIDA.DAT")), "\"2017-01-12\",\"German\",0\r\n");
    EXPECT_EQ(file.read().strLanguage, "Spanish");

    // A user folder that cannot be made: the failed write is reported.
    WriteFile(path("blocker"), "a file where a folder is needed");
    const SettingsFile blocked(ResolveProgramFolder("", path("prefix/bin"), kReadOnly, path("blocker/sub")));
    const auto error = blocked.write(core::Settings{});
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->message.find("ZEVODIDA.DAT"), std::string::npos) << error->message;
}

} // namespace settings_file_test
} // namespace
