#pragma once

#include "platform/UserDialogs.h"
#include "viewer/canvas/CanvasState.h"
#include "viewer/canvas/PageStore.h"
#include "viewer/canvas/TextFind.h"
#include "viewer/document/Document.h"
#include "viewer/settings/ViewerSettings.h"

#include <QImage>

#include <cstdint>
#include <string>

// The piece of a line chosen with the mouse, on the current page.
struct PieceSelection {
  std::int32_t anchorLine = 0;
  std::int32_t startColumn = 0;
  std::int32_t endColumn = 0;
};

// The viewer's whole process-wide state, owned by one object so that a test
// can make a fresh one.
struct ViewerState {
  Document document;
  ViewerSettings settings;
  PageStore pages;
  // The page area follows the window's height; the view buffer is its size.
  int ViewHeight = kViewHeight;
  QImage ViewBuffer = NewWhiteBitmap(kViewWidth, kViewHeight);
  ViewState view;
  GuideInfo guide;

  std::int32_t MarkingMode = 0;  // 0 reading, 1 selectors, 3 dragging, 4 piece chosen
  std::int32_t DragActive = 0;
  PieceSelection piece;
  // Reading aids: views of the document, never part of it.
  FindView find;
  JumpHistory jumps;

  std::int32_t DialogBusy = 0;
  std::uint32_t SelectedColour = 0;
  CustomColours customColours{};  // the colour chooser's, kept for the run
  QRgb PageTextColour = qRgb(0, 0, 0);
  // The name of the text file the document was read from in this run;
  // empty for a document restored from the cache.
  std::string TextFileName;

  // A white view buffer of the page area's size at the screen's density.
  void NewViewBuffer() { ViewBuffer = pages.NewScreenPicture(kViewWidth, ViewHeight); }
};
