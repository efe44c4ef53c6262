#pragma once

#include <string>

class QWidget;

// What the viewer's command procedure asks of its window: the caption, the
// menu states, the busy indicator, the canvas and the message loop. The Qt
// main window implements it.
class ShellWindow {
 public:
  virtual ~ShellWindow() = default;

  virtual void SetCaption(const std::string& utf8) = 0;
  virtual void SetItemEnabled(int id, bool enabled) = 0;
  virtual void SetItemChecked(int id, bool checked) = 0;
  // BuildMenu again, so the colour swatches show the current colours.
  virtual void RebuildMenu() = 0;
  virtual void FocusCanvas() = 0;
  // Copies the view buffer onto the canvas.
  virtual void PresentView() = 0;
  virtual void ShowBusy() = 0;
  virtual void HideBusy() = 0;
  // Lets the window handle what is pending (paint, timer, input) during a
  // long loop.
  virtual void ProcessPendingEvents() = 0;
  virtual void EndWindow() = 0;
  // The window that owns the viewer's dialogs.
  virtual QWidget* DialogOwner() = 0;
};
