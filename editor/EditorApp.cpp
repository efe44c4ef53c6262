#include "editor/EditorApp.h"

#include <QApplication>
#include <QStandardPaths>

#include <memory>

#include "editor/EditorWindow.h"
#include "platform/ProgramFolder.h"
#include "platform/QtUserDialogs.h"
#include "texts/TextSet.h"

namespace {

// The platform's dialogs, owned by the editor window: the window needs its
// dialogs when it is made, and the dialogs need the window as their owner.
class WindowDialogs final : public UserDialogs {
 public:
  void SetOwner(QWidget* owner) { dialogs_ = std::make_unique<QtUserDialogs>(owner); }

  void ShowMessage(std::string_view caption, std::string_view text, MessageStyle style) override {
    dialogs_->ShowMessage(caption, text, style);
  }
  bool AskYesNo(std::string_view caption, std::string_view text) override {
    return dialogs_->AskYesNo(caption, text);
  }
  std::optional<std::string> AskText(std::string_view title, std::string_view prompt) override {
    return dialogs_->AskText(title, prompt);
  }
  std::string ChooseFileToOpen(const FileChoice& choice) override { return dialogs_->ChooseFileToOpen(choice); }
  std::string ChooseFileToSave(const FileChoice& choice) override { return dialogs_->ChooseFileToSave(choice); }
  std::optional<std::uint32_t> ChooseColour(std::uint32_t initial, CustomColours& custom) override {
    return dialogs_->ChooseColour(initial, custom);
  }

 private:
  std::unique_ptr<QtUserDialogs> dialogs_ = std::make_unique<QtUserDialogs>(nullptr);
};

}  // namespace

int RunEditor(int argc, char** argv, const TextSet& texts) {
  InstallTextSet(texts);
  QApplication app(argc, argv);
  SetProgramFolder(ResolveProgramFolder(
      ExecutableFolder(),
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()));

  WindowDialogs dialogs;
  EditorWindow window(dialogs);
  dialogs.SetOwner(&window);
  QObject::connect(&window, &EditorWindow::Ended, &app, &QApplication::quit, Qt::QueuedConnection);
  window.show();
  return app.exec();
}
