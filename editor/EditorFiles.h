#pragma once

#include <string>
#include <string_view>

#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/UserDialogs.h"

// Moving the editor's text between the box and files, as plain functions
// over the box's UTF-16 text and file paths. Files are read by the code-page
// rules of every text reader (UTF-8 when valid, else Windows-1252; BOM
// skipped; 0x1A ends the input) and written as UTF-8 with CR LF line ends.

// The text a file's bytes give the box: each of its lines (ended by CR LF,
// lone CR or lone LF) followed by CR LF, so an empty file gives one CR LF.
std::u16string TextFromFileBytes(std::string_view bytes);

FileError ReadTextFile(const std::string& path, std::u16string& text);

// `cache.txt`: each visual line of the text followed by CR LF, written whole
// through a temporary file. A read-only file is made writable first, as the
// command always rewrites it.
FileError WriteTextAsShown(const std::string& path, std::u16string_view text);

// Adds the text unchanged, followed by CR LF, at the end of the file (created
// when missing). The file is rewritten whole through a temporary file, so a
// failed write leaves the old content as it was; a link is written through.
FileError AppendTextUnchanged(const std::string& path, std::u16string_view text);

// The file dialogs the read and write-without-format commands show, from the
// last file name they share: its folder (up to its last "/") and its name.
enum class FileDialogMode { Open, Save };
FileChoice MakeFileChoice(std::string_view lastFileName, FileDialogMode mode);

// Leading and trailing blanks removed, as a chosen name is kept.
std::string TrimBlanks(std::string_view text);

// UTF-8 of the box's text; a lone surrogate becomes U+FFFD.
std::string Utf8FromText(std::u16string_view text);
// The box's text of UTF-8; a malformed sequence becomes U+FFFD.
std::u16string TextFromUtf8(std::string_view utf8);
