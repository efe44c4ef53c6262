#pragma once

#include "viewer/document/LineRecord.h"
#include "viewer/document/RecordLayout.h"

#include <cstdint>
#include <span>

// The values every stored record carries copies of: the document-wide
// counters and the saved tail of the slot's LineBox.
struct RecordCopies {
  std::int32_t linkCounter = 0;
  std::int32_t boldCounter = 0;
  LineBoxBytes lineBoxCopy{};

  friend bool operator==(const RecordCopies&, const RecordCopies&) = default;
};

struct DecodedRecord {
  LineRecord line;
  RecordCopies copies;
};

using RecordBytes = std::span<std::uint8_t, kRecordSize>;
using ConstRecordBytes = std::span<const std::uint8_t, kRecordSize>;

// Fills all of `out`: text fields are cut to their width and zero-padded,
// reserved bytes restored, everything else zero.
void EncodeLineRecord(const LineRecord& line, const RecordCopies& copies, RecordBytes out);

// Takes any bytes: a text field ends at its first zero byte, or at its width
// minus one when it has none.
DecodedRecord DecodeLineRecord(ConstRecordBytes bytes);
