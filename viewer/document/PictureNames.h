#pragma once

#include <string>
#include <string_view>

// Where the picture a text names lies, and the name its line's record keeps
// (at most 113 Windows-1252 characters) so that the picture is found again
// after a restart, wherever the text lives.

// The file a directive names: `written` (Windows-1252, as the text gives
// it), taken from the text's folder (UTF-8, with a trailing "/") when it is
// relative; a path relative to the current folder is made whole. UTF-8.
std::string PictureFileOfDirective(std::string_view written, const std::string& textFolder);

// The record's form of `file` (UTF-8): the path as the text gave it, the
// same path without "." and ".." steps, or its path from the program folder,
// the first of them the record can hold that leads to the same file. Empty
// when none fits.
std::string PictureRecordName(const std::string& file, const std::string& programFolder);

// The file a record's name stands for (UTF-8): a relative name is taken
// from the program folder.
std::string PictureFileOfRecord(std::string_view recordName, const std::string& programFolder);
