#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Options of one page's print job, as the print set-up dialog leaves them.
struct PrintJobSettings {
  int copies = 1;
  int colourMode = 1;  // 1 monochrome, 2 colour
  int quality = 1;     // 1 draft, 2 low, 3 medium, 4 high
};

// Whether the printer takes option NAME with VALUE.
using OptionSupported = std::function<bool(const std::string& name, const std::string& value)>;

// The job options for the settings, each only when the printer supports
// it; anything else is left to the printer's defaults. The four qualities
// become the print system's three: draft, normal, normal, high.
std::vector<std::pair<std::string, std::string>> PrintJobOptions(const PrintJobSettings& settings,
                                                                 const OptionSupported& supported);

// A failure of the print system: a number and a short English description.
struct PrintFailure {
  int number = 0;
  std::string description;

  bool failed() const { return number != 0; }
};

// The paper of the printer in millimetres and the part of it the printer
// can print on.
struct PaperArea {
  double width = 210;
  double length = 297;
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};
