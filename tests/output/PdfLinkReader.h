#pragma once

// Built as C++17 in a library of its own: qpdf's headers do not compile with clang in C++20 mode.
#include <string>
#include <vector>

// Each sheet's annotations as "SUBTYPE TARGET LLX LLY URX URY", TARGET a 0-based sheet or -1; may throw.
std::vector<std::vector<std::string>> ReadPdfLinks(const std::string& path);
