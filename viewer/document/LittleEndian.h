#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

// Stored numbers are little-endian whatever the machine; these spell that out
// (the compiler turns them into plain moves on x86).

inline void StoreInt32(std::uint8_t* at, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  at[0] = static_cast<std::uint8_t>(v);
  at[1] = static_cast<std::uint8_t>(v >> 8);
  at[2] = static_cast<std::uint8_t>(v >> 16);
  at[3] = static_cast<std::uint8_t>(v >> 24);
}

inline void StoreInt16(std::uint8_t* at, std::int16_t value) {
  const auto v = static_cast<std::uint16_t>(value);
  at[0] = static_cast<std::uint8_t>(v);
  at[1] = static_cast<std::uint8_t>(v >> 8);
}

inline std::int32_t LoadInt32(const std::uint8_t* at) {
  const std::uint32_t v = std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 |
                          std::uint32_t{at[2]} << 16 | std::uint32_t{at[3]} << 24;
  return static_cast<std::int32_t>(v);
}

inline std::int16_t LoadInt16(const std::uint8_t* at) {
  const auto v = static_cast<std::uint16_t>(at[0] | at[1] << 8);
  return static_cast<std::int16_t>(v);
}

// A stream of stored fields: 32- and 64-bit numbers and length-prefixed texts.
class ByteWriter {
 public:
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out_ += static_cast<char>(v >> (8 * i));
  }
  void U64(std::uint64_t v) {
    U32(static_cast<std::uint32_t>(v));
    U32(static_cast<std::uint32_t>(v >> 32));
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void Text(std::string_view text) {
    U32(static_cast<std::uint32_t>(text.size()));
    out_ += text;
  }
  void Raw(std::string_view bytes) { out_ += bytes; }
  std::string& bytes() { return out_; }

 private:
  std::string out_;
};

// Reads what ByteWriter writes; every read fails past the end.
class ByteReader {
 public:
  explicit ByteReader(std::string_view in) : in_(in) {}
  bool U32(std::uint32_t& v) {
    if (in_.size() < 4) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{static_cast<std::uint8_t>(in_[i])} << (8 * i);
    in_.remove_prefix(4);
    return true;
  }
  bool U64(std::uint64_t& v) {
    std::uint32_t low = 0, high = 0;
    if (!U32(low) || !U32(high)) return false;
    v = low | std::uint64_t{high} << 32;
    return true;
  }
  bool I32(std::int32_t& v) {
    std::uint32_t u = 0;
    if (!U32(u)) return false;
    v = static_cast<std::int32_t>(u);
    return true;
  }
  bool Within(std::int32_t& v, std::int32_t low, std::int32_t high) { return I32(v) && v >= low && v <= high; }
  // A text of at most `most` bytes.
  bool Text(std::string& text, std::size_t most) {
    std::uint32_t size = 0;
    if (!U32(size) || size > std::min(most, in_.size())) return false;
    return Raw(size, text);
  }
  bool Raw(std::size_t size, std::string& bytes) {
    if (in_.size() < size) return false;
    bytes.assign(in_.substr(0, size));
    in_.remove_prefix(size);
    return true;
  }
  std::string_view rest() const { return in_; }
  bool empty() const { return in_.empty(); }

 private:
  std::string_view in_;
};
