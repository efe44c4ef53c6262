// The editor's driver: the real editor window offscreen, run from a script.
//   set-text TEXT      the box's whole text (\n, \t, \\ escapes)
//   type TEXT          keys typed into the box (\n is Enter, \t is Tab)
//   select S E         the box's selection, 0-based
//   command ID         a menu command, as the menu gives it
//   set ID TEXT        a text field of the open find or replace dialog
//   click ID           a button or option of the open dialog
//   choose [PATH]      the answer of the next file dialog; none cancels
//   reply yes|no       the answer of the next question
//   wait MS            lets the program run (the refresh timer ticks), as
//                      the driver's pump carries it out
//   status             prints "status PART1 | PART2"
//   window             prints "window frame=... screen=... box=... status=..." (tools/WindowInspect.h)
//   text               prints "text TEXT | START END" (escaped)
//   lines              prints each visual line as "[LINE]"
//   cells              prints each visual line as its cells show it, "[LINE]":
//                      each character in the column the box draws it in, a
//                      tab as the blanks up to its stop
//   key NAME           a key pressed in the box (tools/DriverKeys.h)
//   close-window       the window manager's close request
//   open PATH          a file named on the command line
//   menu N, menu       opens popup N (from 1) of the menu bar; closes it
//   context            prints the box's context menu, one "context N "TEXT" on|off"
//                      line an item; "context N" chooses item N (from 1)
//   version, menus, texts, file   what the program shows (tools/DriverTexts.h)
// Messages print as "message CAPTION | TEXT [ICON]"; "exit" when the window ends,
// which ends the script.
#include "tools/DriverOptions.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <map>

#include "editor/EditorFiles.h"
#include "editor/EditorIds.h"
#include "editor/EditorTextBox.h"
#include "editor/EditorWindow.h"
#include "platform/ScriptedDialogs.h"
#include "tools/DialogControls.h"
#include "tools/DriverKeys.h"
#include "tools/DriverPump.h"
#include "tools/DriverScript.h"
#include "tools/DriverStart.h"
#include "tools/DriverTexts.h"
#include "tools/WindowInspect.h"

namespace {

std::string Utf8Of(const QString& text) { return text.toStdString(); }

class EditorSession {
 public:
  EditorSession(EditorWindow& window, ScriptedDialogs& dialogs) : window_(window), dialogs_(dialogs) {}

  void Execute(const DriverCommand& command) {
    using Handler = void (EditorSession::*)(const DriverCommand&);
    static const std::map<std::string, Handler> kVerbs = {
        {"set-text", &EditorSession::SetText}, {"type", &EditorSession::Type},
        {"select", &EditorSession::Select},    {"command", &EditorSession::Command},
        {"set", &EditorSession::SetField},     {"click", &EditorSession::Click},
        {"choose", &EditorSession::Choose},    {"status", &EditorSession::Status},
        {"text", &EditorSession::PrintText},   {"lines", &EditorSession::PrintLines},
        {"cells", &EditorSession::PrintCells},
        {"context", &EditorSession::ContextMenu}, {"key", &EditorSession::Key},
        {"close-window", &EditorSession::CloseWindow}, {"open", &EditorSession::Open},
        {"menu", &EditorSession::Menu},         {"reply", &EditorSession::Reply},
        {"window", &EditorSession::Window},
    };
    if (window_.HasEnded()) return;
    const QWidget* dialog = window_.OpenDialog();
    if (ExecuteDriverTextCommand(command, {ProgramKind::Editor, &window_, dialog, &dialogs_.lastFileChoice})) return;
    const auto verb = kVerbs.find(command.verb);
    if (verb == kVerbs.end()) {
      PrintDriverError(command, "unknown command");
    } else {
      (this->*verb->second)(command);
    }
  }

 private:
  void SetText(const DriverCommand& command) {
    window_.Box().SetText(TextFromUtf8(UnescapeDriverText(command.rest)));
  }

  // Each character goes to the box as a key press, as typing sends it.
  void Type(const DriverCommand& command) {
    const QString typed = QString::fromUtf8(UnescapeDriverText(command.rest));
    for (qsizetype i = 0; i < typed.size(); ++i) {
      const qsizetype units = typed[i].isHighSurrogate() && i + 1 < typed.size() ? 2 : 1;
      const QString text = typed.mid(i, units);
      const int key = text == "\n" ? Qt::Key_Return : text == "\t" ? Qt::Key_Tab : Qt::Key_unknown;
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
      QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
      QApplication::sendEvent(&window_.Box(), &press);
      QApplication::sendEvent(&window_.Box(), &release);
      i += units - 1;
    }
  }

  void Key(const DriverCommand& command) {
    const std::optional<QKeyCombination> key = DriverKeyOf(command.rest);
    if (!key) {
      PrintDriverError(command, "no such key");
    } else {
      PressDriverKey(window_.Box(), *key);
    }
  }

  void Menu(const DriverCommand& command) {
    if (!OpenDriverMenu(window_, command.rest)) PrintDriverError(command, "no such menu");
  }

  // As the program reads a file named on its command line.
  void Open(const DriverCommand& command) { window_.OpenFromOutside(UnescapeDriverText(command.rest)); }

  // As the window manager's close button asks.
  void CloseWindow(const DriverCommand&) { window_.close(); }

  void Select(const DriverCommand& command) {
    const auto blank = command.rest.find(' ');
    long long start = 0;
    long long end = 0;
    if (blank == std::string::npos || !ParseDriverNumber(command.rest.substr(0, blank), start) ||
        !ParseDriverNumber(command.rest.substr(blank + 1), end) || start < 0 || end < 0) {
      PrintDriverError(command, "select takes two offsets");
      return;
    }
    const auto size = static_cast<long long>(window_.Box().Text().size());
    window_.Box().SetSelection(static_cast<std::size_t>(std::min(start, size)),
                               static_cast<std::size_t>(std::min(end, size)));
  }

  // The command goes through its menu entry, as a click on it would.
  void Command(const DriverCommand& command) {
    long long id = 0;
    if (!ParseDriverNumber(command.rest, id)) {
      PrintDriverError(command, "command takes an id");
      return;
    }
    for (QAction* menu : window_.menuBar()->actions()) {
      if (!menu->menu()) continue;
      for (QAction* action : menu->menu()->actions()) {
        if (!action->isSeparator() && action->data().toLongLong() == id) {
          action->trigger();
          return;
        }
      }
    }
    PrintDriverError(command, "no menu command " + std::to_string(id));
  }

  // The control of the open dialog with the id the command names first.
  QWidget* DialogControl(const DriverCommand& command, std::string& rest) {
    const std::string& arguments = command.rest;
    const auto blank = arguments.find(' ');
    long long id = 0;
    if (!ParseDriverNumber(arguments.substr(0, blank), id)) {
      PrintDriverError(command, "a control id comes first");
      return nullptr;
    }
    rest = blank == std::string::npos ? "" : arguments.substr(blank + 1);
    FindReplaceDialog* dialog = window_.OpenDialog();
    if (!dialog) {
      PrintDriverError(command, "no find or replace dialog is open");
      return nullptr;
    }
    QWidget* control = FindControl(dialog, static_cast<int>(id));
    if (!control) PrintDriverError(command, "the dialog has no control " + std::to_string(id));
    return control;
  }

  void SetField(const DriverCommand& command) {
    std::string text;
    QWidget* control = DialogControl(command, text);
    if (!control) return;
    auto* field = qobject_cast<QLineEdit*>(control);
    if (!field) {
      PrintDriverError(command, "not a text field");
      return;
    }
    field->setText(QString::fromUtf8(UnescapeDriverText(text)));
  }

  void Click(const DriverCommand& command) {
    std::string ignored;
    QWidget* control = DialogControl(command, ignored);
    if (!control) return;
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (!button) {
      PrintDriverError(command, "not a button");
    } else if (!button->isEnabled()) {
      PrintDriverError(command, "the button is disabled");
    } else {
      button->click();
    }
  }

  void Reply(const DriverCommand& command) {
    if (command.rest != "yes" && command.rest != "no") {
      PrintDriverError(command, "reply takes yes or no");
    } else {
      dialogs_.yesNoAnswers.push_back(command.rest == "yes");
    }
  }

  void Choose(const DriverCommand& command) {
    dialogs_.fileAnswers.push_back(UnescapeDriverText(command.rest));
  }

  void Status(const DriverCommand&) {
    PrintDriverLine("status " + Utf8Of(window_.LinesStatus()) + " | " + Utf8Of(window_.PagesStatus()));
  }

  void Window(const DriverCommand&) {
    PrintDriverLine(DescribeWindow(window_, {{"box", &window_.Box()}, {"status", window_.statusBar()}}));
  }

  void PrintText(const DriverCommand&) {
    const TextSelection selection = window_.Box().Selection();
    PrintDriverLine("text " + EscapeDriverText(Utf8FromText(window_.Box().Text())) + " | " +
                    std::to_string(selection.start) + " " + std::to_string(selection.end));
  }

  void PrintLines(const DriverCommand&) {
    const BoxText& content = window_.Box().Content();
    for (std::size_t k = 0; k < content.LineCount(); ++k) {
      const VisualLine line = content.Line(k);
      PrintDriverLine("[" + EscapeDriverText(Utf8FromText(
                                std::u16string_view(content.Text()).substr(line.start, line.length))) +
                      "]");
    }
  }

  void PrintCells(const DriverCommand&) {
    const EditorTextBox& box = window_.Box();
    const std::u16string_view text = box.Text();
    for (std::size_t k = 0; k < box.Content().LineCount(); ++k) {
      const VisualLine line = box.Content().Line(k);
      const auto columnOf = [&](std::size_t at) {
        const int left = box.CellRect(k, box.ColumnOf(k, at)).left() - EditorTextBox::kLeftMargin;
        return static_cast<std::size_t>(std::max(left, 0) / EditorTextBox::kCellWidth);
      };
      std::u16string cells;
      for (std::size_t at = line.start; at < line.start + line.length; ++at) {
        cells.resize(columnOf(at), u' ');
        cells += text[at] == u'\t' ? u' ' : text[at];
      }
      cells.resize(std::max(cells.size(), columnOf(line.start + line.length)), u' ');
      PrintDriverLine("[" + EscapeDriverText(Utf8FromText(cells)) + "]");
    }
  }

  // The menu a right click on the box opens, as it would open now.
  void ContextMenu(const DriverCommand& command) {
    const std::unique_ptr<QMenu> menu = window_.Box().MakeContextMenu();
    QList<QAction*> items;
    for (QAction* action : menu->actions()) {
      if (!action->isSeparator()) items.push_back(action);
    }
    if (command.rest.empty()) {
      for (qsizetype k = 0; k < items.size(); ++k) {
        PrintDriverLine("context " + std::to_string(k + 1) + " \"" + EscapeDriverText(Utf8Of(items[k]->text())) +
                        "\" " + (items[k]->isEnabled() ? "on" : "off"));
      }
      return;
    }
    long long item = 0;
    if (!ParseDriverNumber(command.rest, item) || item < 1 || item > items.size()) {
      PrintDriverError(command, "no such item of the context menu");
    } else if (!items[item - 1]->isEnabled()) {
      PrintDriverError(command, "the item is disabled");
    } else {
      items[item - 1]->trigger();
    }
  }

  EditorWindow& window_;
  ScriptedDialogs& dialogs_;
};

}  // namespace

int RunEditorDriver(const DriverOptions& options) {
  StartDriverProgram(options, ProgramKind::Editor);
  ScriptedDialogs dialogs(PrintDriverLine);
  EditorWindow window(dialogs);
  EditorSession session(window, dialogs);
  DriverPump pump(options.scriptPath, [&session](const DriverCommand& command) { session.Execute(command); });
  if (!pump.Open()) return 2;
  // The program ends with its window, and so does the script.
  QObject::connect(&window, &EditorWindow::Ended, [] {
    PrintDriverLine("exit");
    QCoreApplication::exit(0);
  });
  window.show();
  return pump.Run();
}
