#include "tests/reliability/RandomWalk.h"

#include "tests/DriverRunner.h"
#include "tests/TempFolder.h"
#include "tests/reliability/RandomWalkActions.h"
#include "tests/reliability/RandomWalkChild.h"
#include "viewer/document/CacheDigest.h"
#include "viewer/document/CacheFile.h"
#include "viewer/shell/CommandIds.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <optional>

namespace {

constexpr int kFinishSeconds = 120;
constexpr std::size_t kActionsShown = 40;  // of the last ones, in a failure report
constexpr int kReadEvery = 4;               // changes of cache.04 between two reads through the reader

// What identifies one version of a file on disk.
struct FileStamp {
  bool exists = false;
  ino_t inode = 0;
  off_t size = 0;
  long long modified = 0;
  long long changed = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

FileStamp StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return {true, info.st_ino, info.st_size, info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec,
          info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec};
}

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

std::vector<int> ParseIds(const std::string& list) {
  std::vector<int> ids;
  std::size_t at = 0;
  while (at < list.size()) {
    const std::size_t comma = std::min(list.find(',', at), list.size());
    ids.push_back(std::atoi(list.substr(at, comma - at).c_str()));
    at = comma + 1;
  }
  return ids;
}

class WalkRun {
 public:
  explicit WalkRun(const WalkOptions& options)
      : options_(options), files_(PrepareFiles()), actions_(options.seed, files_) {}

  WalkReport Run();

 private:
  WalkFiles PrepareFiles() {
    std::filesystem::create_directory(temp_.File("program"));
    std::filesystem::create_directory(temp_.File("texts"));
    return WriteWalkFiles(temp_.File("texts"));
  }
  std::string CachePath() const { return temp_.File("program/") + kCacheFileName; }

  bool Step(const WalkAction& action, std::string& why);
  bool StartChild(std::string& why);
  bool Restart(bool crash, std::string& why);
  // `mayEnd`: the driver may end with its window, as the program does.
  bool Sync(std::vector<std::string>& output, bool mayEnd, std::string& why);
  void ReadView(const std::vector<std::string>& output);
  bool CheckFile(bool& changed, std::string& why);
  bool CheckRules(const WalkAction& action, const WalkView& before, std::uint64_t before_digest,
                  const std::vector<std::string>& output, bool fileChanged, std::string& why);
  bool CheckMemory(std::string& why);
  std::uint64_t FileOrEmptyDigest() const { return file_ ? *file_ : emptyDigest_; }
  void RemoveExports() const;
  void Trace(const std::string& lines, const std::vector<std::string>& output);
  std::string Describe(int index, const std::string& why) const;

  WalkOptions options_;
  TempFolder temp_;
  WalkFiles files_;
  WalkActions actions_;
  RandomWalkChild child_;
  WalkView view_;
  bool ended_ = false;        // the window has ended (after Exit)
  std::uint64_t program_ = 0;  // digest of the driver's document
  std::optional<std::uint64_t> file_;  // digest of cache.04, when it exists
  FileStamp stamp_;
  int fileChangesUnread_ = 0;
  const std::uint64_t emptyDigest_ = DigestDocument(Document());
  std::vector<std::string> script_;  // every line sent, for replaying a failure
  std::vector<long> resident_;        // of the running driver, one per action
  WalkReport report_;
  std::chrono::steady_clock::time_point traced_ = std::chrono::steady_clock::now();
};

WalkReport WalkRun::Run() {
  std::string why;
  if (!StartChild(why)) {
    report_.failure = Describe(0, why);
    return report_;
  }
  // The walk starts on the full document.
  WalkAction first{ActionKind::Load, "choose " + files_.fullText + "\ncommand " + std::to_string(cmd::New) + "\n"};
  for (int index = 0; index < options_.actions; ++index) {
    const WalkAction action = index == 0 ? first : actions_.Next(view_);
    script_.push_back(action.kind == ActionKind::Crash ? "# crash: the process is killed\n" : action.lines);
    if (!Step(action, why)) {
      report_.failure = Describe(index, why);
      return report_;
    }
    report_.survived = index + 1;
  }
  std::string end = child_.Finish(kFinishSeconds);
  if (end != "exit 0") report_.failure = Describe(options_.actions, "the driver did not end cleanly: " + end);
  return report_;
}

bool WalkRun::Step(const WalkAction& action, std::string& why) {
  const WalkView before = view_;
  const std::uint64_t beforeDigest = program_;
  std::vector<std::string> output;
  Trace(action.kind == ActionKind::Crash ? "# crash\n" : action.lines, {});
  if (action.kind == ActionKind::Crash) {
    if (!Restart(true, why)) return false;
  } else if (!child_.Send(action.lines) || !Sync(output, action.kind == ActionKind::Exit, why)) {
    if (why.empty()) why = "the driver stopped reading";
    return false;
  }
  Trace("", output);
  bool fileChanged = false;
  if (!CheckFile(fileChanged, why)) return false;
  if (!CheckRules(action, before, beforeDigest, output, fileChanged, why)) return false;
  if (action.kind == ActionKind::Exit && !Restart(false, why)) return false;
  RemoveExports();
  return CheckMemory(why);
}

void WalkRun::Trace(const std::string& lines, const std::vector<std::string>& output) {
  if (!options_.trace) return;
  const auto now = std::chrono::steady_clock::now();
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - traced_).count();
  traced_ = now;
  std::fprintf(stderr, "[%lld ms] %s", static_cast<long long>(elapsed), lines.c_str());
  for (const std::string& line : output) std::fprintf(stderr, "  > %s\n", line.c_str());
}

bool WalkRun::StartChild(std::string& why) {
  if (!child_.Start(options_.driver, temp_.File("program"), temp_.File("driver-errors.log"))) {
    why = "the driver could not be started";
    return false;
  }
  resident_.clear();
  std::vector<std::string> output;
  return Sync(output, false, why);
}

bool WalkRun::Restart(bool crash, std::string& why) {
  ++report_.restarts;
  if (crash) {
    child_.Kill();
  } else if (const std::string end = child_.Running() ? child_.Finish(kFinishSeconds) : "exit 0"; end != "exit 0") {
    why = "the driver did not end cleanly after Exit: " + end;
    return false;
  }
  bool fileChanged = false;
  if (!StartChild(why) || !CheckFile(fileChanged, why)) return false;
  if (program_ != FileOrEmptyDigest()) {
    why = "started again, the document is not what cache.04 holds";
    return false;
  }
  return true;
}

bool WalkRun::Sync(std::vector<std::string>& output, bool mayEnd, std::string& why) {
  bool timedOut = false;
  child_.Send("state\ndialog\ndigest\n");
  output = child_.ReadUntil(
      [](const std::string& line) { return StartsWith(line, "digest ") || StartsWith(line, "error digest"); },
      options_.actionTimeoutSeconds, timedOut);
  if (timedOut) {
    why = "no answer within " + std::to_string(options_.actionTimeoutSeconds) + " s: the driver hangs";
    child_.Kill();
    return false;
  }
  if (output.empty() || (!StartsWith(output.back(), "digest ") && !StartsWith(output.back(), "error digest"))) {
    const std::string end = child_.Reap();
    if (mayEnd && end == "exit 0") {
      ended_ = true;
      return true;
    }
    why = "the driver ended: " + end + "; its last words:";
    for (const std::string& line : output) why += "\n  > " + line;
    return false;
  }
  ReadView(output);
  return true;
}

void WalkRun::ReadView(const std::vector<std::string>& output) {
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
    view_.page = std::atoi(fields["page"].c_str());
    view_.pages = std::atoi(fields["pages"].c_str());
    view_.loaded = std::atoi(fields["loaded"].c_str());
    view_.mode = std::atoi(fields["mode"].c_str());
    view_.offset = std::atoi(fields["offset"].c_str());
    view_.enabled = ParseIds(fields["enabled"]);
  }
}

bool WalkRun::CheckFile(bool& changed, std::string& why) {
  if (std::filesystem::exists(CachePath() + ".journal")) {
    why = "a journal of cache.04 was left behind";
    return false;
  }
  const FileStamp stamp = StampOf(CachePath());
  changed = !(stamp == stamp_);
  stamp_ = stamp;
  if (!changed) return true;
  if (!stamp.exists) {
    why = file_ ? "cache.04 disappeared" : "";
    file_.reset();
    return why.empty();
  }
  std::uint64_t digest = 0;
  if (!DigestCacheFile(CachePath(), digest)) {
    why = "cache.04 cannot be read";
    return false;
  }
  file_ = digest;
  if (!options_.readEveryChange && ++fileChangesUnread_ < kReadEvery) return true;
  fileChangesUnread_ = 0;
  ++report_.cacheReads;
  Document read;
  bool canonical = false;
  if (!CacheReadChecked(read, CachePath(), {}, canonical) || !canonical || DigestDocument(read) != digest) {
    why = "cache.04 does not read back as the document it holds";
    return false;
  }
  return true;
}

bool WalkRun::CheckRules(const WalkAction& action, const WalkView& before, std::uint64_t beforeDigest,
                         const std::vector<std::string>& output, bool fileChanged, std::string& why) {
  const bool changed = program_ != beforeDigest;
  if (changed) ++report_.documentChanges;
  if (ended_ != (action.kind == ActionKind::Exit)) {
    why = ended_ ? "the window ended on its own" : "Exit did not end the window";
    return false;
  }
  const bool refused = std::any_of(output.begin(), output.end(), [](const std::string& line) {
    return StartsWith(line, "error command");
  });
  switch (action.kind) {
    case ActionKind::Undo:
      if (refused || before.mode != 0) break;
      ++report_.undos;
      if (program_ != FileOrEmptyDigest()) why = "Undo did not bring back what cache.04 holds";
      if (fileChanged) why = "Undo changed cache.04";
      return why.empty();
    case ActionKind::Load:
      // A file that is not loaded changes nothing; one that is, is written
      // (unless cache.04 holds it already).
      if ((changed || fileChanged) && program_ != FileOrEmptyDigest()) why = "a new document is not what cache.04 holds";
      return why.empty();
    case ActionKind::Kill:
    case ActionKind::Crash:
      if (program_ != FileOrEmptyDigest()) why = "started again, the document is not what cache.04 holds";
      return why.empty();
    case ActionKind::Exit:
      if (FileOrEmptyDigest() != beforeDigest && before.loaded == 1) why = "Exit did not write the final state";
      return why.empty();
    case ActionKind::Change: break;
  }
  if ((changed || fileChanged) && FileOrEmptyDigest() != beforeDigest) {
    why = changed ? "the document changed but cache.04 does not hold the state before the change"
                  : "cache.04 changed to a state the document never had";
  }
  return why.empty();
}

bool WalkRun::CheckMemory(std::string& why) {
  const long resident = child_.ResidentKb();
  report_.peakKb = std::max(report_.peakKb, child_.PeakKb());
  resident_.push_back(resident);
  if (resident > options_.memoryLimitKb) {
    why = "the driver holds " + std::to_string(resident) + " kB, above the bound";
    return false;
  }
  if (resident_.size() >= 200 && resident_.size() % 100 == 0 && KeepsGrowing(resident_, options_.memoryGrowthSlackKb)) {
    why = "the driver's memory keeps growing";
    return false;
  }
  return true;
}

void WalkRun::RemoveExports() const {
  // Exported pictures go to folders in the program folder; only their
  // writing matters here, not the disk they would fill.
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(temp_.File("program"), ignored)) {
    if (entry.is_directory(ignored)) std::filesystem::remove_all(entry.path(), ignored);
  }
}

std::string WalkRun::Describe(int index, const std::string& why) const {
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

}  // namespace

WalkReport RunRandomWalk(const WalkOptions& options) {
  WalkRun run(options);
  return run.Run();
}

bool KeepsGrowing(const std::vector<long>& residentKb, long slackKb) {
  const std::size_t tenth = residentKb.size() / 10;
  if (tenth == 0) return false;
  // The first half holds the settling (pages drawn, caches filled); a leak
  // goes on past it.
  const long settled = *std::max_element(residentKb.begin(), residentKb.begin() + static_cast<long>(residentKb.size() / 2));
  const double late = std::accumulate(residentKb.end() - static_cast<long>(tenth), residentKb.end(), 0.0) / tenth;
  return late > settled * 1.1 + static_cast<double>(slackKb);
}
