#include "platform/drawing/DimensionDrawing.h"
#include "platform/drawing/WmfRenderer.h"

#include "TestDatabase.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <numeric>
#include <vector>

namespace {
namespace dimension_drawing_test {

using airmotor::platform::DimensionDrawing;
using airmotor::platform::WmfRenderer;
using airmotor::platform::test::WriteFile;

// A small placeable metafile: a pen, a hollow brush, a rectangle and a polyline.
QByteArray SmallWmf() {
    std::vector<std::uint16_t> records;
    const auto rec = [&](std::uint16_t fn, std::vector<std::uint16_t> p) {
        const std::uint32_t size = 3 + static_cast<std::uint32_t>(p.size());
        records.push_back(static_cast<std::uint16_t>(size & 0xFFFF));
        records.push_back(static_cast<std::uint16_t>(size >> 16));
        records.push_back(fn);
        records.insert(records.end(), p.begin(), p.end());
    };
    rec(0x0103, {8});
    rec(0x020B, {0, 0});
    rec(0x020C, {1000, 2000});
    rec(0x02FA, {0, 10, 0, 0, 0}); // pen
    rec(0x012D, {0});
    rec(0x02FC, {1, 0, 0, 0}); // hollow brush
    rec(0x012D, {1});
    rec(0x041B, {900, 1900, 100, 100});               // rectangle
    rec(0x0325, {3, 200, 200, 1000, 800, 1800, 200}); // polyline
    rec(0x0000, {});
    // The placeable header and its checksum, then the metafile header: version, size in words, objects.
    std::vector<std::uint16_t> all = {0xCDD7, 0x9AC6, 0, 0, 0, 2000, 1000, 1440, 0, 0};
    all.push_back(std::accumulate(all.begin(), all.end(), std::uint16_t{0}, std::bit_xor<std::uint16_t>()));
    const auto words = static_cast<std::uint32_t>(9 + records.size());
    all.insert(all.end(), {1, 9, 0x0300, static_cast<std::uint16_t>(words & 0xFFFF),
                           static_cast<std::uint16_t>(words >> 16), 2, 10, 0, 0});
    all.insert(all.end(), records.begin(), records.end());
    QByteArray bytes;
    for (auto v : all) {
        bytes.append(static_cast<char>(v & 0xFF));
        bytes.append(static_cast<char>(v >> 8));
    }
    return bytes;
}

// Renders or fails with a message; never both, never neither.
void ExpectRendersOrFailsCleanly(const DimensionDrawing& d) {
    if (d.isValid()) {
        EXPECT_FALSE(d.bounds().isEmpty());
        QImage image(200, 100, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        d.render(painter, QRectF(0, 0, 200, 100));
    } else {
        EXPECT_FALSE(d.error().isEmpty());
    }
}

TEST(WmfRenderer, ValidMetafileBecomesSvgWithUnfilledPolylines) {
    if (!WmfRenderer::Available())
        GTEST_SKIP() << "built without libwmf";
    const auto result = WmfRenderer::ToSvg(SmallWmf());
    ASSERT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    EXPECT_TRUE(result.svg.contains("<svg"));
    EXPECT_TRUE(result.svg.contains("<polyline fill=\"none\""));
    const DimensionDrawing d = DimensionDrawing::FromWmfData(SmallWmf(), QStringLiteral("small.WMF"));
    ASSERT_TRUE(d.isValid()) << d.error().toStdString();
    // The sheet of the placeable header (2000 x 1000) keeps its proportions.
    EXPECT_NEAR(d.bounds().width() / d.bounds().height(), 2.0, 0.02);
}

TEST(WmfRenderer, TruncatedMetafilesAndTextFailCleanly) {
    const QByteArray valid = SmallWmf();
    for (int length : {0, 1, 17, 21, 22, 39, 40, 45, 60, static_cast<int>(valid.size()) - 6}) {
        SCOPED_TRACE(length);
        ExpectRendersOrFailsCleanly(
            DimensionDrawing::FromWmfData(valid.left(length), QStringLiteral("cut.WMF")));
    }
    for (int length : {0, 1, 17, 21, 40})
        EXPECT_FALSE(DimensionDrawing::FromWmfData(valid.left(length), QStringLiteral("cut.WMF")).isValid());

    const DimensionDrawing text =
        DimensionDrawing::FromWmfData("this is not a metafile at all", QStringLiteral("x.WMF"));
    EXPECT_FALSE(text.isValid());
    EXPECT_TRUE(text.error().contains(QStringLiteral("x.WMF")));
}

TEST(DimensionDrawing, MetafileFirstThenSvgThenPngAndClearMessages) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteFile(dir.filePath(QStringLiteral("BOTH.WMF")), SmallWmf());
    WriteFile(dir.filePath(QStringLiteral("BOTH.SVG")),
              "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'/>");
    WriteFile(dir.filePath(QStringLiteral("VECTOR.svg")),
              "<svg xmlns='http://www.w3.org/2000/svg' width='40' "
              "height='20'><rect width='40' height='20'/></svg>");
    QImage png(30, 10, QImage::Format_RGB32);
    png.fill(Qt::blue);
    ASSERT_TRUE(png.save(dir.filePath(QStringLiteral("PICTURE.PNG"))));
    WriteFile(dir.filePath(QStringLiteral("BROKEN.WMF")), "garbage garbage garbage garbage");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub"))); // a name never reaches into a folder
    WriteFile(dir.filePath(QStringLiteral("sub/INNER.svg")),
              "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'/>");

    if (WmfRenderer::Available()) {
        const DimensionDrawing both = DimensionDrawing::Load(dir.path(), QStringLiteral(" BOTH"));
        ASSERT_TRUE(both.isValid()) << both.error().toStdString();
        EXPECT_TRUE(both.sourceFile().endsWith(QStringLiteral("BOTH.WMF")));
    }
    const DimensionDrawing vector = DimensionDrawing::Load(dir.path(), QStringLiteral("VECTOR"));
    ASSERT_TRUE(vector.isValid());
    EXPECT_EQ(vector.bounds().size(), QSizeF(40, 20));
    const DimensionDrawing picture = DimensionDrawing::Load(dir.path(), QStringLiteral("PICTURE"));
    ASSERT_TRUE(picture.isValid());
    EXPECT_EQ(picture.bounds().size(), QSizeF(30, 10));

    const DimensionDrawing missing = DimensionDrawing::Load(dir.path(), QStringLiteral("NOWHERE"));
    EXPECT_FALSE(missing.isValid());
    EXPECT_TRUE(missing.error().contains(QStringLiteral("NOWHERE.WMF")));
    const DimensionDrawing broken = DimensionDrawing::Load(dir.path(), QStringLiteral("BROKEN"));
    EXPECT_FALSE(broken.isValid());
    EXPECT_TRUE(broken.error().contains(QStringLiteral("BROKEN.WMF")));
    for (const char* name : {"", "?", "../BOTH", "sub/INNER"})
        EXPECT_FALSE(DimensionDrawing::Load(dir.path(), QString::fromLatin1(name)).isValid()) << name;
}

TEST(DimensionDrawing, SourceRectangleMapsOntoTheTarget) {
    QTemporaryDir dir;
    // Left half red, right half blue: showing the right half must fill the view with blue.
    WriteFile(dir.filePath(QStringLiteral("HALF.SVG")),
              "<svg xmlns='http://www.w3.org/2000/svg' width='100' height='50'>"
              "<rect x='0' y='0' width='50' height='50' fill='#ff0000'/>"
              "<rect x='50' y='0' width='50' height='50' fill='#0000ff'/></svg>");
    const DimensionDrawing d = DimensionDrawing::Load(dir.path(), QStringLiteral("HALF"));
    ASSERT_TRUE(d.isValid());
    QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        d.render(painter, QRectF(0, 0, 100, 100), QRectF(50, 0, 50, 50));
    }
    EXPECT_EQ(image.pixelColor(5, 5), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(95, 95), QColor(0, 0, 255));
}

TEST(DimensionDrawing, EveryBundledDrawingRenders) {
    const QDir bin(QStringLiteral(AIRMOTOR_BIN_DIR));
    const QStringList drawings = bin.entryList({QStringLiteral("*.WMF")}, QDir::Files);
    if (drawings.isEmpty() || !WmfRenderer::Available())
        GTEST_SKIP() << "no bundled drawings in " << bin.path().toStdString();
    for (const QString& file : drawings) {
        const DimensionDrawing d = DimensionDrawing::FromFile(bin.filePath(file));
        EXPECT_TRUE(d.isValid()) << d.error().toStdString();
        // An A4 landscape sheet.
        EXPECT_NEAR(d.bounds().width() / d.bounds().height(), 297.0 / 210.0, 0.01) << file.toStdString();
    }
}

} // namespace dimension_drawing_test
} // namespace
