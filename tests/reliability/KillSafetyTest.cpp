// The programs SIGKILLed while they write: each file reads back as before or after, no temporaries pile up.
#include "tests/DriverRunner.h"
#include "tests/MarkedDocuments.h"
#include "tests/reliability/DriverChild.h"
#include "viewer/document/CacheFile.h"
#include "viewer/document/CacheJournal.h"
#include "viewer/document/KeptDocuments.h"
#include "viewer/document/MarkList.h"

#include <set>
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cmath>
#include <random>
#include <thread>

namespace {

constexpr int kPages = 10;
constexpr int kMarkedLines = 50;  // all on the first screen of page 1

// Mark k (from 1): odd ones underline a line, even ones bold a piece (changing every record's counter).
int LineOfMark(int k) { return (k - 1) % kMarkedLines + 1; }

std::string MarkScript(int k) {
  const int line = LineOfMark(k);
  return k % 2 == 1 ? UnderlineLineScript(line) : DragScript(line, 4, 8) + "command 1088\n";
}

class KillSafety : public ::testing::Test, public DriverFolder {
 protected:
  // Kills after 0 to `mostLines` `prefix` lines, mostly 10 us to 100 ms into the next write.
  void RunAndKill(bool editor, const std::string& script, const std::string& prefix, int mostLines) {
    std::filesystem::create_directories(ProgramPath());
    // Wakes when a file of the program folder changes, so that a kill can land while it writes.
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ::inotify_add_watch(watch, ProgramPath().c_str(), IN_CREATE | IN_MODIFY | IN_MOVED_TO | IN_DELETE);
    DriverChild driver;
    ASSERT_TRUE(Start(driver, script, Arguments(editor)));
    const int lines = std::uniform_int_distribution<int>(0, mostLines)(random);
    int seen = 0;
    const auto isLast = [&](const std::string& line) { return line.starts_with(prefix) && ++seen == lines; };
    if (lines > 0) driver.ReadUntil(isLast);
    if (std::uniform_int_distribution<int>(0, 3)(random) > 0) {
      alignas(inotify_event) char buffer[4096];
      while (::read(watch, buffer, sizeof buffer) > 0) {}  // what came so far
      pollfd ready{watch, POLLIN, 0};
      ::poll(&ready, 1, 5000);
    }
    const double delay = std::pow(10.0, std::uniform_real_distribution<double>(1.0, 5.0)(random));
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(delay)));
    driver.Kill();
    ::close(watch);
  }

  // Temporary files a write of `name` (below the program folder; a folder: any file in it) left.
  std::size_t Leftovers(const std::string& name) const {
    const std::filesystem::path target = ProgramPath(name);
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path())) {
      const std::string file = entry.path().filename().string();
      count += name.ends_with('/') ? file.find(".tmp-") != std::string::npos
                                   : file.rfind(target.filename().string() + ".tmp-", 0) == 0;
    }
    return count;
  }

  // Runs `script` and kills it the moment `file` is renamed into `folder` (below the program folder).
  void KillWhenWritten(const std::string& script, const std::string& folder, const std::string& file) {
    std::filesystem::create_directories(ProgramPath(folder));
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ::inotify_add_watch(watch, ProgramPath(folder).c_str(), IN_MOVED_TO);
    DriverChild driver;
    ASSERT_TRUE(Start(driver, script, Arguments(false)));
    alignas(inotify_event) char buffer[4096];
    for (bool seen = false; !seen;) {
      pollfd ready{watch, POLLIN, 0};
      if (::poll(&ready, 1, 60000) <= 0) break;
      const ssize_t size = ::read(watch, buffer, sizeof buffer);
      for (ssize_t at = 0; at < size;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        seen = seen || (event->len > 0 && std::string(event->name).find(file) != std::string::npos);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    driver.Kill();
    ::close(watch);
  }

  std::mt19937 random{20261206};
};

// The number of marks whose state cache.04 holds, read as at start; -1 for a state no run goes through.
int MarksInCache(const std::string& path) {
  Document document;
  bool canonical = false;
  RecoverCacheChanges(path);
  if (!CacheReadChecked(document, path, {}, canonical) || !canonical || document.PageCount != kPages) return -1;
  int marks = 0;
  for (int line = 1; line <= kLinesPerPage; ++line) {
    const LineRecord& record = document.Line(1, line);
    marks += static_cast<int>(CountMarkEntries(record.horizontalMarks) + CountMarkEntries(record.boldPieces));
  }
  for (int page = 1; page <= kPages; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      const LineRecord& record = document.Line(page, line);
      const std::string text = "Line " + std::to_string((page - 1) * kLinesPerPage + line);
      std::string underlines, bold;  // what the first `marks` marks leave
      for (int k = 1; k <= marks && page == 1; ++k) {
        if (LineOfMark(k) != line) continue;
        if (k % 2 == 1) underlines += std::to_string(line) + ",3," + std::to_string(text.size() + 3) + ";";
        if (k % 2 == 0) bold += std::to_string(line) + ",4,8;";
      }
      if (record.text != text || record.horizontalMarks != underlines || record.boldPieces != bold) return -1;
    }
  }
  return marks;
}

// The lines of page 1 underlined in each kept version and in cache.04 whose first line reads `first`.
std::set<std::vector<int>> MarkedVersions(const std::string& program, const std::string& first) {
  std::vector<Document> documents(1);
  if (!CacheRead(documents[0], program + kCacheFileName)) documents.clear();
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(program + kKeptFolderName, ignored)) {
    KeptDocument kept;
    if (DecodeKeptDocument(ReadFileBytes(entry.path().string()), kept)) documents.push_back(std::move(kept.document));
  }
  std::set<std::vector<int>> versions;
  for (const Document& document : documents) {
    if (document.Line(1, 1).text != first) continue;
    std::vector<int> lines;
    for (int line = 1; line <= kLinesPerPage; ++line) {
      if (!document.Line(1, line).horizontalMarks.empty()) lines.push_back(line);
    }
    versions.insert(lines);
  }
  return versions;
}

// A kill in New just after the kept file is written, or just after cache.04 (before its link): then
// another New. The marks made before the kill are all still kept.
TEST_F(KillSafety, NoMarksAreLostWhenNewIsKilled) {
  const std::string a = folder.File("a.txt"), b = folder.File("b.txt"), c = folder.File("c.txt");
  WriteFileBytes(a, "a\r\n" + NumberedLines(80));
  WriteFileBytes(b, "b\r\n" + NumberedLines(70));
  WriteFileBytes(c, "c\r\n");
  const auto open = [](const std::string& path) { return "choose " + path + "\ncommand 1046\n"; };
  struct Case { const char* name; std::string before, killed, folder, file, after; const char* text; std::vector<int> kept; };
  const Case cases[] = {
      {"after the kept file", open(a) + MarkScript(1) + open(b) + "reply yes\n" + open(a) + "command 1047\n",
       MarkScript(15) + open(c) + "state\n", kKeptFolderName, ".marcas", open(c) + "command 1047\n", "a", {1, 15}},
      {"between cache.04 and its link", open(a) + MarkScript(1) + "command 1047\n", open(b) + "state\n", "",
       kCacheFileName, MarkScript(3) + open(c) + "command 1047\n", "b", {3}},
  };
  for (const Case& c : cases) {
    for (int round = 0; round < Repetitions(3, 30); ++round) {
      std::filesystem::remove_all(ProgramPath());
      RunScript(c.before, Arguments(false));
      KillWhenWritten(c.killed, c.folder, c.file);
      RunScript(c.after, Arguments(false));
      EXPECT_TRUE(MarkedVersions(ProgramPath(), c.text).count(c.kept)) << c.name << ", round " << round;
    }
  }
}

// Each run starts from what the last left; every other run first loads the text again (a whole write).
TEST_F(KillSafety, CacheHoldsTheStateBeforeOrAfterEveryChange) {
  const std::string textPath = folder.File("text.txt");
  WriteFileBytes(textPath, NumberedLines(kPages * kLinesPerPage));
  const std::string cache = ProgramPath(kCacheFileName);
  const std::string journal = CacheJournalPath(kCacheFileName);
  constexpr int kMarksPerRun = 6;
  int marks = 0;
  bool written = false;
  for (int run = 0; run < Repetitions(100, 1000); ++run) {
    const bool reload = run % 2 == 0;
    const int first = reload ? 1 : marks + 1;
    std::string script = reload ? "choose " + textPath + "\ncommand 1046\nstate\n" : "state\n";
    for (int k = first; k < first + kMarksPerRun; ++k) script += MarkScript(k) + "state\n";
    RunAndKill(false, script, "state", kMarksPerRun - 1);
    if (!written && !std::filesystem::exists(cache)) continue;  // killed before the first write
    written = true;

    const int found = MarksInCache(cache);
    std::set<int> allowed{marks};  // killed before the reloaded text was written
    for (int k = first - 1; k < first + kMarksPerRun; ++k) allowed.insert(k);
    ASSERT_TRUE(allowed.count(found)) << "run " << run << ": " << found << " marks (-1: a state no run goes through)";
    ASSERT_LE(Leftovers(kCacheFileName), 1u) << "run " << run;
    ASSERT_LE(Leftovers(journal), 1u) << "run " << run;
    marks = found;
  }
  EXPECT_TRUE(written) << "no run got as far as writing cache.04";
}

// Files written whole, each by two writes that alternate: after a kill it holds one of the two contents.
struct AlternatingWrite {
  std::string file;
  bool editor;
  std::string setup;
  std::string writeA, writeB;  // each writes the file once and prints a `done` line
  const char* done;
};

// Leaves t.txt with the piece of `line` only, kept as u.txt is opened.
std::string KeepTextMarked(const std::string& t, const std::string& u, int line) {
  return "reply no\nchoose " + t + "\ncommand 1046\n" + DragScript(line, 4, 8) + "command 1075\nchoose " + u +
         "\ncommand 1046\nstate\n";
}

TEST_F(KillSafety, WholeFilesAreEitherTheOldOrTheNewContent) {
  const std::string text = folder.File("t.txt"), other = folder.File("u.txt");
  WriteFileBytes(text, "text\r\nmore text\r\n");
  WriteFileBytes(other, "other\r\n");
  const std::string load = "\ncommand 1046\nstate\n";
  const AlternatingWrite cases[] = {
      {"Configuracion.ini", false, "", "command 1077\nclick 3303\nclick 3357\nstate\n",
       "command 1077\nclick 3304\nclick 3357\nstate\n", "state"},
      {"Mis Colores.log", false, "choose " + text + "\ncommand 1046\ncommand 1079\n",
       "colour 255 0 0\nppress 39 39\nclick 31002\n", "colour 0 0 255\nppress 39 39\nclick 31002\n", "message"},
      {"cache.txt", true, "", "set-text first text\\nof two lines\ncommand 1003\n",
       "set-text " + std::string(300, 'x') + "\ncommand 1003\n", "message"},
      {std::string(kKeptFolderName) + "/", false, "", KeepTextMarked(text, other, 1), KeepTextMarked(text, other, 2),
       "state"},
      {kTextLinkFileName, false, "", "choose " + text + load, "choose " + other + load, "state"},
  };
  // The kept versions' files, each whole: the pieces each holds, in order.
  const auto read = [](const std::string& path) {
    if (!path.ends_with('/')) return ReadFileBytes(path);
    std::set<std::string> versions;
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
      KeptDocument kept;
      const std::string bytes = ReadFileBytes(entry.path().string());
      versions.insert(DecodeKeptDocument(bytes, kept) ? kept.document.Line(1, 1).horizontalMarks + kept.document.Line(1, 2).horizontalMarks
                                                      : "damaged");
    }
    std::string joined;
    for (const std::string& version : versions) joined += version + "|";
    return joined;
  };
  for (const AlternatingWrite& c : cases) {
    const std::string path = ProgramPath(c.file);
    RunScript(c.setup + c.writeA, Arguments(c.editor));
    const std::string contentA = read(path);
    RunScript(c.setup + c.writeB, Arguments(c.editor));
    const std::string contentB = read(path);
    ASSERT_FALSE(contentA.empty()) << c.file;
    ASSERT_NE(contentA, contentB) << c.file;
    std::string script = c.setup;
    for (int k = 0; k < 20; ++k) script += c.writeA + c.writeB;
    for (int kill = 0; kill < Repetitions(15, 300); ++kill) {
      RunAndKill(c.editor, script, c.done, 6);
      const std::string content = read(path);
      ASSERT_TRUE(content == contentA || content == contentB) << c.file << ", kill " << kill;
      ASSERT_LE(Leftovers(c.file), 1u) << c.file << ", kill " << kill;
    }
  }
}

}  // namespace
