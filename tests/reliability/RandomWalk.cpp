#include "tests/reliability/RandomWalk.h"

#include "tests/DriverRunner.h"
#include "tests/TempFolder.h"
#include "tests/reliability/DriverChild.h"
#include "viewer/document/CacheDigest.h"
#include "viewer/document/CacheFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <numeric>
#include <optional>

namespace {

constexpr int kFinishSeconds = 120;
constexpr std::size_t kActionsShown = 40;  // of the last ones, in a failure report
constexpr int kReadEvery = 4;               // changes of cache.04 between two reads through the reader

// What identifies one version of a file on disk.
// Whether it exists, its inode, size, and times of change (ns).
using FileStamp = std::array<long long, 6>;

FileStamp StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return {1, static_cast<long long>(info.st_ino), info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec,
          info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec};
}

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

bool IsDigestLine(const std::string& line) { return StartsWith(line, "digest ") || StartsWith(line, "error digest"); }

// True when the resident sizes keep growing: the last tenth is on average
// above the highest of the first half (the settling: pages drawn, caches
// filled) by more than a tenth and `slackKb`.
bool KeepsGrowing(const std::vector<long>& residentKb, long slackKb) {
  const auto tenth = static_cast<long>(residentKb.size() / 10);
  const long settled = *std::max_element(residentKb.begin(), residentKb.begin() + static_cast<long>(residentKb.size() / 2));
  const double late = std::accumulate(residentKb.end() - tenth, residentKb.end(), 0.0) / static_cast<double>(tenth);
  return late > settled * 1.1 + static_cast<double>(slackKb);
}

class WalkRun {
 public:
  explicit WalkRun(const WalkOptions& options)
      : options_(options), actions_(StartWalkActions(options.seed, temp_.path())) {}

  WalkReport Run() {
    std::string why;
    for (int index = 0; index < options_.actions && why.empty(); ++index) {
      if (index == 0 && !StartChild(why)) break;
      const WalkAction action = actions_(view_);
      script_.push_back(action.kind == ActionKind::Crash ? "# crash: the process is killed\n" : action.lines);
      if (Step(action, why)) report_.survived = index + 1;
    }
    if (why.empty()) {
      const std::string end = child_.Finish(kFinishSeconds);
      if (end != "exit 0") why = "the driver did not end cleanly: " + end;
    }
    if (!why.empty()) report_.failure = Describe(report_.survived, why);
    return report_;
  }

 private:
  std::string CachePath() const { return temp_.File("program/") + kCacheFileName; }
  std::uint64_t FileOrEmptyDigest() const { return file_ ? *file_ : emptyDigest_; }

  bool Step(const WalkAction& action, std::string& why) {
    const WalkView before = view_;
    const std::uint64_t beforeDigest = program_;
    std::vector<std::string> output;
    if (action.kind == ActionKind::Crash) {
      if (!Restart(true, why)) return false;
    } else if (!child_.Send(action.lines) || !Sync(output, action.kind == ActionKind::Exit, why)) {
      if (why.empty()) why = "the driver stopped reading";
      return false;
    }
    if (options_.trace) {
      std::fprintf(stderr, "%s", script_.back().c_str());
      for (const std::string& line : output) std::fprintf(stderr, "  > %s\n", line.c_str());
    }
    bool fileChanged = false;
    if (!CheckFile(fileChanged, why)) return false;
    why = BrokenRule(action, before, beforeDigest, output, fileChanged);
    if (!why.empty() || (action.kind == ActionKind::Exit && !Restart(false, why))) return false;
    // Exported pictures go to folders in the program folder; only their
    // writing matters here, not the disk they would fill.
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(temp_.File("program"), ignored)) {
      if (entry.is_directory(ignored)) std::filesystem::remove_all(entry.path(), ignored);
    }
    return CheckMemory(why);
  }

  bool StartChild(std::string& why) {
    std::filesystem::create_directories(temp_.File("program"));
    if (!child_.Start({"--lang", "en", "--folder", temp_.File("program")}, temp_.File("driver-errors.log"))) {
      why = "the driver could not be started";
      return false;
    }
    resident_.clear();
    std::vector<std::string> output;
    return Sync(output, false, why);
  }

  bool Restart(bool crash, std::string& why) {
    ++report_.restarts;
    if (crash) {
      child_.Kill();
    } else if (const std::string end = child_.Running() ? child_.Finish(kFinishSeconds) : "exit 0"; end != "exit 0") {
      why = "the driver did not end cleanly after Exit: " + end;
      return false;
    }
    bool fileChanged = false;
    if (!StartChild(why) || !CheckFile(fileChanged, why)) return false;
    if (program_ != FileOrEmptyDigest()) why = "started again, the document is not what cache.04 holds";
    return why.empty();
  }

  // `mayEnd`: the driver may end with its window, as the program does.
  bool Sync(std::vector<std::string>& output, bool mayEnd, std::string& why) {
    child_.Send("state\ndialog\ndigest\n");
    const bool answered = child_.ReadUntil(IsDigestLine, options_.actionTimeoutSeconds);
    output = child_.TakeLines();
    if (answered) {
      ReadView(output);
      return true;
    }
    if (child_.hung()) {
      why = "no answer within " + std::to_string(options_.actionTimeoutSeconds) + " s: the driver hangs";
      child_.Kill();
      return false;
    }
    const std::string end = child_.Reap();
    if (mayEnd && end == "exit 0") return ended_ = true;
    why = "the driver ended: " + end + "; its last words:";
    for (const std::string& line : output) why += "\n  > " + line;
    return false;
  }

  void ReadView(const std::vector<std::string>& output) {
    ended_ = StartsWith(output.back(), "error digest");
    if (!ended_) ParseDigestText(output.back().substr(7), program_);
    view_.dialogOpen = false;
    for (const std::string& line : output) {
      if (StartsWith(line, "dialog ")) {
        view_.dialogOpen = true;
        view_.dialogTitle = line;
      }
      if (!StartsWith(line, "state ")) continue;
      std::map<std::string, std::string> fields = ParseStateLine(line);
      for (const auto& [name, value] : {std::pair{"page", &view_.page}, {"pages", &view_.pages},
                                        {"loaded", &view_.loaded}, {"mode", &view_.mode}, {"offset", &view_.offset}}) {
        *value = std::atoi(fields[name].c_str());
      }
      view_.enabled.clear();
      std::istringstream ids(fields["enabled"]);
      for (std::string id; std::getline(ids, id, ',');) view_.enabled.push_back(std::atoi(id.c_str()));
    }
  }

  bool CheckFile(bool& changed, std::string& why) {
    if (std::filesystem::exists(CachePath() + ".journal")) why = "a journal of cache.04 was left behind";
    const FileStamp stamp = StampOf(CachePath());
    changed = stamp != stamp_;
    stamp_ = stamp;
    if (!why.empty() || !changed) return why.empty();
    if (stamp[0] == 0) {
      if (file_) why = "cache.04 disappeared";
      file_.reset();
      return why.empty();
    }
    std::uint64_t digest = 0;
    if (!DigestCacheFile(CachePath(), digest)) why = "cache.04 cannot be read";
    file_ = digest;
    if (!why.empty() || (!options_.readEveryChange && ++fileChangesUnread_ < kReadEvery)) return why.empty();
    fileChangesUnread_ = 0;
    ++report_.cacheReads;
    Document read;
    bool canonical = false;
    if (!CacheReadChecked(read, CachePath(), {}, canonical) || !canonical || DigestDocument(read) != digest) {
      why = "cache.04 does not read back as the document it holds";
    }
    return why.empty();
  }

  std::string BrokenRule(const WalkAction& action, const WalkView& before, std::uint64_t beforeDigest,
                                  const std::vector<std::string>& output, bool fileChanged) {
    const bool changed = program_ != beforeDigest;
    const bool holdsProgram = program_ == FileOrEmptyDigest();
    report_.documentChanges += changed;
    if (ended_ != (action.kind == ActionKind::Exit)) {
      return ended_ ? "the window ended on its own" : "Exit did not end the window";
    }
    const bool refused =
        std::any_of(output.begin(), output.end(), [](const auto& line) { return StartsWith(line, "error command"); });
    switch (action.kind) {
      case ActionKind::Undo:
        if (refused || before.mode != 0) break;
        ++report_.undos;
        if (fileChanged) return "Undo changed cache.04";
        return holdsProgram ? "" : "Undo did not bring back what cache.04 holds";
      case ActionKind::Load:
        // A file that is not loaded changes nothing; one that is, is written
        // (unless cache.04 holds it already).
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

  bool CheckMemory(std::string& why) {
    const long resident = child_.ResidentKb();
    report_.peakKb = std::max(report_.peakKb, child_.PeakKb());
    resident_.push_back(resident);
    if (resident > options_.memoryLimitKb) {
      why = "the driver holds " + std::to_string(resident) + " kB, above the bound";
    }
    const bool checked = resident_.size() >= 200 && resident_.size() % 100 == 0;
    if (checked && KeepsGrowing(resident_, options_.memoryGrowthSlackKb)) why = "the driver's memory keeps growing";
    return why.empty();
  }

  std::string Describe(int index, const std::string& why) const {
    const std::string replay =
        (std::filesystem::temp_directory_path() / ("marvessa-walk-" + std::to_string(options_.seed) + ".txt")).string();
    std::ofstream out(replay);
    std::string shown;
    for (std::size_t i = 0; i < script_.size(); ++i) {
      out << "# action " << i << "\n" << script_[i];
      if (i + kActionsShown >= script_.size()) shown += "  #" + std::to_string(i) + ": " + script_[i];
    }
    return "seed " + std::to_string(options_.seed) + ", action " + std::to_string(index) + ": " + why +
           "\nlast actions:\n" + shown + "all actions: " + replay + "\nthe driver's errors: " +
           ReadFileBytes(temp_.File("driver-errors.log")).substr(0, 4000);
  }

  WalkOptions options_;
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
  std::vector<std::string> script_;  // every line sent, for replaying a failure
  std::vector<long> resident_;       // of the running driver, one per action
  WalkReport report_;
};

}  // namespace

WalkReport RunRandomWalk(const WalkOptions& options) { return WalkRun(options).Run(); }
