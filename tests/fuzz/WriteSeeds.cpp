// Writes the seed corpus of every fuzz target from the project's own writers:
//   fuzz_seeds FOLDER   ->   FOLDER/<target>/<seed>
#include "tests/MarkedDocuments.h"
#include "tests/fuzz/FuzzSupport.h"
#include "viewer/document/CacheFile.h"
#include "viewer/document/CacheJournal.h"
#include "viewer/document/KeptDocuments.h"
#include "viewer/document/RecordLayout.h"
#include "viewer/output/PictureFiles.h"
#include "viewer/settings/Palette.h"
#include "viewer/settings/SettingsFile.h"

#include <QImage>
#include <QPainter>

#include <cstdio>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

struct SeedFolder {
  fs::path folder;
  void Add(const std::string& name, std::string_view bytes) const {
    fs::create_directories(folder);
    WriteScratchFile((folder / name).string(), bytes);
  }
};

std::string WithMode(CacheInputMode mode, std::string_view rest) {
  return static_cast<char>(mode) + std::string(rest);
}

void WriteCacheSeeds(const SeedFolder& seeds) {
  const std::string path = ScratchPath("cache.04");
  CacheWrite(FuzzBaseDocument(), path);
  const std::string cache = ReadScratchFile(path);
  seeds.Add("whole", WithMode(CacheInputMode::WholeFile, cache));
  seeds.Add("whole-truncated", WithMode(CacheInputMode::WholeFile, cache.substr(0, kRecordSize + 100)));
  const std::string page201 = CachePatch(RecordLayout::kPageNumber, std::string("\xC9\0\0\0", 4));
  const std::string line66 = CachePatch(RecordLayout::kLineInPage, std::string("\x42\0", 2));
  const std::string longText = CachePatch(RecordLayout::kText, std::string(kTextFieldSize, 'x'));
  const std::string hugeMarks = CachePatch(RecordLayout::kHorizontalMarks, "2147483647,-5,99999999999;9;");
  const std::string secondFirst = CachePatch(kRecordSize + RecordLayout::kLineInPage, std::string("\1\0", 2));
  seeds.Add("patch-page", WithMode(CacheInputMode::Patches, page201));
  seeds.Add("patch-line", WithMode(CacheInputMode::Patches, line66 + secondFirst));
  seeds.Add("patch-fields", WithMode(CacheInputMode::Patches, longText + hugeMarks));
  const auto journal = EncodeCacheJournal(cache.size(), {{RecordLayout::kText, {'n', 'e', 'w', 0}}});
  seeds.Add("journal", WithMode(CacheInputMode::Journal, std::string(journal.begin(), journal.end())));
}

void WriteKeptSeeds(const SeedFolder& seeds) {
  const Document document = MarkedDocument();
  const TextIdentity text = IdentifyText("/texts/chapter one.txt", "Chapter one\r\n");
  seeds.Add("kept", '\0' + EncodeKeptDocument(text, document, -200));
  seeds.Add("plain", '\1' + EncodeKeptPlain(text, document, -200));
  seeds.Add("link", '\2' + EncodeTextLink(text, DocumentTextDigest(document)));
}

void WriteSettingsSeeds(const SeedFolder& seeds) {
  const std::string path = ScratchPath("Configuracion.ini");
  ViewerSettings settings;
  Settings("save", settings, path);
  seeds.Add("defaults.ini", ReadScratchFile(path));
  settings.footers[0] = {1, kBlockAlignJustified, 12, 1, 1, 1, "Chapter one, \xE1rbol ; = [x]"};
  settings.pageNumber = {1, kBlockAlignLeft, 9, 0, 2, 2};
  settings.position = {-200, 201, 66, 3};
  settings.colours.links = -1;
  Settings("save", settings, path);
  seeds.Add("changed.ini", ReadScratchFile(path));
}

void WritePaletteSeeds(const SeedFolder& seeds) {
  Palette palette = DefaultPalette();
  seeds.Add("default.log", WritePalette(palette));
  palette.cells[5].colour = 0x3399FF;
  palette.cells[7] = {-2147483647 - 1, 2147483647, 40, -40, 7, 0, 255};
  seeds.Add("changed.log", WritePalette(palette));
}

void WriteTextSeeds(const SeedFolder& seeds) {
  seeds.Add("plain.txt", "First line\r\nSecond line\nThird\rFourth\r\n");
  seeds.Add("utf8.txt", "\xEF\xBB\xBF\xC3\xA1rbol \xE2\x82\xAC \xF0\x9F\x98\x80\n\\$1 bullet \\#07 icon\n");
  seeds.Add("cp1252.txt", "\xE1rbol \x80 \x1A ignored after the end");
  seeds.Add("pictures.txt", "Before\n{@@Figure,pic.png}\n{@@Map,/abs/map.gif}\n{@@no comma}\nAfter\n");
  seeds.Add("long-lines.txt", std::string(300, 'w') + "\n" + std::string(70, '\n') + "{@@x," + std::string(120, 'p') + "}");
}

std::string Join(const std::vector<std::string>& pieces, char separator) {
  std::string joined;
  for (std::size_t k = 0; k < pieces.size(); ++k) joined += (k > 0 ? std::string(1, separator) : "") + pieces[k];
  return joined;
}

std::string PageLine(const std::vector<std::string>& fields) { return Join(fields, kPageFieldSeparator); }

void WritePageSeeds(const SeedFolder& seeds) {
  const Document base = FuzzBaseDocument();
  const LineRecord& m = base.Line(1, 1);  // marks of every kind
  const std::string marked = PageLine({"A line with every kind of mark on it", "", m.horizontalMarks, m.verticalMarks,
                                       m.twoColourPieces, m.boldPieces, m.linkPieces, m.linkTargets});
  const std::string centred = PageLine({"centred \\$2 and \\#12", "AL2", m.horizontalMarks});
  const std::string right = PageLine({"right", "AL3"});
  seeds.Add("marks", Join({"", marked, centred, right}, kPageLineSeparator));
  seeds.Add("guide", Join({"\x02Footer text page", marked, marked, centred}, kPageLineSeparator));
  seeds.Add("odd-lists", Join({"", PageLine({std::string(93, 'M'), "", "-3,2147483647,9;;,,;", "70,-2;", "1,2;x"})},
                                   kPageLineSeparator));
}

void WriteTextBlockSeeds(const SeedFolder& seeds) {
  const std::string header744 = {'\x02', '\xE8'};
  seeds.Add("fixed", header744 + '\0' + "Page footer with a few words in it that wrap at the edge of the box");
  seeds.Add("varied", header744 + '\1' + std::string(120, 'W') + " then short words");
  seeds.Add("narrow", std::string("\0\x10\2", 3) + "a  b   c    d " + std::string(40, ' ') + "end");
}

void WriteFindReplaceSeeds(const SeedFolder& seeds) {
  FindReplaceInput input;
  input.text = u"One word, another word; WORD\r\nwordy words \u00E1rbol \u00C1RBOL \u00DF";
  input.findText = u"word";
  input.replaceText = u"term";
  input.requests = {FR_DOWN | FR_FINDNEXT, FR_DOWN | FR_FINDNEXT};
  seeds.Add("find-down", EncodeFindReplaceInput(input));
  input.requests = {FR_FINDNEXT | FR_WHOLEWORD | FR_MATCHCASE, FR_FINDNEXT};
  input.selection = {20, 24};
  seeds.Add("find-up-whole", EncodeFindReplaceInput(input));
  input.requests = {FR_DOWN | FR_REPLACE, FR_DOWN | FR_REPLACEALL, FR_DIALOGTERM};
  input.replaceText = u"wordword";
  seeds.Add("replace", EncodeFindReplaceInput(input));
  input.findText = u"\u00E1rbol";
  input.requests = {FR_REPLACEALL | FR_WHOLEWORD};
  seeds.Add("replace-all-up", EncodeFindReplaceInput(input));
}

void WritePictureSeeds(const SeedFolder& seeds) {
  QImage picture(6, 4, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter(&picture).fillRect(1, 1, 3, 2, QColor(200, 30, 30));
  const char* endings[] = {".png", ".jpg", ".bmp", ".gif", ".tif"};
  for (std::size_t k = 0; k < std::size(endings); ++k) {
    std::string bytes, why;
    if (!EncodePicture(picture, endings[k], bytes, why)) continue;
    // The first byte picks the name ending, in the target's order (none first).
    seeds.Add(std::string("picture") + endings[k], static_cast<char>(k + 1) + bytes);
    seeds.Add(std::string("unnamed") + endings[k], '\0' + bytes);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
    return 2;
  }
  EnsureGuiApplication();
  const std::pair<const char*, void (*)(const SeedFolder&)> writers[] = {
      {"cache", WriteCacheSeeds},          {"kept", WriteKeptSeeds},           {"settings", WriteSettingsSeeds},
      {"palette", WritePaletteSeeds},      {"text_loader", WriteTextSeeds},    {"page_marks", WritePageSeeds},
      {"text_block", WriteTextBlockSeeds}, {"find_replace", WriteFindReplaceSeeds}, {"picture", WritePictureSeeds}};
  for (const auto& [target, write] : writers) write({fs::path(argv[1]) / target});
  return 0;
}
