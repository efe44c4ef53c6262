// Exports a 200-page document (13,000 lines, a few marks on every page) in
// each picture format and prints pages per second; then times ImageMagick
// turning the same text into 200 PNG pages with its text: reader, when it
// is installed.
//
//   export_bench [folder] [rounds]
//
// The folder defaults to the system's temporary folder. Each figure is the
// median of the rounds (default 1). An export includes what the command
// does: draw the page for output, encode, write safely, draw it again for
// the screen.

#include "platform/ProgramFolder.h"
#include "platform/ScriptedDialogs.h"
#include "texts/TextSet.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/canvas/PictureLoader.h"
#include "viewer/document/MarkList.h"
#include "viewer/output/PageOutput.h"
#include "viewer/output/PictureFiles.h"

#include <QGuiApplication>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kImageMagickPagesPerCall = 20;  // its page list lives in memory

std::string LineText(int absolute) {
  return "Line " + std::to_string(absolute) + ": the quick brown fox jumps over the lazy dog, page text for a bench.";
}

void FillDocument(Document& document) {
  int absolute = 0;
  for (int page = 1; page <= kMaxPages; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      LineRecord& record = document.UseLine(page, line);
      record.absoluteLine = ++absolute;
      record.pageNumber = page;
      record.lineInPage = static_cast<std::int16_t>(line);
      record.text = LineText(absolute);
      if (line % 8 == 0) {
        AppendMarkEntry(record.horizontalMarks, kMarkListFieldSize, {line, 6, 40});
        record.hasMarks = 1;
      }
    }
  }
  document.PageCount = kMaxPages;
  document.DocumentLoaded = 1;
}

template <typename Step>
double MedianSeconds(int rounds, Step step) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    step();
    times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

std::string ImageMagickConvert() {
  if (fs::exists("/usr/bin/convert")) return "/usr/bin/convert";
  return std::system("command -v convert >/dev/null 2>&1") == 0 ? "convert" : "";
}

// The same text as page files of 65 lines, and the calls that turn them
// into PNG pages.
std::vector<std::string> ImageMagickCalls(const std::string& convert, const fs::path& folder) {
  fs::create_directories(folder / "text");
  fs::create_directories(folder / "png");
  // The paper: a page-sized texture (a 1 x 1 one makes the reader tile it
  // pixel by pixel, and without one this version of the reader aborts).
  const std::string paper = (folder / "paper.png").string();
  std::system((convert + " -size 793x1123 xc:white '" + paper + "' 2>/dev/null").c_str());
  std::vector<std::string> calls;
  std::string inputs;
  for (int page = 1; page <= kMaxPages; ++page) {
    const fs::path file = folder / "text" / (std::to_string(page) + ".txt");
    std::ofstream out(file);
    for (int line = 1; line <= kLinesPerPage; ++line) out << LineText((page - 1) * kLinesPerPage + line) << '\n';
    inputs += " 'text:" + file.string() + "'";
    if (page % kImageMagickPagesPerCall == 0) {
      // A4 at 96 dpi; 9.5 points is the largest size that keeps 65 lines on its page.
      calls.push_back("timeout 600 " + convert +
                      " -texture '" + paper + "' -page 595x842 -density 96 -units PixelsPerInch -font Liberation-Mono"
                      " -pointsize 9.5" + inputs + " '" + (folder / "png").string() + "/" + std::to_string(page) +
                      "-%02d.png' 2>/dev/null");
      inputs.clear();
    }
  }
  return calls;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  InstallTextSet(EnglishTexts());
  const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
  const fs::path folder = base / ("export_bench_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  SetProgramFolder(folder.string());

  ViewerState state;
  FillDocument(state.document);
  ScriptedDialogs dialogs([](const std::string&) {});
  PictureLoader pictures(dialogs);
  PageRenderer renderer(state, pictures, {});

  std::printf("%-22s %10s %10s %12s\n", "200 pages", "seconds", "pages/s", "MB written");
  const double drawOnly = MedianSeconds(rounds, [&] {
    ForEachOutputPage(renderer, {1, kMaxPages}, [](const QImage&) { return true; });
  });
  std::printf("%-22s %10.2f %10.1f %12s\n", "drawing only", drawOnly, kMaxPages / drawOnly, "-");
  for (const std::uint32_t format : {kImageFormatPng, kImageFormatJpg, kImageFormatTif, kImageFormatBmp,
                                     kImageFormatGif}) {
    state.settings.imageFormat = format;
    const std::string extension(ExportExtension(format));
    const ExportRequest request{kExportAllPages, 0, 0, "pages" + extension, 0};
    const double seconds = MedianSeconds(rounds, [&] {
      if (const auto failure = ExportPages(renderer, request)) {
        std::fprintf(stderr, "export failed: %s %s\n", failure->path.c_str(), failure->error.description.c_str());
        std::exit(1);
      }
    });
    std::uintmax_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(folder / request.folder)) bytes += entry.file_size();
    std::printf("%-22s %10.2f %10.1f %12.1f\n", ("export " + extension).c_str(), seconds, kMaxPages / seconds,
                bytes / 1e6);
  }

  const std::string convert = ImageMagickConvert();
  if (convert.empty()) {
    std::printf("ImageMagick's convert is not installed: no comparison\n");
  } else {
    const std::vector<std::string> calls = ImageMagickCalls(convert, folder / "magick");
    const double seconds = MedianSeconds(rounds, [&] {
      for (const std::string& call : calls) {
        if (std::system(call.c_str()) != 0) std::fprintf(stderr, "convert failed: %s\n", call.c_str());
      }
    });
    const auto pages = std::distance(fs::directory_iterator(folder / "magick" / "png"), {});
    std::printf("%-22s %10.2f %10.1f %12s\n", "ImageMagick text: png", seconds, pages / seconds,
                (std::to_string(pages) + " pages").c_str());
  }
  std::printf("median of %d round(s); folder %s\n", rounds, folder.c_str());
  fs::remove_all(folder);
  return 0;
}
