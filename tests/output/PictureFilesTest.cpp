#include "platform/SafeWrite.h"
#include "platform/ScriptedDialogs.h"
#include "tests/MarkedDocuments.h"
#include "tests/TempFolder.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/canvas/PictureLoader.h"
#include "viewer/output/GifEncoder.h"
#include "viewer/output/PageOutput.h"
#include "viewer/output/PictureFileQueue.h"
#include "viewer/output/PictureFiles.h"

#include <map>
#include <set>
#include <QBuffer>
#include <QPainter>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

namespace {

// A marked page with footer and number as exported; `colouredPieces` makes it more than 256 colours.
QImage MarkedOutputPage(bool colouredPieces) {
  ViewerState state;
  for (int line = 1; line <= kLinesPerPage; ++line) {
    PutLine(state.document, 1, line, "Line " + std::to_string(line) + " of a marked page, with words to carry the marks.");
  }
  LineRecord& marked = state.document.UseLine(1, 10);
  marked.hasMarks = 1;
  marked.horizontalMarks = "10,3,40;";
  marked.verticalMarks = "10,16;";
  if (colouredPieces) {
    marked.hasBold = marked.hasLinks = 1;
    marked.twoColourPieces = "10,20,30,16744448,65535;";
    marked.boldPieces = "10,32,40;";
    marked.linkPieces = "10,42,50,1E1;";
    marked.linkTargets = "2,1E1;";
  }
  state.document.UseLine(1, 30).alignment = "AL2";
  state.document.PageCount = 2;
  state.settings.colours = {.horizontal = 0x00A000, .vertical = 0xFF0000};  // red in the low byte: green, blue
  state.settings.footers[0] = {1, 131, 10, 1, 0, 0, "Footer of the page"};
  state.settings.pageNumber.enabled = 1;
  ScriptedDialogs dialogs([](const std::string&) {});
  PictureLoader pictures(dialogs);
  PageRenderer renderer(state, pictures, {});
  return DrawOutputPicture(renderer, 1);
}

QImage Decode(const std::string& bytes) { return QImage::fromData(QByteArrayView(bytes)); }
QImage Rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

std::string Encoded(const QImage& picture, const char* extension) {
  std::string bytes, why;
  EXPECT_TRUE(EncodePicture(picture, extension, bytes, why)) << extension << ": " << why;
  return bytes;
}

std::string EncodeWithQt(const QImage& picture, const char* format, int quality = -1) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, format, quality);
  return buffer.data().toStdString();
}

// Each format decodes here and elsewhere to the 794 x 1122 page, exactly (JPEG as at full quality); else BMP.
TEST(PictureFiles, EveryFormatDecodesToThePage) {
  const QImage page = MarkedOutputPage(false);
  const bool identify = std::system("command -v identify > /dev/null") == 0;
  TempFolder folder;
  const std::tuple<std::uint32_t, const char*, const char*, bool, std::string> cases[] = {
      {3302, ".png", "\x89PNG", true, "PNG"}, {3304, ".tif", "II*", true, "TIFF"},
      {3305, ".bmp", "BM", true, "BMP3"},     {3306, ".gif", "GIF8", true, "GIF"},
      {3303, ".jpg", "\xFF\xD8", false, "JPEG"}, {3307, "", "BM", true, "BMP3"}};
  EXPECT_EQ(FileExtension("/p/fotos/5.PNG") + "|" + FileExtension("/p/fo.tos/5"), ".png|");
  for (const auto& [code, extension, magic, lossless, identified] : cases) {
    ASSERT_EQ(ExportExtension(code), std::string(extension)) << code;
    const std::string bytes = Encoded(page, extension);
    EXPECT_EQ(bytes.rfind(magic, 0), 0u) << extension;
    const QImage decoded = Rgb(Decode(bytes));
    ASSERT_EQ(decoded.size(), QSize(794, 1122)) << extension;
    EXPECT_EQ(decoded, Rgb(lossless ? page : Decode(EncodeWithQt(page, "jpeg", 100)))) << extension;
    WriteFileBytes(folder.File("page"), bytes);
    std::system(("identify -format '%m %w %h' " + folder.File("page") + " > " + folder.File("seen")).c_str());
    EXPECT_TRUE(!identify || ReadFileBytes(folder.File("seen")) == identified + " 794 1122") << extension;
  }
}

// Up to 256 colours in a palette (type 3), more as RGB (2); same pixels and resolution as Qt's, no more bytes.
TEST(PictureFiles, PngKeepsThePixelsInAPaletteUpTo256ColoursInNoMoreBytesThanQts) {
  QImage strip(257, 1, QImage::Format_RGB32);
  for (int i = 0; i < 257; ++i) strip.setPixel(i, 0, qRgb(i % 256, i / 256, 7));
  const std::pair<QImage, int> cases[] = {
      {MarkedOutputPage(false), 3}, {MarkedOutputPage(true), 2}, {strip.copy(0, 0, 256, 1), 3}, {strip, 2}};
  for (const auto& [picture, colourType] : cases) {
    const std::optional<IndexedPicture> indexed = ExactPalette(picture);
    ASSERT_EQ(indexed.has_value(), colourType == 3) << picture.width();
    const std::string before = EncodeWithQt(indexed ? ToIndexedImage(*indexed) : picture, "png");
    const std::string ours = Encoded(picture, ".png");
    EXPECT_EQ(static_cast<unsigned char>(ours[25]), colourType) << picture.width();
    const QImage fromOurs = Decode(ours), fromBefore = Decode(before);
    EXPECT_EQ(Rgb(fromOurs), Rgb(picture)) << picture.width();
    EXPECT_EQ(std::pair(fromOurs.dotsPerMeterX(), fromOurs.dotsPerMeterY()),
              std::pair(fromBefore.dotsPerMeterX(), fromBefore.dotsPerMeterY()));
    if (picture.height() == 1) continue;  // no more bytes is for pages, of 3.5 MB of pixels
    EXPECT_LE(ours.size(), std::min<std::size_t>(before.size(), 200'000)) << colourType;
  }
}

// Over 256 colours, the marks, ink and paper stay exact, undithered; only antialiased blends shift a shade.
TEST(PictureFiles, AGifKeepsTheMarkColoursExactly) {
  const QImage page = Rgb(MarkedOutputPage(true));
  const QImage gif = Rgb(Decode(Encoded(page, ".gif")));
  const std::set<QRgb> exact = {qRgb(0, 160, 0), qRgb(0, 0, 255), qRgb(255, 255, 255), qRgb(0, 0, 0)};
  std::map<QRgb, int> kept;
  int largestShift = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const QRgb want = page.pixel(x, y), got = gif.pixel(x, y);
      if (exact.count(want)) {
        kept[want] += want == got ? 1 : -1000000;
      } else {
        largestShift = std::max({largestShift, std::abs(qRed(want) - qRed(got)), std::abs(qBlue(want) - qBlue(got))});
      }
    }
  }
  EXPECT_GT(std::min({kept[qRgb(0, 160, 0)], kept[qRgb(0, 0, 255)], kept[qRgb(0, 0, 0)]}), 20) << "drawn and kept";
  EXPECT_LE(largestShift, 24);
}

// A small picture telling its number by its width and colours.
QImage NumberedPicture(int number) {
  QImage picture(40 + number, 30, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.fillRect(2, 2, number + 1, 10, QColor(10 * number, 0, 200));
  painter.drawText(4, 26, QString::number(number));
  return picture;
}

class Queue : public ::testing::Test {
 protected:
  void TearDown() override { SetWriteFailureAfterBytes(-1); }
  std::string Path(int number) const { return folder.File(std::to_string(number) + ".png"); }

  // Hands pictures 1..count over to an emptied folder (picture `nullAt` as a null picture).
  std::optional<PictureFileQueue::Failure> WriteAll(int count, int nullAt = 0, int workers = 0, std::size_t pending = 0) {
    PictureFileQueue queue(workers, pending);
    for (int n = 1; n <= count; ++n) queue.Add(n == nullAt ? QImage() : NumberedPicture(n), Path(n));
    return queue.Finish();
  }
  bool Holds(int number) const { return Rgb(QImage(QString::fromStdString(Path(number)))) == NumberedPicture(number); }
  void Empty() const { std::filesystem::remove_all(folder.path()), std::filesystem::create_directories(folder.path()); }

  TempFolder folder;
};

TEST_F(Queue, EveryPictureIsWrittenWhateverTheThreadsAndTheRoomInTheQueue) {
  for (const auto& [workers, pending] : {std::pair{0, 0u}, {1, 1u}, {3, 1u}, {4, 2u}, {6, 30u}}) {
    Empty();
    EXPECT_FALSE(WriteAll(25, 0, workers, pending)) << workers;
    for (int n = 1; n <= 25; ++n) EXPECT_TRUE(Holds(n)) << workers << " workers, picture " << n;
    EXPECT_EQ(folder.EntryCount(), 25u) << "no temporary file left";
  }
}

// Page 3 cannot be written: 1 and 2 are, 4 and 5 keep their old files, and nothing else is left.
TEST_F(Queue, TheFirstFailureEndsTheRunWithEverythingBeforeItWritten) {
  const long long firstTwo = Encoded(NumberedPicture(1), ".png").size() + Encoded(NumberedPicture(2), ".png").size();
  using Block = std::function<void(const std::string&)>;
  const std::tuple<const char*, Block, int, int> cases[] = {
      {"a folder in its place", [](const std::string& third) { std::filesystem::create_directory(third); }, 0, EISDIR},
      {"a read-only old file", [](const std::string& third) { WriteFileBytes(third, "old"), ::chmod(third.c_str(), 0444); },
       0, EACCES},
      {"the disk full", [&](const std::string&) { SetWriteFailureAfterBytes(firstTwo + 10); }, 0, ENOSPC},
      {"a picture that cannot be encoded", [](const std::string&) {}, 3, EIO},
  };
  for (const auto& [what, block, nullAt, error] : cases) {
    Empty();
    WriteFileBytes(Path(4), "old four"), WriteFileBytes(Path(5), "old five");
    block(Path(3));
    const std::optional<PictureFileQueue::Failure> failure = WriteAll(5, nullAt);
    SetWriteFailureAfterBytes(-1);
    ASSERT_TRUE(failure) << what;
    EXPECT_EQ(std::tuple(failure->index, failure->path, failure->error.number), std::tuple(2u, Path(3), error)) << what;
    EXPECT_TRUE(Holds(1) && Holds(2)) << what;
    EXPECT_EQ(ReadFileBytes(Path(4)) + ReadFileBytes(Path(5)), "old fourold five") << what;
    EXPECT_EQ(folder.EntryCount(), std::filesystem::exists(Path(3)) ? 5u : 4u) << what << ": no temporary file left";
    ::chmod(Path(3).c_str(), 0644);
  }
}

}  // namespace
