#pragma once

// Menu commands and controls of the viewer's main window. The numbers are
// part of the design: menu actions and controls carry them, and the
// dispatcher, the tests and the headless driver address them by number.
namespace cmd {
inline constexpr int New = 1046;
inline constexpr int Exit = 1047;
inline constexpr int Author = 1048;
inline constexpr int SaveImage = 1070;
inline constexpr int SelectorSwitch = 1072;
inline constexpr int UnderlineWholeLine = 1073;
inline constexpr int UnderlineVertical = 1074;
inline constexpr int UnderlinePiece = 1075;
inline constexpr int UnderlineTwoColours = 1076;
inline constexpr int SetUp = 1077;
inline constexpr int Update = 1078;
inline constexpr int FavouriteColours = 1079;
inline constexpr int ColourHorizontal = 1080;
inline constexpr int ColourVertical = 1081;
inline constexpr int ColourTwoColourBackground = 1082;
inline constexpr int ColourTwoColourText = 1083;
inline constexpr int Undo = 1084;
inline constexpr int GoTo = 1085;
inline constexpr int UnderlineLink = 1086;
inline constexpr int ColourLink = 1087;
inline constexpr int UnderlineBold = 1088;
inline constexpr int AlignLeft = 1090;
inline constexpr int AlignCentre = 1091;
inline constexpr int AlignRight = 1092;
inline constexpr int GuideReader = 1093;
inline constexpr int Find = 1094;
inline constexpr int FindNext = 1095;
inline constexpr int FindPrevious = 1096;
inline constexpr int GoBack = 1097;
inline constexpr int StudyNotes = 1098;
}  // namespace cmd

inline constexpr int kCanvasControl = 1001;
inline constexpr int kBusyIndicatorControl = 1089;
inline constexpr int kBusyTimer = 200;
inline constexpr int kBusyTimerPeriodMs = 100;
inline constexpr int kFirstBusyFrame = 801;
inline constexpr int kLastBusyFrame = 812;
