#pragma once

#include "viewer/document/PageGeometry.h"

#include <QRgb>

#include <cstdint>

// Where the page lies in the view: the y offset is 0 or negative (the page
// scrolled up); x stays 0.
struct ViewState {
  int x = 0;
  int y = 0;
  int width = kPageWidth;
  int height = kPageHeight;
  QRgb background = qRgb(255, 255, 255);
};

inline constexpr std::int32_t kGuideOn = 3;

// The reading guide: a band behind one line that follows the reader.
struct GuideInfo {
  std::int32_t GuideState = 0;     // 0 off, kGuideOn on
  std::int16_t GuideLine = 0;      // 1..65 on the current page
  std::int16_t GuideLastLine = 0;  // where the last move left it
  QRgb GuideFill = qRgb(0xC0, 0xC0, 0xC0);

  bool IsOn() const { return GuideState == kGuideOn; }
};
