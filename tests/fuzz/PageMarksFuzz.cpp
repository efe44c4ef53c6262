// One page drawn from fuzzed lines and mark lists, each field cut to what the cache holds, the header's
// text as its first footer. The list readers must agree with each other on every list.
#include "platform/ScriptedDialogs.h"
#include "tests/MarkedDocuments.h"
#include "tests/fuzz/FuzzSupport.h"
#include "texts/TextSet.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/canvas/MarkReader.h"
#include "viewer/canvas/PictureLoader.h"
#include "viewer/document/MarkList.h"

#include <tuple>

namespace {

struct Canvas {
  Canvas() { InstallTextSet(EnglishTexts()); }

  ViewerState state;
  ScriptedDialogs dialogs{[](const std::string&) {}};
  PictureLoader pictures{dialogs};
  PageRenderer renderer{state, pictures, {}};
};

std::string Field(const std::vector<std::string_view>& fields, PageInputField which, std::size_t width) {
  return FitTextField(which < fields.size() ? fields[which] : std::string_view(), width);
}

void FillLine(LineRecord& record, int line, std::string_view input) {
  const auto fields = SplitInput(input, kPageFieldSeparator, kPageInputFields);
  record = TextLine(1, line, line, Field(fields, kFieldText, kTextFieldSize));
  record.alignment = Field(fields, kFieldAlignment, kAlignmentFieldSize);
  const std::tuple<PageInputField, std::string LineRecord::*, std::size_t> lists[] = {
      {kFieldUnderlines, &LineRecord::horizontalMarks, kMarkListFieldSize},
      {kFieldBars, &LineRecord::verticalMarks, kMarkListFieldSize},
      {kFieldTwoColour, &LineRecord::twoColourPieces, kTwoColourFieldSize},
      {kFieldBold, &LineRecord::boldPieces, kMarkListFieldSize},
      {kFieldLinkPieces, &LineRecord::linkPieces, kMarkListFieldSize},
      {kFieldLinkTargets, &LineRecord::linkTargets, kMarkListFieldSize}};
  for (const auto& [which, list, width] : lists) {
    record.*list = Field(fields, which, width);
    FUZZ_CHECK(CountMarkEntries(record.*list) == ParseMarkEntries(record.*list).size());
  }
  record.hasMarks = fields.size() > kFieldUnderlines ? 1 : 0;
  record.hasBold = record.boldPieces.empty() ? 0 : 1;
  record.hasLinks = record.linkPieces.empty() ? 0 : 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  EnsureGuiApplication();
  static Canvas canvas;
  Document& document = canvas.state.document;
  document.ClearLines();
  document.PageCount = 1;
  document.CurrentPage = 1;
  document.DocumentLoaded = 1;
  const auto lines = SplitInput(std::string_view(reinterpret_cast<const char*>(data), size),
                                kPageLineSeparator, kLinesPerPage + 1);
  const int guideLine = lines[0].empty() ? 0 : static_cast<unsigned char>(lines[0][0]) % (kLinesPerPage + 1);
  canvas.state.guide.GuideState = guideLine > 0 ? kGuideOn : 0;
  canvas.state.guide.GuideLine = static_cast<std::int16_t>(guideLine);
  FooterSettings& footer = canvas.state.settings.footers[0];
  footer.enabled = lines[0].size() > 1 ? 1 : 0;
  footer.alignment = kBlockAlignLeft + guideLine % 4;
  footer.text = FitTextField(lines[0].substr(footer.enabled), kFooterTextMax + 1);
  for (std::size_t k = 1; k < lines.size(); ++k) {
    FillLine(document.UseLine(1, static_cast<int>(k)), static_cast<int>(k), lines[k]);
  }
  canvas.renderer.RenderPage(1, canvas.state.guide.GuideState);
  canvas.renderer.DrawFooters(canvas.state.pages.PageBitmap(1), 1);
  // The one reader of the marks takes the same lists: marks of this page's lines, with text, in line order.
  int previousLine = 0;
  for (const ReadMark& mark : ReadMarks(document, 1, 1)) {
    FUZZ_CHECK(mark.page == 1 && mark.line >= previousLine && IsLineInRange(mark.line) && !mark.text.empty());
    previousLine = mark.line;
  }
  return 0;
}
