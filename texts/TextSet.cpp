#include "texts/TextSet.h"

#include <array>

namespace {

constexpr auto kRoleCount = static_cast<std::size_t>(TextId::Count);

// Filled once by InstallTextSet so that Text() is a plain array look-up.
std::array<std::string_view, kRoleCount>& InstalledTexts() {
  static std::array<std::string_view, kRoleCount> texts{};
  return texts;
}

const TextSet*& InstalledSet() {
  static const TextSet* set = nullptr;
  return set;
}

}  // namespace

const TextSet& InstalledTextSet() {
  static const TextSet none{"", StartupFailureStyle::PlainOkWithTitle, {}};
  return InstalledSet() ? *InstalledSet() : none;
}

void InstallTextSet(const TextSet& set) {
  InstalledSet() = &set;
  auto& texts = InstalledTexts();
  texts.fill({});
  for (const TextEntry& entry : set.entries) {
    const auto index = static_cast<std::size_t>(entry.id);
    if (index < kRoleCount) texts[index] = entry.text;
  }
}

std::string_view Text(TextId id) {
  const auto index = static_cast<std::size_t>(id);
  return index < kRoleCount ? InstalledTexts()[index] : std::string_view{};
}

std::string_view TextIn(const TextSet& set, TextId id) {
  for (const TextEntry& entry : set.entries) {
    if (entry.id == id) return entry.text;
  }
  return {};
}

std::string ErrorText(int number, std::string_view description) {
  return std::string(Text(TextId::ErrorPrefix)) + std::to_string(number) + " " + std::string(description);
}
