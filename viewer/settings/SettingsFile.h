#pragma once

#include "platform/FileError.h"
#include "viewer/settings/ViewerSettings.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

// The settings file, in the program folder. Its section and key names are
// the same in every language build.
inline constexpr std::string_view kSettingsFileName = "Configuracion.ini";

// Where the value of one key lives in the record.
using SettingsField = std::variant<std::uint32_t*, std::int32_t*, std::int16_t*, std::string*>;

struct SettingsKey {
  std::string_view section;
  std::string_view key;
  SettingsField (*field)(ViewerSettings&);
};

// Every key of the file, in file order; reading and writing both walk it.
inline constexpr std::size_t kSettingsKeyCount = 34;
extern const std::array<SettingsKey, kSettingsKeyCount> kSettingsKeys;

// Moves the whole record from or to the file at `path`.
// "get": reads every key; a missing file, section or key gives the key's
// default, a value that is not a number gives 0. Never fails.
// "save": writes every key into the file, keeping its other lines, in one
// safe write; returns the error when the file could not be read or written
// (the file then stays as it was).
// Any other mode does nothing.
FileError Settings(std::string_view mode, ViewerSettings& settings, const std::string& path);
