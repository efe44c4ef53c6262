#pragma once

// Every text the programs show, by its role. Each language build carries one
// table that gives a text for every role (see TextSet.h).
enum class TextId : int {
  // Shared by both programs
  CaptionProgrammer,  // title of the programs' messages

  // Viewer
  ViewerWindowTitle,         // caption before any document is shown
  ViewerCaptionPage,         // "Página " before the page number
  ViewerCaptionOf,           // " de " between page and page count

  // Editor
  EditorWindowTitle,

  Count
};
