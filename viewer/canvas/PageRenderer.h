#pragma once

#include "viewer/canvas/TextFind.h"
#include "viewer/canvas/CellText.h"
#include "viewer/canvas/ViewerState.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <functional>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

class PictureLoader;
struct LineRecord;

// One page being drawn: its number and the look it takes. Drawing reads the
// settings and the guide from here only and writes nothing of the viewer's
// state, so a page drawn again with the look it had (while a message is up,
// say) leaves the settings, the guide and the current page as they are.
struct PageToDraw {
  int page;
  const PageLook& look;
  bool textDrawn = false;  // the page's text is down: the marks' second pass

  // A page drawn without the guide (a printed one) has no band: its icons
  // keep a white ground.
  bool IsGuideLine(int line) const { return look.guideState == kGuideOn && look.guideLine == line; }
};

// Draws pages of the document into their bitmaps and composes the visible
// part into the view buffer. A page is drawn from its number and look; the
// commands' own routines (selectors, highlights, line boxes) work on the
// current page.
class PageRenderer {
 public:
  PageRenderer(ViewerState& state, PictureLoader& pictures, std::function<void()> present);
  ~PageRenderer();
  PageRenderer(const PageRenderer&) = delete;
  PageRenderer& operator=(const PageRenderer&) = delete;

  // The whole page, marks, guide band and (with the guide on) furniture.
  void RenderPage(int page, int guideState);
  // Every page of the document is to be drawn again, when it is next shown,
  // with the settings of now.
  void InvalidatePages(int guideState);
  // The same for one page, with the guide state of now.
  void InvalidatePage(int page);
  // The page as output takes it, with the settings of now, into a white
  // page-sized picture: no border, no guide band, footers and page number.
  // Leaves the page's screen picture alone.
  void DrawPageForOutput(int page, QImage& into);
  // The same onto any painter in the page's pixels: a PDF page or a
  // printer's takes the page as vectors, text as text.
  void DrawPageForOutput(int page, QPainter& painter);
  // Border (flag 1), footers and page number of the current page.
  void DrawFooters(QImage& bitmap, int borderFlag);
  void ComposeView(int x, int y);
  void PresentView();

  // The line boxes of the current page and the column table.
  void SetLineBox(int line);
  void BuildColumnTable();

  // The line selectors in the left margin of the current page (square when
  // `square`, round otherwise), a line's tick, and the drag highlight of
  // one character cell.
  void DrawSelectorBoxes(bool square);
  void PaintSelectorTick(int line, bool ticked);
  void HighlightCell(long long column, int line);
  // A find hit's characters on the current page, highlighted as a dragged
  // piece is (where the line's alignment shows them).
  void HighlightMatch(const TextMatch& match);

  // Clear, render and furnish the current page, then recompose; and the
  // recompose alone for a scroll or a page turn.
  void StandardRefresh();
  void Recompose();
  // The standard refresh where only lines first..last changed: the rows
  // around them are drawn again, the same pixels a whole page would give
  // (the whole page when its picture was drawn with another look).
  void RefreshLines(int first, int last);

  // A footer or label laid out and aligned in the 744-pixel box at (x, y);
  // lines starting below `bottom` are left out.
  static void DrawTextBlock(QPainter& painter, int bottom, std::string_view cp1252, int alignment, int x, int y,
                            const QFont& font, QColor colour);

  // The picture files the page shows.
  std::vector<QString> PictureFiles(int page) const;

  ViewerState& state() { return state_; }
  PictureLoader& pictures() { return pictures_; }

 private:
  QImage& CurrentBitmap();
  // The look of now: the settings and guide line the screen has.
  PageLook LookNow(int guideState, int border = 1) const;
  void PaintPage(QPainter& painter, const PageLook& look, int page);
  // The page, its border (with look.border 1) and footers.
  void DrawPageWithLook(QPainter& painter, const PageLook& look, int page);
  void DrawFootersOfPage(QPainter& painter, int page, const ViewerSettings& settings, int borderFlag);
  const LineRecord& LineOf(const PageToDraw& at, int line) const;

  void DrawLineText(QPainter& painter, const PageToDraw& at, int line);
  void DrawIcons(QPainter& painter, const PageToDraw& at, int line);
  void DrawBullets(QPainter& painter, const PageToDraw& at, int line);
  void DrawImageLines(QPainter& painter, const PageToDraw& at);
  void PaintGuideBand(QPainter& painter, int line);
  void DrawMarks(QPainter& painter, const PageToDraw& at);
  void PaintLineMarksFirstPass(QPainter& painter, const PageToDraw& at, int line, const LineRecord& record);
  void PaintUnderlines(QPainter& painter, const PageToDraw& at, int line, const LineRecord& record);
  void PaintVerticalBars(QPainter& painter, const PageToDraw& at, const LineRecord& record);
  // The pieces of a line in the order they are drawn (links, two-colour,
  // bold), each with its first and last column and its look.
  void ForEachPiece(const PageToDraw& at, const LineRecord& record,
                    const std::function<void(long long, long long, const PieceLook&)>& use) const;
  void PaintPieces(QPainter& painter, const PageToDraw& at, int line, const LineRecord& record);
  // On vector targets: a line's text as runs of one look, and the grounds
  // of its pieces.
  std::vector<std::optional<PieceLook>> LetterLooks(const PageToDraw& at, const LineRecord& record,
                                                    std::size_t letters) const;
  void DrawLineRuns(QPainter& painter, const PageToDraw& at, int line, std::string_view shown, long long firstColumn);
  void FillPieceGrounds(QPainter& painter, const PageToDraw& at, int line, const LineRecord& record);

  ViewerState& state_;
  PictureLoader& pictures_;
  std::function<void()> present_;
  ColumnTable columns_ = ::BuildColumnTable();
  std::mt19937 random_{std::random_device{}()};
};

// The page font a piece's letters take.
const QFont& PieceFont(const PieceLook& look);

// Marks only show on lines that take part: marked and not centred or right-aligned.
bool LineTakesPartInMarks(const LineRecord& record);

// How many columns the line's alignment moves its text to the right.
int AlignmentShift(const LineRecord& record);
