#pragma once

#include "platform/UserDialogs.h"

#include <deque>
#include <functional>
#include <string>

// Dialogs answered from queues, for tests and the headless driver. Every
// box with a text is reported as one line:
//   message CAPTION | TEXT [ICON]
//   question CAPTION | TEXT -> yes|no [ICON]
//   input TITLE | PROMPT -> ANSWER        (ANSWER empty when cancelled)
//   input TITLE | PROMPT = PROPOSED -> ANSWER   (a box that opens with a text)
// with CR LF or LF inside a text written as \n, and " [ICON]" (information,
// warning, question) only for a box that shows an icon. The file and colour
// choosers print nothing; what they were asked is kept for tests. An empty
// queue answers "no", cancel, or an empty file name.
class ScriptedDialogs : public UserDialogs {
 public:
  using LineSink = std::function<void(const std::string&)>;
  explicit ScriptedDialogs(LineSink sink) : sink_(std::move(sink)) {}

  std::deque<bool> yesNoAnswers;
  std::deque<std::optional<std::string>> textAnswers;
  std::deque<std::string> fileAnswers;
  std::deque<std::optional<std::uint32_t>> colourAnswers;
  FileChoice lastFileChoice;
  std::uint32_t lastColourInitial = 0;

  void ShowMessage(std::string_view caption, std::string_view text, MessageStyle style,
                   MessageIcon icon) override;
  bool AskYesNo(std::string_view caption, std::string_view text, MessageIcon icon) override;
  std::optional<std::string> AskText(std::string_view title, std::string_view prompt,
                                     std::string_view proposed = {}) override;
  std::string ChooseFileToOpen(const FileChoice& choice) override;
  std::string ChooseFileToSave(const FileChoice& choice) override;
  std::optional<std::uint32_t> ChooseColour(std::uint32_t initial, CustomColours& custom) override;

  // One line of text with its line ends shown as \n.
  static std::string OneLine(std::string_view text);

 private:
  static std::string IconSuffix(MessageIcon icon);

  LineSink sink_;
};
