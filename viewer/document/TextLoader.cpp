#include "viewer/document/TextLoader.h"

#include "platform/LineBreaking.h"
#include "platform/ProgramFolder.h"
#include "viewer/document/LineRecord.h"
#include "viewer/document/PictureNames.h"

namespace {

class Loader {
 public:
  Loader(Document& document, const std::string& textFolder, LoadSteps& steps)
      : document_(document), textFolder_(textFolder), steps_(steps) {}

  // One line of the file: a form feed in it ends the page, and a text wider
  // than a page line goes on over the following page lines.
  void FileLine(std::string_view line) {
    std::size_t from = 0;
    for (std::size_t feed = line.find('\f'); feed != std::string_view::npos; feed = line.find('\f', from)) {
      if (feed > from) TextPiece(line.substr(from, feed - from));
      // What follows starts a page, unless the page is still empty.
      if (placed_) slot_ = std::max(slot_, kLinesPerPage);
      from = feed + 1;
    }
    if (from == 0 || from < line.size()) TextPiece(line.substr(from));
  }

  // After the last line: an empty text still gives one empty line.
  void Finish() {
    if (!placed_ && !dropped()) PageLine(std::string());
  }

  bool dropped() const { return document_.CurrentPage > kMaxPages; }

 private:
  void TextPiece(std::string_view text) {
    std::string pictureName;
    if (PictureDirectiveName(text, pictureName)) {
      PageLine(std::string(text));  // a picture line is never broken
      return;
    }
    std::size_t start = 0;
    do {
      const std::size_t end = NextLineEnd(text, start);
      PageLine(ExpandTabs(text.substr(start, end - start)));
      start = end;
    } while (start < text.size());
  }

  void PageLine(const std::string& line) {
    if (!placed_) {
      placed_ = true;
      ++document_.LineCounter;
      slot_ = 1;
      Process(line);
    } else {
      NextLine(line);
    }
  }

  void NextLine(const std::string& line) {
    ++slot_;
    if (slot_ > kLinesPerPage) {
      PageBreak(line);
    } else {
      ++document_.LineCounter;
      steps_.LineRead();
      Process(line);
    }
  }

  void Process(const std::string& line) {
    if (dropped()) return;
    std::string pictureName;
    if (PictureDirectiveName(line, pictureName)) {
      ProcessPicture(pictureName);
      return;
    }
    steps_.DrawTextLine(slot_, line);
    LineRecord& record = Fill(slot_);
    record.text = FitTextField(line, kTextFieldSize);
  }

  void ProcessPicture(const std::string& written) {
    const std::string file = PictureFileOfDirective(written, textFolder_);
    // A name the record cannot keep would look for another file after a
    // restart: such a picture is told of and left out.
    const std::string name = PictureRecordName(file, ProgramFolder());
    const int room = (kLinesPerPage - slot_) * kLineHeight;
    int height = 0;
    if (name.empty()) {
      steps_.PictureNameTooLong(file);
    } else {
      height = steps_.PlacePicture(file, slot_, room);
    }
    if (room <= height) return;  // no room: the directive is dropped
    const int extra = height / kLineHeight;
    for (int line = slot_; line <= slot_ + extra; ++line) Fill(line);
    LineRecord& anchor = document_.UseLine(document_.CurrentPage, slot_);
    anchor.text = name;
    anchor.imageLine = 1;
    slot_ += extra;
    document_.LineCounter += extra;
  }

  LineRecord& Fill(int line) {
    LineRecord& record = document_.UseLine(document_.CurrentPage, line);
    record.absoluteLine = document_.LineCounter;
    record.pageNumber = document_.CurrentPage;
    record.lineInPage = static_cast<std::int16_t>(line);
    return record;
  }

  void PageBreak(const std::string& line) {
    if (!dropped()) steps_.DrawFurniture();
    ++document_.CurrentPage;
    slot_ = 1;
    ++document_.LineCounter;
    if (dropped()) return;
    steps_.StartPage();
    std::string pictureName;
    const bool isText = !PictureDirectiveName(line, pictureName);
    Process(line);
    if (isText) steps_.DrawFurniture();
  }

  Document& document_;
  const std::string& textFolder_;
  LoadSteps& steps_;
  int slot_ = 0;
  bool placed_ = false;  // a line was laid out
};

}  // namespace

bool PictureDirectiveName(std::string_view line, std::string& fileName) {
  if (line.size() < 4 || line.compare(0, 3, "{@@") != 0 || line.back() != '}') return false;
  const auto comma = line.find(',');
  fileName = comma == std::string_view::npos ? std::string() : std::string(line.substr(comma + 1, line.size() - comma - 2));
  return true;
}

TextLoadResult LoadTextDocument(Document& document, const std::vector<std::string>& lines,
                                const std::string& textFolder, LoadSteps& steps) {
  document.DocumentLoaded = 1;
  document.CurrentPage = 1;
  document.LineCounter = 0;
  document.ClearLines();
  steps.StartPage();
  Loader loader(document, textFolder, steps);
  for (const std::string& line : lines) loader.FileLine(line);
  loader.Finish();
  TextLoadResult result;
  result.droppedPages = loader.dropped();
  document.PageCount = std::min(document.CurrentPage, kMaxPages);
  document.CurrentPage = 1;
  return result;
}
