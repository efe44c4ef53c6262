// editor_bench: times the editor's work on a text of about 1 MB (about
// 13,000 visual lines): the once-a-second count the refresh timer makes,
// the write with format, and, for comparison, what one keystroke costs and
// what counting the whole text from scratch would cost.
//   editor_bench [REPEATS]
#include <QApplication>
#include <QKeyEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "editor/EditorFiles.h"
#include "editor/EditorTextBox.h"
#include "editor/EditorWindow.h"
#include "editor/TextLayout.h"
#include "platform/ScriptedDialogs.h"
#include "texts/TextSet.h"

namespace {

// Paragraphs of ordinary words, wrapped by the box into full lines.
std::u16string MakeText(std::size_t units) {
  static const char16_t* const kWords[] = {u"el ", u"editor ", u"cuenta ", u"las ", u"líneas ",
                                           u"y ", u"páginas ", u"cada ", u"segundo ", u"mientras ",
                                           u"escribes ", u"un ", u"texto ", u"largo "};
  std::u16string text;
  std::size_t word = 0;
  while (text.size() < units) {
    for (int k = 0; k < 120; ++k) text += kWords[word++ % std::size(kWords)];
    text += u"\r\n\r\n";
  }
  return text;
}

double MedianMilliseconds(int repeats, const std::function<void()>& work) {
  std::vector<double> times;
  for (int k = 0; k < repeats; ++k) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  InstallTextSet(EnglishTexts());
  ScriptedDialogs dialogs([](const std::string&) {});
  EditorWindow window(dialogs);
  window.show();

  const std::u16string text = MakeText(1u << 20);
  window.Box().SetText(text);
  const std::size_t lines = window.Box().Content().LineCount();
  std::printf("text: %zu UTF-16 units, %s bytes as UTF-8, %zu visual lines, %zu pages\n", text.size(),
              std::to_string(Utf8FromText(text).size()).c_str(), lines, CountPages(lines));

  const double tick = MedianMilliseconds(repeats, [&window] { window.RefreshCounts(); });
  std::printf("refresh timer tick (count and status texts): %.4f ms\n", tick);

  const double scratch = MedianMilliseconds(repeats, [&window] {
    volatile std::size_t count = CountVisualLines(window.Box().Text());
    (void)count;
  });
  std::printf("whole-text count from scratch, for comparison: %.3f ms\n", scratch);

  const std::string cache = (std::filesystem::temp_directory_path() / "editor_bench_cache.txt").string();
  const double write = MedianMilliseconds(repeats, [&window, &cache] {
    if (WriteTextAsShown(cache, window.Box().Text()).failed()) std::printf("write failed\n");
  });
  std::printf("write with format (lay out, UTF-8, temporary file, fsync, rename): %.3f ms\n", write);
  std::filesystem::remove(cache);

  // A keystroke at the start of the text reflows its first paragraph.
  window.Box().SetSelection(0, 0);
  const double key = MedianMilliseconds(repeats, [&window] {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(&window.Box(), &press);
  });
  std::printf("one typed character near the start: %.4f ms\n", key);
  return 0;
}
