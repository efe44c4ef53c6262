#include "tests/fuzz/FuzzSupport.h"

#include "tests/MarkedDocuments.h"
#include "viewer/document/CacheFile.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

constexpr char16_t kPieceEnd = 0xFFFF;
constexpr std::size_t kMaxRequests = 4;

std::string ScratchPath(std::string_view name) {
  static const TempFolder folder = [] {
    if (std::filesystem::is_directory("/dev/shm")) ::setenv("TMPDIR", "/dev/shm", 1);  // syncs cost nothing
    return TempFolder();
  }();
  return folder.File(std::string(name));
}

void FailCheck(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

void CheckDocumentFields(const Document& document) {
  FUZZ_CHECK(document.PageCount >= 1 && document.PageCount <= kMaxPages);
  for (int page = 1; page <= document.PageCount; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      const LineRecord& record = document.Line(page, line);
      FUZZ_CHECK(record.text.size() < kTextFieldSize && record.alignment.size() < kAlignmentFieldSize);
    }
  }
}

void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "marvessa-fuzz";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

std::string BaseCache() {
  const std::string path = ScratchPath("base.04");
  FUZZ_CHECK(!CacheWrite(MarkedDocument(), path).failed());
  return ReadFileBytes(path);
}

std::string CachePatch(std::size_t offset, std::string_view bytes) {
  std::string patch{static_cast<char>(offset >> 16 & 0xFF), static_cast<char>(offset >> 8 & 0xFF),
                    static_cast<char>(offset & 0xFF), static_cast<char>(bytes.size())};
  return patch.append(bytes.substr(0, 255));
}

FindReplaceInput DecodeFindReplaceInput(std::string_view bytes) {
  std::u16string units;
  for (std::size_t k = 0; k + 1 < bytes.size(); k += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[k]) | static_cast<unsigned char>(bytes[k + 1]) << 8);
  }
  FindReplaceInput input;
  const std::size_t count = units.empty() ? 0 : units[0] % kMaxRequests + 1;
  units.resize(std::max(units.size(), count + 3));  // missing ends are 0
  for (std::size_t k = 1; k <= count; ++k) input.requests.push_back(units[k] & 0x7F);
  input.selection = {units[count + 1], units[count + 2]};
  const auto pieces = SplitInput(std::u16string_view(units).substr(count + 3), kPieceEnd, 3);
  input.text = pieces[0];
  if (pieces.size() > 1) input.findText = pieces[1];
  if (pieces.size() > 2) input.replaceText = pieces[2];
  return input;
}

std::string EncodeFindReplaceInput(const FindReplaceInput& input) {
  std::u16string units(1, static_cast<char16_t>(input.requests.size() - 1));
  units.append(input.requests.begin(), input.requests.end());
  units += {static_cast<char16_t>(input.selection.start), static_cast<char16_t>(input.selection.end)};
  units += input.text + kPieceEnd + input.findText + kPieceEnd + input.replaceText;
  std::string bytes;
  for (const char16_t unit : units) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return bytes;
}
