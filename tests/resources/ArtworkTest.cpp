#include "resources/Artwork.h"

#include <QIcon>

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr QRgb kMagenta = 0xFFFF00FFu;

std::vector<QImage> Pictures(int first, int last) {
  std::vector<QImage> pictures;
  for (int n = first; n <= last; ++n) pictures.push_back(ArtworkImage(n));
  return pictures;
}

// How many places pass `test`, given the pixel of `a` and that of `b` (by default `a` again) there.
int CountPixels(const QImage& a, const std::function<bool(QRgb, QRgb)>& test, const QImage* b = nullptr) {
  if (b && a.size() != b->size()) return INT_MAX;
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) count += test(a.pixel(x, y), (b ? *b : a).pixel(x, y)) ? 1 : 0;
  }
  return count;
}

// An edge blended at least half into the magenta ground: a pink dot where the rest is see-through.
bool IsMagentaFringe(QRgb c, QRgb) {
  return c != kMagenta && std::min(qRed(c), qBlue(c)) - qGreen(c) >= 96;
}

// Pictures of a set must not be near copies of one another.
void ExpectPairwiseDistinct(const std::vector<QImage>& pictures, int first, int minimum) {
  for (size_t i = 0; i < pictures.size(); ++i) {
    for (size_t j = i + 1; j < pictures.size(); ++j) {
      EXPECT_GE(CountPixels(pictures[i], std::not_equal_to<>(), &pictures[j]), minimum)
          << "pictures " << first + i << " and " << first + j;
    }
  }
}

// Every picture named, at its size, by number or "#" and the decimal number; any other gives nothing.
TEST(Artwork, EveryPictureLoadsAtItsSizeByNumberAndName) {
  const std::tuple<int, int, QSize> runs[] = {
      {1, 8, {18, 18}},     {9, 9, {18, 12}},     {10, 21, {18, 18}},     {22, 22, {18, 12}},
      {23, 99, {18, 18}},   {333, 349, {16, 16}}, {801, 812, {385, 133}}, {200, 200, {32, 32}}};
  for (const auto& [first, last, size] : runs) {
    for (int n = first; n <= last; ++n) {
      EXPECT_EQ(ArtworkImage(n).size(), size) << n;
      EXPECT_EQ(ArtworkImage(QString("#%1").arg(n)), ArtworkImage(n)) << n;
    }
  }
  EXPECT_EQ(ArtworkImage(u"#07"), ArtworkImage(7));
  for (int n : {INT_MIN, -1, 0, 100, 199, 201, 332, 350, 800, 813, INT_MAX}) EXPECT_TRUE(ArtworkImage(n).isNull()) << n;
  for (const char16_t* name : {u"", u"#", u"337", u"#33a", u"#337 ", u"#-1", u"#99999999999999999999"}) {
    EXPECT_TRUE(ArtworkImage(QStringView(name)).isNull()) << QString::fromUtf16(name).toStdString();
  }
}

TEST(InlineIcons, SeeThroughOnlyWhereExactlyMagentaAndNoTwoLookAlike) {
  for (int n = 1; n <= 99; ++n) {
    const QImage icon = ArtworkImage(n);
    EXPECT_FALSE(icon.hasAlphaChannel()) << n;
    EXPECT_GT(CountPixels(icon, [](QRgb c, QRgb) { return c == kMagenta; }), 0) << n;
    EXPECT_GE(CountPixels(icon, [](QRgb c, QRgb) { return c != kMagenta; }), 30) << n;
    EXPECT_EQ(CountPixels(icon, IsMagentaFringe), 0) << n;
  }
  ExpectPairwiseDistinct(Pictures(1, 99), 1, 5);  // letters such as I and T differ in a handful of pixels
}

// Menu pictures show something of their own on a clear ground; the busy frames each move, on white corners.
TEST(MenuPicturesAndBusyFrames, EachShowsSomethingOfItsOwn) {
  const std::vector<QImage> pictures = Pictures(333, 349), frames = Pictures(801, 812);
  for (size_t i = 0; i < pictures.size(); ++i) {
    EXPECT_GE(CountPixels(pictures[i], [](QRgb c, QRgb) { return qAlpha(c) >= 128; }), 30) << 333 + i;
    EXPECT_GT(CountPixels(pictures[i], [](QRgb c, QRgb) { return qAlpha(c) == 0; }), 0) << 333 + i;
  }
  ExpectPairwiseDistinct(pictures, 333, 12);
  ExpectPairwiseDistinct(frames, 801, 50);
  for (size_t i = 0; i < frames.size(); ++i) {
    const QImage& f = frames[i];
    EXPECT_EQ(f.pixel(0, 0) & f.pixel(384, 0) & f.pixel(0, 132) & f.pixel(384, 132), 0xFFFFFFFFu) << 801 + i;
  }
}

TEST(ProgramIcon, ComesInEveryDesktopSize) {
  const QIcon icon = ProgramIcon();
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    const QImage pix = icon.pixmap(QSize(size, size)).toImage();
    ASSERT_EQ(pix.size(), QSize(size, size)) << size;
    EXPECT_EQ(std::pair(qAlpha(pix.pixel(0, 0)), qAlpha(pix.pixel(size / 2, size / 2))), std::pair(0, 255));
  }
}

}  // namespace
