// The viewer as the design first describes it, for comparison: every page
// drawn and kept, the whole cache rewritten before every change, Undo and
// start-up reading the whole file and drawing every page again.
#include "bench/viewer/BenchSupport.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/ScriptedDialogs.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/canvas/PictureLoader.h"
#include "viewer/document/CacheFile.h"
#include "viewer/document/TextLoader.h"

#include <QTemporaryDir>

namespace {

// Lays the text out; the naive viewer then draws every page at once.
class LayoutOnly : public LoadSteps {
 public:
  explicit LayoutOnly(PageRenderer& renderer) : renderer_(renderer) {}
  void StartPage() override {}
  void DrawTextLine(int line, const std::string&) override { renderer_.SetLineBox(line); }
  int PlacePicture(const std::string&, int, int) override { return 0; }
  void DrawFurniture() override {}
  void LineRead() override {}

 private:
  PageRenderer& renderer_;
};

void DrawEveryPage(PageRenderer& renderer, ViewerState& state) {
  for (int page = 1; page <= state.document.PageCount; ++page) {
    state.document.CurrentPage = page;
    renderer.StandardRefresh();
  }
  state.document.CurrentPage = 1;
}

}  // namespace

void BenchNaiveViewer(int rounds) {
  QTemporaryDir folder;
  const std::string text = WriteBenchText(folder.filePath("big.txt").toStdString());
  const std::string cache = folder.filePath("cache.04").toStdString();
  ScriptedDialogs dialogs([](const std::string&) {});
  ViewerState state;
  state.pages = PageStore(kMaxPages * PageStore::kPageBytesAtRatioOne);  // every page kept
  PictureLoader pictures(dialogs);
  PageRenderer renderer(state, pictures, {});

  std::vector<double> toScreen, whole, turn, mark, undo, startUp;
  for (int r = 0; r < rounds; ++r) {
    const auto start = Clock::now();
    std::string bytes;
    ReadWholeFile(text, bytes);
    LayoutOnly steps(renderer);
    LoadTextDocument(state.document, ReadTextLinesCp1252(bytes), {}, steps);
    DrawEveryPage(renderer, state);
    toScreen.push_back(Milliseconds(start, Clock::now()));
    CacheWrite(state.document, cache);
    whole.push_back(Milliseconds(start, Clock::now()));

    turn.push_back(TimeOnce([&] {
      state.document.CurrentPage = 2;
      renderer.Recompose();
    }));
    state.document.CurrentPage = 150;
    mark.push_back(TimeOnce([&] {
      CacheWrite(state.document, cache);
      state.document.UseLine(150, 5).horizontalMarks += "5,9,20;";
      renderer.StandardRefresh();
    }));
    const auto rebuild = [&] {
      CacheRead(state.document, cache);
      DrawEveryPage(renderer, state);
    };
    undo.push_back(TimeOnce(rebuild));
    startUp.push_back(TimeOnce(rebuild));
  }
  Report("New: chosen file to page 1 on screen", Median(toScreen));
  Report("New: whole command, cache written", Median(whole));
  Report("page turn", Median(turn));
  Report("mark command on page 150, undo point included", Median(mark));
  Report("Undo", Median(undo));
  Report("start-up with a 200-page cache, page on screen", Median(startUp));
}
