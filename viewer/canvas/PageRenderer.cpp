#include "viewer/canvas/PageRenderer.h"

#include "platform/ProgramFolder.h"
#include "viewer/canvas/CellText.h"
#include "viewer/canvas/InlineMarkers.h"
#include "viewer/canvas/PictureLoader.h"
#include "viewer/document/PictureNames.h"

#include <QDir>
#include <QRegion>

namespace {

// Pictures sit 3 pixels in from the top-left of their line's column-4 cell.
constexpr int kPictureInset = 3;
constexpr int kImageLeft = 24 + kPictureInset;

QString PictureName(const std::string& stored) {
  return QString::fromStdString(PictureFileOfRecord(stored, ProgramFolder()));
}

}  // namespace

PageRenderer::PageRenderer(ViewerState& state, PictureLoader& pictures, std::function<void()> present)
    : state_(state), pictures_(pictures), present_(std::move(present)) {
  // A page the store drops is drawn again as it was last drawn: with the
  // settings and the guide it had then, whatever they are now.
  state_.pages.SetDrawer([this](int page, const PageLook& look, QImage& into) {
    QPainter painter(&into);
    DrawPageWithLook(painter, look, page);
  });
}

PageRenderer::~PageRenderer() { state_.pages.SetDrawer({}); }

QImage& PageRenderer::CurrentBitmap() { return state_.pages.PageBitmap(state_.document.CurrentPage); }

const LineRecord& PageRenderer::LineOf(const PageToDraw& at, int line) const {
  return state_.document.Line(at.page, line);
}

PageLook PageRenderer::LookNow(int guideState, int border) const {
  return PageLook{state_.settings, guideState, state_.guide.GuideLine, border};
}

void PageRenderer::RenderPage(int page, int guideState) {
  const PageLook look = LookNow(guideState);
  {
    QPainter painter(&state_.pages.BitmapToDraw(page, look));
    PaintPage(painter, look, page);
  }
  Recompose();
}

void PageRenderer::DrawPageWithLook(QPainter& painter, const PageLook& look, int page) {
  PaintPage(painter, look, page);
  DrawFootersOfPage(painter, page, look.settings, look.border);
}

void PageRenderer::PaintPage(QPainter& painter, const PageLook& look, int page) {
  const PageToDraw at{page, look};
  DrawImageLines(painter, at);
  DrawMarks(painter, at);
  for (int line = 1; line <= kLinesPerPage; ++line) {
    const LineRecord& record = LineOf(at, line);
    if (record.absoluteLine <= 0) continue;
    DrawLineText(painter, at, line);
    DrawIcons(painter, at, line);
    DrawBullets(painter, at, line);
    if (at.IsGuideLine(line)) {
      PaintGuideBand(painter, line);
      DrawLineText(painter, at, line);
    }
  }
  BuildColumnTable();
  DrawMarks(painter, PageToDraw{page, look, true});
  if (look.guideState == kGuideOn) DrawFootersOfPage(painter, page, look.settings, 1);
}

void PageRenderer::DrawPageForOutput(int page, QImage& into) {
  QPainter painter(&into);
  DrawPageForOutput(page, painter);
}

void PageRenderer::DrawPageForOutput(int page, QPainter& painter) {
  DrawPageWithLook(painter, LookNow(0, 0), page);  // guide and border off
  // The reader asked for this page: a picture missing from it is told of
  // (once per load, as on the screen).
  pictures().ReportHeld(PictureFiles(page));
}

void PageRenderer::InvalidatePages(int guideState) {
  state_.pages.InvalidateAll(state_.document.PageCount, LookNow(guideState));
}

void PageRenderer::InvalidatePage(int page) { state_.pages.Invalidate(page, LookNow(state_.guide.GuideState)); }

void PageRenderer::ComposeView(int x, int y) {
  QPainter painter(&state_.ViewBuffer);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  CopyPixels(painter, QPoint(x, y), CurrentBitmap());
}

void PageRenderer::PresentView() {
  if (present_) present_();
}

void PageRenderer::Recompose() {
  // Only what the page leaves uncovered is cleared: the copy writes the rest,
  // which spares a page turn one pass over the view (four times the pixels
  // on a dense screen).
  const QRect view(0, 0, kViewWidth, state_.ViewHeight);
  const QRegion uncovered = QRegion(view).subtracted(QRect(0, state_.view.y, kPageWidth, kPageHeight));
  if (!uncovered.isEmpty()) {
    QPainter painter(&state_.ViewBuffer);
    for (const QRect& part : uncovered) painter.fillRect(part, Qt::white);
  }
  ComposeView(0, state_.view.y);
  PresentView();
}

void PageRenderer::StandardRefresh() {
  // Drawing the page starts from a white picture: no clearing of its own.
  const int page = state_.document.CurrentPage;
  const PageLook look = LookNow(state_.guide.GuideState);
  {
    QPainter painter(&state_.pages.BitmapToDraw(page, look));
    DrawPageWithLook(painter, look, page);
  }
  Recompose();
}

void PageRenderer::RefreshLines(int first, int last) {
  const int page = state_.document.CurrentPage;
  const PageLook look = LookNow(state_.guide.GuideState);
  QImage* picture = state_.pages.PictureDrawnWith(page, look);
  if (!picture) {
    StandardRefresh();
    return;
  }
  // A line more on each side: an underline lies on the next line's top row.
  const QRect band(0, TextRowTop(first - 1), kPageWidth, (last - first + 3) * kLineHeight);
  {
    QPainter painter(picture);
    painter.setClipRect(band);
    painter.fillRect(band, Qt::white);
    DrawPageWithLook(painter, look, page);
  }
  Recompose();
}

void PageRenderer::BuildColumnTable() { columns_ = ::BuildColumnTable(); }

void PageRenderer::SetLineBox(int line) {
  Document& document = state_.document;
  if (!IsPageInRange(document.CurrentPage) || !IsLineInRange(line)) return;
  LineBox& box = document.Box(document.CurrentPage, line);
  box.x0 = 1;
  box.y0 = (line - 1) * kLineHeight;
  box.x1 = 59;
  box.y1 = box.y0 + kLineHeight;
  box.absoluteLine = document.LineCounter;
}

int AlignmentShift(const LineRecord& record) {
  const auto length = static_cast<int>(record.text.size());
  if (record.alignment == kAlignCentre) return (96 - length) / 2 + 3 - kFirstTextColumn;
  if (record.alignment == kAlignRight) return 97 - length - kFirstTextColumn;
  return 0;
}

void PageRenderer::DrawLineText(QPainter& painter, const PageToDraw& at, int line) {
  const LineRecord& record = LineOf(at, line);
  if (record.imageLine == 1) return;
  static const QFont font = MakePageFont(10);
  const std::string_view shown = std::string_view(record.text).substr(0, kPrintedChars);
  const long long first = kFirstTextColumn + AlignmentShift(record);
  const QColor colour(state_.PageTextColour);
  // The characters of bullet and icon markers lie under their symbols: not
  // text a reader of a PDF should find.
  if (DrawsVectors(painter)) return DrawLineRuns(painter, at, line, shown, first);
  const std::vector<bool> marker = MarkerCharacters(shown);
  for (std::size_t start = 0, end = 0; start < shown.size(); start = end) {
    while (end < shown.size() && marker[end] == marker[start]) ++end;
    const auto draw = marker[start] ? DrawCellOverprint : DrawCellText;
    draw(painter, font, shown.substr(start, end - start), first + static_cast<long long>(start), line, colour,
         std::nullopt);
  }
}

void PageRenderer::DrawImageLines(QPainter& painter, const PageToDraw& at) {
  pictures_.PictureBackground = state_.view.background;
  for (int line = 1; line <= kLinesPerPage; ++line) {
    const LineRecord& record = LineOf(at, line);
    if (record.imageLine != 1 || record.text.empty()) continue;  // empty: a picture left out
    const QImage picture = pictures_.GraphicLoadImageFileToBitmap(PictureName(record.text), 0, 0, false);
    if (!picture.isNull()) painter.drawImage(kImageLeft, TextRowTop(line) + kPictureInset, picture);
  }
}

void PageRenderer::PaintGuideBand(QPainter& painter, int line) {
  std::uniform_int_distribution<int> channel(1, 255);
  const QColor outline(channel(random_), channel(random_), channel(random_));
  painter.save();
  painter.setPen(QPen(outline, 3, Qt::SolidLine));
  painter.setBrush(QColor(state_.guide.GuideFill));
  const int y0 = (line - 1) * kLineHeight;
  // Corners rounded fully across the band's height: both ends are half circles.
  painter.drawRoundedRect(QRect(8, y0, 792 - 8, kLineHeight), kLineHeight / 2, kLineHeight / 2);
  painter.restore();
}


std::vector<QString> PageRenderer::PictureFiles(int page) const {
  std::vector<QString> files;
  for (int line = 1; line <= kLinesPerPage; ++line) {
    const LineRecord& record = state_.document.Line(page, line);
    if (record.imageLine == 1 && !record.text.empty()) files.push_back(PictureName(record.text));
  }
  return files;
}
