#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// How the values of the settings file are read and written.

// The number a text starts with: blanks and tabs skipped, an optional sign,
// digits, an optional '.' and fraction. Rounded to the nearest integer, ties
// to even, then clamped to [lowest, highest]. A text that does not start
// with a number gives 0 (clamped likewise). Any length of digits is safe.
std::int64_t ParseLeadingNumber(std::string_view text, std::int64_t lowest, std::int64_t highest);

// The same, clamped to the width of the field that stores it.
template <typename Field>
Field ParseSettingsNumber(std::string_view text) {
  return static_cast<Field>(ParseLeadingNumber(text, std::numeric_limits<Field>::min(),
                                               std::numeric_limits<Field>::max()));
}

// A number as the settings file holds it: one blank before a value that is
// zero or more, a minus sign before a negative one (" 10", "-1").
std::string FormatSettingsNumber(std::int64_t value);

// A footer text (Windows-1252) as the record may hold it: it ends at a NUL,
// control characters become blanks (a line break or an end-of-file byte
// would break the settings file), and it is cut to kFooterTextMax bytes.
std::string FitFooterText(std::string_view cp1252);
