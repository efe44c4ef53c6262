#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The modal dialogs a command may show. Programs use the Qt implementation;
// tests and the headless driver substitute scripted answers, so that every
// command runs headless and every message can be checked word for word.
// All texts are UTF-8.

enum class MessageStyle {
  Plain,          // an OK box owned by the window
  SystemModal,    // an OK box that stays above every window
  TaskModalFront  // an OK box brought to the foreground, for start-up failures
};

// The icon of a message or question box, chosen by whoever shows it: a
// failure takes the warning icon, a question the question icon.
enum class MessageIcon { None, Information, Warning, Question };

// "information", "warning", "question"; empty for no icon.
std::string_view IconName(MessageIcon icon);

struct FileChoice {
  std::string startFolder;   // where the chooser opens
  std::string proposedName;  // the name part offered
  std::string filterName;    // description of the one filter ("Texto" / "Text")
  std::string pattern;       // "*.*"
  std::string defaultSuffix; // added by a save chooser when the name has none
  bool replacesFile = false; // a save chooser asks before it names a file that exists
};

using CustomColours = std::array<std::uint32_t, 16>;  // colours: red in the low byte

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  virtual void ShowMessage(std::string_view caption, std::string_view text,
                           MessageStyle style = MessageStyle::Plain, MessageIcon icon = MessageIcon::None) = 0;
  virtual bool AskYesNo(std::string_view caption, std::string_view text,
                        MessageIcon icon = MessageIcon::Question) = 0;
  // The typed answer; nothing when the box was cancelled. The box opens
  // with `proposed` in it.
  virtual std::optional<std::string> AskText(std::string_view title, std::string_view prompt,
                                             std::string_view proposed = {}) = 0;
  // The chosen path; empty when cancelled.
  virtual std::string ChooseFileToOpen(const FileChoice& choice) = 0;
  virtual std::string ChooseFileToSave(const FileChoice& choice) = 0;
  // The chosen colour; nothing when cancelled. `custom` is kept by the caller.
  virtual std::optional<std::uint32_t> ChooseColour(std::uint32_t initial, CustomColours& custom) = 0;
};
