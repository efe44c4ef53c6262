#include "viewer/shell/MainWindow.h"

#include "platform/UserDialogs.h"
#include "resources/Artwork.h"
#include "texts/TextSet.h"
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

namespace {

constexpr int kWindowWidth = 804;
constexpr int kWindowHeight = 985;

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
  shell_.UsePixelRatio(canvas_->devicePixelRatioF());
  busy_ = new BusyIndicator(client);
  shell_.ReadSettings();
  RebuildMenu();
  resize(kWindowWidth, kWindowHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - QPoint(kWindowWidth / 2, kWindowHeight / 2));
  }
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

void MainWindow::PresentView() { canvas_->update(); }

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
