// A seeded random walk of user actions through the driver, the viewer's promises checked after every
// action: the driver answers and its window does not end on its own; cache.04 always reads back as the
// document it holds, with no journal left; a change leaves it holding the state before, a load the new
// document; Undo, a kill, a crash and a restart after Exit bring back what it holds; Exit writes the final
// state; memory stays bounded and does not keep growing. A short walk on one seed;
// MARVESSA_RELIABILITY_LONG=1 walks 5,000 actions on several; MARVESSA_WALK_SEED=N replays one.
#include "tests/reliability/RandomWalk.h"

#include "tests/DriverRunner.h"
#include "tests/TempFolder.h"
#include "tests/reliability/DriverChild.h"
#include "viewer/document/CacheDigest.h"
#include "viewer/document/CacheFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>

namespace {

constexpr int kFinishSeconds = 120;
constexpr int kActionSeconds = 300;        // longer than any action takes: a hang
constexpr std::size_t kActionsShown = 40;  // of the last ones, in a failure report
constexpr int kReadEvery = 4;              // changes of cache.04 between two reads through the reader
// The sanitiser's shadow memory and quarantine (256 MB, filled as pages are drawn again) come on top.
constexpr long kMemoryLimitKb = (kSanitized ? 1536 : 500) * 1024;
constexpr long kGrowthSlackKb = (kSanitized ? 64 + 256 : 64) * 1024;  // what a settled driver may still add

// One version of a file: whether it exists, its inode, size, and times of change (ns).
using FileStamp = std::array<long long, 6>;

FileStamp StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return {1, static_cast<long long>(info.st_ino), info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec,
          info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec};
}

bool IsDigestLine(const std::string& line) {
  return line.starts_with("digest ") || line.starts_with("error digest");
}

// The last tenth is on average above the highest of the first half (the settling) by a tenth and the slack.
bool KeepsGrowing(const std::vector<long>& residentKb) {
  const auto tenth = static_cast<long>(residentKb.size() / 10);
  const long settled = *std::max_element(residentKb.begin(), residentKb.begin() + static_cast<long>(residentKb.size() / 2));
  const double late = std::accumulate(residentKb.end() - tenth, residentKb.end(), 0.0) / static_cast<double>(tenth);
  return late > settled * 1.1 + static_cast<double>(kGrowthSlackKb);
}

class WalkRun {
 public:
  WalkRun(std::uint64_t seed, bool readEveryChange)
      : seed_(seed), readEveryChange_(readEveryChange), actions_(StartWalkActions(seed, temp_.path())) {}

  std::string Run(int actions) {
    std::string why = StartChild();
    for (int index = 0; index < actions && why.empty(); ++index) {
      const WalkAction action = actions_(view_);
      script_.push_back(action.kind == ActionKind::Crash ? "# crash: the process is killed\n" : action.lines);
      why = Step(action);
    }
    if (const std::string end = why.empty() ? child_.Finish(kFinishSeconds) : "exit 0"; end != "exit 0") {
      why = "the driver did not end cleanly: " + end;
    }
    return why.empty() ? "" : Describe(why);
  }

 private:
  std::string CachePath() const { return temp_.File("program/") + kCacheFileName; }
  std::uint64_t FileOrEmptyDigest() const { return file_ ? *file_ : emptyDigest_; }

  // Each check below: empty when the promise held, else what broke.
  std::string Step(const WalkAction& action) {
    const WalkView before = view_;
    const std::uint64_t beforeDigest = program_;
    std::vector<std::string> output;
    const bool exiting = action.kind == ActionKind::Exit;
    std::string why = action.kind == ActionKind::Crash ? Restart(true)
                      : child_.Send(action.lines)      ? Sync(output, exiting)
                                                       : "the driver stopped reading";
    bool fileChanged = false;
    if (why.empty()) why = CheckFile(fileChanged);
    if (why.empty()) why = BrokenRule(action, before, beforeDigest, output, fileChanged);
    if (why.empty() && exiting) why = Restart(false);
    // Exported pictures' folders: only their writing matters, not the disk they would fill.
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(temp_.File("program"), ignored)) {
      if (entry.is_directory(ignored)) std::filesystem::remove_all(entry.path(), ignored);
    }
    return why.empty() ? CheckMemory() : why;
  }

  std::string StartChild() {
    std::filesystem::create_directories(temp_.File("program"));
    if (!child_.Start({"--lang", "en", "--folder", temp_.File("program")}, temp_.File("driver-errors.log"))) {
      return "the driver could not be started";
    }
    resident_.clear();
    std::vector<std::string> output;
    return Sync(output, false);
  }

  std::string Restart(bool crash) {
    if (crash) {
      child_.Kill();
    } else if (const std::string end = child_.Running() ? child_.Finish(kFinishSeconds) : "exit 0"; end != "exit 0") {
      return "the driver did not end cleanly after Exit: " + end;
    }
    bool fileChanged = false;
    std::string why = StartChild();
    if (why.empty()) why = CheckFile(fileChanged);
    if (!why.empty() || program_ == FileOrEmptyDigest()) return why;
    return "started again, the document is not what cache.04 holds";
  }

  // `mayEnd`: the driver may end with its window, as the program does.
  std::string Sync(std::vector<std::string>& output, bool mayEnd) {
    child_.Send("state\ndialog\ndigest\n");
    const bool answered = child_.ReadUntil(IsDigestLine, kActionSeconds);
    output = child_.TakeLines();
    if (answered) {
      ReadView(output);
      return "";
    }
    if (child_.hung()) {
      child_.Kill();
      return "no answer within " + std::to_string(kActionSeconds) + " s: the driver hangs";
    }
    const std::string end = child_.Reap();
    if (mayEnd && end == "exit 0") {
      ended_ = true;
      return "";
    }
    std::string why = "the driver ended: " + end + "; its last words:";
    for (const std::string& line : output) why += "\n  > " + line;
    return why;
  }

  void ReadView(const std::vector<std::string>& output) {
    ended_ = output.back().starts_with("error digest");
    if (!ended_) ParseDigestText(output.back().substr(7), program_);
    view_.dialogOpen = false;
    for (const std::string& line : output) {
      if (line.starts_with("dialog ")) {
        view_.dialogOpen = true;
        view_.dialogTitle = line;
      }
      if (!line.starts_with("state ")) continue;
      std::map<std::string, std::string> fields = ParseStateLine(line);
      for (const auto& [name, value] : {std::pair{"pages", &view_.pages}, {"loaded", &view_.loaded},
                                        {"mode", &view_.mode}, {"offset", &view_.offset}}) {
        *value = std::atoi(fields[name].c_str());
      }
      view_.enabled.clear();
      std::istringstream ids(fields["enabled"]);
      for (std::string id; std::getline(ids, id, ',');) view_.enabled.push_back(std::atoi(id.c_str()));
    }
  }

  std::string CheckFile(bool& changed) {
    if (std::filesystem::exists(CachePath() + ".journal")) return "a journal of cache.04 was left behind";
    const FileStamp stamp = StampOf(CachePath());
    changed = stamp != std::exchange(stamp_, stamp);
    if (!changed) return "";
    if (stamp[0] == 0) return std::exchange(file_, std::nullopt) ? "cache.04 disappeared" : "";
    std::uint64_t digest = 0;
    if (!DigestCacheFile(CachePath(), digest)) return "cache.04 cannot be read";
    file_ = digest;
    if (!readEveryChange_ && ++fileChangesUnread_ < kReadEvery) return "";
    fileChangesUnread_ = 0;
    Document document;
    bool canonical = false;
    const bool read = CacheReadChecked(document, CachePath(), {}, canonical) && canonical;
    if (read && DigestDocument(document) == digest) return "";
    return "cache.04 does not read back as the document it holds";
  }

  std::string BrokenRule(const WalkAction& action, const WalkView& before, std::uint64_t beforeDigest,
                         const std::vector<std::string>& output, bool fileChanged) {
    const bool changed = program_ != beforeDigest;
    const bool holdsProgram = program_ == FileOrEmptyDigest();
    if (ended_ != (action.kind == ActionKind::Exit)) {
      return ended_ ? "the window ended on its own" : "Exit did not end the window";
    }
    const bool refused =
        std::any_of(output.begin(), output.end(), [](const auto& line) { return line.starts_with("error command"); });
    switch (action.kind) {
      case ActionKind::Undo:
        if (refused || before.mode != 0) break;
        if (fileChanged) return "Undo changed cache.04";
        return holdsProgram ? "" : "Undo did not bring back what cache.04 holds";
      case ActionKind::Load:
        // A file not loaded changes nothing; one loaded is written (unless cache.04 holds it already).
        return (changed || fileChanged) && !holdsProgram ? "a new document is not what cache.04 holds" : "";
      case ActionKind::Kill:
      case ActionKind::Crash:
        return holdsProgram ? "" : "started again, the document is not what cache.04 holds";
      case ActionKind::Exit:
        return FileOrEmptyDigest() != beforeDigest && before.loaded == 1 ? "Exit did not write the final state" : "";
      case ActionKind::Change: break;
    }
    if (!(changed || fileChanged) || FileOrEmptyDigest() == beforeDigest) return "";
    return changed ? "the document changed but cache.04 does not hold the state before the change"
                   : "cache.04 changed to a state the document never had";
  }

  std::string CheckMemory() {
    const long resident = child_.ResidentKb();
    resident_.push_back(resident);
    if (resident > kMemoryLimitKb) return "the driver holds " + std::to_string(resident) + " kB, too much";
    const bool checked = resident_.size() >= 200 && resident_.size() % 100 == 0;
    return checked && KeepsGrowing(resident_) ? "the driver's memory keeps growing" : "";
  }

  std::string Describe(const std::string& why) const {
    std::string shown;
    for (std::size_t i = script_.size() - std::min(script_.size(), kActionsShown); i < script_.size(); ++i) {
      shown += "  #" + std::to_string(i) + ": " + script_[i];
    }
    return "seed " + std::to_string(seed_) + " after " + std::to_string(script_.size()) + " actions: " + why +
           "\nlast actions:\n" + shown + "the driver's errors: " +
           ReadFileBytes(temp_.File("driver-errors.log")).substr(0, 4000);
  }

  std::uint64_t seed_;
  bool readEveryChange_;
  TempFolder temp_;
  WalkActionSource actions_;
  DriverChild child_;
  WalkView view_;
  bool ended_ = false;                 // the window has ended (after Exit)
  std::uint64_t program_ = 0;          // digest of the driver's document
  std::optional<std::uint64_t> file_;  // digest of cache.04, when it exists
  FileStamp stamp_;
  int fileChangesUnread_ = 0;
  const std::uint64_t emptyDigest_ = DigestDocument(Document());
  std::vector<std::string> script_;  // every action's lines, for a failure's report
  std::vector<long> resident_;       // of the running driver, one per action
};

// Empty when every promise held, else what broke. `readEveryChange`: read cache.04 after every change of
// it, not every fourth (it is 425 MB).
std::string RandomWalk(std::uint64_t seed, int actions, bool readEveryChange) {
  return WalkRun(seed, readEveryChange).Run(actions);
}

TEST(RandomWalk, KeepsEveryPromise) {
  if (const long seed = EnvironmentNumber("MARVESSA_WALK_SEED", -1); seed >= 0) {
    EXPECT_EQ(RandomWalk(static_cast<std::uint64_t>(seed), 5000, true), "");
  } else if (LongForm()) {
    for (const std::uint64_t longSeed : {1, 2, 3, 4, 5}) EXPECT_EQ(RandomWalk(longSeed, 5000, true), "");
  } else {
    EXPECT_EQ(RandomWalk(20261206, 400, false), "");
  }
}

// Walks that once broke a promise, each as long as it took to reach the failing action:
//  - seed 1, action 260: a kill ended the driver instead of starting the viewer again.
TEST(RandomWalk, RegressionWalks) { EXPECT_EQ(RandomWalk(1, 262, true), ""); }

}  // namespace
