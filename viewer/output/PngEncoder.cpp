#include "viewer/output/PngEncoder.h"

#include <zlib.h>

#include <algorithm>
#include <functional>
#include <vector>
#include <cstdint>
#include <string_view>

namespace {

constexpr std::string_view kSignature{"\x89PNG\r\n\x1a\n", 8};

void AppendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void AppendChunk(std::string& out, std::string_view type, std::string_view data) {
  AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.append(type);
  out.append(data);
  const auto* checked = reinterpret_cast<const Bytef*>(out.data() + typeAt);
  AppendBigEndian(out, static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), checked,
                                                        static_cast<uInt>(type.size() + data.size()))));
}

std::string HeaderData(int width, int height, char colourType) {
  std::string data;
  AppendBigEndian(data, static_cast<std::uint32_t>(width));
  AppendBigEndian(data, static_cast<std::uint32_t>(height));
  data.push_back('\x08');  // bits a sample
  data.push_back(colourType);
  data += std::string_view("\x00\x00\x00", 3);  // deflate, adaptive filters, no interlace
  return data;
}

std::string PaletteData(const IndexedPicture& picture) {
  std::string data;
  for (const QRgb colour : picture.palette) {
    data.push_back(static_cast<char>(qRed(colour)));
    data.push_back(static_cast<char>(qGreen(colour)));
    data.push_back(static_cast<char>(qBlue(colour)));
  }
  return data;
}

std::string ResolutionData(int dotsPerMeterX, int dotsPerMeterY) {
  std::string data;
  AppendBigEndian(data, static_cast<std::uint32_t>(std::max(dotsPerMeterX, 0)));
  AppendBigEndian(data, static_cast<std::uint32_t>(std::max(dotsPerMeterY, 0)));
  data.push_back('\x01');  // metres
  return data;
}

// Runs deflate on what the stream holds, growing `out` as it fills (a page
// compresses to a few percent of its pixels: no room is set aside for all).
bool Deflate(z_stream& stream, int flush, std::string& out) {
  for (;;) {
    if (stream.avail_out == 0) {
      const std::size_t used = out.size();  // all of it written
      out.resize(std::max<std::size_t>(used * 2, 64 * 1024));
      stream.next_out = reinterpret_cast<Bytef*>(out.data() + used);
      stream.avail_out = static_cast<uInt>(out.size() - used);
    }
    const int result = deflate(&stream, flush);
    if (result == Z_STREAM_END) return true;
    if (result != Z_OK && result != Z_BUF_ERROR) return false;
    // Room left: the input is taken (and a finish that did not end failed).
    if (stream.avail_out != 0) return flush != Z_FINISH;
  }
}

// `height` rows of `rowBytes` bytes each, as `fillRow` writes them, each
// behind its filter byte (0: none), deflated as one stream.
bool DeflateRows(int height, std::size_t rowBytes, int level,
                 const std::function<void(int y, std::uint8_t* row)>& fillRow, std::string& compressed) {
  z_stream stream{};
  if (deflateInit(&stream, level) != Z_OK) return false;
  compressed.clear();
  std::vector<std::uint8_t> row(rowBytes + 1, 0);
  bool ok = true;
  for (int y = 0; ok && y < height; ++y) {
    fillRow(y, row.data() + 1);
    stream.next_in = row.data();
    stream.avail_in = static_cast<uInt>(row.size());
    ok = Deflate(stream, Z_NO_FLUSH, compressed);
  }
  ok = ok && Deflate(stream, Z_FINISH, compressed);
  compressed.resize(stream.total_out);
  deflateEnd(&stream);
  return ok;
}

// The whole file around its chunks; the palette only for a palette picture.
std::string PngFile(const std::string& header, const std::string& palette, int dotsPerMeterX, int dotsPerMeterY,
                    const std::string& compressed) {
  std::string bytes;
  bytes.reserve(compressed.size() + palette.size() + 128);
  bytes.append(kSignature);
  AppendChunk(bytes, "IHDR", header);
  if (!palette.empty()) AppendChunk(bytes, "PLTE", palette);
  if (dotsPerMeterX > 0 || dotsPerMeterY > 0) AppendChunk(bytes, "pHYs", ResolutionData(dotsPerMeterX, dotsPerMeterY));
  AppendChunk(bytes, "IDAT", compressed);
  AppendChunk(bytes, "IEND", {});
  return bytes;
}

bool Refuse(std::string& why) {
  why = "Picture cannot be written as PNG";
  return false;
}

}  // namespace

bool EncodePalettePng(const IndexedPicture& picture, int dotsPerMeterX, int dotsPerMeterY, std::string& bytes,
                      std::string& why) {
  bytes.clear();
  const std::size_t width = static_cast<std::size_t>(std::max(picture.width, 0));
  if (width * static_cast<std::size_t>(std::max(picture.height, 0)) == 0 ||
      picture.pixels.size() != width * static_cast<std::size_t>(picture.height) || picture.palette.empty() ||
      picture.palette.size() > 256) {
    return Refuse(why);
  }
  std::string compressed;
  const auto fillRow = [&](int y, std::uint8_t* row) {
    std::copy_n(picture.pixels.data() + static_cast<std::size_t>(y) * width, width, row);
  };
  if (!DeflateRows(picture.height, width, kPalettePngLevel, fillRow, compressed)) return Refuse(why);
  bytes = PngFile(HeaderData(picture.width, picture.height, '\x03'), PaletteData(picture), dotsPerMeterX,
                  dotsPerMeterY, compressed);
  return true;
}

bool EncodeRgbPng(const QImage& source, std::string& bytes, std::string& why) {
  bytes.clear();
  if (source.isNull()) return Refuse(why);
  const QImage picture = source.convertToFormat(QImage::Format_RGB32);
  const std::size_t width = static_cast<std::size_t>(picture.width());
  std::string compressed;
  const auto fillRow = [&](int y, std::uint8_t* row) {
    const auto* pixels = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    for (std::size_t x = 0; x < width; ++x) {
      *row++ = static_cast<std::uint8_t>(qRed(pixels[x]));
      *row++ = static_cast<std::uint8_t>(qGreen(pixels[x]));
      *row++ = static_cast<std::uint8_t>(qBlue(pixels[x]));
    }
  };
  if (!DeflateRows(picture.height(), width * 3, kRgbPngLevel, fillRow, compressed)) return Refuse(why);
  bytes = PngFile(HeaderData(picture.width(), picture.height(), '\x02'), {}, picture.dotsPerMeterX(),
                  picture.dotsPerMeterY(), compressed);
  return true;
}
