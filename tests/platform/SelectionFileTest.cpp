#include "platform/files/SelectionFile.h"
#include "core/format/IniDocument.h"
#include "platform/files/UserPreferences.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "TestDatabase.h"

using namespace airmotor;
namespace {
namespace selection_file_test {

using platform::FileError;
using platform::ReadSelectionFile;
using platform::WriteSelectionFile;
using platform::test::ReadFile;
using platform::test::WriteFile;

core::SavedSelection Sample() {
    core::SavedSelection s;
    s.programVersion = "3.1.0";
    s.catalogueChecksum = std::string(64, 'a');
    s.language = "English_Imperial";
    s.fields = {"7.5", "3000", "", "", "", "", "", "91"};
    s.search = true;
    s.series = {true, false, true};
    s.rotation = 2;
    s.lubrication = 0;
    s.tksVersions = 1;
    s.obsolete = 0;
    s.onlyObsoleteMenu = true;
    s.alternative = 3;
    s.designation = "TKM22-A100-\"x\"";
    s.column = 1;
    return s;
}

// A written file reads back every field. Every refusal names the file and what is wrong; a refused
// write leaves the folder in the way.
TEST(SelectionFile, RoundTripKeepsEveryFieldAndMalformedFutureAndForeignFilesAreRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.json");
    ASSERT_FALSE(WriteSelectionFile(path, Sample()));
    const auto read = ReadSelectionFile(path);
    ASSERT_TRUE(std::holds_alternative<core::SavedSelection>(read)) << std::get<FileError>(read).message;
    EXPECT_EQ(std::get<core::SavedSelection>(read), Sample());
    const QByteArray good = ReadFile(path);
    struct Case {
        QByteArray from, to;
        const char* fragment;
    };
    const Case cases[] = {
        {"\"schemaVersion\": 1", "\"schemaVersion\": 2", "saved by a newer program (schema version 2"},
        {"\"schemaVersion\": 1", "\"schemaVersion\": \"1\"", "\"schemaVersion\" is missing"},
        {"airmotor-selection", "something-else", "it is not a saved selection"},
        {"\"rotation\": 2", "\"rotation\": 3", "\"rotation\" must be a whole number from 0 to 2"},
        {"\"rotation\": 2", "\"rotation\": 1.5", "\"rotation\" must be a whole number"},
        // Beyond an int: refused before any conversion (UBSan reports the conversion itself).
        {"\"rotation\": 2", "\"rotation\": 1e300", "\"rotation\" must be a whole number from 0 to 2"},
        {"\"rotation\": 2", "\"rotation\": -3e9", "\"rotation\" must be a whole number from 0 to 2"},
        {"\"English_Imperial\"", "\"Klingon\"", "\"language\" names no language"},
        {"\"PGW\"", "\"XYZ\"", "\"series\" lists an unknown series"},
        {"\"torque\": \"7.5\"", "\"torque\": 7.5", "\"torque\" is missing or not a text"},
        {"\"search\": true", "\"search\": 1", "\"search\" is missing or not true/false"},
        {"\"schemaVersion\": 1", "\"schemaVersion\": 1e300", "newer program (schema version 1e+300;"},
        {"\"schemaVersion\": 1", "\"schemaVersion\": 1.5", "\"schemaVersion\" 1.5 is not a version number"},
        {good, "[]", "a JSON list where a JSON object is expected"},
        {"{", "[", "not a JSON object"},
        {"\"format\"", "\"format\" \"", "not a JSON object"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fragment);
        QByteArray bad = good;
        ASSERT_TRUE(bad.contains(c.from));
        WriteFile(path, bad.replace(bad.indexOf(c.from), c.from.size(), c.to));
        const auto refused = ReadSelectionFile(path);
        ASSERT_TRUE(std::holds_alternative<FileError>(refused));
        const std::string& message = std::get<FileError>(refused).message;
        EXPECT_NE(message.find(path.toStdString()), std::string::npos) << message;
        EXPECT_NE(message.find(c.fragment), std::string::npos) << message;
    }
    WriteFile(path, QByteArray(platform::kSelectionFileCap + 1, ' '));
    EXPECT_TRUE(std::holds_alternative<FileError>(ReadSelectionFile(path)));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.json"));
    EXPECT_TRUE(WriteSelectionFile(dir.filePath("folder.json"), Sample()));
    EXPECT_TRUE(std::holds_alternative<FileError>(ReadSelectionFile(dir.filePath("folder.json"))));
}

// Stored cost figures out of range fall back one by one; the recent list is newest first, unique
// and bounded. Written and read under a decimal-comma locale where the machine has one: the figures
// stay what they were.
TEST(UserPreferences, CostFallbackAndRecentList) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("prefs.conf");
    core::RecordingMessageSink messages;
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    for (const char* comma : {"de_DE.UTF-8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_ALL, comma) != nullptr)
            break;
    {
        platform::UserPreferences prefs(ini, messages);
        EXPECT_EQ(prefs.airCost().hoursPerYear, 2000.0); // nothing stored yet
        EXPECT_EQ(prefs.airCost().currency, "EUR");
        prefs.setAirCost({9000.0, 0.25, 0.3, "CHF"});
        for (int k = 0; k < platform::UserPreferences::kRecentCount + 2; ++k)
            prefs.addRecentSelection(dir.filePath(QString("s%1.json").arg(k)));
        prefs.addRecentSelection(dir.filePath("s3.json"));
    }
    platform::UserPreferences prefs(ini, messages);
    const core::AirCostInputs cost = prefs.airCost();
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(std::tie(cost.hoursPerYear, cost.energyPerM3, cost.pricePerKWh, cost.currency),
              std::make_tuple(2000.0, 0.25, 0.3, std::string("CHF")));
    const QStringList recent = prefs.recentSelections();
    ASSERT_EQ(recent.size(), platform::UserPreferences::kRecentCount);
    EXPECT_TRUE(recent[0].endsWith("s3.json"));
    EXPECT_TRUE(recent[1].endsWith("s7.json"));
    EXPECT_EQ(recent.count(recent[0]), 1);
    // A list made one longer by hand is shown bounded too.
    QSettings(ini, QSettings::IniFormat).setValue("selections/recent", recent + QStringList{"/x.json"});
    EXPECT_EQ(platform::UserPreferences(ini, messages).recentSelections().size(),
              platform::UserPreferences::kRecentCount);
    EXPECT_TRUE(messages.messages.empty());
}

// Earlier versions kept these preferences through Qt's settings class: what it wrote is read, and
// what is written now it reads back the same, entries the program does not know included.
TEST(UserPreferences, ReadsAndWritesTheSettingsClassFormat) {
    QTemporaryDir dir;
    const QString file = dir.filePath("airmotor.conf");
    const auto std = [](const QStringList& list) {
        std::vector<std::string> out;
        for (const QString& s : list)
            out.push_back(s.toStdString());
        return out;
    };
    const QStringList lists[] = {
        {},
        {"plain"},
        {"with space", "comma,in", "semi;colon=equals", ""},
        {" leading", "trailing ", "quote\"s", "back\\slash", "tab\tnew\nline\r"},
        {"@at first", "@@twice", "\u00fcnic\u00f8de \u00f6",
         QString("x") + QChar(1) + "0f" + QChar(0x1f) + "a", QString("nul") + QChar(0) + "7b"},
    };
    for (const QStringList& list : lists) {
        SCOPED_TRACE(list.join('|').toStdString());
        QFile::remove(file);
        QSettings(file, QSettings::IniFormat).setValue("selections/recent", list);
        EXPECT_EQ(core::IniDocument::Parse(ReadFile(file).toStdString()).list("selections", "recent"),
                  std(list));

        core::IniDocument ours;
        ours.setList("selections", "recent", std(list));
        WriteFile(file, QByteArray::fromStdString(ours.format()));
        EXPECT_EQ(QSettings(file, QSettings::IniFormat).value("selections/recent").toStringList(), list);
    }

    core::RecordingMessageSink messages;
    QFile::remove(file);
    {
        QSettings theirs(file, QSettings::IniFormat);
        theirs.setValue("selections/recent", QStringList{"/a, b.json", "/c.json"});
        theirs.setValue("airCost/energyPerM3", 0.125);
        theirs.setValue("other/kept", "untouched, as it was");
    }
    {
        platform::UserPreferences prefs(file, messages);
        EXPECT_EQ(prefs.recentSelections(), QStringList({"/a, b.json", "/c.json"}));
        EXPECT_EQ(prefs.airCost().energyPerM3, 0.125);
        prefs.addRecentSelection("/d=e.json");
        prefs.setAirCost({8760.5, 0.1, 1e-3});
    }
    const QSettings theirs(file, QSettings::IniFormat);
    EXPECT_EQ(theirs.value("selections/recent").toStringList(),
              QStringList({"/d=e.json", "/a, b.json", "/c.json"}));
    EXPECT_EQ(theirs.value("airCost/hoursPerYear").toDouble(), 8760.5);
    EXPECT_EQ(theirs.value("airCost/energyPerM3").toDouble(), 0.1);
    EXPECT_EQ(theirs.value("airCost/pricePerKWh").toDouble(), 1e-3);
    EXPECT_EQ(theirs.value("other/kept").toString(), "untouched, as it was");
    EXPECT_TRUE(messages.messages.empty());
}

// A file that is no preferences file (far too large, a FIFO, a folder) is reported once, neither
// read nor replaced; a change that cannot be saved is reported, not dropped without a word.
TEST(UserPreferences, UnreadableFilesAndFailedSavesAreReported) {
    QTemporaryDir dir;
    WriteFile(dir.filePath("big.conf"), "[airCost]\nhoursPerYear=3000\n");
    ASSERT_TRUE(QFile::resize(dir.filePath("big.conf"), platform::UserPreferences::kFileCap + 1));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo.conf")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.conf"));
    WriteFile(dir.filePath("file"), "");
    const struct {
        const char* name;
        const char* onRead; // nullptr: read without a word
        const char* onSave;
    } cases[] = {
        {"big.conf", "is larger than the limit of 1 MiB", "not saved"},
        {"fifo.conf", "is a FIFO", "not saved"},
        {"folder.conf", "is a folder", "not saved"},
        {"file/airmotor.conf", nullptr, "not saved"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        const qint64 size = QFileInfo(path).size();
        core::RecordingMessageSink messages;
        platform::UserPreferences prefs(path, messages);
        ASSERT_EQ(messages.messages.size(), c.onRead ? 1u : 0u);
        if (c.onRead) {
            EXPECT_NE(messages.messages[0].text.find(path.toStdString() + ": " + c.onRead), std::string::npos)
                << messages.messages[0].text;
        }
        EXPECT_EQ(prefs.airCost().hoursPerYear, core::AirCostInputs{}.hoursPerYear);
        prefs.setAirCost({3000.0, 0.2, 0.3});
        ASSERT_FALSE(messages.messages.empty());
        EXPECT_NE(messages.messages.back().text.find(path.toStdString()), std::string::npos);
        EXPECT_NE(messages.messages.back().text.find(c.onSave), std::string::npos)
            << messages.messages.back().text;
        EXPECT_EQ(prefs.airCost().hoursPerYear, 3000.0); // kept for the rest of the run
        EXPECT_EQ(QFileInfo(path).size(), size);
    }
}

} // namespace selection_file_test
} // namespace
