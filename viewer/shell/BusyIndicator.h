#pragma once

#include <QLabel>
#include <QTimer>

// Control 1089: the busy animation shown while the cache is written or read.
// Timer 200 advances it every 100 ms, which it can only do while the window
// processes its messages.
class BusyIndicator : public QLabel {
 public:
  explicit BusyIndicator(QWidget* parent);

  void Show();
  void Hide();
  int frame() const { return frame_; }

 private:
  void Tick();

  QTimer timer_;
  int frame_ = 0;
};
