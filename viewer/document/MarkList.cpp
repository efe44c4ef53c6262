#include "viewer/document/MarkList.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

constexpr char kFieldSeparator = ',';
constexpr char kEntryEnd = ';';

std::optional<std::string> FormatMarkEntry(std::initializer_list<MarkField> fields) {
  std::string entry;
  for (const MarkField& field : fields) {
    if (field.text().find_first_of(std::string_view(",;\0", 3)) != std::string::npos) {
      return std::nullopt;
    }
    if (&field != fields.begin()) entry += kFieldSeparator;
    entry += field.text();
  }
  entry += kEntryEnd;
  return entry;
}

bool EntryFits(std::string_view list, std::size_t fieldSize, std::string_view entry) {
  return fieldSize > 0 && list.size() + entry.size() <= fieldSize - 1;
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

bool MarkEntryFits(std::string_view list, std::size_t fieldSize,
                   std::initializer_list<MarkField> fields) {
  const auto entry = FormatMarkEntry(fields);
  return entry && EntryFits(list, fieldSize, *entry);
}

bool AppendMarkEntry(std::string& list, std::size_t fieldSize,
                     std::initializer_list<MarkField> fields) {
  const auto entry = FormatMarkEntry(fields);
  if (!entry || !EntryFits(list, fieldSize, *entry)) return false;
  list += *entry;
  return true;
}

std::size_t CountMarkEntries(std::string_view list) {
  return static_cast<std::size_t>(std::count(list.begin(), list.end(), kEntryEnd));
}

int ReadFieldNumber(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && IsBlank(field[i])) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
  // Accumulated one past the 32-bit range at most, so it never overflows.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
  std::int64_t value = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    value = std::min(kLimit, value * 10 + (field[i] - '0'));
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

int MarkEntry::Number(std::size_t index) const {
  return index < fields.size() ? ReadFieldNumber(fields[index]) : 0;
}

std::string_view MarkEntry::Text(std::size_t index) const {
  return index < fields.size() ? std::string_view(fields[index]) : std::string_view();
}

std::vector<MarkEntry> ParseMarkEntries(std::string_view list) {
  std::vector<MarkEntry> entries;
  std::size_t start = 0;
  for (std::size_t end = list.find(kEntryEnd); end != std::string_view::npos;
       start = end + 1, end = list.find(kEntryEnd, start)) {
    MarkEntry entry;
    const std::string_view body = list.substr(start, end - start);
    std::size_t from = 0;
    while (true) {
      const std::size_t comma = body.find(kFieldSeparator, from);
      entry.fields.emplace_back(body.substr(from, comma - from));
      if (comma == std::string_view::npos) break;
      from = comma + 1;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}
