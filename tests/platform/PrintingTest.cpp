#include "platform/printing/CaptureAndPrint.h"
#include "platform/printing/CertificateDocuments.h"
#include "platform/printing/PrintJobs.h"
#include "platform/printing/PrintPicture.h"

#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace airmotor::platform;
namespace core = airmotor::core;

namespace {
namespace printing_test {

using airmotor::platform::test::WriteFile;

TEST(PictureOnPage, KeepsTheAspectRatioAndStaysOnThePage) {
    struct Case {
        QSizeF page, picture;
        double a, b, c;
        double expectedWidth; // the dimension c refers to decides the width
    };
    const QSizeF portrait(2100, 2970), landscape(2970, 2100);
    const std::vector<Case> cases{
        {portrait, {800, 600}, 12, 5, 77, 0.77 * 2100},             // wider than the page: c of the width
        {landscape, {800, 600}, 0, 0, 90, 0.90 * 2100 * 800 / 600}, // taller than the page: c of the height
        // Too large for the room below its top edge: shrunk to end at the bottom edge.
        {portrait, {800, 600}, 12, 57, 95, (2970 - 0.57 * 2970) * 800 / 600},
    };
    for (const Case& c : cases) {
        const QRectF r = PictureRectOnPage(c.page, c.picture, c.a, c.b, c.c);
        EXPECT_NEAR(r.width() / r.height(), c.picture.width() / c.picture.height(), 1e-9);
        EXPECT_NEAR(r.left(), c.a / 100 * c.page.width(), 1e-9);
        EXPECT_NEAR(r.top(), c.b / 100 * c.page.height(), 1e-9);
        EXPECT_NEAR(r.width(), c.expectedWidth, 1e-6) << c.a << " " << c.b << " " << c.c;
        EXPECT_LE(r.right(), c.page.width() + 1e-9);
        EXPECT_LE(r.bottom(), c.page.height() + 1e-9);
    }
}

TEST(PdfJobs, NumberedFilesAndNothingHalfWritten) {
    EXPECT_EQ(PdfJobSink::JobFile("/x/sheet.pdf", 1), "/x/sheet.pdf");
    EXPECT_EQ(PdfJobSink::JobFile("/x/sheet.pdf", 3), "/x/sheet-3.pdf");
    EXPECT_EQ(PdfJobSink::JobFile("/x/a.b/sheet", 2), "/x/a.b/sheet-2");

    QTemporaryDir dir;
    // Two pictures on one page, one job.
    PdfJobSink sink(dir.filePath("capture.pdf"));
    {
        PicturePrintJob job(sink, "Capture");
        QImage picture(400, 300, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        EXPECT_TRUE(job.PrintPictureToFitPage(picture, 12, 5, 77, 1));
        EXPECT_TRUE(job.PrintPictureToFitPage(picture, 12, 57, 80, 0));
        EXPECT_TRUE(job.end()) << job.error().toStdString();
    }
    EXPECT_EQ(sink.files(), QStringList{dir.filePath("capture.pdf")});
    // An abandoned job leaves no file behind.
    PdfJobSink dropped(dir.filePath("dropped.pdf"));
    {
        PicturePrintJob job(dropped, "Dropped");
        EXPECT_TRUE(job.PrintPictureToFitPage(QImage(10, 10, QImage::Format_RGB32), 0, 0, 50, 2));
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("dropped.pdf")));
    // A directory in the way is refused by name.
    QDir(dir.path()).mkdir("taken.pdf");
    PdfJobSink blocked(dir.filePath("taken.pdf"));
    PicturePrintJob job(blocked, "Blocked");
    EXPECT_FALSE(job.PrintPictureToFitPage(QImage(10, 10, QImage::Format_RGB32), 0, 0, 50, 1));
    EXPECT_TRUE(job.error().contains("taken.pdf")) << job.error().toStdString();
    EXPECT_FALSE(job.end());
}

TEST(CertificateDocuments, OpensTheLanguagesDocumentOrNamesTheMissingOne) {
    QTemporaryDir dir;
    WriteFile(dir.filePath("Normativa ATEX.pdf"), "");
    QStringList opened;
    const CertificateDocuments documents(dir.path(), [&](const QUrl& url) {
        opened << url.toLocalFile();
        return true;
    });
    struct Case {
        const char* language;
        const char* file;
        bool present;
    };
    for (const Case& c :
         {Case{"Spanish", "Normativa ATEX.pdf", true}, Case{"English", "EX information.pdf", false},
          Case{"English_Imperial", "EX information.pdf", false},
          Case{"German", "1if.PM Inform. Ex certificates German Version xq 22 Okt 2004.pdf", false}}) {
        opened.clear();
        const auto fault = documents.open(c.language);
        EXPECT_EQ(!fault, c.present) << c.language;
        EXPECT_EQ(opened.size(), c.present ? 1 : 0);
        const std::string text = c.present ? opened.value(0).toStdString() : fault->subject;
        EXPECT_NE(text.find(c.file), std::string::npos) << text;
        if (fault) {
            EXPECT_EQ(fault->problem, core::TaskProblem::CertificateMissing);
        }
    }
    // A folder by the document's name is said to be one; a document no program takes is named.
    ASSERT_TRUE(QDir(dir.path()).mkdir("EX information.pdf"));
    const auto folder = documents.open("English");
    ASSERT_TRUE(folder && folder->file);
    EXPECT_EQ(folder->file->kind, core::FileKind::Folder);
    const CertificateDocuments refused(dir.path(), [](const QUrl&) { return false; });
    const auto unopened = refused.open("Spanish");
    ASSERT_TRUE(unopened);
    EXPECT_EQ(unopened->problem, core::TaskProblem::CertificateNotOpened);
    EXPECT_FALSE(unopened->file);
}

TEST(PrintPictures, AMakersBitmapComesBeforeTheBundledArtwork) {
    QTemporaryDir dir;
    WriteFile(dir.filePath("HDRLOGO.SVG"),
              R"(<svg xmlns="http://www.w3.org/2000/svg" width="200" height="100" viewBox="0 0 200 100"/>)");
    struct Case {
        bool bitmap;
        QSizeF size;
    };
    for (const Case& c : {Case{false, {200, 100}}, Case{true, {30, 20}}}) {
        if (c.bitmap) {
            ASSERT_TRUE(QImage(30, 20, QImage::Format_RGB32).save(dir.filePath("HDRLOGO.BMP")));
        }
        const PrintPicture logo = PrintPicture::Load(dir.path(), LogoFileNames());
        ASSERT_TRUE(logo.isValid()) << logo.error().toStdString();
        EXPECT_EQ(logo.size(), c.size);
    }
    const PrintPicture missing = PrintPicture::Load(dir.path(), ExSignFileNames());
    EXPECT_FALSE(missing.isValid());
    EXPECT_TRUE(missing.error().contains("Ex.svg")) << missing.error().toStdString();
    EXPECT_EQ(missing.fault().problem, core::TaskProblem::PictureMissing);
    EXPECT_EQ(missing.fault().subject, QDir::toNativeSeparators(dir.filePath("Ex.svg")).toStdString());
    EXPECT_EQ(missing.fault().detail, "Ex.bmp, Ex.svg");
}

} // namespace printing_test
} // namespace
