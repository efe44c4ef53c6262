// A text file's bytes laid out as a document; a picture gets a made-up height from its name, so the room
// rule is exercised without reading any file.
#include "platform/CodePage.h"
#include "tests/fuzz/FuzzSupport.h"
#include "viewer/document/TextLoader.h"

namespace {

class CheckedSteps : public LoadSteps {
 public:
  void StartPage() override {}
  void DrawTextLine(int line, const std::string&) override { FUZZ_CHECK(IsLineInRange(line)); }
  int PlacePicture(const std::string& fileName, int line, int room) override {
    FUZZ_CHECK(IsLineInRange(line) && room >= 0);
    return static_cast<int>(fileName.size() * 37 % 1200);
  }
  void DrawFurniture() override {}
  void LineRead() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Document document;
  CheckedSteps steps;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  LoadTextDocument(document, ReadTextLinesCp1252(bytes), "/texts/", steps);
  CheckDocumentFields(document);
  for (int page = 1; page <= document.PageCount; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      const LineRecord& record = document.Line(page, line);
      FUZZ_CHECK(!record.IsInUse() || (record.pageNumber == page && record.lineInPage == line));
    }
  }
  return 0;
}
