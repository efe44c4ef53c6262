#pragma once

#include <QMargins>
#include <QRect>

class QDialog;
class QWidget;

// Where a dialog goes and how large it is shown: its controls fill the
// layout's size from (0, 0), and it would sit where the layout puts it. The
// window frame, title bar included, always lies wholly inside the screen's
// available area; a dialog larger than that area is shown as large as the
// area allows with its controls scrolling inside, so each stays reachable.
struct DialogFit {
  QRect client;          // the dialog's own rectangle, in screen pixels
  bool scrolls = false;  // the controls scroll inside it
};

// `wanted` is the dialog's client rectangle where the layout puts it,
// `frame` the window frame around it, `scrollBar` a scroll bar's width. The
// dialog moves only as far as it must to come inside `available`; an empty
// `available` (no screen known) leaves it as it is.
DialogFit FitDialog(const QRect& wanted, const QRect& available, const QMargins& frame, int scrollBar);

// Sizes `dialog` for controls filling `layout.size()` and places it at
// `layout.topLeft()` from the owner's client origin (the screen's origin
// without an owner), kept on the screen as above.
void PlaceDialogBesideOwner(QDialog& dialog, const QWidget* owner, const QRect& layout);

// The same for a dialog centred on the screen.
void PlaceDialogCentred(QDialog& dialog, const QWidget* owner, const QSize& size);
