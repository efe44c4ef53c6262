#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>

#include <functional>

class QWidget;

// Where a program's main window opens on a screen of any size. Its frame,
// title bar and menu bar included, lies inside the screen's available area:
// a window that fits opens at its own size and place; one that is too tall
// is made as short as the area needs (never below `minimumHeight`) and moved
// only as far as it must.
struct WindowFit {
  QRect frameTopLeftAndSize;  // the frame's top-left corner and the window's own size
  bool shortened = false;     // the window is shorter than it was designed
};

// `wanted`: the top-left corner of the frame and the window's own size as
// designed; `frame`: the window manager's frame around it. An empty
// `available` (no screen known) leaves the window as designed.
WindowFit FitWindow(const QRect& wanted, const QRect& available, const QMargins& frame, int minimumHeight);

// Opens `window` fitted to the screen that holds its designed place, and
// fits it again once the window manager has framed it, should the real
// frame be larger than the one assumed. `apply` sizes and places the window
// (and whatever follows its size).
class WindowFitter : public QObject {
 public:
  using Apply = std::function<void(const WindowFit&)>;
  WindowFitter(QWidget& window, const QRect& wanted, int minimumHeight, Apply apply);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fit(const QMargins& frame);

  QWidget& window_;
  QRect wanted_;
  int minimumHeight_;
  Apply apply_;
  bool framed_ = false;
};
