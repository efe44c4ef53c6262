#pragma once

#include "platform/UserDialogs.h"

class QWidget;

// The dialogs of a program's window, shown with Qt's standard dialogs.
class QtUserDialogs : public UserDialogs {
 public:
  explicit QtUserDialogs(QWidget* owner = nullptr) : owner_(owner) {}
  // The window is made after its dialogs: it becomes their owner then.
  void SetOwner(QWidget* owner) { owner_ = owner; }

  void ShowMessage(std::string_view caption, std::string_view text, MessageStyle style,
                   MessageIcon icon) override;
  bool AskYesNo(std::string_view caption, std::string_view text, MessageIcon icon) override;
  std::optional<std::string> AskText(std::string_view title, std::string_view prompt,
                                     std::string_view proposed = {}) override;
  std::string ChooseFileToOpen(const FileChoice& choice) override;
  std::string ChooseFileToSave(const FileChoice& choice) override;
  std::optional<std::uint32_t> ChooseColour(std::uint32_t initial, CustomColours& custom) override;

 private:
  QWidget* owner_;
};
