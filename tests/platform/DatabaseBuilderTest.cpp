#include "platform/storage/DatabaseBuilder.h"
#include "core/language/Language.h"
#include "platform/files/LanguageLoader.h"
#include "platform/storage/CatalogueStore.h"

#include "TestDatabase.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace airmotor;
using namespace airmotor::platform;
using namespace airmotor::platform::test;

namespace {
namespace database_builder_test {

class DatabaseBuilderTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        motors =
            MotorHeader() + MotorRecord(3, 2, "TKM22-A300") + MotorRecord(1, 1, "\"TKM \"\"quoted\"\", x\"");
        texts = "intKey,strEnglish,strGerman,strFrench,strItalian,strSpanish\r\n"
                "0,English,Deutsch,Fran\xC3\xA7"
                "ais,Italiano,Espa\xC3\xB1ol\r\n"
                "84,Torque [Nm],Drehmoment [Nm],Couple [Nm],Coppia [Nm],Par [Nm]\r\n"
                "4,\"No motor\r\nfound\",\\N,\"\\N\",,Ninguno\r\n"
                "5,Only English,\\N,\\N,\\N,\\N\r\n"; // every translation may be missing
        imperial = "intKey,strText\n84,Torque [lbf ft]\n4,\\N\n";
    }

    void writeSources() {
        WriteFile(path("motors.csv"), motors);
        WriteFile(path("texts.csv"), texts);
        WriteFile(path("imperial.csv"), imperial);
    }

    std::variant<BuildSummary, BuildError> build() {
        return DatabaseBuilder::build(dir.path(), path("out.db"));
    }

    QStringList leftovers() const {
        return QDir(dir.path()).entryList({QStringLiteral("out.db*")}, QDir::Files | QDir::Hidden);
    }

    QByteArray motors, texts, imperial;
};

TEST_F(DatabaseBuilderTest, GoodSourcesGiveACompleteDatabase) {
    writeSources();
    WriteFile(path("out.db"), "an older file that is replaced");
    const auto result = build();
    ASSERT_TRUE(std::holds_alternative<BuildSummary>(result)) << std::get<BuildError>(result).message;
    const BuildSummary& summary = std::get<BuildSummary>(result);
    EXPECT_EQ(std::tie(summary.motors, summary.texts, summary.imperialTexts), std::make_tuple(2, 4, 2));
    EXPECT_EQ(leftovers(), QStringList{"out.db"});

    const CatalogueStore store(path("out.db"));
    auto loaded = store.loadCatalogue();
    ASSERT_TRUE(std::holds_alternative<core::CatalogueLoadResult>(loaded))
        << std::get<core::LoadError>(loaded).message;
    const auto& c = std::get<core::CatalogueLoadResult>(loaded).catalogue;
    ASSERT_EQ(c.intAntalMotorer, 2);
    // Ordered by intKatalogindex.
    EXPECT_EQ((std::array{c.strBenamning[1], c.strBenamning[2], c.strDetaljnr2[1], c.strMattskiss[1]}),
              (std::array<std::string, 4>{"TKM \"quoted\", x", "TKM22-A300", "", "TKM22A11,TKM22A12"}));
    EXPECT_EQ(std::make_tuple(bool(c.bolBrake[1]), c.cM(2, 1), c.sngMax_VarvDiagram[1]),
              std::make_tuple(true, -1.0639403e-09f, std::int16_t{7500}));

    const auto text = [&](const char* language, int key) {
        core::LanguageState state;
        state.strLanguage = language;
        EXPECT_FALSE(LanguageLoader(path("out.db")).load(state)) << language;
        return state.strText(key);
    };
    EXPECT_EQ(text("German", 0), "Deutsch");
    EXPECT_EQ(text("German", 4), "");    // \N is Null
    EXPECT_EQ(text("French", 4), "\\N"); // quoted, it is the text itself
    EXPECT_EQ(text("English_Imperial", 84), "Torque [lbf ft]");
}

TEST_F(DatabaseBuilderTest, BadRecordIsReportedWithFileAndLineAndOutputIsUntouched) {
    const QByteArray header = MotorHeader();
    const QByteArray good = MotorRecord(1, 1, "TKM22-A300");
    const QByteArray pastTable = QByteArray::number(core::kTextCount); // the first key outside the table
    const struct {
        const char* file;
        QByteArray content;
        const char* where;
        const char* what;
    } cases[] = {
        {"motors.csv", "intKatalogindex,intSokindex\n", "motors.csv:1", "header"},
        {"motors.csv", header + good + "2,2,short\n", "motors.csv:3", "fields"},
        {"motors.csv", header + good + MotorRecord(2, 2, "X").replace("\n", ",1\n"), "motors.csv:3",
         "fields"},
        {"motors.csv", header + good + MotorRecord(2, 2, "X").replace(",6000,", ",6.0.0,"), "motors.csv:3",
         "sngTomgVarvtal"},
        {"motors.csv", header + good + MotorRecord(2, 2, "X").replace(",6000,", ",,"), "motors.csv:3",
         "sngTomgVarvtal"},
        {"motors.csv", header + good + MotorRecord(2, 2, "\\N"), "motors.csv:3", "strBenamning"},
        {"motors.csv", header + good + MotorRecord(2, 2, "X").replace(",0,0,-1,", ",0,x,-1,"), "motors.csv:3",
         "bolStainless"},
        {"motors.csv", header + good + good, "motors.csv:3", "twice"},
        {"motors.csv", header + good + "\"2,2,unterminated\n", "motors.csv:3", "closing quote"},
        {"motors.csv", header + good + MotorRecord(2, 2, "T\xFF"), "motors.csv:3", "UTF-8"},
        // Values the catalogue loader refuses are refused before anything is written.
        {"motors.csv", header + good + MotorRecord(2, 2, "X").replace(",1.95,3,", ",1.95,6,"), "motors.csv:3",
         "intGradtal_M"},
        {"motors.csv", header + MotorRecord(2, 2, "X").replace(",1.95,3,", ",1.95,-1,") + good,
         "motors.csv:2", "intGradtal_M"},
        {"motors.csv", header + good + MotorRecord(2, 2, "X").replace(",6000,", ",1e39,"), "motors.csv:3",
         "sngTomgVarvtal: is too large"},
        {"texts.csv",
         "intKey,strEnglish,strGerman,strFrench,strItalian,strSpanish\n0,a,b,c,d,e\n" + pastTable +
             ",a,b,c,d,e\n",
         "texts.csv:3", pastTable.constData()},
        {"texts.csv",
         "intKey,strEnglish,strGerman,strFrench,strItalian,strSpanish\n0,a,b,c,d,e\n\n0,a,b,c,d,e\n",
         "texts.csv:4", "twice"},
        {"texts.csv", "intKey,strEnglish,strGerman,strFrench,strItalian,strSpanish\n\\N,a,b,c,d,e\n",
         "texts.csv:2", "intKey"},
        {"imperial.csv", "intKey,strText\n-1,x\n", "imperial.csv:2", "outside"},
    };
    for (const auto& tc : cases) {
        writeSources();
        WriteFile(path(tc.file), tc.content);
        WriteFile(path("out.db"), "previous database");
        const auto result = build();
        ASSERT_TRUE(std::holds_alternative<BuildError>(result)) << tc.file << ": " << tc.what;
        const std::string message = std::get<BuildError>(result).message;
        EXPECT_NE(message.find(tc.where), std::string::npos) << message;
        EXPECT_NE(message.find(tc.what), std::string::npos) << message;
        EXPECT_EQ(ReadFile(path("out.db")), "previous database");
        EXPECT_EQ(leftovers(), QStringList{"out.db"});
    }
}

TEST_F(DatabaseBuilderTest, MissingSourceOrOutputFolder) {
    writeSources();
    QFile::remove(path("imperial.csv"));
    auto result = build();
    ASSERT_TRUE(std::holds_alternative<BuildError>(result));
    EXPECT_NE(std::get<BuildError>(result).message.find("imperial.csv"), std::string::npos);
    EXPECT_FALSE(QFile::exists(path("out.db")));

    writeSources();
    result = DatabaseBuilder::build(dir.path(), path("no/such/folder/out.db"));
    ASSERT_TRUE(std::holds_alternative<BuildError>(result));
    EXPECT_NE(std::get<BuildError>(result).message.find("out.db"), std::string::npos);
}

} // namespace database_builder_test
} // namespace
