#include "viewer/document/Document.h"

#include <stdexcept>
#include <string>

namespace {

constexpr std::size_t kSlotCount = std::size_t{kMaxPages} * kLinesPerPage;

std::size_t CheckedSlot(int page, int line) {
  const int slot = SlotIndex(page, line);
  if (slot < 0) {
    throw std::out_of_range("no line slot at page " + std::to_string(page) + ", line " +
                            std::to_string(line));
  }
  return static_cast<std::size_t>(slot);
}

}  // namespace

int SlotIndex(int page, int line) {
  if (!IsPageInRange(page) || !IsLineInRange(line)) return -1;
  return (page - 1) * kLinesPerPage + (line - 1);
}

Document::Document() : lines_(kSlotCount), boxes_(kSlotCount) {}

Document::Document(const Document& other)
    : CurrentPage(other.CurrentPage),
      PageCount(other.PageCount),
      DocumentLoaded(other.DocumentLoaded),
      LineCounter(other.LineCounter),
      linkCounter(other.linkCounter),
      boldCounter(other.boldCounter),
      LineSelection(other.LineSelection),
      lines_(kSlotCount),
      boxes_(other.boxes_) {
  boxes_.resize(kSlotCount);
  for (std::size_t slot = 0; slot < other.lines_.size() && slot < kSlotCount; ++slot) {
    if (other.lines_[slot]) lines_[slot] = std::make_unique<LineRecord>(*other.lines_[slot]);
  }
}

Document& Document::operator=(const Document& other) {
  if (this != &other) *this = Document(other);
  return *this;
}

const LineRecord& Document::Line(int page, int line) const {
  static const LineRecord kUnused{};
  const int slot = SlotIndex(page, line);
  // A moved-from document has no grid; it reads as empty too.
  if (slot < 0 || static_cast<std::size_t>(slot) >= lines_.size()) return kUnused;
  const auto& record = lines_[static_cast<std::size_t>(slot)];
  return record ? *record : kUnused;
}

LineRecord& Document::UseLine(int page, int line) {
  const std::size_t slot = CheckedSlot(page, line);
  RestoreGrid();
  auto& record = lines_[slot];
  if (!record) record = std::make_unique<LineRecord>();
  return *record;
}

const LineBox& Document::Box(int page, int line) const {
  static const LineBox kUnused{};
  const int slot = SlotIndex(page, line);
  if (slot < 0 || static_cast<std::size_t>(slot) >= boxes_.size()) return kUnused;
  return boxes_[static_cast<std::size_t>(slot)];
}

LineBox& Document::Box(int page, int line) {
  const std::size_t slot = CheckedSlot(page, line);
  RestoreGrid();
  return boxes_[slot];
}

void Document::RestoreGrid() {
  lines_.resize(kSlotCount);
  boxes_.resize(kSlotCount);
}

void Document::ClearLines() {
  lines_.clear();
  lines_.resize(kSlotCount);
  boxes_.assign(kSlotCount, LineBox{});
}
