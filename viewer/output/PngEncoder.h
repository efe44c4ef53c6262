#pragma once

#include "viewer/output/GifEncoder.h"

#include <QImage>

#include <string>

// Compression of exported PNG pages, rows unfiltered (measured on text
// pages: the filters only cost time there). A palette page: zlib's level 6,
// the smallest files for the time spent (levels 1 to 3 are faster by a
// third and twice the size). A page of more colours: level 3, a third of
// the time of level 6 for 1.5% more bytes.
inline constexpr int kPalettePngLevel = 6;
inline constexpr int kRgbPngLevel = 3;

// The PNG file of a picture of at most 256 colours: 8-bit palette, and the
// resolution (dots per metre, 0 for none) in a pHYs chunk as Qt's writer
// puts it. False with a reason when the picture cannot be written.
bool EncodePalettePng(const IndexedPicture& picture, int dotsPerMeterX, int dotsPerMeterY, std::string& bytes,
                      std::string& why);

// The PNG file of any picture as 8-bit RGB, its alpha dropped as Qt's
// writer drops it for an opaque picture, with its resolution.
bool EncodeRgbPng(const QImage& picture, std::string& bytes, std::string& why);
