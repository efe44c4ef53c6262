#pragma once

#include "texts/TextSet.h"

#include <string_view>

// The version record each program carries, in its build's language: what a
// version resource holds where the programs come from.
enum class ProgramKind { Viewer, Editor };

struct VersionRecord {
  std::string_view productName;       // the deliverable's name
  std::string_view originalFilename;  // the same: the program file
  std::string_view fileDescription;
  std::string_view comments;
  std::string_view internalName;
  std::string_view privateBuild;
  std::string_view specialBuild;
  std::string_view fileVersion;       // "VerNum ..."
  std::string_view productVersion;    // "Version Producto ..." / "Product Version ..."
  std::string_view numbers;           // "4.7.0.4"
  int languageCode = 1034;            // the record's language code, the same in every build
};

VersionRecord VersionRecordOf(const TextSet& texts, ProgramKind program);
