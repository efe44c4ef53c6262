// Writes and reads the cache of a full document (200 pages of 65 lines) and
// times it next to dd writing the same number of bytes to the same folder.
//
//   cache_bench [folder] [rounds]
//
// The folder defaults to the system's temporary folder; use one on the disk
// the program will run from. Every run syncs to disk, as the cache does.

#include "bench/FullDocument.h"
#include "viewer/document/CacheFile.h"
#include "viewer/document/LineRecord.h"
#include "viewer/document/RecordLayout.h"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::size_t HeapInUse() { return mallinfo2().uordblks; }

// A document as the loader leaves it, with a few marks on every page.
Document MakeFullDocument() {
  Document document;
  FillFullDocument(document, [](int absolute) { return "Line " + std::to_string(absolute) + std::string(80, 'x'); });
  document.linkCounter = 12;
  return document;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

template <typename Step>
double TimeBest(int rounds, Step step) {
  double best = 1e30;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    step();
    best = std::min(best, Seconds(Clock::now() - start));
  }
  return best;
}

double MegabytesPerSecond(double bytes, double seconds) { return bytes / seconds / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  const fs::path folder = base / ("cache_bench_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string cachePath = (folder / kCacheFileName).string();

  const std::size_t heapBefore = HeapInUse();
  Document document = MakeFullDocument();
  const std::size_t heapDocument = HeapInUse() - heapBefore;

  const double writeSeconds = TimeBest(rounds, [&] {
    if (const FileError error = CacheWrite(document, cachePath); error.failed()) {
      std::fprintf(stderr, "cache write failed: %s\n", error.description.c_str());
      std::exit(1);
    }
  });
  const auto bytes = static_cast<double>(fs::file_size(cachePath));
  const double readSeconds = TimeBest(rounds, [&] {
    Document read;
    if (!CacheRead(read, cachePath)) {
      std::fprintf(stderr, "cache read failed\n");
      std::exit(1);
    }
  });

  const long megabytes = static_cast<long>((bytes + (1 << 20) - 1) / (1 << 20));
  const std::string ddPath = (folder / "dd.out").string();
  const std::string dd = "dd if=/dev/zero of='" + ddPath + "' bs=1M count=" +
                         std::to_string(megabytes) + " conv=fsync status=none";
  const double ddSeconds = TimeBest(rounds, [&] {
    if (std::system(dd.c_str()) != 0) std::fprintf(stderr, "dd failed\n");
  });

  const double ddBytes = megabytes * double(1 << 20);
  std::printf("%8s %10s %9s %8s %9s %8s %9s %8s\n", "records", "bytes", "write ms", "MB/s",
              "read ms", "MB/s", "dd ms", "MB/s");
  std::printf("%8.0f %10.0f %9.1f %8.1f %9.1f %8.1f %9.1f %8.1f\n", bytes / kRecordSize, bytes,
              writeSeconds * 1e3, MegabytesPerSecond(bytes, writeSeconds), readSeconds * 1e3,
              MegabytesPerSecond(bytes, readSeconds), ddSeconds * 1e3,
              MegabytesPerSecond(ddBytes, ddSeconds));
  std::printf("write and dd include fsync; dd wrote %ld MiB; best of %d; document in memory "
              "%.1f MB; folder %s\n",
              megabytes, rounds, heapDocument / 1e6, folder.c_str());
  fs::remove_all(folder);
  return 0;
}
