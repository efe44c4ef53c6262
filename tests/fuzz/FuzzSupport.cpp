#include "tests/fuzz/FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

class ScratchFolder {
 public:
  ScratchFolder() {
    const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : nullptr;
    if (!base) base = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    std::string pattern = std::string(base) + "/marvessa-fuzz-XXXXXX";
    if (!::mkdtemp(pattern.data())) FailCheck("a scratch folder can be made", __FILE__, __LINE__);
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

std::vector<std::string_view> SplitInput(std::string_view input, char separator, std::size_t limit) {
  std::vector<std::string_view> pieces;
  while (pieces.size() + 1 < limit) {
    const auto end = input.find(separator);
    if (end == std::string_view::npos) break;
    pieces.push_back(input.substr(0, end));
    input.remove_prefix(end + 1);
  }
  pieces.push_back(input);
  return pieces;
}

std::string JoinInput(const std::vector<std::string>& pieces, char separator) {
  std::string joined;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    if (k > 0) joined += separator;
    joined += pieces[k];
  }
  return joined;
}

std::string ScratchPath(std::string_view name) {
  static const ScratchFolder folder;
  return folder.path() + "/" + std::string(name);
}

void WriteScratchFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) FailCheck("the scratch file can be written", __FILE__, __LINE__);
}

void FailCheck(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}
