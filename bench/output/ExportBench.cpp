// Times exporting a 200-page document (13,000 lines, an underline on every
// eighth line), as the export command does it: draw each page for output,
// encode, write safely, let the screen draw it again when shown.
//
//   export_bench FOLDER png [naive]     the PNG export once, in its own process:
//                                       seconds, pages/s, KB a page, peak MB
//   export_bench FOLDER pdf [keep]      the same for the one-file PDF export (keep: the
//                                       file is left for other tools to read)
//   export_bench FOLDER formats [ROUNDS] every picture format (median of rounds)
//   export_bench FOLDER marked NAME [png] page 1 of a heavily marked document
//                                       (bench/output/MarkedPages.h) as PDF (or PNG,
//                                       the baseline): seconds, KB, peak MB
//   export_bench FOLDER outline         the PDF export with and without its outline:
//                                       seconds and KB
//   export_bench FOLDER text            writes the document's text (FOLDER/text.txt)
//                                       for other programs to lay out
//
// "naive" runs the export as first built (bench/output/NaiveExport.h).
// Nothing of FOLDER is left but the text (and a kept PDF).

#include "bench/FullDocument.h"
#include "bench/output/MarkedPages.h"
#include "bench/output/NaiveExport.h"
#include "platform/ProgramFolder.h"
#include "platform/ScriptedDialogs.h"
#include "texts/TextSet.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/canvas/PictureLoader.h"
#include "viewer/output/PageOutput.h"
#include "viewer/output/PdfAnnotations.h"
#include "viewer/output/PdfLinks.h"
#include "viewer/output/PdfPages.h"
#include "viewer/output/PictureFiles.h"

#include <QGuiApplication>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string LineText(int absolute) {
  return "Line " + std::to_string(absolute) + ": the quick brown fox jumps over the lazy dog, page text for a bench.";
}

void FillDocument(Document& document) {
  FillFullDocument(document, LineText);
  document.DocumentLoaded = 1;
}

double SecondsOf(const std::function<void()>& step) {
  const auto start = Clock::now();
  step();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double MedianSeconds(int rounds, const std::function<void()>& step) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) times.push_back(SecondsOf(step));
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

std::uintmax_t FolderBytes(const fs::path& folder) {
  std::uintmax_t bytes = 0;
  for (const auto& entry : fs::directory_iterator(folder)) bytes += entry.file_size();
  return bytes;
}

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// The viewer's state with the document, drawn headless.
struct Viewer {
  ViewerState state;
  ScriptedDialogs dialogs{[](const std::string&) {}};
  PictureLoader pictures{dialogs};
  PageRenderer renderer{state, pictures, {}};
  Viewer() { FillDocument(state.document); }
};

void Export(Viewer& viewer, const ExportRequest& request, bool naive) {
  bool ok = true;
  if (naive) {
    ok = ExportPagesNaively(viewer.renderer, request);
  } else if (const auto failure = ExportPages(viewer.renderer, request)) {
    std::fprintf(stderr, "%s: %s\n", failure->path.c_str(), failure->error.description.c_str());
    ok = false;
  }
  if (!ok) {
    std::fprintf(stderr, "export failed\n");
    std::exit(1);
  }
}

int TimeExport(const fs::path& folder, std::uint32_t format, bool naive) {
  Viewer viewer;
  viewer.state.settings.imageFormat = format;
  const std::string name = format == kImageFormatPdf ? "pdf" : "png";
  const ExportRequest request{kExportAllPages, 0, 0, name, 0};
  const double seconds = SecondsOf([&] { Export(viewer, request, naive); });
  const double kilobytes = static_cast<double>(FolderBytes(folder / request.folder)) / 1024.0 / kMaxPages;
  std::printf("%s %s %.3f s %.1f pages/s %.1f KB/page %ld MB\n", name.c_str(), naive ? "naive" : "new", seconds,
              kMaxPages / seconds, kilobytes, PeakMegabytes());
  return 0;
}

// The PDF export with its outline beside the same pages without one, for the
// bench document (an underline on every eighth line) and for every line
// marked every way.
int TimeOutline(const fs::path& folder) {
  // "KB packed": the file without the outline but through the same pass that
  // adds it, so that the outline's own bytes show.
  std::printf("%-34s %10s %10s %10s %10s %10s\n", "200 pages as PDF", "s with", "s without", "KB with", "KB without",
              "KB packed");
  for (const bool everyWay : {false, true}) {
    Viewer viewer;
    Document& document = viewer.state.document;
    if (everyWay) {
      for (int page = 1; page <= kMaxPages; ++page) {
        for (int line = 1; line <= kLinesPerPage; ++line) MarkEveryWay(document.UseLine(page, line), line);
      }
    }
    viewer.state.settings.imageFormat = kImageFormatPdf;
    const PageSpan pages{1, kMaxPages};
    const double with = SecondsOf([&] { Export(viewer, {kExportAllPages, 0, 0, "outline", 0}, false); });
    QByteArray plain;
    const double without = SecondsOf([&] {
      plain = DrawPagesAsPdf(viewer.renderer, pages, A4Sheet());
      std::string why;
      if (!AddPageLinks(plain, document, pages, A4Sheet(), {}, why)) std::exit(1);
    });
    std::string packed = plain.toStdString(), why;
    if (!AddLinkAnnotations(packed, kMaxPages, A4Sheet().paper.height(), {}, {}, why)) std::exit(1);
    std::printf("%-34s %10.2f %10.2f %10.0f %10.0f %10.0f\n",
                everyWay ? "every line marked every way" : "every 8th line underlined", with, without,
                static_cast<double>(FolderBytes(folder / "outline")) / 1024, static_cast<double>(plain.size()) / 1024,
                static_cast<double>(packed.size()) / 1024);
  }
  return 0;
}

int TimeFormats(const fs::path& folder, int rounds) {
  Viewer viewer;
  std::printf("%-16s %10s %10s %10s\n", "200 pages", "seconds", "pages/s", "KB/page");
  const double drawing = MedianSeconds(rounds, [&] {
    ForEachOutputPage(viewer.renderer, {1, kMaxPages}, [](const QImage&) { return true; });
  });
  std::printf("%-16s %10.2f %10.1f %10s\n", "drawing only", drawing, kMaxPages / drawing, "-");
  for (const std::uint32_t format : {kImageFormatPng, kImageFormatJpg, kImageFormatTif, kImageFormatBmp,
                                     kImageFormatGif}) {
    viewer.state.settings.imageFormat = format;
    const std::string extension(ExportExtension(format));
    const ExportRequest request{kExportAllPages, 0, 0, "pages" + extension, 0};
    const double seconds = MedianSeconds(rounds, [&] { Export(viewer, request, false); });
    std::printf("%-16s %10.2f %10.1f %10.1f\n", ("export " + extension).c_str(), seconds, kMaxPages / seconds,
                static_cast<double>(FolderBytes(folder / request.folder)) / 1024.0 / kMaxPages);
  }
  std::printf("median of %d round(s)\n", rounds);
  return 0;
}

int TimeMarkedPage(const fs::path& folder, const std::string& name, bool png) {
  ViewerState state;
  ScriptedDialogs dialogs{[](const std::string&) {}};
  PictureLoader pictures{dialogs};
  PageRenderer renderer{state, pictures, {}};
  if (!FillMarkedPage(state.document, name)) return 2;
  state.settings.imageFormat = png ? kImageFormatPng : kImageFormatPdf;
  const ExportRequest request{kExportRange, 1, 1, "marked", 0};
  bool ok = true;
  const double seconds = SecondsOf([&] { ok = !ExportPages(renderer, request); });
  if (!ok) return 1;
  std::printf("%s %s %.3f s %.1f KB %ld MB\n", png ? "png" : "pdf", name.c_str(), seconds,
              static_cast<double>(FolderBytes(folder / request.folder)) / 1024.0, PeakMegabytes());
  return 0;
}

int WriteText(const fs::path& folder) {
  std::ofstream out(folder / "text.txt");
  for (int line = 1; line <= kMaxPages * kLinesPerPage; ++line) out << LineText(line) << '\n';
  return out ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: export_bench FOLDER png [naive] | pdf | outline | formats [ROUNDS] | text\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  InstallTextSet(EnglishTexts());
  const fs::path base = argv[1];
  const std::string mode = argv[2];
  const std::string option = argc > 3 ? argv[3] : "";
  if (mode == "text") return WriteText(base);
  const fs::path folder = base / ("export_bench_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  SetProgramFolder(folder.string() + "/");
  const int status = mode == "png"       ? TimeExport(folder, kImageFormatPng, option == "naive")
                     : mode == "pdf"     ? TimeExport(folder, kImageFormatPdf, false)
                     : mode == "marked"  ? TimeMarkedPage(folder, option, argc > 4 && std::string(argv[4]) == "png")
                     : mode == "outline" ? TimeOutline(folder)
                                         : TimeFormats(folder, std::max(1, std::atoi(option.c_str())));
  if (option != "keep") fs::remove_all(folder);
  return status;
}
