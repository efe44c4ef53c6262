#pragma once

#include "viewer/document/LineRecord.h"
#include "viewer/document/PageGeometry.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The viewer's one document: a grid of kMaxPages x kLinesPerPage line slots
// with a LineBox beside each, and the document-wide state. Only the slots in
// use hold a record, so a full document takes a few megabytes; every other
// slot reads as a zero-filled record.
class Document {
 public:
  Document();
  Document(Document&&) noexcept = default;
  Document& operator=(Document&&) noexcept = default;
  // A deep copy: the undo point keeps one of the document as last saved.
  Document(const Document& other);
  Document& operator=(const Document& other);

  // Any page and line may be asked for; outside the grid, or for a slot
  // never used, the answer is the zero-filled record.
  const LineRecord& Line(int page, int line) const;
  // The slot's record, created zero-filled on first use.
  // Throws std::out_of_range outside pages 1..200 and lines 1..65.
  LineRecord& UseLine(int page, int line);

  const LineBox& Box(int page, int line) const;
  LineBox& Box(int page, int line);  // throws std::out_of_range like UseLine

  // Empties the grid of lines and their boxes; the state below is left as it is.
  void ClearLines();

  int CurrentPage = 1;
  int PageCount = 0;
  int DocumentLoaded = 0;
  int LineCounter = 0;  // absolute number of the last line read
  std::int32_t linkCounter = 0;
  std::int32_t boldCounter = 0;
  // Index line - 1: 1 = the line of the current page is ticked in the selectors.
  std::array<std::int32_t, kLinesPerPage> LineSelection{};

 private:
  void RestoreGrid();  // after a move

  std::vector<std::unique_ptr<LineRecord>> lines_;
  std::vector<LineBox> boxes_;
};

// Index of a slot in the grid, or -1 outside it.
int SlotIndex(int page, int line);
