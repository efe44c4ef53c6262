#pragma once

#include "texts/TextId.h"

#include <span>
#include <string>
#include <string_view>

// One language's texts. Texts are UTF-8, stored exactly as shown.
struct TextEntry {
  TextId id;
  std::string_view text;
};

// How the viewer shows the message it gives when it cannot start.
enum class StartupFailureStyle {
  TaskModalForegroundNoTitle,  // a task-modal box brought to the front, empty title
  PlainOkWithTitle,            // a plain OK box with the programmer caption
};

struct TextSet {
  std::string_view language;  // "es" or "en"
  StartupFailureStyle startupFailureStyle;
  std::span<const TextEntry> entries;
};

// The two tables; a program links exactly one of them.
const TextSet& SpanishTexts();
const TextSet& EnglishTexts();

// Makes `set` the text set of this process; a program calls it once at start.
void InstallTextSet(const TextSet& set);

// The installed set (an empty one before any is installed).
const TextSet& InstalledTextSet();

// The text of `id` in the installed set (empty before a set is installed).
std::string_view Text(TextId id);

// The text of `id` in a given set (empty when the set lacks the role).
std::string_view TextIn(const TextSet& set, TextId id);

// The form every file error is shown in: "Err: " + number + " " + description.
std::string ErrorText(int number, std::string_view description);
