#include "tests/TempFolder.h"
#include "viewer/output/GifEncoder.h"
#include "viewer/output/PictureFiles.h"
#include "viewer/settings/ViewerSettings.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace {

// Paper, antialiased ink and a few marks, as an exported page has.
QImage SamplePage() {
  QImage page(794, 1122, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter painter(&page);
  painter.setFont(QFont(QStringLiteral("Courier New"), 10));
  for (int line = 1; line <= 65; ++line) painter.drawText(24, line * 16 - 3, QStringLiteral("Line %1 of the page").arg(line));
  painter.fillRect(24, 47, 300, 2, QColor(255, 0, 0));
  painter.fillRect(10, 100, 3, 80, QColor(0, 128, 255));
  painter.fillRect(200, 200, 120, 16, QColor(255, 200, 0));
  return page;
}

QImage Decode(const std::string& bytes) {
  QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  QImageReader reader(&buffer);
  return reader.read().convertToFormat(QImage::Format_RGB32);
}

int LargestChannelDifference(const QImage& a, const QImage& b) {
  int largest = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
    }
  }
  return largest;
}

double MeanChannelDifference(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
  }
  return sum / (3.0 * a.width() * a.height());
}

TEST(PictureFiles, FormatCodesGiveTheirExtensions) {
  EXPECT_EQ(ExportExtension(kImageFormatPng), ".png");
  EXPECT_EQ(ExportExtension(kImageFormatJpg), ".jpg");
  EXPECT_EQ(ExportExtension(kImageFormatTif), ".tif");
  EXPECT_EQ(ExportExtension(kImageFormatBmp), ".bmp");
  EXPECT_EQ(ExportExtension(kImageFormatGif), ".gif");
  EXPECT_EQ(ExportExtension(0), "");
  EXPECT_EQ(ExportExtension(9999), "");
  EXPECT_EQ(FileExtension("/p/fotos/5.PNG"), ".png");
  EXPECT_EQ(FileExtension("/p/fo.tos/5"), "");
}

TEST(PictureFiles, EveryFormatDecodesToThePage) {
  const QImage page = SamplePage();
  struct Case {
    const char* extension;
    const char* magic;
    bool lossless;
  };
  const Case cases[] = {{".png", "\x89PNG", true}, {".tif", "II*", true},      {".bmp", "BM", true},
                        {".gif", "GIF8", true},    {".jpg", "\xFF\xD8", false}, {"", "BM", true}};
  for (const Case& c : cases) {
    std::string bytes, why;
    ASSERT_TRUE(EncodePicture(page, c.extension, bytes, why)) << c.extension << ": " << why;
    EXPECT_EQ(bytes.rfind(c.magic, 0), 0u) << c.extension;
    const QImage decoded = Decode(bytes);
    ASSERT_EQ(decoded.size(), page.size()) << c.extension;
    if (c.lossless) {
      EXPECT_EQ(LargestChannelDifference(decoded, page), 0) << c.extension;
    }
  }
}

TEST(PictureFiles, JpegAtFullQualityAndPngCompressed) {
  const QImage page = SamplePage();
  std::string jpeg, png, why;
  ASSERT_TRUE(EncodePicture(page, ".jpg", jpeg, why));
  ASSERT_TRUE(EncodePicture(page, ".png", png, why));
  QByteArray usual;
  QBuffer buffer(&usual);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(page.save(&buffer, "JPEG"));
  const std::string usualBytes(usual.constData(), static_cast<std::size_t>(usual.size()));
  // Far closer to the page than the writer's usual quality.
  EXPECT_LT(MeanChannelDifference(Decode(jpeg), page) * 3, MeanChannelDifference(Decode(usualBytes), page));
  // A compressed PNG of a text page is far below the 3.5 MB of its pixels.
  EXPECT_LT(png.size(), 200'000u);
}

// The sample page with 600 shades of a gradient, each in a column of its own.
QImage ManyColoursPage() {
  QImage picture = SamplePage();
  for (int x = 0; x < 600; ++x) {
    for (int y = 400; y < 500; ++y) picture.setPixel(x + 100, y, qRgb(x * 255 / 599, 90, 255 - x * 255 / 599));
  }
  return picture;
}

TEST(PictureFiles, PngIsExactWhateverTheNumberOfColours) {
  for (const QImage& picture : {SamplePage(), ManyColoursPage()}) {
    std::string bytes, why;
    ASSERT_TRUE(EncodePicture(picture, ".png", bytes, why)) << why;
    EXPECT_EQ(LargestChannelDifference(Decode(bytes), picture), 0);
  }
}

TEST(GifPalette, MoreThan256ColoursKeepTheMainOnesExactWithoutDithering) {
  const QImage picture = ManyColoursPage();
  const IndexedPicture reduced = ReduceToPalette(picture);
  ASSERT_LE(reduced.palette.size(), 256u);
  std::string bytes, why;
  ASSERT_TRUE(EncodeGif(reduced, bytes, why)) << why;
  const QImage decoded = Decode(bytes);
  for (const QPoint at : {QPoint(5, 5), QPoint(100, 48), QPoint(11, 150), QPoint(250, 210)}) {
    EXPECT_EQ(decoded.pixel(at), picture.pixel(at)) << at.x() << "," << at.y();
  }
  EXPECT_LE(LargestChannelDifference(decoded.copy(100, 400, 600, 100), picture.copy(100, 400, 600, 100)), 24);
  // No dithering: each column of one colour stays one colour.
  for (int x = 100; x < 700; ++x) EXPECT_EQ(decoded.pixel(x, 400), decoded.pixel(x, 499)) << x;
}

TEST(PictureFiles, SavingReplacesTheFileOrReportsWithoutLeavingAnything) {
  TempFolder folder;
  const std::string path = folder.File("12.png");
  WriteFileBytes(path, "old picture");
  EXPECT_FALSE(SaveBitmapToFile(SamplePage(), path).failed());
  EXPECT_EQ(QImage(QString::fromStdString(path)).size(), QSize(794, 1122));

  const FileError error = SaveBitmapToFile(SamplePage(), folder.File("missing/12.png"));
  EXPECT_EQ(error.number, ENOENT);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no temporary file left";
}

}  // namespace
