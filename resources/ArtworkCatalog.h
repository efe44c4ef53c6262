#pragma once

#include <QSize>
#include <QString>

#include <array>

// Which pictures the programs carry and how large each one is. The drawing
// program, the lookup and the tests all take the numbers from here.

inline constexpr int kFirstInlineIcon = 1;
inline constexpr int kLastInlineIcon = 99;
inline constexpr int kFirstMenuPicture = 333;
inline constexpr int kLastMenuPicture = 349;
inline constexpr int kFirstBusyFrame = 801;
inline constexpr int kLastBusyFrame = 812;
inline constexpr int kProgramIconNumber = 200;

// The program icon comes in these pixel sizes; "#200" is the window size.
inline constexpr std::array<int, 7> kProgramIconSizes = {16, 24, 32, 48, 64, 128, 256};
inline constexpr int kProgramIconWindowSize = 32;

// Inline icons draw magenta where the page shows through.
inline constexpr unsigned kIconTransparent = 0xFFFF00FFu;

inline bool IsInlineIcon(int number) {
  return number >= kFirstInlineIcon && number <= kLastInlineIcon;
}
inline bool IsMenuPicture(int number) {
  return number >= kFirstMenuPicture && number <= kLastMenuPicture;
}
inline bool IsBusyFrame(int number) {
  return number >= kFirstBusyFrame && number <= kLastBusyFrame;
}

// Two inline icons are wide and low so they sit within a text line.
inline bool IsLowInlineIcon(int number) { return number == 9 || number == 22; }

// The size of picture `number`; an empty size when there is no such picture.
inline QSize ArtworkPixelSize(int number) {
  if (IsInlineIcon(number)) return IsLowInlineIcon(number) ? QSize(18, 12) : QSize(18, 18);
  if (IsMenuPicture(number)) return {16, 16};
  if (IsBusyFrame(number)) return {385, 133};
  if (number == kProgramIconNumber) return {kProgramIconWindowSize, kProgramIconWindowSize};
  return {};
}

// Where the pictures live inside the embedded resources.
inline constexpr const char* kArtworkResourcePrefix = "/artwork";
inline QString ArtworkFileName(int number) { return QString::number(number) + QStringLiteral(".png"); }
inline QString ProgramIconFileName(int size) {
  return QStringLiteral("icon-") + QString::number(size) + QStringLiteral(".png");
}
