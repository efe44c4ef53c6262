#pragma once

#include "viewer/shell/ShellWindow.h"
#include "viewer/shell/ViewerShell.h"

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <memory>

class BusyIndicator;
class CanvasWidget;
class QAction;
class QScrollBar;
class UserDialogs;
struct WindowFit;

// The viewer's main window: menu bar, page canvas and busy indicator around
// the command procedure.
class MainWindow : public QMainWindow, public ShellWindow {
 public:
  explicit MainWindow(UserDialogs& dialogs);
  ~MainWindow() override;

  ViewerShell& shell() { return shell_; }
  CanvasWidget& canvas() { return *canvas_; }
  // The scroll bar beside a page area shorter than designed; hidden otherwise.
  QScrollBar& scrollBar() { return *scrollBar_; }
  BusyIndicator& busy() { return *busy_; }
  // The menu item carrying command `id`, or null.
  QAction* Action(int id) const;
  bool ended() const { return ended_; }

  void SetCaption(const std::string& utf8) override;
  void SetItemEnabled(int id, bool enabled) override;
  void SetItemChecked(int id, bool checked) override;
  void RebuildMenu() override;
  void FocusCanvas() override;
  void PresentView() override;
  void ShowBusy() override;
  void HideBusy() override;
  void ProcessPendingEvents() override;
  void EndWindow() override;
  QWidget* DialogOwner() override { return this; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyFit(const WindowFit& fit);
  void ShowViewPosition();

  ViewerShell shell_;
  CanvasWidget* canvas_ = nullptr;
  QScrollBar* scrollBar_ = nullptr;
  BusyIndicator* busy_ = nullptr;
  // Menu states outlive a rebuild of the menu.
  std::map<int, bool> enabled_;
  std::map<int, bool> checked_;
  QPointer<QWidget> savedFocus_;
  bool ended_ = false;
};

// The viewer as its program starts it: settings, the picture codecs check
// (its failure message ends the start: null), the window, its first
// message. The window is not shown yet.
std::unique_ptr<MainWindow> StartViewerWindow(UserDialogs& dialogs);

// Whether Qt can read and write the picture formats the viewer needs.
bool PictureCodecsAvailable();
// The message the viewer gives when it cannot start, in its build's form.
void ShowStartupFailure(UserDialogs& dialogs);
