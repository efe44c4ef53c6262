#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

inline double TimeOnce(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return Milliseconds(start, Clock::now());
}

inline void Report(const char* what, double milliseconds) { std::printf("%-48s %10.2f ms\n", what, milliseconds); }

// The document at its largest: 13,000 lines, 200 pages.
inline std::string WriteBenchText(const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  for (int i = 1; i <= 13000; ++i) out << "Line " << i << " of a long document, with words enough to fill it\r\n";
  return path;
}

// A text as notes and documents saved as text keep it: about 1 MB of
// paragraphs each on one line of the file, a blank line between them, that
// the page lines the viewer wraps them into fill 200 pages.
inline std::string WriteParagraphText(const std::string& path) {
  static const char* const kWords[] = {"the", "reader", "keeps", "every", "paragraph", "on", "one", "line",
                                       "of", "its", "file", "and", "a", "page", "shows", "all", "words"};
  std::ofstream out(path, std::ios::binary);
  std::size_t word = 0;
  for (int paragraph = 0; paragraph < 1630; ++paragraph) {
    std::string line;
    while (line.size() < 620) line += std::string(kWords[word++ % std::size(kWords)]) + " ";
    out << line << "end.\r\n\r\n";
  }
  return path;
}

void BenchNaiveViewer(int rounds);
