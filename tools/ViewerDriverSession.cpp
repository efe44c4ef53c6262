#include "tools/ViewerDriverSession.h"

#include "platform/CodePage.h"
#include "platform/SafeWrite.h"
#include "platform/ScriptedDialogs.h"
#include "tools/DialogControls.h"
#include "tools/DriverKeys.h"
#include "tools/DriverTexts.h"
#include "tools/WindowInspect.h"
#include "viewer/document/CacheDigest.h"
#include "viewer/shell/CanvasWidget.h"
#include "viewer/shell/CommandIds.h"
#include "viewer/shell/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QEventLoopLocker>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <sstream>

namespace {

// Reads "X Y" or more numbers from the command's arguments.
bool ReadNumbers(const std::string& text, std::vector<long long>& numbers, std::size_t count) {
  std::istringstream in(text);
  std::string word;
  numbers.clear();
  while (in >> word) {
    long long value = 0;
    if (!ParseDriverNumber(word, value)) return false;
    numbers.push_back(value);
  }
  return numbers.size() == count;
}

std::string JoinIds(const std::vector<int>& ids) {
  std::string out;
  for (const int id : ids) out += (out.empty() ? "" : ",") + std::to_string(id);
  return out;
}

// The chosen piece the mark commands act on, in reading order: "LINE,C0,C1", or "0".
std::string SelectionText(const ViewerState& s) {
  if (s.MarkingMode != 4) return "0";
  const auto [low, high] = std::minmax(s.piece.startColumn, s.piece.endColumn);
  return std::to_string(s.piece.anchorLine) + "," + std::to_string(low) + "," + std::to_string(high);
}

// The find hit shown, "K/N" (its place among all N hits), or "0".
std::string MatchText(const FindView& find) {
  if (find.shownNumber == 0) return "0";
  return std::to_string(find.shownNumber) + "/" + std::to_string(find.hitCount);
}

}  // namespace

ViewerDriverSession::ViewerDriverSession(ScriptedDialogs& dialogs) : dialogs_(dialogs) {}

ViewerDriverSession::~ViewerDriverSession() = default;

bool ViewerDriverSession::Start() {
  window_ = StartViewerWindow(dialogs_);
  if (!window_) return false;
  window_->show();
  Settle();
  return true;
}

void ViewerDriverSession::Settle() const { QCoreApplication::processEvents(); }

void ViewerDriverSession::Execute(const DriverCommand& command) {
  ++depth_;
  ExecuteOne(command);
  // The killed command has ended: only now the program can start again.
  if (--depth_ == 0 && dying_) Restart();
}

void ViewerDriverSession::ExecuteOne(const DriverCommand& command) {
  const std::string& verb = command.verb;
  bool done = false;
  if (verb == "choose" || verb == "answer" || verb == "reply" || verb == "colour") {
    done = QueueAnswer(command);
  } else if (verb == "kill") {
    done = Kill();
    if (dying_) return;
  } else if (ExecuteDialogCommand(command)) {
    return;
  } else if (ExecuteDriverTextCommand(command, {ProgramKind::Viewer, window_.get(), QApplication::activeModalWidget(),
                                                &dialogs_.lastFileChoice})) {
    return;
  } else if (!window_ || window_->ended()) {
    PrintDriverError(command, "the viewer has ended (kill starts it again)");
    return;
  } else if (verb == "command") {
    done = MenuCommand(command);
  } else if (verb == "press" || verb == "release" || verb == "move" || verb == "rpress") {
    done = Mouse(command);
  } else if (verb == "key") {
    done = Key(command);
  } else if (verb == "wheel") {
    done = Wheel(command);
  } else if (verb == "save-page" || verb == "save-view") {
    done = SavePicture(command);
  } else if (verb == "menu") {
    done = OpenDriverMenu(*window_, command.rest);
  } else if (verb == "open") {
    window_->shell().OpenFromOutside(UnescapeDriverText(command.rest));  // as from the command line
    done = true;
  } else if (verb == "close-window") {
    window_->close();  // as the window manager asks
    done = true;
  } else if (verb == "window") {
    PrintDriverLine(DescribeWindow(*window_, {{"page", &window_->canvas()}, {"bar", &window_->scrollBar()}}));
    done = true;
  } else if (verb == "open-menu") {
    done = OpenMenuByMouse(*window_, command);
  } else if (verb == "state") {
    PrintState();
    done = true;
  } else if (verb == "page-lines") {
    done = PrintPageLines(command);
  } else if (verb == "digest") {
    // What cache.04 would hold if the document were written now.
    PrintDriverLine("digest " + DigestText(DigestDocument(window_->shell().state().document)));
    done = true;
  } else {
    PrintDriverError(command, "unknown command");
    return;
  }
  if (!done) PrintDriverError(command, "cannot be carried out");
  Settle();
}

bool ViewerDriverSession::QueueAnswer(const DriverCommand& command) {
  const std::string& rest = command.rest;
  if (command.verb == "choose") {
    dialogs_.fileAnswers.push_back(UnescapeDriverText(rest));  // a name may hold any byte
  } else if (command.verb == "answer") {
    if (command.line.find(' ') == std::string::npos) {
      dialogs_.textAnswers.push_back(std::nullopt);
    } else {
      dialogs_.textAnswers.push_back(UnescapeDriverText(rest));
    }
  } else if (command.verb == "reply") {
    if (rest != "yes" && rest != "no") return false;
    dialogs_.yesNoAnswers.push_back(rest == "yes");
  } else if (rest == "cancel") {
    dialogs_.colourAnswers.push_back(std::nullopt);
  } else {
    std::vector<long long> rgb;
    if (!ReadNumbers(rest, rgb, 3)) return false;
    for (const long long c : rgb) {
      if (c < 0 || c > 255) return false;
    }
    dialogs_.colourAnswers.push_back(static_cast<std::uint32_t>(rgb[0] | (rgb[1] << 8) | (rgb[2] << 16)));
  }
  return true;
}

bool ViewerDriverSession::MenuCommand(const DriverCommand& command) {
  long long id = 0;
  if (!ParseDriverNumber(command.rest, id)) return false;
  QAction* action = window_->Action(static_cast<int>(id));
  if (!action) {
    PrintDriverError(command, "no menu item " + command.rest);
    return true;
  }
  if (!action->isEnabled()) {
    PrintDriverError(command, "menu item " + command.rest + " is disabled");
    return true;
  }
  action->trigger();
  return true;
}

bool ViewerDriverSession::Mouse(const DriverCommand& command) {
  std::vector<long long> xy;
  if (!ReadNumbers(command.rest, xy, 2)) return false;
  const QPointF at(static_cast<double>(xy[0]), static_cast<double>(xy[1]));
  CanvasWidget& canvas = window_->canvas();
  const QPointF global = canvas.mapToGlobal(at);
  const std::string& verb = command.verb;
  const QEvent::Type type = verb == "release" ? QEvent::MouseButtonRelease
                            : verb == "move"  ? QEvent::MouseMove
                                              : QEvent::MouseButtonPress;
  const Qt::MouseButton button = verb == "rpress" ? Qt::RightButton : verb == "move" ? Qt::NoButton : Qt::LeftButton;
  // A move between press and release carries the held button, as a real
  // drag does; the release lets the left button go.
  if (type == QEvent::MouseButtonPress) heldButtons_ |= button;
  if (type == QEvent::MouseButtonRelease) heldButtons_ &= ~Qt::MouseButtons(button);
  QMouseEvent event(type, at, global, button, heldButtons_, Qt::NoModifier);
  QApplication::sendEvent(&canvas, &event);
  return true;
}

bool ViewerDriverSession::Key(const DriverCommand& command) {
  const std::optional<QKeyCombination> key = DriverKeyOf(command.rest);
  if (!key) return false;
  PressDriverKey(window_->canvas(), *key);
  return true;
}

bool ViewerDriverSession::Wheel(const DriverCommand& command) {
  if (command.rest != "up" && command.rest != "down") return false;
  const int delta = command.rest == "up" ? 120 : -120;
  CanvasWidget& canvas = window_->canvas();
  const QPointF at(100, 100);
  QWheelEvent event(at, canvas.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&canvas, &event);
  return true;
}

bool ViewerDriverSession::SavePicture(const DriverCommand& command) {
  ViewerState& state = window_->shell().state();
  if (command.verb == "save-view") return state.ViewBuffer.save(QString::fromStdString(command.rest), "PNG");
  const auto blank = command.rest.find(' ');
  long long page = 0;
  if (blank == std::string::npos || !ParseDriverNumber(command.rest.substr(0, blank), page)) return false;
  if (page < 1 || page > kMaxPages) return false;
  return state.pages.PageAtRatioOne(static_cast<int>(page))
      .save(QString::fromStdString(command.rest.substr(blank + 1)), "PNG");
}

bool ViewerDriverSession::Kill() {
  if (depth_ > 1) {
    // A command is under way below this one: as in a killed process it
    // writes nothing more and shows nothing, and its dialogs close, so that
    // it ends; the script's answers wait for the program started again.
    dying_ = true;
    StopWrites(true);
    MuteDriverOutput(true);
    keptAnswers_ = std::make_unique<ScriptedDialogs>([](const std::string&) {});
    std::swap(keptAnswers_->yesNoAnswers, dialogs_.yesNoAnswers);
    std::swap(keptAnswers_->textAnswers, dialogs_.textAnswers);
    std::swap(keptAnswers_->fileAnswers, dialogs_.fileAnswers);
    std::swap(keptAnswers_->colourAnswers, dialogs_.colourAnswers);
    CloseDyingDialogs();
    return true;
  }
  return Restart();
}

void ViewerDriverSession::CloseDyingDialogs() {
  if (!dying_) return;
  if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  QTimer::singleShot(5, [this] { CloseDyingDialogs(); });
}

bool ViewerDriverSession::Restart() {
  // As a killed process: no exit path, nothing written. The program starts
  // again at once, so its window's going must not end the driver's run.
  const QEventLoopLocker keepRunning;
  window_.reset();
  heldButtons_ = Qt::NoButton;
  if (dying_) {
    dying_ = false;
    StopWrites(false);
    MuteDriverOutput(false);
    std::swap(keptAnswers_->yesNoAnswers, dialogs_.yesNoAnswers);
    std::swap(keptAnswers_->textAnswers, dialogs_.textAnswers);
    std::swap(keptAnswers_->fileAnswers, dialogs_.fileAnswers);
    std::swap(keptAnswers_->colourAnswers, dialogs_.colourAnswers);
    keptAnswers_.reset();
  }
  return Start();
}

void ViewerDriverSession::PrintState() const {
  const ViewerState& s = window_->shell().state();
  std::vector<int> enabled, checked;
  for (QAction* popup : window_->menuBar()->actions()) {
    if (!popup->menu()) continue;
    for (QAction* action : popup->menu()->actions()) {
      if (!action->data().isValid()) continue;
      if (action->isEnabled()) enabled.push_back(action->data().toInt());
      if (action->isChecked()) checked.push_back(action->data().toInt());
    }
  }
  std::sort(enabled.begin(), enabled.end());
  std::sort(checked.begin(), checked.end());
  std::ostringstream line;
  line << "state caption=\"" << window_->windowTitle().toStdString() << "\" page=" << s.document.CurrentPage
       << " pages=" << s.document.PageCount << " loaded=" << s.document.DocumentLoaded << " mode=" << s.MarkingMode
       << " drag=" << s.DragActive << " offset=" << s.view.y << " guide=" << s.guide.GuideState
       << " guideline=" << s.guide.GuideLine << " busy=" << s.DialogBusy << " enabled=" << JoinIds(enabled)
       << " checked=" << JoinIds(checked) << " selection=" << SelectionText(s)
       << " match=" << MatchText(s.find);
  PrintDriverLine(line.str());
}

// The lines page N keeps, as a reader of cache.04 would find them.
bool ViewerDriverSession::PrintPageLines(const DriverCommand& command) const {
  const Document& document = window_->shell().state().document;
  long long page = 0;
  if (!ParseDriverNumber(command.rest, page) || page < 1 || page > document.PageCount) return false;
  for (int line = 1; line <= kLinesPerPage; ++line) {
    const LineRecord& record = document.Line(static_cast<int>(page), line);
    if (!record.IsInUse()) continue;
    PrintDriverLine("page-line " + std::to_string(line) + " " + std::to_string(record.absoluteLine) + " [" +
                    EscapeDriverText(Cp1252ToUtf8(record.text)) + "]");
  }
  return true;
}
