#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the fuzz targets and the seed writer share: how an input is cut into
// the pieces a target feeds to the code, and a scratch folder for readers
// that take a path.

// The pieces of `input` between `separator`s; with `limit` pieces at most,
// the last one keeps the rest of the input, separators and all.
std::vector<std::string_view> SplitInput(std::string_view input, char separator,
                                         std::size_t limit = SIZE_MAX);
std::string JoinInput(const std::vector<std::string>& pieces, char separator);

// A path in this process's own scratch folder (on a memory file system when
// there is one, so the safe writes' syncs cost nothing); the folder is
// removed when the process ends.
std::string ScratchPath(std::string_view name);
void WriteScratchFile(const std::string& path, std::string_view bytes);

// A promise of the code under test was broken: report it and stop, so the
// fuzzer keeps the input that broke it.
[[noreturn]] void FailCheck(const char* condition, const char* file, int line);
#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : FailCheck(#condition, __FILE__, __LINE__))

// The drawing and picture targets need a Qt application; it runs offscreen.
void EnsureGuiApplication();
