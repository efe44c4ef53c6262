#pragma once

#include "viewer/settings/Palette.h"

#include <QFrame>
#include <QImage>

#include <cstdint>
#include <functional>
#include <string_view>

// The palette bitmap: 336 x 312, white, the grid drawn into it.
inline constexpr int kPaletteBitmapWidth = 336;
inline constexpr int kPaletteBitmapHeight = 312;

// Draws every cell: its box with a one-pixel outline, filled with its colour.
void DrawPaletteGrid(QImage& bitmap, const Palette& palette);
void DrawPaletteCell(QImage& bitmap, const PaletteCell& cell, QColor outline);

// The control that shows the palette (31001). Positions are taken inside
// its border. Moving over a cell redraws the grid with that cell outlined
// in white; a left click on a cell and a right click anywhere are handed
// to the dialog, the right click with the colour of the pixel under it.
class PaletteWidget : public QFrame {
 public:
  explicit PaletteWidget(const Palette& palette, QWidget* parent);

  std::function<void(PaletteSlot)> onLeftClick;
  std::function<void(std::uint32_t)> onRightClick;

  // Draws the grid again; `highlight` is drawn with a white outline.
  void Redraw(std::optional<PaletteSlot> highlight = std::nullopt);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::optional<QPoint> ClientPoint(const QMouseEvent* event) const;

  const Palette& palette_;
  QImage shown_;  // what the control shows: the bitmap and the highlight
};

// The selected-colour panel (31005): the colour as background and the
// caption centred on it in Tahoma 12 bold.
class SelectedColourPanel : public QWidget {
 public:
  SelectedColourPanel(std::string_view captionUtf8, QWidget* parent);

  void Show(std::uint32_t background, bool whiteCaption);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::string captionCp1252_;
  QColor background_ = Qt::white;
  QColor captionColour_ = Qt::black;
};
