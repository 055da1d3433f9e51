#include "core/language/FileFault.h"
#include "core/common/Keys.h"
#include "core/language/TaskFault.h"

#include <gtest/gtest.h>

#include <string>

using namespace airmotor::core;

namespace {
namespace file_fault_test {

// The bundled table in one language column (0 English .. 4 Spanish).
TextTable Column(std::size_t column) {
    TextTable table;
    for (const LanguageRow& row : BundledLanguageRows())
        table.set(static_cast<int>(row.key), row.texts[column].value_or(std::string()));
    return table;
}

// Every problem, kind and outcome has a key with a text in all five languages; a problem's text names
// the file, and the one that has a second name or value to show has a place for it.
TEST(FileFault, EveryProblemKindAndOutcomeHasATextInEveryLanguage) {
    for (std::size_t column = 0; column < 5; ++column) {
        const TextTable texts = Column(column);
        for (int p = 0; p < kFileProblemCount; ++p) {
            const auto problem = static_cast<FileProblem>(p);
            const std::string& text = texts(FileProblemKey(problem));
            EXPECT_NE(text.find("%1"), std::string::npos) << "problem " << p << " column " << column;
            const bool second = problem != FileProblem::FolderMissing &&
                                problem != FileProblem::EveryNameTaken && problem != FileProblem::Missing &&
                                problem != FileProblem::ProgramFolderMissing &&
                                problem != FileProblem::FolderNotCreated;
            EXPECT_EQ(text.find("%2") != std::string::npos, second)
                << "problem " << p << " column " << column;
        }
        for (int k = 0; k < kFileKindCount; ++k)
            EXPECT_FALSE(texts(FileKindKey(static_cast<FileKind>(k))).empty()) << "kind " << k;
        for (const FileOutcome o :
             {FileOutcome::NothingWritten, FileOutcome::Unchanged, FileOutcome::LeftAsItIs})
            EXPECT_FALSE(texts(FileOutcomeKey(o)).empty()) << "column " << column;
    }
    EXPECT_EQ(FileOutcomeKey(FileOutcome::Unsaid), -1);
    EXPECT_EQ(FileKindKey(FileKind::Other), TextKey::FileKindRegular + kFileKindCount - 1);
}

// The English sentence is what the command line has always printed; the chosen language's wording
// fills in the file, the kind, the cap and the system's reason, and a name holding "%2" stays as it is.
TEST(FileFault, WordsTheFaultInEnglishAndInTheChosenLanguage) {
    const TextTable german = Column(1);
    const struct {
        FileFault fault;
        const char* english;
        const char* german;
    } cases[] = {
        {{"/t/p", FileProblem::NotRegular, FileKind::Fifo, 0, "", "", FileOutcome::LeftAsItIs},
         "/t/p: is a FIFO, not a regular file; it is left as it is and nothing was written",
         "/t/p ist ein FIFO (benannte Pipe), keine reguläre Datei. Es bleibt, wie es ist; es wurde nichts "
         "geschrieben."},
        {{"/t/a%2", FileProblem::NotFolder, FileKind::RegularFile, 0, "", "", FileOutcome::Unsaid},
         "/t/a%2: is a regular file, not a folder",
         "/t/a%2 ist eine reguläre Datei, kein Ordner."},
        {{"s", FileProblem::TooLarge, FileKind::Other, 64 * 1024, "", "", FileOutcome::Unsaid},
         "s: is larger than the limit of 64 KiB for this file",
         "s ist größer als die Grenze von 64 KiB für diese Datei."},
        {{"d", FileProblem::TooLarge, FileKind::Other, 1024 * 1024, "", "", FileOutcome::Unsaid},
         "d: is larger than the limit of 1 MiB for this file",
         "d ist größer als die Grenze von 1 MiB für diese Datei."},
        {{"f", FileProblem::CannotWrite, FileKind::Other, 0, "No space left on device", "",
          FileOutcome::Unchanged},
         "f: cannot be written: No space left on device; the file on disk is unchanged",
         "f kann nicht geschrieben werden: No space left on device. Die Datei auf dem Datenträger ist "
         "unverändert."},
        {{"w", FileProblem::CannotWriteBecause, FileKind::Other, 0, "the workbook could not be packed", "",
          FileOutcome::Unsaid},
         "w: cannot be written (the workbook could not be packed)",
         "w kann nicht geschrieben werden: the workbook could not be packed."},
        {{"b-1", FileProblem::EveryNameTaken, FileKind::Other, 0, "", "", FileOutcome::Unsaid},
         "b-1: cannot be written: every name like it is taken",
         "b-1 kann nicht geschrieben werden: Alle ähnlichen Namen sind vergeben."},
        {{"l", FileProblem::LinkTargetNotCreated, FileKind::Other, 0, "Permission denied", "/x/t",
          FileOutcome::NothingWritten},
         "l: is a symbolic link to /x/t, which cannot be created: Permission denied; nothing was written",
         "l ist ein symbolischer Link auf /x/t, das nicht angelegt werden kann: Permission denied. Es wurde "
         "nichts geschrieben."},
        {{"c.db", FileProblem::Missing, FileKind::Other, 0, "", "the catalogue database",
          FileOutcome::Unsaid},
         "c.db: the catalogue database does not exist",
         "c.db existiert nicht."},
        {{"m", FileProblem::FolderNotWritable, FileKind::Other, 0, "Read-only file system", "the workbook",
          FileOutcome::Unsaid},
         "m: its folder cannot be written (Read-only file system), so the workbook cannot be replaced",
         "Der Ordner von m kann nicht beschrieben werden: Read-only file system."},
        {{"x.dat", FileProblem::Content, FileKind::Other, 0, "line 2: not a number", "", FileOutcome::Unsaid},
         "x.dat: line 2: not a number",
         "x.dat enthält keine verwendbaren Daten: line 2: not a number."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileFaultEnglish(c.fault), c.english);
        EXPECT_EQ(FileFaultText(c.fault, german), c.german);
    }
}

// Every task problem has its own text in every language, with a place for what it names; the
// detail (English, or a file's own sentence) fills %2, or follows a text without one. Without the
// texts the English message the command line prints is shown.
TEST(TaskFault, WordsEachProblemInTheChosenLanguage) {
    const auto hasMarker = [](const std::string& text, const char* marker) {
        return text.find(marker) != std::string::npos;
    };
    for (std::size_t column = 0; column < 5; ++column) {
        const TextTable texts = Column(column);
        for (int p = 0; p < kTaskProblemCount; ++p) {
            const auto problem = static_cast<TaskProblem>(p);
            const std::string& text = texts(TaskProblemKey(problem));
            const bool detailOnly =
                problem == TaskProblem::CatalogueNotImported || problem == TaskProblem::CatalogueNotLoaded ||
                problem == TaskProblem::ProductionNotRead || problem == TaskProblem::ProductionSheetNotOpened;
            const bool named = !detailOnly && problem != TaskProblem::DrawingNone &&
                               problem != TaskProblem::ProductionNotTicked &&
                               problem != TaskProblem::ProductionNoWorkbook;
            const bool detail = detailOnly || problem == TaskProblem::MetafileNotRead ||
                                problem == TaskProblem::PictureMissing;
            EXPECT_EQ(hasMarker(text, "%1"), named) << "problem " << p << " column " << column;
            EXPECT_EQ(hasMarker(text, "%2"), detail) << "problem " << p << " column " << column;
        }
    }
    EXPECT_LT(TaskProblemKey(TaskProblem::PictureNotPrinted), TextKey::ProductionTitle);

    const TextTable german = Column(1);
    const FileFault fifo{"/d/Ex.svg", FileProblem::NotRegular, FileKind::Fifo, 0, "",
                         "",          FileOutcome::Unsaid};
    const struct {
        TaskFault fault;
        const char* german;
    } cases[] = {
        {{TaskProblem::DrawingNotFound, "/d/%2.WMF", "", std::nullopt},
         "Die Maßzeichnung /d/%2.WMF wurde nicht gefunden."},
        {{TaskProblem::CatalogueNotLoaded, "", "c.db: table tblMotordata has no column X", std::nullopt},
         "Der Katalog kann nicht geladen werden.\nc.db: table tblMotordata has no column X"},
        {{TaskProblem::PictureNotPrinted, "/d/Ex.svg", "", fifo},
         "/d/Ex.svg ist kein Bild, das das Programm drucken kann; ohne das Bild gedruckt. /d/Ex.svg ist "
         "ein FIFO (benannte Pipe), keine reguläre Datei."},
        {{TaskProblem::PictureMissing, "/d/Ex.svg", "Ex.bmp, Ex.svg", std::nullopt},
         "Das Bild /d/Ex.svg fehlt (gesucht: Ex.bmp, Ex.svg); ohne das Bild gedruckt."},
        {{TaskProblem::ProductionSheetNotOpened, "", "", fifo},
         "Das Blatt TKM der Arbeitsmappe kann nicht gefüllt werden.\n/d/Ex.svg ist ein FIFO (benannte "
         "Pipe), keine reguläre Datei."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TaskFaultText(c.fault, german), c.german);
    const TaskFault none{TaskProblem::DrawingNone, "", "", std::nullopt};
    EXPECT_EQ(TaskFaultText(none, nullptr, "english"), "english");
    EXPECT_EQ(TaskFaultText(none, &german, "english"), "Für diesen Motor ist keine Maßzeichnung vorhanden.");
    const TextTable empty;
    EXPECT_EQ(TaskFaultText(none, &empty, "english"), "english");
}

} // namespace file_fault_test
} // namespace
