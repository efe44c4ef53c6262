#pragma once

#include "platform/UserDialogs.h"

#include <deque>
#include <functional>
#include <string>

// Dialogs answered from queues, for tests and the headless driver. Every
// dialog shown is reported as one line:
//   message CAPTION | TEXT
//   question CAPTION | TEXT -> yes|no
//   input TITLE | PROMPT -> ANSWER        (ANSWER empty when cancelled)
//   open-file FOLDER | NAME -> PATH       save-file likewise
//   colour R G B -> R G B | cancel
// with CR LF or LF inside a text written as \n. An empty queue answers
// "no", cancel, or an empty file name.
class ScriptedDialogs : public UserDialogs {
 public:
  using LineSink = std::function<void(const std::string&)>;
  explicit ScriptedDialogs(LineSink sink) : sink_(std::move(sink)) {}

  std::deque<bool> yesNoAnswers;
  std::deque<std::optional<std::string>> textAnswers;
  std::deque<std::string> fileAnswers;
  std::deque<std::optional<std::uint32_t>> colourAnswers;

  void ShowMessage(std::string_view caption, std::string_view text, MessageStyle style) override;
  bool AskYesNo(std::string_view caption, std::string_view text) override;
  std::optional<std::string> AskText(std::string_view title, std::string_view prompt) override;
  std::string ChooseFileToOpen(const FileChoice& choice) override;
  std::string ChooseFileToSave(const FileChoice& choice) override;
  std::optional<std::uint32_t> ChooseColour(std::uint32_t initial, CustomColours& custom) override;

  // One line of text with its line ends shown as \n.
  static std::string OneLine(std::string_view text);

 private:
  std::string ChooseFile(const char* kind, const FileChoice& choice);
  LineSink sink_;
};
