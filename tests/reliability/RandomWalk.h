#pragma once

#include <cstdint>
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
  std::string driver;            // the marvessa-drive executable
  int actionTimeoutSeconds = 300;  // longer than any action takes: a hang
  // Read cache.04 through the reader after every change of it, not only
  // after every fourth (the file of a full document is 425 MB).
  bool readEveryChange = false;
  long memoryLimitKb = 500 * 1024;
  long memoryGrowthSlackKb = 64 * 1024;  // what a settled driver may still add
  bool trace = false;  // every action and what the driver answered, on stderr
};

struct WalkReport {
  int survived = 0;      // actions carried out with every promise kept
  std::string failure;   // what broke, with the seed and the actions to replay it; empty when none
  int documentChanges = 0;
  int undos = 0;
  int restarts = 0;
  int cacheReads = 0;
  long peakKb = 0;
};

WalkReport RunRandomWalk(const WalkOptions& options);

// True when the resident sizes, in order, keep growing: the last tenth is
// on average above the highest of the first half by more than `slackKb`
// and a tenth.
bool KeepsGrowing(const std::vector<long>& residentKb, long slackKb);
