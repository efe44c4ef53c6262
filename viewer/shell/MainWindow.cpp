#include "viewer/shell/MainWindow.h"

#include "platform/UserDialogs.h"
#include "platform/WindowPlacement.h"
#include "resources/Artwork.h"
#include "texts/TextSet.h"
#include "viewer/canvas/ViewOffsets.h"
#include "viewer/shell/BusyIndicator.h"
#include "viewer/shell/CanvasWidget.h"
#include "viewer/shell/ViewerMenu.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QImageReader>
#include <QImageWriter>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kWindowWidth = 804;
constexpr int kWindowHeight = 985;
// The menu bar and the margins around the page area: the designed window's
// page area is 955 pixels tall.
constexpr int kWindowChrome = kWindowHeight - kViewHeight;
constexpr int kCanvasMargin = 5;

}  // namespace

MainWindow::MainWindow(UserDialogs& dialogs) : shell_(*this, dialogs) {
  // A caption and a minimise box but no close box: the way out is "Exit".
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint);
  setWindowIcon(ProgramIcon());
  setWindowTitle(QString::fromUtf8(Text(TextId::ViewerWindowTitle).data()));
  auto* client = new QWidget(this);
  client->setAutoFillBackground(true);
  setCentralWidget(client);
  canvas_ = new CanvasWidget(client, shell_);
  scrollBar_ = new QScrollBar(Qt::Vertical, client);
  scrollBar_->hide();
  scrollBar_->setFocusPolicy(Qt::NoFocus);  // the keys stay with the page
  connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
    shell_.ScrollTo(-value);
    ShowViewPosition();  // refused while a command runs: the bar goes back
  });
  shell_.UsePixelRatio(canvas_->devicePixelRatioF());
  busy_ = new BusyIndicator(client);
  shell_.ReadSettings();
  RebuildMenu();
  QRect wanted(0, 0, kWindowWidth, kWindowHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    wanted.moveTopLeft(screen->availableGeometry().center() - QPoint(kWindowWidth / 2, kWindowHeight / 2));
  }
  new WindowFitter(*this, wanted, kMinimumViewHeight + kWindowChrome, [this](const WindowFit& fit) { ApplyFit(fit); });
}

void MainWindow::ApplyFit(const WindowFit& fit) {
  // A window made shorter than designed shows where the view is beside the
  // page; the designed window keeps its width and has no bar.
  scrollBar_->setVisible(fit.shortened);
  const int bar = fit.shortened ? scrollBar_->sizeHint().width() : 0;
  setFixedWidth(kWindowWidth + bar);
  setMinimumHeight(kMinimumViewHeight + kWindowChrome);
  setMaximumHeight(kMaximumViewHeight + kWindowChrome);
  resize(kWindowWidth + bar, fit.frameTopLeftAndSize.height());
  move(fit.frameTopLeftAndSize.topLeft());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // The page area follows the window's height.
  const int area = std::clamp(height() - kWindowChrome, kMinimumViewHeight, kMaximumViewHeight);
  canvas_->setGeometry(kCanvasMargin, kCanvasMargin, kViewWidth, area);
  scrollBar_->setGeometry(kCanvasMargin + kViewWidth, kCanvasMargin, scrollBar_->sizeHint().width(), area);
  shell_.UseViewHeight(area);
  ShowViewPosition();
}

void MainWindow::ShowViewPosition() {
  const ViewerState& state = shell_.state();
  const QSignalBlocker quiet(scrollBar_);
  scrollBar_->setRange(0, -LowestViewOffset(state.ViewHeight));
  scrollBar_->setPageStep(state.ViewHeight);
  scrollBar_->setSingleStep(kLineHeight);
  scrollBar_->setValue(-state.view.y);
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::Action(int id) const {
  for (QAction* popup : menuBar()->actions()) {
    if (!popup->menu()) continue;
    for (QAction* action : popup->menu()->actions()) {
      if (action->data().isValid() && action->data().toInt() == id) return action;
    }
  }
  return nullptr;
}

void MainWindow::SetCaption(const std::string& utf8) { setWindowTitle(QString::fromStdString(utf8)); }

void MainWindow::SetItemEnabled(int id, bool enabled) {
  enabled_[id] = enabled;
  if (QAction* action = Action(id)) action->setEnabled(enabled);
}

void MainWindow::SetItemChecked(int id, bool checked) {
  checked_[id] = checked;
  if (QAction* action = Action(id)) action->setChecked(checked);
}

void MainWindow::RebuildMenu() {
  BuildMenu(*menuBar(), shell_.state().settings);
  for (QAction* popup : menuBar()->actions()) {
    if (!popup->menu()) continue;
    for (QAction* action : popup->menu()->actions()) {
      if (!action->data().isValid()) continue;
      const int id = action->data().toInt();
      connect(action, &QAction::triggered, this, [this, id] { shell_.OnCommand(id); });
    }
  }
  for (const auto& [id, enabled] : enabled_) SetItemEnabled(id, enabled);
  for (const auto& [id, checked] : checked_) SetItemChecked(id, checked);
}

void MainWindow::FocusCanvas() { canvas_->setFocus(); }

void MainWindow::PresentView() {
  canvas_->update();
  if (!scrollBar_->isHidden()) ShowViewPosition();
}

void MainWindow::ShowBusy() { busy_->Show(); }

void MainWindow::HideBusy() { busy_->Hide(); }

void MainWindow::ProcessPendingEvents() {
  // Paint and timers go on; what the reader does meanwhile waits for the
  // command to end.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::EndWindow() {
  ended_ = true;
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (ended_) {
    event->accept();
    return;
  }
  // The window manager can close any window; leaving that way must not
  // lose the last change, so it takes the same path as "Exit".
  event->ignore();
  shell_.OnCloseRequest();
}

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) {
    if (!isActiveWindow()) {
      savedFocus_ = QApplication::focusWidget();
    } else if (savedFocus_) {
      savedFocus_->setFocus();
      savedFocus_ = nullptr;
    }
  }
  QMainWindow::changeEvent(event);
}

bool PictureCodecsAvailable() {
  const auto readable = QImageReader::supportedImageFormats();
  const auto writable = QImageWriter::supportedImageFormats();
  for (const char* format : {"png", "jpeg", "tiff", "bmp"}) {
    if (!readable.contains(format) || !writable.contains(format)) return false;
  }
  return readable.contains("gif");
}

void ShowStartupFailure(UserDialogs& dialogs) {
  // The one message whose form differs between the builds.
  if (InstalledTextSet().startupFailureStyle == StartupFailureStyle::TaskModalForegroundNoTitle) {
    dialogs.ShowMessage({}, Text(TextId::ViewerStartupFailure), MessageStyle::TaskModalFront, MessageIcon::Warning);
  } else {
    dialogs.ShowMessage(Text(TextId::CaptionProgrammer), Text(TextId::ViewerStartupFailure), MessageStyle::Plain,
                        MessageIcon::Warning);
  }
}

std::unique_ptr<MainWindow> StartViewerWindow(UserDialogs& dialogs) {
  if (!PictureCodecsAvailable()) {
    ShowStartupFailure(dialogs);
    return nullptr;
  }
  auto window = std::make_unique<MainWindow>(dialogs);
  window->shell().Initialise();
  return window;
}
