#include "platform/ScriptedDialogs.h"

namespace {

template <typename T>
T TakeFront(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T value = std::move(queue.front());
  queue.pop_front();
  return value;
}

}  // namespace

std::string ScriptedDialogs::OneLine(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\r' || text[i] == '\n') {
      out += "\\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string ScriptedDialogs::IconSuffix(MessageIcon icon) {
  const std::string_view name = IconName(icon);
  return name.empty() ? std::string() : " [" + std::string(name) + "]";
}

void ScriptedDialogs::ShowMessage(std::string_view caption, std::string_view text, MessageStyle,
                                  MessageIcon icon) {
  sink_("message " + OneLine(caption) + " | " + OneLine(text) + IconSuffix(icon));
}

bool ScriptedDialogs::AskYesNo(std::string_view caption, std::string_view text, MessageIcon icon) {
  const bool yes = TakeFront(yesNoAnswers, false);
  sink_("question " + OneLine(caption) + " | " + OneLine(text) + " -> " + (yes ? "yes" : "no") +
        IconSuffix(icon));
  return yes;
}

std::optional<std::string> ScriptedDialogs::AskText(std::string_view title, std::string_view prompt,
                                                    std::string_view proposed) {
  auto answer = TakeFront<std::optional<std::string>>(textAnswers, std::nullopt);
  const std::string offered = proposed.empty() ? std::string() : " = " + OneLine(proposed);
  sink_("input " + OneLine(title) + " | " + OneLine(prompt) + offered + " -> " + OneLine(answer.value_or("")));
  return answer;
}

std::string ScriptedDialogs::ChooseFileToOpen(const FileChoice& choice) {
  lastFileChoice = choice;
  return TakeFront<std::string>(fileAnswers, {});
}

std::string ScriptedDialogs::ChooseFileToSave(const FileChoice& choice) {
  lastFileChoice = choice;
  return TakeFront<std::string>(fileAnswers, {});
}

std::optional<std::uint32_t> ScriptedDialogs::ChooseColour(std::uint32_t initial, CustomColours&) {
  lastColourInitial = initial;
  return TakeFront<std::optional<std::uint32_t>>(colourAnswers, std::nullopt);
}
