#include "platform/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// Until the window manager has framed the window its frame is unknown: a
// title bar and thin borders are assumed, and corrected once known.
constexpr QMargins kAssumedFrame(1, 24, 1, 1);

QRect AvailableAreaFor(const QRect& wanted) {
  // The offscreen platform's made-up screen is no reader's: it limits nothing.
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) return {};
  const QScreen* screen = QGuiApplication::screenAt(wanted.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

WindowFit FitWindow(const QRect& wanted, const QRect& available, const QMargins& frame, int minimumHeight) {
  const QRect framed(wanted.topLeft(), wanted.size().grownBy(frame));
  if (available.isEmpty() || available.contains(framed)) return {wanted, false};
  const int room = available.height() - frame.top() - frame.bottom();
  const int height = std::max(std::min(wanted.height(), room), minimumHeight);
  const int frameHeight = height + frame.top() + frame.bottom();
  const int frameWidth = framed.width();
  // Moved as little as it must: the top edge first, so the title bar and
  // the menu bar are always reachable.
  const int x = std::max(std::min(wanted.left(), available.right() + 1 - frameWidth), available.left());
  const int y = std::max(std::min(wanted.top(), available.bottom() + 1 - frameHeight), available.top());
  return {QRect(x, y, wanted.width(), height), height < wanted.height()};
}

WindowFitter::WindowFitter(QWidget& window, const QRect& wanted, int minimumHeight, Apply apply)
    : QObject(&window), window_(window), wanted_(wanted), minimumHeight_(minimumHeight), apply_(std::move(apply)) {
  Fit(kAssumedFrame);
  window.installEventFilter(this);
}

void WindowFitter::Fit(const QMargins& frame) { apply_(FitWindow(wanted_, AvailableAreaFor(wanted_), frame, minimumHeight_)); }

bool WindowFitter::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (!framed_ && watched == &window_ && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show)) {
    const QRect frame = window_.frameGeometry(), client = window_.geometry();
    // Fitted once more with the frame the window manager really drew.
    if (window_.isVisible() && frame != client) {
      framed_ = true;
      Fit(QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                   frame.bottom() - client.bottom()));
    }
  }
  return QObject::eventFilter(watched, event);
}
