#pragma once

#include "texts/TextSet.h"

#include <string>
#include <string_view>
#include <vector>

// The texts a driver run showed, taken from what it printed: window and
// dialog titles, menus, control captions, list items, messages, questions,
// input boxes, file choosers, page captions and the status bar.
struct ShownText {
  std::string where;  // "menu", "text 7002", "message", "input title", ...
  std::string text;   // as printed: line breaks written as \n
};

inline std::string Between(const std::string& line, std::size_t from, std::size_t to) {
  return from == std::string::npos || to == std::string::npos || to < from ? "" : line.substr(from, to - from);
}

// `where` is the line's first word and, for a control, its id.
inline std::string WhereOf(const std::string& line) {
  const std::size_t quote = line.find(" \"");
  return line.substr(0, quote);
}

// "A | B -> C [ICON]" gives A and B (the answer after the arrow is the
// user's, the box's icon no text).
inline std::vector<std::string> BarredParts(std::string rest) {
  for (const char* icon : {" [information]", " [warning]", " [question]"}) {
    if (rest.ends_with(icon)) rest.resize(rest.size() - std::string_view(icon).size());
  }
  const std::size_t arrow = rest.rfind(" -> ");
  if (arrow != std::string::npos) rest.resize(arrow);
  std::vector<std::string> parts;
  for (std::size_t start = 0;;) {
    const std::size_t bar = rest.find(" | ", start);
    parts.push_back(rest.substr(start, bar - start));
    if (bar == std::string::npos) break;
    start = bar + 3;
  }
  return parts;
}

inline std::vector<ShownText> ShownTextsOf(const std::vector<std::string>& lines) {
  std::vector<ShownText> shown;
  for (const std::string& line : lines) {
    const std::string verb = line.substr(0, line.find(' '));
    const std::string rest = line.size() > verb.size() ? line.substr(verb.size() + 1) : "";
    if (verb == "window" || verb == "menu" || verb == "item" || verb == "dialog" || verb == "text") {
      shown.push_back({WhereOf(line), Between(line, line.find('"') + 1, line.rfind('"'))});
    } else if (verb == "state") {
      shown.push_back({"caption", Between(line, line.find("caption=\"") + 9, line.find("\" page="))});
    } else if (verb == "message" || verb == "question" || verb == "input" || verb == "status" || verb == "file") {
      const std::vector<std::string> parts = BarredParts(rest);
      for (std::size_t k = 0; k < parts.size(); ++k) {
        // A file chooser's pattern is not a text of the table.
        if (verb == "file" && k == 1) continue;
        shown.push_back({verb + " " + std::to_string(k + 1), parts[k]});
      }
    }
  }
  return shown;
}

// Whether `text` is made wholly of texts of `set`, numbers, line breaks and
// the user's own words in `userData`. A file error's description is the
// system's own and is the same in both builds.
inline bool MadeOfTableTexts(std::string_view text, const TextSet& set, const std::vector<std::string>& userData) {
  const std::string_view errorPrefix = TextIn(set, TextId::ErrorPrefix);
  if (!errorPrefix.empty() && text.substr(0, errorPrefix.size()) == errorPrefix) return true;
  std::vector<std::string_view> pieces{"\\n"};
  for (const TextEntry& entry : set.entries) pieces.push_back(entry.text);
  for (const std::string& data : userData) pieces.push_back(data);
  std::vector<bool> reached(text.size() + 1, false);
  reached[0] = true;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!reached[at]) continue;
    for (std::size_t end = at; end < text.size() && text[end] >= '0' && text[end] <= '9'; ++end) {
      reached[end + 1] = true;
    }
    for (const std::string_view piece : pieces) {
      if (!piece.empty() && text.substr(at, piece.size()) == piece) reached[at + piece.size()] = true;
    }
  }
  return reached[text.size()];
}
