#include "viewer/document/RecordCodec.h"

#include "viewer/document/LittleEndian.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

using L = RecordLayout;

bool IsAllZero(const std::uint8_t* data, std::size_t size) {
  // Comparing the range with itself shifted by one lets memcmp do the scan.
  return size == 0 || (data[0] == 0 && std::memcmp(data, data + 1, size - 1) == 0);
}

void RestoreReservedBytes(const ReservedBytes& reserved, RecordBytes out) {
  for (const auto& run : reserved.runs) {
    if (run.offset >= out.size()) continue;
    const std::size_t size = std::min(run.bytes.size(), out.size() - run.offset);
    std::memcpy(out.data() + run.offset, run.bytes.data(), size);
  }
}

// Keeps each reserved range trimmed of its leading and trailing zeros.
ReservedBytes CaptureReservedBytes(ConstRecordBytes bytes) {
  ReservedBytes reserved;
  for (const auto& range : kReservedRanges) {
    const std::uint8_t* begin = bytes.data() + range.offset;
    const std::uint8_t* end = begin + range.size;
    if (IsAllZero(begin, range.size)) continue;
    const auto isSet = [](std::uint8_t b) { return b != 0; };
    const std::uint8_t* first = std::find_if(begin, end, isSet);
    const std::uint8_t* last = std::find_if(std::make_reverse_iterator(end),
                                            std::make_reverse_iterator(first), isSet)
                                   .base();
    reserved.runs.push_back({static_cast<std::uint16_t>(first - bytes.data()),
                             std::string(reinterpret_cast<const char*>(first),
                                         static_cast<std::size_t>(last - first))});
  }
  return reserved;
}

}  // namespace

void EncodeLineRecord(const LineRecord& line, const RecordCopies& copies, RecordBytes out) {
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  // Fields are written after the reserved runs so that a stray run never
  // overwrites one.
  RestoreReservedBytes(line.reserved, out);
  for (const auto& field : kRecordNumberFields) StoreInt32(out.data() + field.offset, line.*field.member);
  for (const auto& field : kRecordTextFields) {
    const std::string& value = line.*field.member;
    std::memcpy(out.data() + field.offset, value.data(), TextFieldLength(value, field.size));
  }
  StoreInt16(out.data() + L::kLineInPage, line.lineInPage);
  StoreInt32(out.data() + L::kLinkGroup + MarkGroup::kCounter, copies.linkCounter);
  StoreInt32(out.data() + L::kBoldGroup + MarkGroup::kCounter, copies.boldCounter);
  std::memcpy(out.data() + L::kLineBoxCopy, copies.lineBoxCopy.data(), copies.lineBoxCopy.size());
}

DecodedRecord DecodeLineRecord(ConstRecordBytes bytes) {
  DecodedRecord decoded;
  LineRecord& line = decoded.line;
  for (const auto& field : kRecordNumberFields) line.*field.member = LoadInt32(bytes.data() + field.offset);
  for (const auto& field : kRecordTextFields) {
    const std::string_view raw(reinterpret_cast<const char*>(bytes.data() + field.offset), field.size);
    line.*field.member = FitTextField(raw, field.size);
  }
  line.lineInPage = LoadInt16(bytes.data() + L::kLineInPage);
  line.reserved = CaptureReservedBytes(bytes);
  decoded.copies.linkCounter = LoadInt32(bytes.data() + L::kLinkGroup + MarkGroup::kCounter);
  decoded.copies.boldCounter = LoadInt32(bytes.data() + L::kBoldGroup + MarkGroup::kCounter);
  std::memcpy(decoded.copies.lineBoxCopy.data(), bytes.data() + L::kLineBoxCopy,
              decoded.copies.lineBoxCopy.size());
  return decoded;
}
