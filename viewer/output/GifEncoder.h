#pragma once

#include <QImage>
#include <QRgb>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A picture of at most 256 colours: one palette index per pixel.
struct IndexedPicture {
  int width = 0;
  int height = 0;
  std::vector<QRgb> palette;      // opaque colours, at most 256
  std::vector<std::uint8_t> pixels;  // row after row
  bool exact = true;                 // every pixel keeps its colour
};

// The picture's own colours, in the order they first appear, when it has at
// most 256 of them; none otherwise (and for a null picture).
std::optional<IndexedPicture> ExactPalette(const QImage& image);

// A picture with at most 256 colours keeps them exactly. Otherwise the
// colours are cut down by median cut, and every pixel takes its box's
// colour: no dithering, so text keeps clean edges, and a colour that fills
// most of its box (the paper, the ink, a mark) stays exact.
IndexedPicture ReduceToPalette(const QImage& image);

// The picture as a Qt image of 8-bit indices.
QImage ToIndexedImage(const IndexedPicture& picture);

// The GIF file of the picture; false with a reason when giflib fails.
bool EncodeGif(const IndexedPicture& picture, std::string& bytes, std::string& why);
