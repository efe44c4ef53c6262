#include "viewer/output/PictureFiles.h"

#include "platform/SafeWrite.h"
#include "viewer/output/GifEncoder.h"
#include "viewer/output/PngEncoder.h"
#include "viewer/settings/ViewerSettings.h"

#include <QBuffer>
#include <QImageWriter>

#include <array>
#include <cerrno>

namespace {

struct FormatEntry {
  std::uint32_t code;
  std::string_view extension;
  const char* qtWriter;  // null: written by our own GIF encoder
};

// In the order the encoders are searched; an unknown extension takes the
// first one.
constexpr std::array<FormatEntry, 5> kFormats{{{kImageFormatBmp, ".bmp", "bmp"},
                                               {kImageFormatJpg, ".jpg", "jpeg"},
                                               {kImageFormatGif, ".gif", nullptr},
                                               {kImageFormatTif, ".tif", "tiff"},
                                               {kImageFormatPng, ".png", "png"}}};

constexpr int kJpegQuality = 100;
constexpr int kTiffLzw = 1;  // lossless, and a page shrinks to a fraction

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

const FormatEntry& EncoderFor(std::string_view extension) {
  const std::string lower = LowerAscii(extension);
  for (const FormatEntry& entry : kFormats) {
    if (entry.extension == lower) return entry;
  }
  return kFormats.front();
}

// Qt's writers. PNG keeps its default compression: its "quality" would set
// the compression, not the picture's quality.
bool EncodeWithQt(const QImage& picture, const char* format, std::string& bytes, std::string& why) {
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (std::string_view(format) == "jpeg") writer.setQuality(kJpegQuality);
  if (std::string_view(format) == "tiff") writer.setCompression(kTiffLzw);
  if (!writer.write(picture)) {
    why = writer.errorString().toStdString();
    return false;
  }
  bytes.assign(encoded.constData(), static_cast<std::size_t>(encoded.size()));
  return true;
}

}  // namespace

std::string_view ExportExtension(std::uint32_t imageFormat) {
  for (const FormatEntry& entry : kFormats) {
    if (entry.code == imageFormat) return entry.extension;
  }
  return {};
}

std::string FileExtension(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  return LowerAscii(path.substr(dot));
}

bool EncodePicture(const QImage& picture, std::string_view extension, std::string& bytes, std::string& why) {
  const FormatEntry& entry = EncoderFor(extension);
  if (!entry.qtWriter) return EncodeGif(ReduceToPalette(picture), bytes, why);
  if (entry.code == kImageFormatPng) {
    // A page of at most 256 colours, written with a palette, is the same
    // picture in a fraction of the bytes and time.
    if (const std::optional<IndexedPicture> indexed = ExactPalette(picture)) {
      return EncodePalettePng(*indexed, picture.dotsPerMeterX(), picture.dotsPerMeterY(), bytes, why);
    }
    // Our writer does what Qt's does for an opaque picture, in a third of
    // the time.
    if (!picture.isNull() && !picture.hasAlphaChannel()) return EncodeRgbPng(picture, bytes, why);
  }
  return EncodeWithQt(picture, entry.qtWriter, bytes, why);
}

FileError SaveBitmapToFile(const QImage& picture, const std::string& path) {
  std::string bytes;
  std::string why;
  if (!EncodePicture(picture, FileExtension(path), bytes, why)) return FileError{EIO, why};
  return WriteFileSafely(path, bytes);
}
