#include "viewer/shell/CanvasWidget.h"

#include "viewer/shell/CommandIds.h"
#include "viewer/shell/ViewerShell.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <optional>

namespace {

std::optional<CanvasKey> CanvasKeyOf(int key) {
  switch (key) {
    case Qt::Key_Left: return CanvasKey::Left;
    case Qt::Key_Right: return CanvasKey::Right;
    case Qt::Key_Up: return CanvasKey::Up;
    case Qt::Key_Down: return CanvasKey::Down;
    case Qt::Key_PageUp: return CanvasKey::PageUp;
    case Qt::Key_PageDown: return CanvasKey::PageDown;
    case Qt::Key_Home: return CanvasKey::Home;
    case Qt::Key_End: return CanvasKey::End;
    case Qt::Key_Escape: return CanvasKey::Escape;
    default: return std::nullopt;
  }
}

}  // namespace

CanvasWidget::CanvasWidget(QWidget* parent, ViewerShell& shell) : QWidget(parent), shell_(shell) {
  setProperty("controlId", kCanvasControl);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setGeometry(5, 5, kViewWidth, kViewHeight);
}

void CanvasWidget::paintEvent(QPaintEvent*) {
  // A window moved to a screen of another density shows its pages drawn anew.
  shell_.UsePixelRatio(devicePixelRatioF());
  QPainter painter(this);
  CopyPixels(painter, QPoint(0, 0), shell_.state().ViewBuffer);
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
  if (shell_.CommandRunning()) return;  // no page moves under a command
  // Alt+Left and the like belong to the menus, even while their item is greyed.
  const bool chord = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (const auto key = chord ? std::nullopt : CanvasKeyOf(event->key())) {
    shell_.OnKey(*key);
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
  if (shell_.CommandRunning()) return;
  const int delta = event->angleDelta().y();
  if (delta != 0) shell_.OnWheel(delta < 0);
  event->accept();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  if (shell_.CommandRunning()) return;
  // The right button has no action of its own on the page.
  if (event->button() == Qt::LeftButton) {
    const QPoint at = event->position().toPoint();
    shell_.OnMousePress(at.x(), at.y());
  }
  event->accept();
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (shell_.CommandRunning()) return;
  if (event->button() == Qt::LeftButton) {
    const QPoint at = event->position().toPoint();
    shell_.OnMouseRelease(at.x(), at.y());
  }
  event->accept();
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
  if (shell_.CommandRunning()) return;
  const QPoint at = event->position().toPoint();
  shell_.OnMouseMove(at.x(), at.y());
  event->accept();
}
