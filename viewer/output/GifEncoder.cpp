#include "viewer/output/GifEncoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numeric>
#include <unordered_map>

namespace {

constexpr std::size_t kMaxColours = 256;

struct ColourCount {
  QRgb colour;
  std::uint64_t count;
};

// Colours of a median-cut box: a range of the colour list.
struct ColourBox {
  std::size_t begin;
  std::size_t end;
  std::uint64_t weight;
  int channel;  // the widest one: 0 red, 1 green, 2 blue
  int extent;
};

int Channel(QRgb colour, int channel) {
  return channel == 0 ? qRed(colour) : channel == 1 ? qGreen(colour) : qBlue(colour);
}

// Every colour of the picture with how many pixels have it. Runs of one
// colour are counted without a look-up, as pages are mostly paper.
std::vector<ColourCount> CountColours(const QImage& image, std::unordered_map<QRgb, std::uint32_t>& slot) {
  std::vector<ColourCount> colours;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width();) {
      const QRgb colour = row[x] | 0xFF000000u;
      int run = 1;
      while (x + run < image.width() && (row[x + run] | 0xFF000000u) == colour) ++run;
      const auto [it, added] = slot.try_emplace(colour, static_cast<std::uint32_t>(colours.size()));
      if (added) colours.push_back({colour, 0});
      colours[it->second].count += static_cast<std::uint64_t>(run);
      x += run;
    }
  }
  return colours;
}

ColourBox MakeBox(const std::vector<ColourCount>& colours, std::size_t begin, std::size_t end) {
  ColourBox box{begin, end, 0, 0, -1};
  std::array<int, 3> low{255, 255, 255};
  std::array<int, 3> high{0, 0, 0};
  for (std::size_t i = begin; i < end; ++i) {
    box.weight += colours[i].count;
    for (int c = 0; c < 3; ++c) {
      low[c] = std::min(low[c], Channel(colours[i].colour, c));
      high[c] = std::max(high[c], Channel(colours[i].colour, c));
    }
  }
  for (int c = 0; c < 3; ++c) {
    if (high[c] - low[c] > box.extent) {
      box.extent = high[c] - low[c];
      box.channel = c;
    }
  }
  return box;
}

// The box worth splitting next: wide and well filled; none when every box
// holds a single colour.
std::size_t PickBoxToSplit(const std::vector<ColourBox>& boxes) {
  std::size_t best = boxes.size();
  double bestScore = 0;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (boxes[i].end - boxes[i].begin < 2) continue;
    const double score = boxes[i].extent * std::sqrt(static_cast<double>(boxes[i].weight));
    if (score > bestScore) {
      bestScore = score;
      best = i;
    }
  }
  return best;
}

// Splits a box at the weighted median of its widest channel.
void SplitBox(std::vector<ColourCount>& colours, std::vector<ColourBox>& boxes, std::size_t which) {
  const ColourBox box = boxes[which];
  const auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.begin);
  const auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.end);
  std::sort(first, last, [&box](const ColourCount& a, const ColourCount& b) {
    return Channel(a.colour, box.channel) < Channel(b.colour, box.channel);
  });
  std::uint64_t seen = 0;
  std::size_t cut = box.begin + 1;
  for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
    seen += colours[i].count;
    cut = i + 1;
    if (seen * 2 >= box.weight) break;
  }
  boxes[which] = MakeBox(colours, box.begin, cut);
  boxes.push_back(MakeBox(colours, cut, box.end));
}

// The colour a box stands for: its main colour when that fills half the
// box, otherwise the weighted mean.
QRgb BoxColour(const std::vector<ColourCount>& colours, const ColourBox& box) {
  const auto main = std::max_element(colours.begin() + static_cast<std::ptrdiff_t>(box.begin),
                                     colours.begin() + static_cast<std::ptrdiff_t>(box.end),
                                     [](const ColourCount& a, const ColourCount& b) { return a.count < b.count; });
  if (main->count * 2 >= box.weight) return main->colour;
  std::array<double, 3> sum{};
  for (std::size_t i = box.begin; i < box.end; ++i) {
    for (int c = 0; c < 3; ++c) sum[c] += static_cast<double>(Channel(colours[i].colour, c)) * colours[i].count;
  }
  const auto mean = [&](int c) { return static_cast<int>(std::lround(sum[c] / static_cast<double>(box.weight))); };
  return qRgb(mean(0), mean(1), mean(2));
}

// Median cut into at most 256 boxes; `slot` then maps each colour to its
// palette index.
std::vector<QRgb> CutPalette(std::vector<ColourCount>& colours, std::unordered_map<QRgb, std::uint32_t>& slot) {
  std::vector<ColourBox> boxes{MakeBox(colours, 0, colours.size())};
  while (boxes.size() < kMaxColours) {
    const std::size_t which = PickBoxToSplit(boxes);
    if (which == boxes.size()) break;
    SplitBox(colours, boxes, which);
  }
  std::vector<QRgb> palette;
  for (std::size_t b = 0; b < boxes.size(); ++b) {
    palette.push_back(BoxColour(colours, boxes[b]));
    for (std::size_t i = boxes[b].begin; i < boxes[b].end; ++i) slot[colours[i].colour] = static_cast<std::uint32_t>(b);
  }
  return palette;
}

std::string GifFailure(int error) {
  const char* text = GifErrorString(error);
  return text ? text : "GIF encoding failed";
}

int WriteToString(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data),
                                                   static_cast<std::size_t>(length));
  return length;
}

// Colour to palette index for at most 256 colours: open addressing in a
// table four times that size, so a look-up almost never probes twice.
class ExactColourTable {
 public:
  // The colour's index, added when new; -1 once there would be too many.
  int IndexOf(QRgb colour, std::vector<QRgb>& palette) {
    std::size_t at = (colour * 2654435761u) >> (32 - kBits);
    while (keys_[at] != 0 && keys_[at] != colour) at = (at + 1) & (kSize - 1);
    if (keys_[at] == colour) return indices_[at];
    if (palette.size() == kMaxColours) return -1;
    keys_[at] = colour;
    indices_[at] = static_cast<std::uint8_t>(palette.size());
    palette.push_back(colour);
    return indices_[at];
  }

 private:
  static constexpr int kBits = 10;
  static constexpr std::size_t kSize = std::size_t{1} << kBits;
  std::array<QRgb, kSize> keys_{};  // 0 is free: stored colours are opaque
  std::array<std::uint8_t, kSize> indices_{};
};

}  // namespace

std::optional<IndexedPicture> ExactPalette(const QImage& source) {
  if (source.isNull()) return std::nullopt;
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  IndexedPicture picture{image.width(), image.height(), {}, {}};
  picture.pixels.resize(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
  ExactColourTable table;
  std::uint8_t* out = picture.pixels.data();
  const int width = image.width();
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < width;) {
      // Pages are mostly runs of paper: one look-up a run.
      const QRgb colour = row[x] | 0xFF000000u;
      const int index = table.IndexOf(colour, picture.palette);
      if (index < 0) return std::nullopt;
      do {
        *out++ = static_cast<std::uint8_t>(index);
        ++x;
      } while (x < width && (row[x] | 0xFF000000u) == colour);
    }
  }
  return picture;
}

IndexedPicture ReduceToPalette(const QImage& source) {
  if (std::optional<IndexedPicture> exact = ExactPalette(source)) return std::move(*exact);
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  IndexedPicture picture{image.width(), image.height(), {}, {}};
  std::unordered_map<QRgb, std::uint32_t> slot;
  std::vector<ColourCount> colours = CountColours(image, slot);
  if (colours.size() <= kMaxColours) {
    for (const ColourCount& c : colours) picture.palette.push_back(c.colour);
  } else {
    picture.palette = CutPalette(colours, slot);
    picture.exact = false;
  }
  picture.pixels.resize(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
  std::uint8_t* out = picture.pixels.data();
  QRgb last = 0;
  std::uint8_t lastIndex = 0;
  bool haveLast = false;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb colour = row[x] | 0xFF000000u;
      if (!haveLast || colour != last) {
        last = colour;
        lastIndex = static_cast<std::uint8_t>(slot.at(colour));
        haveLast = true;
      }
      *out++ = lastIndex;
    }
  }
  return picture;
}

QImage ToIndexedImage(const IndexedPicture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_Indexed8);
  image.setColorTable(QList<QRgb>(picture.palette.begin(), picture.palette.end()));
  for (int y = 0; y < picture.height; ++y) {
    std::copy_n(picture.pixels.data() + static_cast<std::size_t>(y) * picture.width, picture.width, image.scanLine(y));
  }
  return image;
}

bool EncodeGif(const IndexedPicture& picture, std::string& bytes, std::string& why) {
  bytes.clear();
  if (picture.width <= 0 || picture.height <= 0 || picture.palette.empty() || picture.palette.size() > kMaxColours) {
    why = "Picture cannot be written as GIF";
    return false;
  }
  const int bits = GifBitSize(static_cast<int>(picture.palette.size()));
  std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)> map(GifMakeMapObject(1 << bits, nullptr),
                                                                   &GifFreeMapObject);
  if (!map) {
    why = "Out of memory";
    return false;
  }
  for (int i = 0; i < map->ColorCount; ++i) {
    const QRgb colour = static_cast<std::size_t>(i) < picture.palette.size() ? picture.palette[i] : 0;
    map->Colors[i] = {static_cast<GifByteType>(qRed(colour)), static_cast<GifByteType>(qGreen(colour)),
                      static_cast<GifByteType>(qBlue(colour))};
  }
  int error = 0;
  GifFileType* gif = EGifOpen(&bytes, WriteToString, &error);
  if (!gif) {
    why = GifFailure(error);
    return false;
  }
  bool ok = EGifPutScreenDesc(gif, picture.width, picture.height, bits, 0, map.get()) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) == GIF_OK;
  for (int y = 0; ok && y < picture.height; ++y) {
    auto* row = const_cast<GifByteType*>(picture.pixels.data() + static_cast<std::size_t>(y) * picture.width);
    ok = EGifPutLine(gif, row, picture.width) == GIF_OK;
  }
  if (!ok) error = gif->Error;
  int closeError = 0;
  if (EGifCloseFile(gif, &closeError) != GIF_OK && ok) {
    ok = false;
    error = closeError;
  }
  if (!ok) why = GifFailure(error);
  return ok;
}
