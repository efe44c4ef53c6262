#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A seeded random walk of user actions through the headless driver, with
// the viewer's promises checked after every action:
//  - the driver answers (no crash, no hang) and the window does not end on
//    its own;
//  - whenever cache.04 changes it reads back through the cache reader
//    exactly as a whole write of what it holds would be, and no journal is
//    left behind;
//  - a change of the document leaves cache.04 holding the state before it;
//    a load leaves it holding the new document; Undo, a kill, a crash and a
//    restart after Exit bring back exactly what cache.04 holds; Exit writes
//    the final state;
//  - the driver's memory stays under a bound and does not keep growing.
// States are compared by their digest over the bytes of cache.04.
struct WalkOptions {
  std::uint64_t seed = 1;
  int actions = 400;
  int actionTimeoutSeconds = 300;  // longer than any action takes: a hang
  // Read cache.04 through the reader after every change of it, not only
  // after every fourth (the file of a full document is 425 MB).
  bool readEveryChange = false;
  long memoryLimitKb = 500 * 1024;
  long memoryGrowthSlackKb = 64 * 1024;  // what a settled driver may still add
  bool trace = false;  // every action and what the driver answered, on stderr
};

struct WalkReport {
  int survived = 0;     // actions carried out with every promise kept
  std::string failure;  // what broke, with the seed and the actions to replay it; empty when none
  int documentChanges = 0, undos = 0, restarts = 0, cacheReads = 0;
  long peakKb = 0;
};

WalkReport RunRandomWalk(const WalkOptions& options);

// What the walk saw of the viewer after the last action.
struct WalkView {
  bool dialogOpen = false;  // a modal dialog waits for the user
  std::string dialogTitle;
  int page = 1, pages = 0, loaded = 0, mode = 0 /* MarkingMode */, offset = 0;
  std::vector<int> enabled;  // menu items that can be chosen
};

// How an action may change the document and cache.04; each kind has its
// own rule (see above).
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
// the modal dialogs' controls, kills, crashes and exits. It first writes
// the files the walk opens into `folder` (the same every time): a full
// document of 200 pages (13,000 lines with pictures among them), a short
// one of three pages, a picture, a name with no file and a folder, the last
// three chosen as if they were texts. The first action loads the full one.
using WalkActionSource = std::function<WalkAction(const WalkView&)>;
WalkActionSource StartWalkActions(std::uint64_t seed, const std::string& folder);
