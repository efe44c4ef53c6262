#include "viewer/settings/ConfiguratorLayout.h"

namespace {

using enum ControlKind;
using T = TextId;

constexpr ControlSpec kControls[] = {
    {3301, Label, T::ConfiguratorFormatHeading, 5, 5, 270, 15},
    {3302, FirstRadio, T::ConfiguratorFormatPng, 5, 19, 100, 15},
    {3303, Radio, T::ConfiguratorFormatJpg, 5, 34, 100, 15},
    {3304, Radio, T::ConfiguratorFormatTif, 5, 49, 100, 15},
    {3305, Radio, T::ConfiguratorFormatBmp, 5, 64, 100, 15},
    {3306, Radio, T::ConfiguratorFormatGif, 5, 79, 100, 15},
    // A later option, beside the first so that no control moves.
    {3358, Radio, T::ConfiguratorFormatPdf, 110, 19, 100, 15},
    {3307, Label, T::ConfiguratorFooter1Heading, 5, 98, 270, 15},
    {3308, CheckBox, T::ConfiguratorFooter1Show, 5, 114, 270, 15},
    {3309, Label, T::ConfiguratorFooter1Position, 5, 131, 270, 15},
    {3310, FirstRadio, T::ConfiguratorAlignLeft, 5, 150, 100, 15},
    {3311, Radio, T::ConfiguratorAlignCentre, 5, 165, 100, 15},
    {3312, Radio, T::ConfiguratorAlignRight, 5, 180, 100, 15},
    {3313, Label, T::ConfiguratorFooter1FontSize, 5, 200, 270, 15},
    {3314, List, std::nullopt, 5, 215, 100, 40},
    {3315, Label, T::ConfiguratorFooter1FontStyle, 5, 231, 270, 15},
    {3316, CheckBox, T::ConfiguratorStyleBold, 5, 250, 100, 15},
    {3317, CheckBox, T::ConfiguratorStyleItalic, 5, 265, 100, 15},
    {3318, CheckBox, T::ConfiguratorStyleUnderline, 5, 280, 100, 15},
    {3319, VerticalLine, std::nullopt, 280, 0, 5, 345},
    {3320, Label, T::ConfiguratorFooter2Position, 290, 130, 270, 15},
    {3321, Label, T::ConfiguratorFooter2Heading, 290, 97, 270, 15},
    {3322, CheckBox, T::ConfiguratorFooter2Show, 290, 113, 270, 15},
    {3323, FirstRadio, T::ConfiguratorAlignLeft, 290, 149, 100, 15},
    {3324, Radio, T::ConfiguratorAlignCentre, 290, 164, 100, 15},
    {3325, Radio, T::ConfiguratorAlignRight, 290, 179, 100, 15},
    {3326, Label, T::ConfiguratorFooter2FontSize, 290, 199, 270, 15},
    {3327, List, std::nullopt, 290, 214, 100, 40},
    {3328, Label, T::ConfiguratorFooter2FontStyle, 290, 230, 270, 15},
    {3329, CheckBox, T::ConfiguratorStyleBold, 290, 249, 100, 15},
    {3330, CheckBox, T::ConfiguratorStyleItalic, 290, 264, 100, 15},
    {3331, CheckBox, T::ConfiguratorStyleUnderline, 290, 279, 100, 15},
    {3332, Label, T::ConfiguratorFooter1Text, 5, 295, 270, 15},
    {3333, TextBox, std::nullopt, 5, 310, 270, 30},
    {3334, TextBox, std::nullopt, 290, 310, 270, 30},
    {3335, Label, T::ConfiguratorFooter2Text, 290, 295, 270, 15},
    {3336, Label, T::ConfiguratorPageNumberPosition, 5, 381, 270, 15},
    {3337, Label, T::ConfiguratorPageNumberHeading, 5, 348, 270, 15},
    {3338, CheckBox, T::ConfiguratorPageNumberShow, 5, 364, 270, 15},
    {3339, FirstRadio, T::ConfiguratorAlignLeft, 5, 398, 100, 16},
    {3340, Radio, T::ConfiguratorAlignCentre, 5, 415, 100, 15},
    {3341, Radio, T::ConfiguratorAlignRight, 5, 430, 100, 15},
    {3342, Label, T::ConfiguratorPageNumberFontSize, 5, 450, 270, 15},
    {3343, List, std::nullopt, 5, 465, 100, 40},
    {3344, Label, T::ConfiguratorPageNumberProperties, 290, 350, 270, 15},
    {3345, CheckBox, T::ConfiguratorPageNumberWithWord, 290, 365, 270, 15},
    {3347, Label, T::ConfiguratorNumberingHeading, 290, 381, 270, 15},
    {3348, FirstRadio, T::ConfiguratorNumberingArabic, 290, 395, 270, 15},
    {3349, Radio, T::ConfiguratorNumberingRoman, 290, 410, 270, 15},
    {3350, FirstRadio, T::ConfiguratorRomanUpper, 360, 425, 200, 15},
    {3351, Radio, T::ConfiguratorRomanLower, 360, 440, 200, 15},
    {3352, HorizontalLine, std::nullopt, 0, 345, 570, 2},
    {3353, HorizontalLine, std::nullopt, 0, 95, 570, 2},
    {3354, Label, T::ConfiguratorSelectorHeading, 290, 5, 270, 15},
    {3355, FirstRadio, T::ConfiguratorSelectorRounded, 290, 20, 270, 15},
    {3356, Radio, T::ConfiguratorSelectorSquare, 290, 35, 270, 15},
    {3357, Button, T::ConfiguratorExit, 510, 475, 50, 15},
};

}  // namespace

std::span<const ControlSpec> ConfiguratorControls() { return kControls; }
