#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Alignment codes of the footers and the page number.
inline constexpr std::int32_t kBlockAlignLeft = 131;
inline constexpr std::int32_t kBlockAlignRight = 132;
inline constexpr std::int32_t kBlockAlignCentre = 133;
inline constexpr std::int32_t kBlockAlignJustified = 134;

// Image formats for page export; the numbers are the configurator's option
// identifiers.
inline constexpr std::uint32_t kImageFormatPng = 3302;
inline constexpr std::uint32_t kImageFormatJpg = 3303;
inline constexpr std::uint32_t kImageFormatTif = 3304;
inline constexpr std::uint32_t kImageFormatBmp = 3305;
inline constexpr std::uint32_t kImageFormatGif = 3306;
// Not an image: all the chosen pages as one PDF file.
inline constexpr std::uint32_t kImageFormatPdf = 3358;

// Colours hold red in the low byte.
inline constexpr std::int32_t kColourRed = 255;
inline constexpr std::int32_t kColourWhite = 16777215;

// A footer text is drawn one byte per character, so it is held in
// Windows-1252, at most this many bytes.
inline constexpr std::size_t kFooterTextMax = 99;

struct FooterSettings {
  std::int32_t enabled = 0;
  std::int32_t alignment = kBlockAlignRight;
  std::int16_t fontSize = 10;  // points
  std::int32_t bold = 0;
  std::int32_t italic = 0;
  std::int32_t underline = 0;
  std::string text;  // Windows-1252

  bool operator==(const FooterSettings&) const = default;
};

struct PageNumberSettings {
  std::int32_t enabled = 0;
  std::int32_t alignment = kBlockAlignCentre;
  std::int16_t fontSize = 10;  // points
  std::int32_t pageLabel = 1;  // 1: the number follows the word for "page"
  std::int32_t numbering = 1;  // 1 Arabic, 2 Roman
  std::int32_t romanCase = 1;  // 1 upper case, 2 lower case

  bool operator==(const PageNumberSettings&) const = default;
};

struct ColourSettings {
  std::int32_t horizontal = kColourRed;
  std::int32_t vertical = kColourRed;
  std::int32_t twoColourText = kColourWhite;
  std::int32_t twoColourBackground = kColourRed;
  std::int32_t links = kColourRed;

  bool operator==(const ColourSettings&) const = default;
};

struct PositionSettings {
  std::int32_t y = 0;  // vertical view offset in pixels at the last exit
  std::int32_t page = 1;
  std::int16_t guideLine = 0;   // line 0..65 of the reading guide
  std::int32_t guideState = 0;  // 0 off, 3 on

  bool operator==(const PositionSettings&) const = default;
};

struct PrintSettings {
  std::int32_t copies = 1;
  std::int32_t colourMode = 1;  // 1 monochrome, 2 colour
  std::int32_t quality = 1;     // 1..4, lowest to highest

  bool operator==(const PrintSettings&) const = default;
};

// The viewer's one settings record; a default-made record holds the values
// used when the settings file lacks a key.
struct ViewerSettings {
  std::uint32_t imageFormat = kImageFormatBmp;
  std::int32_t selectorShape = 1;  // 1 rounded, 0 square
  std::array<FooterSettings, 2> footers{};
  PageNumberSettings pageNumber;
  ColourSettings colours;
  PositionSettings position;
  PrintSettings print;

  bool operator==(const ViewerSettings&) const = default;
};
