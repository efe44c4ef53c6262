// Timings of the viewer at its largest size: a 13,000-line text (200 pages).
//   viewer_bench [rounds] [naive]
// Prints one row per measurement: the median of the rounds in milliseconds.
// With "naive", the same rows for the design as first described (every page
// drawn and kept, whole-file undo points); run it as its own process so that
// the peak memory is its own.
#include "bench/FullDocument.h"
#include "bench/viewer/BenchSupport.h"
#include "platform/ProgramFolder.h"
#include "platform/ScriptedDialogs.h"
#include "texts/TextSet.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/canvas/PictureLoader.h"
#include "viewer/canvas/TextFind.h"
#include "viewer/shell/CommandIds.h"
#include "viewer/document/KeptDocuments.h"
#include "viewer/output/StudyNotes.h"
#include "viewer/shell/MainWindow.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <sys/resource.h>
#include <vector>

namespace {

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// A full page: 65 lines of 93 characters, every line carrying every mark.
double RenderFullPage(int rounds) {
  ScriptedDialogs dialogs([](const std::string&) {});
  ViewerState state;
  PictureLoader pictures(dialogs);
  PageRenderer renderer(state, pictures, {});
  state.document.PageCount = 1;
  for (int line = 1; line <= kLinesPerPage; ++line) {
    LineRecord& record = state.document.UseLine(1, line);
    record.absoluteLine = line;
    record.text = std::string(kPrintedChars, static_cast<char>('a' + line % 26));
    MarkEveryWay(record, line);
  }
  std::vector<double> times;
  for (int r = 0; r < rounds; ++r) times.push_back(TimeOnce([&] { renderer.RenderPage(1, 0); }));
  return Median(times);
}

// The window with the moment page 1 first reached the screen.
class TimedWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;
  void PresentView() override {
    if (!firstPresent) firstPresent = Clock::now();
    MainWindow::PresentView();
  }
  std::optional<Clock::time_point> firstPresent;
};

// Times a command whole and until its page first reached the screen.
void TimeToScreen(TimedWindow& window, const std::function<void()>& command, std::vector<double>& whole,
                  std::vector<double>& toScreen) {
  window.firstPresent.reset();
  const auto start = Clock::now();
  command();
  whole.push_back(Milliseconds(start, Clock::now()));
  toScreen.push_back(window.firstPresent ? Milliseconds(start, *window.firstPresent) : 0);
}

// New of about 1 MB of one-line paragraphs that wrap into 200 pages, beside
// the 200-page text of short lines (the row "New: whole command").
void BenchParagraphText(ViewerShell& shell, ScriptedDialogs& dialogs, const std::string& folder, int rounds) {
  const std::string text = WriteParagraphText(folder + "/paragraphs.txt");
  std::vector<double> whole;
  for (int r = 0; r < rounds; ++r) {
    dialogs.fileAnswers.push_back(text);
    whole.push_back(TimeOnce([&] { shell.OnCommand(cmd::New); }));
  }
  char name[64];
  std::snprintf(name, sizeof name, "New: %.2f MB one-line paragraphs, %d pages",
                static_cast<double>(std::filesystem::file_size(text)) / (1 << 20), shell.state().document.PageCount);
  Report(name, Median(whole));
}

// The largest kept file: the rounds keep the same marks, so one version stays.
std::uintmax_t KeptFileBytes(const KeptDocuments& store) {
  std::uintmax_t bytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(store.folder())) bytes = std::max(bytes, entry.file_size());
  return bytes;
}

// New while another 200-page document is loaded: unmarked (nothing to keep:
// the New of before) and with every line marked every way (kept first); the
// keeping alone; the kept document brought back, and its size. The texts
// hold the same lines, so the two News leave cache.04's bytes as they were
// and differ only by the keeping; bringing the marks back writes it whole.
void BenchKeptDocuments(TimedWindow& window, ScriptedDialogs& dialogs, const std::string& text,
                        const std::string& folder, int rounds) {
  const std::string other = WriteBenchText(folder + "/other.txt"), copy = WriteBenchText(folder + "/copy.txt");
  ViewerShell& shell = window.shell();
  KeptDocuments store(folder + "/kept/");
  std::vector<double> plain, marked, keep, backToScreen, back;
  for (int r = 0; r < rounds; ++r) {
    dialogs.fileAnswers.push_back(other);
    shell.OnCommand(cmd::New);
    dialogs.fileAnswers.push_back(copy);  // never marked
    plain.push_back(TimeOnce([&] { shell.OnCommand(cmd::New); }));
    dialogs.fileAnswers.push_back(text);
    if (r > 0) dialogs.yesNoAnswers.push_back(false);  // kept the round before: load it clean
    shell.OnCommand(cmd::New);
    Document& document = shell.state().document;
    for (int page = 1; page <= document.PageCount; ++page) {
      for (int line = 1; line <= kLinesPerPage; ++line) MarkEveryWay(document.UseLine(page, line), line);
    }
    keep.push_back(TimeOnce([&] { store.Keep(IdentifyText(text, "bench"), document, 0, r); }));
    dialogs.fileAnswers.push_back(other);
    marked.push_back(TimeOnce([&] { shell.OnCommand(cmd::New); }));
    dialogs.fileAnswers.push_back(text);
    dialogs.yesNoAnswers.push_back(true);
    TimeToScreen(window, [&] { shell.OnCommand(cmd::New); }, back, backToScreen);
  }
  Report("New over an unmarked 200-page document", Median(plain));
  Report("New over a fully marked 200-page document", Median(marked));
  Report("  of which keeping it", Median(keep));
  Report("kept 200-page document back: page on screen", Median(backToScreen));
  Report("kept 200-page document back: cache written", Median(back));
  std::printf("%-48s %10.2f MB\n", "kept fully marked 200-page document",
              static_cast<double>(KeptFileBytes(store)) / (1 << 20));
}

// Every hit of a word on all 200 pages (13,000 hits), and Find from the menu
// to a hit on the last page on screen, from page 1.
void BenchFind(TimedWindow& window, ScriptedDialogs& dialogs, int rounds) {
  ViewerShell& shell = window.shell();
  std::vector<double> all, whole, toScreen;
  for (int r = 0; r < rounds; ++r) {
    all.push_back(TimeOnce([&] { (void)FindMatches(shell.state().document, "document"); }));
    shell.state().document.CurrentPage = 1;
    dialogs.textAnswers.push_back("LINE 12999 of");
    TimeToScreen(window, [&] { shell.OnCommand(cmd::Find); }, whole, toScreen);
    shell.OnKey(CanvasKey::Escape);
  }
  Report("find: every hit of a word in 200 pages", Median(all));
  Report("Find: hit on page 200 on screen", Median(toScreen));
  Report("Find: whole command", Median(whole));
}

// "Study notes" of the fully marked document the kept documents' rows leave
// shown: the sheet made and written.
void BenchStudyNotes(ViewerShell& shell, ScriptedDialogs& dialogs, const std::string& folder, int rounds) {
  const std::string notes = folder + "/notes.md";
  std::vector<double> times;
  for (int r = 0; r < rounds; ++r) {
    dialogs.fileAnswers.push_back(notes);
    times.push_back(TimeOnce([&] { shell.OnCommand(cmd::StudyNotes); }));
  }
  Report("study notes of a fully marked 200-page document", Median(times));
  Report("  of which the sheet made", TimeOnce([&] { StudyNotesMarkdown(shell.state().document, "bench"); }));
  std::printf("%-48s %10.2f MB\n", "  the sheet", static_cast<double>(std::filesystem::file_size(notes)) / (1 << 20));
}

void BenchViewerWindow(int rounds) {
  QTemporaryDir folder;
  const std::string text = folder.filePath("big.txt").toStdString();
  WriteBenchText(text);
  SetProgramFolder(folder.filePath("program").toStdString());
  MakeFolders(ProgramFolder());
  ScriptedDialogs dialogs([](const std::string&) {});
  TimedWindow window(dialogs);
  window.shell().Initialise();
  ViewerShell& shell = window.shell();

  std::vector<double> toScreen, whole, turn, mark, undo;
  for (int r = 0; r < rounds; ++r) {
    dialogs.fileAnswers.push_back(text);
    TimeToScreen(window, [&] { shell.OnCommand(cmd::New); }, whole, toScreen);

    QCoreApplication::processEvents();  // the reader looks at the page a moment
    turn.push_back(TimeOnce([&] { shell.OnKey(CanvasKey::Right); }));
    shell.state().document.CurrentPage = 150;
    shell.state().piece = {5, 10, 20};
    mark.push_back(TimeOnce([&] { shell.OnCommand(cmd::UnderlinePiece); }));
    undo.push_back(TimeOnce([&] { shell.OnCommand(cmd::Undo); }));
  }
  Report("New: chosen file to page 1 on screen", Median(toScreen));
  Report("New: whole command, cache written", Median(whole));
  Report("page turn", Median(turn));
  Report("mark command on page 150, undo point included", Median(mark));
  Report("Undo", Median(undo));
  BenchFind(window, dialogs, rounds);

  BenchParagraphText(shell, dialogs, folder.path().toStdString(), rounds);
  BenchKeptDocuments(window, dialogs, text, folder.path().toStdString(), rounds);
  BenchStudyNotes(shell, dialogs, folder.path().toStdString(), rounds);
  window.shell().OnCommand(cmd::Exit);
  std::vector<double> startUp;
  for (int r = 0; r < rounds; ++r) {
    startUp.push_back(TimeOnce([&] {
      TimedWindow again(dialogs);
      again.shell().Initialise();
    }));
  }
  Report("start-up with a 200-page cache, page on screen", Median(startUp));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InstallTextSet(EnglishTexts());
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const bool naive = argc > 2 && std::string(argv[2]) == "naive";
  Report("render one full page (65 x 93, every mark)", RenderFullPage(rounds * 10));
  if (naive) {
    BenchNaiveViewer(rounds);
  } else {
    BenchViewerWindow(rounds);
  }
  std::printf("%-48s %10ld MB\n", "peak memory", PeakMegabytes());
  return 0;
}
