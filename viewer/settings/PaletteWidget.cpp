#include "viewer/settings/PaletteWidget.h"

#include "platform/CodePage.h"
#include "viewer/canvas/CellText.h"
#include "viewer/settings/TextBlock.h"
#include "viewer/settings/ViewerSettings.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The panel caption's place and font.
constexpr int kCaptionX = 1;
constexpr int kCaptionY = 12;
constexpr int kCaptionWrapMargin = 5;
constexpr int kCaptionPoints = 12;

std::uint32_t ValueOfPixel(QRgb pixel) {
  return static_cast<std::uint32_t>(qRed(pixel)) | static_cast<std::uint32_t>(qGreen(pixel)) << 8 |
         static_cast<std::uint32_t>(qBlue(pixel)) << 16;
}

QFont CaptionFont() {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(PagePixelSize(kCaptionPoints));
  font.setBold(true);
  return font;
}

QString FromCp1252(std::string_view text) { return QString::fromStdString(Cp1252ToUtf8(text)); }

}  // namespace

void DrawPaletteCell(QImage& bitmap, const PaletteCell& cell, QColor outline) {
  const PaletteBox box = CellBox(cell);
  if (box.empty()) return;
  QPainter painter(&bitmap);
  const QRect outer(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
  painter.fillRect(outer, outline);
  painter.fillRect(outer.adjusted(1, 1, -1, -1), ColourFromValue(cell.colour));
}

void DrawPaletteGrid(QImage& bitmap, const Palette& palette) {
  for (const PaletteCell& cell : palette.cells) DrawPaletteCell(bitmap, cell, Qt::black);
}

PaletteWidget::PaletteWidget(const Palette& palette, QWidget* parent) : QFrame(parent), palette_(palette) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setMouseTracking(true);
  Redraw();
}

void PaletteWidget::Redraw(std::optional<PaletteSlot> highlight) {
  shown_ = QImage(kPaletteBitmapWidth, kPaletteBitmapHeight, QImage::Format_RGB32);
  shown_.fill(Qt::white);
  DrawPaletteGrid(shown_, palette_);
  if (highlight) DrawPaletteCell(shown_, palette_.At(*highlight), Qt::white);
  update();
}

void PaletteWidget::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect client = contentsRect();
  painter.drawImage(client.topLeft(), shown_, QRect(QPoint(0, 0), client.size()));
}

std::optional<QPoint> PaletteWidget::ClientPoint(const QMouseEvent* event) const {
  const QPoint at = event->position().toPoint();
  const QRect client = contentsRect();
  if (!client.contains(at)) return std::nullopt;
  return at - client.topLeft();
}

void PaletteWidget::mouseMoveEvent(QMouseEvent* event) {
  const auto at = ClientPoint(event);
  if (!at) return;
  if (const auto slot = SlotAt(at->x(), at->y())) Redraw(slot);
}

void PaletteWidget::mousePressEvent(QMouseEvent* event) {
  const auto at = ClientPoint(event);
  if (!at) return;
  if (event->button() == Qt::RightButton) {
    if (onRightClick) onRightClick(ValueOfPixel(shown_.pixel(*at)));
  } else if (event->button() == Qt::LeftButton) {
    const auto slot = SlotAt(at->x(), at->y());
    if (slot && onLeftClick) onLeftClick(*slot);
  }
}

SelectedColourPanel::SelectedColourPanel(std::string_view captionUtf8, QWidget* parent)
    : QWidget(parent), captionCp1252_(Utf8ToCp1252(captionUtf8)) {}

void SelectedColourPanel::Show(std::uint32_t background, bool whiteCaption) {
  background_ = ColourFromValue(background);
  captionColour_ = whiteCaption ? Qt::white : Qt::black;
  update();
}

// The caption follows the footers' text-block rule, in a box as wide as the
// panel that wraps 5 pixels short of it.
void SelectedColourPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), background_);
  const QFont font = CaptionFont();
  painter.setFont(font);
  painter.setPen(captionColour_);
  const QFontMetrics metrics(font);
  const TextWidthFn width = [&metrics](std::string_view s) { return metrics.horizontalAdvance(FromCp1252(s)); };
  const int boxWidth = this->width();
  int top = kCaptionY;
  for (const std::string& line : WrapTextBlock(captionCp1252_, width, boxWidth - kCaptionWrapMargin)) {
    if (top > height()) break;
    if (!line.empty()) {
      const int x = AlignedTextX(kBlockAlignCentre, kCaptionX, width(line), boxWidth);
      painter.drawText(QPoint(x, top + metrics.ascent()), FromCp1252(line));
    }
    top += metrics.height();
  }
}
