#pragma once

// Built as C++17 in a library of its own: qpdf's headers do not compile with clang in C++20 mode.
#include <string>
#include <vector>

// Each sheet's annotations, in order, as "SUBTYPE TARGET LLX LLY URX URY", TARGET the 0-based sheet its
// destination names (-1 for none in the file); throws when the file cannot be read.
std::vector<std::vector<std::string>> ReadPdfLinks(const std::string& path);
