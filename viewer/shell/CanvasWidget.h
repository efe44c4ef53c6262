#pragma once

#include <QImage>
#include <QWidget>

class ViewerShell;

// Control 1001: shows the view buffer and hands keys, wheel turns and mouse
// clicks to the viewer's canvas procedure.
class CanvasWidget : public QWidget {
 public:
  CanvasWidget(QWidget* parent, ViewerShell& shell);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  ViewerShell& shell_;
};
