#pragma once

#include <string>
#include <string_view>

class Document;

// The study notes of a document: every mark of its pages gathered into one
// Markdown sheet to revise from, in reading order. Under a heading with the
// text's name, each page that carries marks has a heading of its own
// (anchored, so that links can lead to it) and one list item per mark: an
// underline as its text, a bold piece as **text**, a two-colour piece as
// ==text==, a link piece as its text and a link to its page, a vertical bar
// as a block quote of its lines. Lines end in CR LF, as in every text file
// the programs write.
std::string StudyNotesMarkdown(const Document& document, std::string_view title);

// The sheet's title: the text's name without its extension, or the
// command's name when the document's text is not known.
std::string StudyNotesTitle(std::string_view textFileName);
// The name the save dialog proposes: the title and the notes' ending.
std::string StudyNotesFileName(std::string_view textFileName);

// `text` as Markdown shows it unchanged: characters that would be read as
// markup are escaped (as entities where a backslash is not understood
// everywhere). `blockStart`: the text starts a block, where more
// characters have a meaning.
std::string EscapeMarkdown(std::string_view text, bool blockStart);
