#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The stored document is Windows-1252, one byte per character cell. Text
// files are read as UTF-8 when they are valid UTF-8, otherwise as
// Windows-1252; the programs write UTF-8.

char32_t Cp1252ToCodePoint(unsigned char byte);
// The Windows-1252 byte of a code point, or '?' when the code page lacks it.
unsigned char CodePointToCp1252(char32_t codePoint);

std::string Cp1252ToUtf8(std::string_view cp1252);
// Invalid UTF-8 sequences and characters Windows-1252 cannot hold become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

bool IsValidUtf8(std::string_view bytes);

// The text of a file's bytes as UTF-8: leading BOMs are skipped, a 0x1A byte
// ends the input, and bytes that are not valid UTF-8 are taken as Windows-1252.
std::string DecodeTextFile(std::string_view bytes);

// Splits text at CR LF, LF or CR. A line end at the very end does not start
// another line; empty input gives one empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The lines of a text file's bytes in Windows-1252, by the rules above.
std::vector<std::string> ReadTextLinesCp1252(std::string_view fileBytes);
