#pragma once

#include "viewer/document/Document.h"

#include <string>
#include <string_view>
#include <vector>

// What loading a text asks of the page canvas; loading itself only lays
// lines out into the document's slots.
class LoadSteps {
 public:
  virtual ~LoadSteps() = default;
  // A fresh white bitmap for the current page.
  virtual void StartPage() = 0;
  // The per-line drawing steps of a text line on the current page.
  virtual void DrawTextLine(int line, const std::string& text) = 0;
  // Loads the picture file `fileName` (UTF-8); when `room` is greater than
  // its height it is drawn with its top on `line`. Returns the height, 0
  // when unreadable.
  virtual int PlacePicture(const std::string& fileName, int line, int room) = 0;
  // A picture whose name no line record can keep is left out.
  virtual void PictureNameTooLong(const std::string& /*fileName*/) {}
  // Border, footers and page number of the current page.
  virtual void DrawFurniture() = 0;
  // After each line read: show progress, let the window breathe.
  virtual void LineRead() = 0;
};

struct TextLoadResult {
  bool droppedPages = false;  // the text went on beyond page 200
};

// Lays `lines` (Windows-1252) out as pages of 65 lines: a line "{@@caption,
// file}" embeds a picture when the page has room for it; a line wider than
// a page line goes on over the next ones, broken as the editor's box breaks
// it, its tabs made blanks up to their stops; a form feed starts the next
// page; page 201 and beyond are dropped. `textFolder` (UTF-8, with a trailing "/") resolves
// relative picture names. Leaves CurrentPage 1 and PageCount the number of pages.
TextLoadResult LoadTextDocument(Document& document, const std::vector<std::string>& lines,
                                const std::string& textFolder, LoadSteps& steps);

// The picture file a directive line names, or nothing when the line is not
// a directive: the text after the first comma without the closing "}".
bool PictureDirectiveName(std::string_view line, std::string& fileName);
