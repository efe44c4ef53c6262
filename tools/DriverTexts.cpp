#include "tools/DriverTexts.h"

#include "platform/UserDialogs.h"
#include "texts/TextSet.h"
#include "tools/DriverKeys.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <string_view>
#include <utility>

namespace {

std::string Quoted(const QString& text) { return "\"" + EscapeDriverText(text.toStdString()) + "\""; }

int ControlIdOf(const QWidget* control) {
  const QVariant id = control->property("controlId");
  return id.isValid() ? id.toInt() : 0;
}

void PrintVersion(ProgramKind program) {
  const VersionRecord record = VersionRecordOf(InstalledTextSet(), program);
  const std::pair<const char*, std::string_view> fields[] = {
      {"productName", record.productName},       {"originalFilename", record.originalFilename},
      {"fileDescription", record.fileDescription}, {"comments", record.comments},
      {"internalName", record.internalName},     {"privateBuild", record.privateBuild},
      {"specialBuild", record.specialBuild},     {"fileVersion", record.fileVersion},
      {"productVersion", record.productVersion}, {"numbers", record.numbers},
  };
  for (const auto& [key, value] : fields) PrintDriverLine("version " + std::string(key) + "=" + std::string(value));
  PrintDriverLine("version languageCode=" + std::to_string(record.languageCode));
  PrintDriverLine("version applicationName=" + QCoreApplication::applicationName().toStdString());
  PrintDriverLine("version applicationVersion=" + QCoreApplication::applicationVersion().toStdString());
}

void PrintMenus(const QWidget* window) {
  const auto* main = qobject_cast<const QMainWindow*>(window);
  PrintDriverLine("window " + Quoted(window->windowTitle()));
  if (!main) return;
  for (const QAction* popup : main->menuBar()->actions()) {
    if (!popup->menu()) continue;
    PrintDriverLine("menu " + Quoted(popup->text()));
    for (const QAction* item : popup->menu()->actions()) {
      if (item->isSeparator()) continue;
      PrintDriverLine("item " + std::to_string(item->data().toInt()) + " " + Quoted(item->text()));
    }
  }
}

// One control's visible texts: its caption, a list's entries, a box's content.
void PrintControlTexts(const QWidget* control) {
  const std::string id = std::to_string(ControlIdOf(control));
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
    PrintDriverLine("text " + id + " " + Quoted(button->text()));
  } else if (const auto* label = qobject_cast<const QLabel*>(control)) {
    if (!label->text().isEmpty()) PrintDriverLine("text " + id + " " + Quoted(label->text()));
  } else if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
    PrintDriverLine("text " + id + " " + Quoted(group->title()));
  } else if (const auto* list = qobject_cast<const QComboBox*>(control)) {
    for (int i = 0; i < list->count(); ++i) PrintDriverLine("item " + id + " " + Quoted(list->itemText(i)));
  } else if (const auto* line = qobject_cast<const QLineEdit*>(control)) {
    PrintDriverLine("field " + id + " " + Quoted(line->text()));
  } else if (const auto* box = qobject_cast<const QPlainTextEdit*>(control)) {
    PrintDriverLine("field " + id + " " + Quoted(box->toPlainText()));
  }
}

void PrintDialogTexts(const QWidget* dialog) {
  PrintDriverLine("dialog " + Quoted(dialog->windowTitle()));
  for (const QWidget* control : dialog->findChildren<QWidget*>()) {
    if (control->isVisibleTo(dialog)) PrintControlTexts(control);
  }
}

void PrintFileChoice(const FileChoice& choice) {
  PrintDriverLine("file " + choice.filterName + " | " + choice.pattern + " | " + choice.defaultSuffix + " | " +
                  choice.startFolder + " | " + choice.proposedName);
}

}  // namespace

bool ExecuteDriverTextCommand(const DriverCommand& command, const DriverTextView& view) {
  const std::string& verb = command.verb;
  if (verb == "version") {
    PrintVersion(view.program);
  } else if (verb == "menus") {
    if (view.window) PrintMenus(view.window);
  } else if (verb == "texts") {
    if (view.dialog) {
      PrintDialogTexts(view.dialog);
    } else {
      PrintDriverError(command, "no dialog open");
    }
  } else if (verb == "keys") {
    if (view.window) PrintMenuKeys(*view.window);
  } else if (verb == "file") {
    if (view.lastFileChoice) PrintFileChoice(*view.lastFileChoice);
  } else {
    return false;
  }
  return true;
}
