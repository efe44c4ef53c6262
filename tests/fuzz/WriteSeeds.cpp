// Writes the seed corpus of every fuzz target from the project's own writers: FOLDER/<target>/<seed>.
#include "tests/MarkedDocuments.h"
#include "tests/fuzz/FuzzSupport.h"
#include "viewer/document/CacheFile.h"
#include "viewer/document/CacheJournal.h"
#include "viewer/document/KeptDocuments.h"
#include "viewer/output/PictureFiles.h"
#include "viewer/settings/Palette.h"
#include "viewer/settings/SettingsFile.h"

#include <QImage>
#include <QPainter>

#include <cstdio>
#include <filesystem>
#include <utility>

namespace {

using Seeds = std::vector<std::pair<std::string, std::string>>;  // name, bytes

// The first byte: 0 the whole file, 1 patches over the base cache, 2 a journal beside it.
Seeds CacheSeeds() {
  const std::string cache = BaseCache();
  const std::string secondFirst = CachePatch(kRecordSize + RecordLayout::kLineInPage, std::string("\1\0", 2));
  const auto journal = EncodeCacheJournal(cache.size(), {{RecordLayout::kText, {'n', 'e', 'w', 0}}});
  return {{"whole", '\0' + cache},
          {"whole-truncated", '\0' + cache.substr(0, kRecordSize + 100)},
          {"patch-page", '\1' + CachePatch(RecordLayout::kPageNumber, std::string("\xC9\0\0\0", 4))},
          {"patch-line",
           '\1' + CachePatch(RecordLayout::kLineInPage, std::string("\x42\0", 2)) + secondFirst},
          {"patch-fields", '\1' + CachePatch(RecordLayout::kText, std::string(kTextFieldSize, 'x')) +
                               CachePatch(RecordLayout::kHorizontalMarks, "2147483647,-5,99999999999;9;")},
          {"journal", '\2' + std::string(journal.begin(), journal.end())}};
}

Seeds KeptSeeds() {
  const Document document = MarkedDocument();
  const TextIdentity text = IdentifyText("/texts/chapter one.txt", "Chapter one\r\n");
  const std::string plain = EncodeKeptPlain(text, document, -200, 1796655900);
  return {{"kept", '\0' + EncodeKeptDocument(plain).value()},
          {"plain", '\1' + plain},
          {"link", '\2' + EncodeTextLink(text, DocumentTextDigest(document))}};
}

Seeds SettingsSeeds() {
  const std::string path = ScratchPath("Configuracion.ini");
  ViewerSettings settings;
  Settings("save", settings, path);
  Seeds seeds{{"defaults.ini", ReadFileBytes(path)}};
  settings.footers[0] = {1, kBlockAlignJustified, 12, 1, 1, 1, "Chapter one, \xE1rbol ; = [x]"};
  settings.pageNumber = {1, kBlockAlignLeft, 9, 0, 2, 2};
  settings.position = {-200, 201, 66, 3};
  settings.colours.links = -1;
  Settings("save", settings, path);
  seeds.emplace_back("changed.ini", ReadFileBytes(path));
  return seeds;
}

Seeds PaletteSeeds() {
  Palette palette = DefaultPalette();
  Seeds seeds{{"default.log", WritePalette(palette)}};
  palette.cells[5].colour = 0x3399FF;
  palette.cells[7] = {-2147483647 - 1, 2147483647, 40, -40, 7, 0, 255};
  seeds.emplace_back("changed.log", WritePalette(palette));
  return seeds;
}

Seeds TextSeeds() {
  return {{"plain.txt", "First line\r\nSecond line\nThird\rFourth\r\n"},
          {"utf8.txt", "\xEF\xBB\xBF\xC3\xA1rbol \xE2\x82\xAC \xF0\x9F\x98\x80\n\\$1 bullet \\#07 icon\n"},
          {"cp1252.txt", "\xE1rbol \x80 \x1A ignored after the end"},
          {"pictures.txt", "Before\n{@@Figure,pic.png}\n{@@Map,/abs/map.gif}\n{@@no comma}\nAfter\n"},
          {"long-lines.txt",
           std::string(300, 'w') + "\n" + std::string(70, '\n') + "{@@x," + std::string(120, 'p') + "}"}};
}

// Joins fields into a page line, or lines into a page.
std::string Join(const std::vector<std::string>& pieces, char separator = kPageFieldSeparator) {
  std::string joined;
  for (std::size_t k = 0; k < pieces.size(); ++k) joined += (k > 0 ? std::string(1, separator) : "") + pieces[k];
  return joined;
}

Seeds PageSeeds() {
  const Document base = MarkedDocument();
  const LineRecord& m = base.Line(1, 5);  // marks of every kind
  const std::string marked = Join({"A line with every kind of mark on it", "", m.horizontalMarks,
                                   m.verticalMarks, m.twoColourPieces, m.boldPieces,
                                   m.linkPieces, m.linkTargets});
  const std::string centred = Join({"centred \\$2 and \\#12", "AL2", m.horizontalMarks});
  const std::string odd = Join({std::string(93, 'M'), "", "-3,2147483647,9;;,,;", "70,-2;", "1,2;x"});
  return {{"marks", Join({"", marked, centred, Join({"right", "AL3"})}, kPageLineSeparator)},
          {"guide", Join({"\x02" "Footer text page", marked, marked, centred}, kPageLineSeparator)},
          {"odd-lists", Join({"", odd}, kPageLineSeparator)}};
}

Seeds TextBlockSeeds() {
  const std::string header744 = {'\x02', '\xE8'};
  return {{"fixed", header744 + '\0' + "Page footer with a few words in it that wrap at the edge of the box"},
          {"varied", header744 + '\1' + std::string(120, 'W') + " then short words"},
          {"narrow", std::string("\0\x10\2", 3) + "a  b   c    d " + std::string(40, ' ') + "end"}};
}

Seeds FindReplaceSeeds() {
  const TextSelection picked{20, 24};
  const std::u16string text = u"One word, another word; WORD\r\nwordy words \u00E1rbol \u00C1RBOL \u00DF";
  const std::pair<const char*, FindReplaceInput> inputs[] = {
      {"find-down", {{FR_DOWN | FR_FINDNEXT, FR_DOWN | FR_FINDNEXT}, {}, text, u"word", u"term"}},
      {"find-up-whole",
       {{FR_FINDNEXT | FR_WHOLEWORD | FR_MATCHCASE, FR_FINDNEXT}, picked, text, u"word", u"term"}},
      {"replace",
       {{FR_DOWN | FR_REPLACE, FR_DOWN | FR_REPLACEALL, FR_DIALOGTERM}, picked, text, u"word", u"wordword"}},
      {"replace-all-up", {{FR_REPLACEALL | FR_WHOLEWORD}, picked, text, u"\u00E1rbol", u"wordword"}}};
  Seeds seeds;
  for (const auto& [name, input] : inputs) seeds.emplace_back(name, EncodeFindReplaceInput(input));
  return seeds;
}

// The first byte picks the name ending, in the target's order (none first).
Seeds PictureSeeds() {
  QImage picture(6, 4, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter(&picture).fillRect(1, 1, 3, 2, QColor(200, 30, 30));
  Seeds seeds;
  const char* endings[] = {".png", ".jpg", ".bmp", ".gif", ".tif"};
  for (std::size_t k = 0; k < std::size(endings); ++k) {
    std::string bytes, why;
    if (!EncodePicture(picture, endings[k], bytes, why)) continue;
    seeds.emplace_back(std::string("picture") + endings[k], static_cast<char>(k + 1) + bytes);
    seeds.emplace_back(std::string("unnamed") + endings[k], '\0' + bytes);
  }
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
    return 2;
  }
  EnsureGuiApplication();
  const std::pair<const char*, Seeds (*)()> writers[] = {
      {"cache", CacheSeeds},          {"kept", KeptSeeds},           {"settings", SettingsSeeds},
      {"palette", PaletteSeeds},      {"text_loader", TextSeeds},    {"page_marks", PageSeeds},
      {"text_block", TextBlockSeeds}, {"find_replace", FindReplaceSeeds}, {"picture", PictureSeeds}};
  for (const auto& [target, seeds] : writers) {
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / target;
    std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : seeds()) WriteFileBytes((folder / name).string(), bytes);
  }
  return 0;
}
