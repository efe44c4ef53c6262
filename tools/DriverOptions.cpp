#include "tools/DriverOptions.h"

#include "platform/ProgramFolder.h"
#include "texts/TextSet.h"

#include <cstdlib>
#include <string_view>

const TextSet& DriverOptions::Texts() const { return lang == "es" ? SpanishTexts() : EnglishTexts(); }

bool ParseDriverOptions(int argc, char** argv, DriverOptions& options, std::string& why) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--editor") {
      options.editor = true;
    } else if (arg == "--visible") {
      options.visible = true;
    } else if (arg == "--lang" && hasValue) {
      options.lang = argv[++i];
      if (options.lang != "es" && options.lang != "en") {
        why = "--lang takes es or en";
        return false;
      }
    } else if (arg == "--folder" && hasValue) {
      options.folder = argv[++i];
    } else if (arg == "--fail-writes-after" && hasValue) {
      char* end = nullptr;
      options.failWritesAfter = std::strtoll(argv[++i], &end, 10);
      if (*end != '\0' || options.failWritesAfter < 0) {
        why = "--fail-writes-after takes a number of bytes";
        return false;
      }
    } else if (!arg.empty() && arg[0] != '-' && options.scriptPath.empty()) {
      options.scriptPath = std::string(arg);
    } else {
      why = "unexpected argument " + std::string(arg);
      return false;
    }
  }
  // Without --folder the program folder is settled as the program settles it.
  if (!options.folder.empty() && !MakeFolders(options.folder)) {
    why = "cannot use folder " + options.folder;
    return false;
  }
  return true;
}
