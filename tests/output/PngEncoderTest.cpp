#include "platform/ScriptedDialogs.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/canvas/PictureLoader.h"
#include "viewer/output/GifEncoder.h"
#include "viewer/output/PageOutput.h"
#include "viewer/output/PictureFiles.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include <gtest/gtest.h>

namespace {

// An output page with an underline and a bar in colour, a centred line, a
// footer and the page number; and maybe two-colour, bold and link pieces.
QImage MarkedOutputPage(bool colouredPieces) {
  ViewerState state;
  Document& document = state.document;
  for (int line = 1; line <= kLinesPerPage; ++line) {
    LineRecord& record = document.UseLine(1, line);
    record.absoluteLine = record.lineInPage = static_cast<std::int16_t>(line);
    record.pageNumber = 1;
    record.text = "Line " + std::to_string(line) + " of a marked page, with some words to carry the marks.";
  }
  LineRecord& marked = document.UseLine(1, 10);
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
  document.UseLine(1, 30).alignment = kAlignCentre;
  document.PageCount = 2;
  state.settings.colours.horizontal = 0x00A000;
  state.settings.colours.vertical = 0xFF0000;
  state.settings.footers[0] = {1, kBlockAlignLeft, 10, 1, 0, 0, "Footer of the page"};
  state.settings.pageNumber.enabled = 1;
  ScriptedDialogs dialogs([](const std::string&) {});
  PictureLoader pictures(dialogs);
  PageRenderer renderer(state, pictures, {});
  return DrawOutputPicture(renderer, 1);
}

QImage Decode(const std::string& bytes) {
  QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  QImageReader reader(&buffer, "png");
  return reader.read();
}

std::string EncodeWithQt(const QImage& picture) {
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "png").write(picture);
  return {encoded.constData(), static_cast<std::size_t>(encoded.size())};
}

// The pages the export wrote before: Qt's writer, with a palette when the
// page had at most 256 colours. Ours must decode to the very same pixels
// (and resolution) in no more bytes, for a page of a few colours and for
// one whose coloured pieces make more than 256.
TEST(PngPages, DecodeToThePixelsOfQtsWriterInNoMoreBytes) {
  struct Case {
    const char* what;
    bool colouredPiece;
    bool palette;
  };
  for (const Case c : {Case{"underlines and bars", false, true}, Case{"coloured pieces", true, false}}) {
    const QImage page = MarkedOutputPage(c.colouredPiece);
    const std::optional<IndexedPicture> indexed = ExactPalette(page);
    ASSERT_EQ(indexed.has_value(), c.palette) << c.what;
    const std::string before = EncodeWithQt(indexed ? ToIndexedImage(*indexed) : page);
    std::string ours, why;
    ASSERT_TRUE(EncodePicture(page, ".png", ours, why)) << why;
    EXPECT_EQ(static_cast<unsigned char>(ours[25]), c.palette ? 3 : 2) << c.what << ": colour type";
    const QImage fromOurs = Decode(ours), fromBefore = Decode(before);
    ASSERT_FALSE(fromOurs.isNull()) << c.what;
    EXPECT_EQ(fromOurs.convertToFormat(QImage::Format_RGB32), fromBefore.convertToFormat(QImage::Format_RGB32))
        << c.what;
    EXPECT_EQ(fromOurs.convertToFormat(QImage::Format_RGB32), page) << c.what;
    EXPECT_EQ(fromOurs.dotsPerMeterX(), fromBefore.dotsPerMeterX()) << c.what;
    EXPECT_EQ(fromOurs.dotsPerMeterY(), fromBefore.dotsPerMeterY()) << c.what;
    EXPECT_LE(ours.size(), before.size()) << c.what;
  }
}

TEST(PalettePng, ColoursAreIndexedInTheOrderTheyAppearAndOnlyUpTo256) {
  struct Case {
    int colours;
    bool exact;
  };
  for (const Case c : {Case{1, true}, Case{2, true}, Case{256, true}, Case{257, false}}) {
    QImage picture(300, 3, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 7));
    for (int i = 0; i < c.colours; ++i) picture.setPixel(i, 1, qRgb(i % 256, i / 256, 7));
    const std::optional<IndexedPicture> indexed = ExactPalette(picture);
    ASSERT_EQ(indexed.has_value(), c.exact) << c.colours;
    if (!indexed) continue;
    ASSERT_EQ(indexed->palette.size(), static_cast<std::size_t>(c.colours));
    EXPECT_EQ(indexed->palette[0], qRgb(0, 0, 7)) << "the first pixel's colour first";
    std::string bytes, why;
    ASSERT_TRUE(EncodePicture(picture, ".png", bytes, why)) << why;
    EXPECT_EQ(Decode(bytes).convertToFormat(QImage::Format_RGB32), picture) << c.colours;
  }
  EXPECT_FALSE(ExactPalette(QImage()));
}

}  // namespace
