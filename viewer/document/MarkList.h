#pragma once

#include <concepts>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Mark lists are text fields of a LineRecord: entries appended one after the
// other, each ended by ";", its fields separated by ",", numbers in decimal
// without blanks ("5,9,14;5,20,31;").

// One field of an entry being appended: a number or a piece of text.
class MarkField {
 public:
  template <std::integral Number>
    requires(!std::same_as<Number, bool> && !std::same_as<Number, char>)
  MarkField(Number number) : text_(std::to_string(number)) {}
  MarkField(std::string_view text) : text_(text) {}
  MarkField(const char* text) : text_(text) {}
  MarkField(const std::string& text) : text_(text) {}

  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// Whether the entry made of `fields` can be appended to `list`, a field of
// `fieldSize` bytes that keeps room for its terminating zero. A text field
// holding "," or ";" or a zero byte would break the list and never fits.
bool MarkEntryFits(std::string_view list, std::size_t fieldSize,
                   std::initializer_list<MarkField> fields);

// Appends the entry when it fits whole; otherwise leaves `list` as it was and
// returns false, so a list never ends in a partial entry.
bool AppendMarkEntry(std::string& list, std::size_t fieldSize,
                     std::initializer_list<MarkField> fields);

// The number of entries: the ";" that end them (text after the last ";" is
// not an entry).
std::size_t CountMarkEntries(std::string_view list);

// The leading decimal number of a field, as the numbers of a list are read:
// leading blanks skipped, an optional sign, digits up to the first other
// character; no digits reads as 0, and values beyond 32 bits saturate.
// The caller still checks the range before using it as a line or column.
int ReadFieldNumber(std::string_view field);

struct MarkEntry {
  std::vector<std::string> fields;

  // A missing field reads as 0 and as empty text.
  int Number(std::size_t index) const;
  std::string_view Text(std::size_t index) const;
};

// The complete entries of a list, in order. Any text is accepted.
std::vector<MarkEntry> ParseMarkEntries(std::string_view list);
