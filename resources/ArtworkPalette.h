#pragma once

#include <QColor>

// The few colours every picture draws with, so that the icons, the menu
// pictures and the busy animation read as one set. None is near magenta,
// which inline icons reserve for "see-through".
namespace palette {
inline const QColor kInk{0x22, 0x22, 0x2a};
inline const QColor kWhite{0xff, 0xff, 0xff};
inline const QColor kPaper{0xfb, 0xf8, 0xee};
inline const QColor kLightGrey{0xd2, 0xd4, 0xd8};
inline const QColor kGrey{0x8c, 0x90, 0x98};
inline const QColor kDarkGrey{0x55, 0x5a, 0x64};
inline const QColor kRed{0xd6, 0x2a, 0x2a};
inline const QColor kDarkRed{0x8e, 0x16, 0x16};
inline const QColor kOrange{0xf0, 0x8a, 0x10};
inline const QColor kYellow{0xf7, 0xcc, 0x1e};
inline const QColor kGold{0xe0, 0xa8, 0x00};
inline const QColor kBrown{0x8b, 0x5a, 0x2b};
inline const QColor kGreen{0x2e, 0x9e, 0x3e};
inline const QColor kDarkGreen{0x1c, 0x6b, 0x28};
inline const QColor kTeal{0x14, 0x8a, 0x8a};
inline const QColor kSky{0x74, 0xc6, 0xf0};
inline const QColor kBlue{0x1f, 0x6f, 0xd1};
inline const QColor kNavy{0x1d, 0x3d, 0x8f};
inline const QColor kPurple{0x74, 0x3c, 0xa8};
}  // namespace palette
