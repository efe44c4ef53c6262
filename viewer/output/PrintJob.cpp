#include "viewer/output/PrintJob.h"

#include <array>

namespace {

// IPP's print-quality values.
constexpr const char* kQualityDraft = "3";
constexpr const char* kQualityNormal = "4";
constexpr const char* kQualityHigh = "5";

}  // namespace

std::vector<std::pair<std::string, std::string>> PrintJobOptions(const PrintJobSettings& settings,
                                                                 const OptionSupported& supported) {
  std::vector<std::pair<std::string, std::string>> options;
  const auto offer = [&](const std::string& name, const std::string& value) {
    if (supported(name, value)) options.emplace_back(name, value);
  };
  if (settings.copies >= 1) offer("copies", std::to_string(settings.copies));
  if (settings.colourMode == 1) offer("print-color-mode", "monochrome");
  if (settings.colourMode == 2) offer("print-color-mode", "color");
  static constexpr std::array kQualities{kQualityDraft, kQualityNormal, kQualityNormal, kQualityHigh};
  if (settings.quality >= 1 && settings.quality <= 4) offer("print-quality", kQualities[settings.quality - 1]);
  return options;
}
