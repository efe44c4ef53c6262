#pragma once

#include "viewer/document/PageGeometry.h"
#include "viewer/settings/ViewerSettings.h"

#include <QImage>
#include <QPainter>

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

  bool operator==(const PageLook&) const = default;
};

// Owns the pictures of the pages; the one place that decides how many are
// kept, when they are drawn and at what density. Kept pictures, spares
// included, stay within a budget of bytes, so a dense screen keeps fewer of
// its larger pictures in the same memory. A page whose picture is not
// kept is drawn again, with the look it had, when it is next wanted. Pages
// carrying something only the mouse drew (selectors, ticks, a highlight)
// are kept. The pictures are the screen's: drawn in the page's logical
// pixels at the screen's pixel ratio, so a dense screen gets sharp text.
class PageStore {
 public:
  using DrawPage = std::function<void(int page, const PageLook& look, QImage& into)>;
  using DrawOverPage = std::function<void(QPainter& painter)>;

  // The bytes of a page's picture at one pixel a pixel (32 bits a pixel).
  static constexpr std::size_t kPageBytesAtRatioOne = std::size_t{kPageWidth} * kPageHeight * 4;

  explicit PageStore(std::size_t budgetBytes = 12 * kPageBytesAtRatioOne);

  // The screen's pixel ratio; a change lets every page be drawn again at it.
  void SetPixelRatio(qreal ratio);
  qreal PixelRatio() const { return ratio_; }
  // A white picture of w x h logical pixels at the screen's ratio.
  QImage NewScreenPicture(int width, int height) const;

  // Draws a page from the document (set by the renderer).
  void SetDrawer(DrawPage drawer) { drawer_ = std::move(drawer); }

  // The picture of page 1..200, drawn first when it is not kept.
  QImage& PageBitmap(int page);
  // The page's picture to be drawn over now with `look`: white, not drawn.
  QImage& BitmapToDraw(int page, const PageLook& look);
  // Draws what the mouse shows over the page's picture (pinning the page);
  // kept, so that the page can be drawn again with it.
  void DrawOver(int page, DrawOverPage paint);
  // The page as it is at one pixel a pixel (794 x 1122): at a ratio of 1 its
  // picture, otherwise drawn again from its look and what the mouse drew.
  QImage PageAtRatioOne(int page);
  // The page's kept picture when it was drawn with `look`, to be drawn
  // over again in part (what the mouse drew over it is forgotten); null
  // when no such picture is kept.
  QImage* PictureDrawnWith(int page, const PageLook& look);
  // A white page that has just come into being.
  void CreatePage(int page);
  // Every page is to be drawn again, when wanted, with `look`.
  void InvalidateAll(int pageCount, const PageLook& look);
  void Invalidate(int page, const PageLook& look);
  // Forgets every page (a new document is coming).
  void Clear();

  std::size_t KeptPages() const;
  // The bytes of the kept pictures and the spares.
  std::size_t KeptBytes() const;

 private:
  struct Entry {
    QImage picture;
    PageLook look;
    bool drawn = false;  // the look is known: the page can be drawn again
    bool pinned = false;
    std::vector<DrawOverPage> overlays;  // what the mouse drew since
  };
  Entry& At(int page);
  // A page picture no longer wanted is kept, up to a few, for the next page
  // to be drawn: fresh memory of a page's size costs more than drawing the
  // page, above all on a dense screen.
  void Recycle(QImage& picture);
  QImage NewPagePicture();
  void Touch(int page);
  void KeepWithinBound();
  // The least recently used page whose picture may go, with `coming` pages
  // about to join the kept ones; recent_.end() when none may.
  std::list<int>::iterator OldestDroppable(std::size_t coming);
  void DrawEntry(int page, const Entry& entry, QImage& into) const;

  std::vector<Entry> pages_;
  std::list<int> recent_;  // kept pictures, most recently used first
  std::size_t budget_;
  qreal ratio_ = 1;
  DrawPage drawer_;
  static constexpr std::size_t kSparePictures = 2;
  std::vector<QImage> spares_;
};

// A white picture of width x height pixels at a ratio of `ratio` (a page or
// the view as the screen shows it at that density).
QImage NewWhiteBitmap(int width, int height, qreal ratio = 1);

// Copies `picture` onto the painter's device with its top-left corner at `at`
// (page pixels), pixel for pixel: the picture is of the device's density, so
// nothing is scaled on the way, which at a ratio such as 1.25 would cost a
// page turn many times over and blur the page.
void CopyPixels(QPainter& painter, QPoint at, const QImage& picture);
