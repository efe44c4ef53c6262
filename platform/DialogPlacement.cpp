#include "platform/DialogPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>

namespace {

// The frame the window manager puts around a top-level window; before a
// dialog is shown its own is unknown, so the owner's stands for it.
QMargins FrameOf(const QWidget* owner) {
  if (!owner || !owner->isVisible()) return {};
  const QRect frame = owner->window()->frameGeometry();
  const QRect client = owner->window()->geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

QScreen* ScreenFor(const QRect& wanted, const QWidget* owner) {
  if (QScreen* screen = QGuiApplication::screenAt(wanted.center())) return screen;
  return owner ? owner->screen() : QGuiApplication::primaryScreen();
}

// Moves the dialog's controls onto a page inside a scroll area that fills
// the dialog; the tab order stays that of the controls, and tabbing to a
// control scrolls it into view.
void ScrollControls(QDialog& dialog, const QSize& content, const QSize& shown) {
  auto* page = new QWidget;
  page->setFixedSize(content);
  for (QWidget* control : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) control->setParent(page);
  auto* area = new QScrollArea(&dialog);
  area->setFrameShape(QFrame::NoFrame);
  area->setFocusPolicy(Qt::NoFocus);
  area->setWidget(page);
  area->setGeometry(QRect(QPoint(0, 0), shown));
}

void PlaceDialog(QDialog& dialog, const QWidget* owner, const QRect& wanted) {
  const QScreen* screen = ScreenFor(wanted, owner);
  const QRect available = screen ? screen->availableGeometry() : QRect();
  const int scrollBar = dialog.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &dialog);
  const DialogFit fit = FitDialog(wanted, available, FrameOf(owner), scrollBar);
  if (fit.scrolls) ScrollControls(dialog, wanted.size(), fit.client.size());
  dialog.setFixedSize(fit.client.size());
  dialog.move(fit.client.topLeft());
}

}  // namespace

DialogFit FitDialog(const QRect& wanted, const QRect& available, const QMargins& frame, int scrollBar) {
  const QRect room = available.marginsRemoved(frame);
  if (room.width() <= 0 || room.height() <= 0) return {wanted, false};
  // A scroll bar along one side takes room from the other.
  bool vertical = wanted.height() > room.height();
  const bool horizontal = wanted.width() + (vertical ? scrollBar : 0) > room.width();
  vertical = vertical || (horizontal && wanted.height() + scrollBar > room.height());
  const QSize size(std::min(wanted.width() + (vertical ? scrollBar : 0), room.width()),
                   std::min(wanted.height() + (horizontal ? scrollBar : 0), room.height()));
  const QPoint topLeft(std::clamp(wanted.left(), room.left(), room.right() + 1 - size.width()),
                       std::clamp(wanted.top(), room.top(), room.bottom() + 1 - size.height()));
  return {QRect(topLeft, size), vertical || horizontal};
}

void PlaceDialogBesideOwner(QDialog& dialog, const QWidget* owner, const QRect& layout) {
  const QPoint origin = owner ? owner->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
  PlaceDialog(dialog, owner, layout.translated(origin));
}

void PlaceDialogCentred(QDialog& dialog, const QWidget* owner, const QSize& size) {
  QRect wanted(QPoint(0, 0), size);
  if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
    wanted.moveCenter(screen->geometry().center());
  }
  PlaceDialog(dialog, owner, wanted);
}
