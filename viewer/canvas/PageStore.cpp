#include "viewer/canvas/PageStore.h"

#include "viewer/document/PageGeometry.h"

#include <algorithm>
#include <cmath>

QImage NewWhiteBitmap(int width, int height, qreal ratio) {
  QImage image(static_cast<int>(std::lround(width * ratio)), static_cast<int>(std::lround(height * ratio)),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  return image;
}

void CopyPixels(QPainter& painter, QPoint at, const QImage& picture) {
  const qreal ratio = picture.devicePixelRatio();
  const QImage pixels(picture.constBits(), picture.width(), picture.height(), picture.bytesPerLine(),
                      picture.format());
  painter.save();
  painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
  painter.drawImage(QPointF(std::round(at.x() * ratio), std::round(at.y() * ratio)), pixels);
  painter.restore();
}

namespace {

// A page and its two neighbours are kept whatever they take.
constexpr std::size_t kLeastKept = 3;

}  // namespace

PageStore::PageStore(std::size_t budgetBytes) : pages_(kMaxPages + 1), budget_(budgetBytes) {}

void PageStore::SetPixelRatio(qreal ratio) {
  if (!(ratio > 0) || ratio == ratio_) return;
  ratio_ = ratio;
  for (const int page : recent_) pages_[static_cast<std::size_t>(page)].picture = QImage();
  recent_.clear();
  spares_.clear();  // of the old size
}

QImage PageStore::NewScreenPicture(int width, int height) const { return NewWhiteBitmap(width, height, ratio_); }

void PageStore::Recycle(QImage& picture) {
  if (!picture.isNull() && spares_.size() < kSparePictures && picture.devicePixelRatio() == ratio_) {
    spares_.push_back(std::move(picture));
  }
  picture = QImage();
}

QImage PageStore::NewPagePicture() {
  const auto oldest = spares_.empty() ? OldestDroppable(1) : recent_.end();
  if (oldest != recent_.end()) {
    // At the budget the least recently used page gives its picture up to
    // the one to be drawn.
    QImage& picture = pages_[static_cast<std::size_t>(*oldest)].picture;
    if (KeptBytes() + static_cast<std::size_t>(picture.sizeInBytes()) > budget_) {
      Recycle(picture);
      recent_.erase(oldest);
    }
  }
  if (spares_.empty()) return NewScreenPicture(kPageWidth, kPageHeight);
  QImage picture = std::move(spares_.back());
  spares_.pop_back();
  picture.fill(Qt::white);
  return picture;
}

PageStore::Entry& PageStore::At(int page) { return pages_[static_cast<std::size_t>(std::clamp(page, 1, kMaxPages))]; }

void PageStore::Touch(int page) {
  page = std::clamp(page, 1, kMaxPages);
  recent_.remove(page);
  recent_.push_front(page);
  KeepWithinBound();
}

std::list<int>::iterator PageStore::OldestDroppable(std::size_t coming) {
  if (recent_.size() + coming <= kLeastKept) return recent_.end();
  // The most recent page is the one being used: never dropped; nor is a
  // page carrying what the mouse drew, nor one that cannot be drawn again.
  for (auto it = std::prev(recent_.end()); it != recent_.begin(); --it) {
    const Entry& entry = pages_[static_cast<std::size_t>(*it)];
    if (!entry.pinned && entry.drawn) return it;
  }
  return recent_.end();
}

void PageStore::KeepWithinBound() {
  // Spares go first: they only spare drawing into fresh memory.
  while (KeptBytes() > budget_ && !spares_.empty()) spares_.pop_back();
  while (KeptBytes() > budget_) {
    const auto oldest = OldestDroppable(0);
    if (oldest == recent_.end()) return;
    pages_[static_cast<std::size_t>(*oldest)].picture = QImage();
    recent_.erase(oldest);
  }
}

void PageStore::DrawEntry(int page, const Entry& entry, QImage& into) const {
  if (entry.drawn && drawer_) drawer_(page, entry.look, into);
  for (const DrawOverPage& paint : entry.overlays) {
    QPainter painter(&into);  // each as it was drawn: with a painter of its own
    paint(painter);
  }
}

QImage& PageStore::PageBitmap(int page) {
  page = std::clamp(page, 1, kMaxPages);
  Entry& entry = At(page);
  if (entry.picture.isNull()) {
    entry.picture = NewPagePicture();
    DrawEntry(page, entry, entry.picture);
  }
  Touch(page);
  return entry.picture;
}

QImage PageStore::PageAtRatioOne(int page) {
  page = std::clamp(page, 1, kMaxPages);
  if (ratio_ == 1) return PageBitmap(page);
  QImage picture = NewWhiteBitmap(kPageWidth, kPageHeight);
  DrawEntry(page, At(page), picture);
  return picture;
}

QImage& PageStore::BitmapToDraw(int page, const PageLook& look) {
  Entry& entry = At(page);
  if (entry.picture.isNull()) {
    entry.picture = NewPagePicture();
  } else {
    entry.picture.fill(Qt::white);
  }
  entry.look = look;
  entry.drawn = true;
  entry.pinned = false;
  entry.overlays.clear();
  Touch(page);
  return entry.picture;
}

void PageStore::DrawOver(int page, DrawOverPage paint) {
  QImage& picture = PageBitmap(page);
  Entry& entry = At(page);
  entry.pinned = true;
  {
    QPainter painter(&picture);
    paint(painter);
  }
  entry.overlays.push_back(std::move(paint));
}

QImage* PageStore::PictureDrawnWith(int page, const PageLook& look) {
  Entry& entry = At(page);
  if (entry.picture.isNull() || !entry.drawn || !(entry.look == look)) return nullptr;
  entry.pinned = false;
  entry.overlays.clear();
  Touch(page);
  return &entry.picture;
}

void PageStore::CreatePage(int page) {
  Entry& entry = At(page);
  Recycle(entry.picture);
  entry = Entry{};
  entry.picture = NewPagePicture();
  Touch(page);
}

void PageStore::InvalidateAll(int pageCount, const PageLook& look) {
  for (int page = 1; page <= std::clamp(pageCount, 0, kMaxPages); ++page) {
    Recycle(pages_[static_cast<std::size_t>(page)].picture);
    pages_[static_cast<std::size_t>(page)] = Entry{QImage(), look, true, false, {}};
  }
  recent_.remove_if([this](int page) { return pages_[static_cast<std::size_t>(page)].picture.isNull(); });
}

void PageStore::Invalidate(int page, const PageLook& look) {
  page = std::clamp(page, 1, kMaxPages);
  Recycle(pages_[static_cast<std::size_t>(page)].picture);
  pages_[static_cast<std::size_t>(page)] = Entry{QImage(), look, true, false, {}};
  recent_.remove(page);
}

void PageStore::Clear() {
  for (Entry& entry : pages_) {
    Recycle(entry.picture);
    entry = Entry{};
  }
  recent_.clear();
}

std::size_t PageStore::KeptPages() const { return recent_.size(); }

std::size_t PageStore::KeptBytes() const {
  qsizetype bytes = 0;
  for (const int page : recent_) bytes += pages_[static_cast<std::size_t>(page)].picture.sizeInBytes();
  for (const QImage& spare : spares_) bytes += spare.sizeInBytes();
  return static_cast<std::size_t>(bytes);
}
