#pragma once

#include "viewer/settings/ViewerSettings.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <list>
#include <vector>

// What a page's picture was drawn with: a page keeps its colours, footers,
// numbering and guide band until it is drawn again, also when its picture
// is not kept in memory.
struct PageLook {
  ViewerSettings settings;
  std::int32_t guideState = 0;
  std::int16_t guideLine = 0;
  int border = 1;
};

// Owns the pictures of the pages; the one place that decides how many are
// kept and when they are drawn. A page whose picture is not kept is drawn
// again, with the look it had, when it is next wanted. Pages carrying
// something only the mouse drew (selectors, ticks, a highlight) are kept.
class PageStore {
 public:
  using DrawPage = std::function<void(int page, const PageLook& look, QImage& into)>;

  explicit PageStore(std::size_t keptPages = 12);

  // Draws a page from the document (set by the renderer).
  void SetDrawer(DrawPage drawer) { drawer_ = std::move(drawer); }

  // The picture of page 1..200, drawn first when it is not kept.
  QImage& PageBitmap(int page);
  // The page's picture to be drawn over now with `look`: white, not drawn.
  QImage& BitmapToDraw(int page, const PageLook& look);
  // A white page that has just come into being.
  void CreatePage(int page);
  // Every page is to be drawn again, when wanted, with `look`.
  void InvalidateAll(int pageCount, const PageLook& look);
  void Invalidate(int page, const PageLook& look);
  // Marks that the page carries what only the mouse drew.
  void PinPage(int page);
  // Forgets every page (a new document is coming).
  void Clear();

  std::size_t KeptPages() const;

 private:
  struct Entry {
    QImage picture;
    PageLook look;
    bool drawn = false;  // the look is known: the page can be drawn again
    bool pinned = false;
  };
  Entry& At(int page);
  void Touch(int page);
  void KeepWithinBound();

  std::vector<Entry> pages_;
  std::list<int> recent_;  // kept pictures, most recently used first
  std::size_t keptPages_;
  DrawPage drawer_;
};

QImage NewWhiteBitmap(int width, int height);
