#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What the walk saw of the viewer after the last action.
struct WalkView {
  bool dialogOpen = false;  // a modal dialog waits for the user
  std::string dialogTitle;
  int pages = 0, loaded = 0, mode = 0 /* MarkingMode */, offset = 0;
  std::vector<int> enabled;  // menu items that can be chosen
};

// How an action may change the document and cache.04; each kind has its own rule.
enum class ActionKind { Change, Load, Undo, Kill, Crash, Exit };

struct WalkAction {
  ActionKind kind = ActionKind::Change;
  std::string lines;  // driver lines, each ended by '\n'; none for a crash
};

// Seeded user actions: menu commands with answers (nonsense included), mouse, keys, the wheel, dialog
// controls, kills, crashes and exits. It first writes the walk's files into `folder` (a 200-page text with
// pictures, a short one, pictures); the first action loads the full one.
using WalkActionSource = std::function<WalkAction(const WalkView&)>;
WalkActionSource StartWalkActions(std::uint64_t seed, const std::string& folder);
