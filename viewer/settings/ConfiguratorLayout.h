#pragma once

#include "texts/TextId.h"

#include <array>
#include <optional>
#include <span>

// The configurator's controls as the dialog template lays them out, in
// dialog units of the controls' font.

enum class ControlKind {
  Label,
  FirstRadio,  // a radio button that starts a group
  Radio,
  CheckBox,
  List,            // a drop-down list of the font sizes
  TextBox,         // multi-line, sunken edge
  VerticalLine,
  HorizontalLine,
  Button,
};

struct ControlSpec {
  int id;
  ControlKind kind;
  std::optional<TextId> text;
  int x, y, width, height;  // dialog units
};

struct DialogUnitRect {
  int x, y, width, height;
};

// Where the dialog opens, relative to its owner, and its size.
inline constexpr DialogUnitRect kConfiguratorFrame{73, 48, 570, 494};

std::span<const ControlSpec> ConfiguratorControls();

namespace cfg {

inline constexpr int kFooter1Show = 3308;
inline constexpr int kFooter2Show = 3322;
inline constexpr int kPageNumberShow = 3338;
inline constexpr int kFooter1Size = 3314;
inline constexpr int kFooter2Size = 3327;
inline constexpr int kPageNumberSize = 3343;
inline constexpr int kFooter1Text = 3333;
inline constexpr int kFooter2Text = 3334;
inline constexpr int kRomanUpper = 3350;
inline constexpr int kRomanLower = 3351;
inline constexpr int kExit = 3357;

// Controls enabled and disabled together with their line's check box.
inline constexpr std::array kFooter1Group{3310, 3311, 3312, 3314, 3316, 3317, 3318, 3333};
inline constexpr std::array kFooter2Group{3323, 3324, 3325, 3327, 3329, 3330, 3331, 3334};
inline constexpr std::array kPageNumberGroup{3339, 3340, 3341, 3343, 3345, 3348, 3349, 3350, 3351};

// The items of the three font-size lists: sizes 9 .. 12, item n is size n + 8.
inline constexpr int kSmallestListedSize = 9;
inline constexpr std::array kFontSizeItems{TextId::ConfiguratorFontSize09, TextId::ConfiguratorFontSize10,
                                           TextId::ConfiguratorFontSize11, TextId::ConfiguratorFontSize12};

}  // namespace cfg
