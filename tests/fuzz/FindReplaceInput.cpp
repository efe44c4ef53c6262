#include "tests/fuzz/FindReplaceInput.h"

namespace {

constexpr char16_t kPieceEnd = 0xFFFF;
constexpr std::size_t kMaxRequests = 4;
constexpr std::uint32_t kAllFlags = 0x7F;

std::size_t TakeNumber(std::string_view& bytes) {
  if (bytes.size() < 2) return 0;
  const std::size_t number = static_cast<unsigned char>(bytes[0]) | static_cast<unsigned char>(bytes[1]) << 8;
  bytes.remove_prefix(2);
  return number;
}

void PutNumber(std::string& out, std::size_t number) {
  out += static_cast<char>(number & 0xFF);
  out += static_cast<char>(number >> 8 & 0xFF);
}

void PutUnits(std::string& out, std::u16string_view units) {
  for (const char16_t unit : units) PutNumber(out, unit);
}

}  // namespace

FindReplaceInput DecodeFindReplaceInput(std::string_view bytes) {
  FindReplaceInput input;
  if (bytes.empty()) return input;
  const std::size_t count = static_cast<unsigned char>(bytes[0]) % kMaxRequests + 1;
  bytes.remove_prefix(1);
  for (std::size_t k = 0; k < count && !bytes.empty(); ++k) {
    input.requests.push_back(static_cast<unsigned char>(bytes[0]) & kAllFlags);
    bytes.remove_prefix(1);
  }
  input.selection.start = TakeNumber(bytes);
  input.selection.end = TakeNumber(bytes);
  std::u16string* pieces[] = {&input.text, &input.findText, &input.replaceText};
  std::size_t piece = 0;
  while (bytes.size() >= 2) {
    const auto unit = static_cast<char16_t>(TakeNumber(bytes));
    if (unit == kPieceEnd && piece < 2) {
      ++piece;
    } else {
      pieces[piece]->push_back(unit);
    }
  }
  return input;
}

std::string EncodeFindReplaceInput(const FindReplaceInput& input) {
  std::string out;
  out += static_cast<char>(input.requests.empty() ? 0 : (input.requests.size() - 1) % kMaxRequests);
  for (std::size_t k = 0; k < input.requests.size() && k < kMaxRequests; ++k) {
    out += static_cast<char>(input.requests[k] & kAllFlags);
  }
  PutNumber(out, input.selection.start);
  PutNumber(out, input.selection.end);
  PutUnits(out, input.text);
  PutNumber(out, kPieceEnd);
  PutUnits(out, input.findText);
  PutNumber(out, kPieceEnd);
  PutUnits(out, input.replaceText);
  return out;
}
