#pragma once

// The editor window's control and command identifiers. Menu actions carry
// their command in QAction::data(), controls their id in the "controlId"
// property, so tests and the driver find them by number.
namespace EditorId {

inline constexpr int TextBox = 1001;
inline constexpr int ReadPlainText = 1002;
inline constexpr int WriteWithFormat = 1003;
inline constexpr int WriteWithoutFormat = 1004;
inline constexpr int Author = 1005;
inline constexpr int Exit = 1006;
inline constexpr int Find = 1007;
inline constexpr int StatusBar = 1008;
inline constexpr int RefreshTimer = 1009;
inline constexpr int New = 1010;
inline constexpr int Replace = 1011;

// The find and replace dialogs, with the platform's usual numbers.
inline constexpr int FindText = 1152;
inline constexpr int ReplaceText = 1153;
inline constexpr int WholeWord = 1040;
inline constexpr int MatchCase = 1041;
inline constexpr int Up = 1056;
inline constexpr int Down = 1057;
inline constexpr int FindNext = 1;
inline constexpr int ReplaceOne = 1024;
inline constexpr int ReplaceAll = 1025;
inline constexpr int Cancel = 2;

}  // namespace EditorId

inline constexpr char kControlIdProperty[] = "controlId";
