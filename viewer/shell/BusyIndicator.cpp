#include "viewer/shell/BusyIndicator.h"

#include "resources/Artwork.h"
#include "viewer/shell/CommandIds.h"

#include <QPixmap>

BusyIndicator::BusyIndicator(QWidget* parent) : QLabel(parent) {
  setProperty("controlId", kBusyIndicatorControl);
  setGeometry(138, 358, 385, 133);
  setAutoFillBackground(true);
  setStyleSheet(QStringLiteral("background: white"));
  timer_.setProperty("timerId", kBusyTimer);
  timer_.setInterval(kBusyTimerPeriodMs);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
  hide();
}

void BusyIndicator::Show() {
  frame_ = kFirstBusyFrame;
  setPixmap(QPixmap::fromImage(ArtworkImage(frame_)));
  show();
  raise();
  timer_.start();
}

void BusyIndicator::Hide() {
  timer_.stop();
  hide();
}

void BusyIndicator::Tick() {
  setPixmap(QPixmap::fromImage(ArtworkImage(frame_)));
  frame_ = frame_ == kLastBusyFrame ? kFirstBusyFrame : frame_ + 1;
}
