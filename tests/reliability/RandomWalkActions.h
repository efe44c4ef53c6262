#pragma once

#include "tests/reliability/RandomWalkDocument.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// What the walk saw of the viewer after the last action.
struct WalkView {
  bool dialogOpen = false;  // a modal dialog waits for the user
  std::string dialogTitle;
  int page = 1;
  int pages = 0;
  int loaded = 0;
  int mode = 0;  // MarkingMode
  int offset = 0;
  std::vector<int> enabled;  // menu items that can be chosen
};

// How an action may change the document and cache.04; each kind has its
// own rule (see RandomWalk.h).
enum class ActionKind {
  Change,  // may change the document, taking the undo point before
  Load,    // may replace the document, writing the new one
  Undo,    // brings back what cache.04 holds
  Kill,    // the window dies and starts again from cache.04
  Crash,   // the process is killed and started again
  Exit,    // leaves, writing the final state, and is started again
};

struct WalkAction {
  ActionKind kind = ActionKind::Change;
  std::string lines;  // driver lines, each ended by '\n'; none for a crash
};

// A seeded source of user actions: menu commands with answers for the boxes
// they open (nonsense included), mouse drags and clicks, keys, the wheel,
// the modal dialogs' controls, kills, crashes and exits.
class WalkActions {
 public:
  WalkActions(std::uint64_t seed, WalkFiles files);
  WalkAction Next(const WalkView& view);

 private:
  WalkAction MenuAction(const WalkView& view);
  WalkAction DialogAction(const WalkView& view);
  int PickFrom(const std::vector<int>& ids);
  std::string MouseLine(const WalkView& view);
  std::string PointOnCanvas(const WalkView& view);
  std::string QueuedAnswers(int command, const WalkView& view);
  std::string PageAnswer(const WalkView& view);
  std::string FileChoice();
  int Below(int count);
  bool Chance(int percent) { return Below(100) < percent; }

  std::mt19937_64 random_;
  WalkFiles files_;
  bool pressed_ = false;   // the mouse button is down on the canvas
  int dialogActions_ = 0;  // actions since the open dialog appeared
};
