#include "platform/SelectionFile.h"
#include "platform/UserPreferences.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "TestDatabase.h"

using namespace airmotor;
using platform::ReadSelectionFile;
using platform::WriteSelectionFile;
using platform::test::ReadFile;
using platform::test::WriteFile;

namespace {

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

} // namespace

TEST(SelectionFile, RoundTripKeepsEveryField) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.json");
    ASSERT_FALSE(WriteSelectionFile(path, Sample()));
    const auto read = ReadSelectionFile(path);
    ASSERT_TRUE(std::holds_alternative<core::SavedSelection>(read)) << std::get<std::string>(read);
    EXPECT_EQ(std::get<core::SavedSelection>(read), Sample());
}

// Every refusal names the file and what is wrong; a refused write leaves the folder in the way.
TEST(SelectionFile, MalformedFutureAndForeignFilesAreRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.json");
    ASSERT_FALSE(WriteSelectionFile(path, Sample()));
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
        {"{", "[", "not a JSON object"},
        {"\"format\"", "\"format\" \"", "not a JSON object"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fragment);
        QByteArray bad = good;
        ASSERT_TRUE(bad.contains(c.from));
        WriteFile(path, bad.replace(bad.indexOf(c.from), c.from.size(), c.to));
        const auto read = ReadSelectionFile(path);
        ASSERT_TRUE(std::holds_alternative<std::string>(read));
        const std::string& message = std::get<std::string>(read);
        EXPECT_NE(message.find(path.toStdString()), std::string::npos) << message;
        EXPECT_NE(message.find(c.fragment), std::string::npos) << message;
    }
    WriteFile(path, QByteArray(platform::kSelectionFileCap + 1, ' '));
    EXPECT_TRUE(std::holds_alternative<std::string>(ReadSelectionFile(path)));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.json"));
    EXPECT_TRUE(WriteSelectionFile(dir.filePath("folder.json"), Sample()));
    EXPECT_TRUE(std::holds_alternative<std::string>(ReadSelectionFile(dir.filePath("folder.json"))));
}

// Stored cost figures out of range fall back one by one; the recent list is newest first, unique
// and bounded.
TEST(UserPreferences, CostFallbackAndRecentList) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("prefs.conf");
    {
        platform::UserPreferences prefs(ini);
        EXPECT_EQ(prefs.airCost().hoursPerYear, 2000.0); // nothing stored yet
        prefs.setAirCost({9000.0, 0.2, 0.3});
        for (int k = 0; k < platform::UserPreferences::kRecentCount + 2; ++k)
            prefs.addRecentSelection(dir.filePath(QString("s%1.json").arg(k)));
        prefs.addRecentSelection(dir.filePath("s3.json"));
    }
    platform::UserPreferences prefs(ini);
    const core::AirCostInputs cost = prefs.airCost();
    EXPECT_EQ(cost.hoursPerYear, 2000.0);
    EXPECT_EQ(cost.energyPerM3, 0.2);
    EXPECT_EQ(cost.pricePerKWh, 0.3);
    const QStringList recent = prefs.recentSelections();
    ASSERT_EQ(recent.size(), platform::UserPreferences::kRecentCount);
    EXPECT_TRUE(recent[0].endsWith("s3.json"));
    EXPECT_TRUE(recent[1].endsWith("s7.json"));
    EXPECT_EQ(recent.count(recent[0]), 1);
    // A list made one longer by hand is shown bounded too.
    QSettings(ini, QSettings::IniFormat).setValue("selections/recent", recent + QStringList{"/x.json"});
    EXPECT_EQ(platform::UserPreferences(ini).recentSelections().size(),
              platform::UserPreferences::kRecentCount);
}
