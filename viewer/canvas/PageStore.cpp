#include "viewer/canvas/PageStore.h"

#include "viewer/document/PageGeometry.h"

#include <algorithm>

QImage NewWhiteBitmap(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

PageStore::PageStore(std::size_t keptPages) : pages_(kMaxPages + 1), keptPages_(std::max<std::size_t>(keptPages, 2)) {}

PageStore::Entry& PageStore::At(int page) { return pages_[static_cast<std::size_t>(std::clamp(page, 1, kMaxPages))]; }

void PageStore::Touch(int page) {
  page = std::clamp(page, 1, kMaxPages);
  recent_.remove(page);
  recent_.push_front(page);
  KeepWithinBound();
}

void PageStore::KeepWithinBound() {
  // The most recent page is the one being used: never dropped.
  auto it = recent_.end();
  while (recent_.size() > keptPages_ && it != std::next(recent_.begin())) {
    --it;
    Entry& entry = pages_[static_cast<std::size_t>(*it)];
    if (entry.pinned || !entry.drawn) continue;
    entry.picture = QImage();
    it = recent_.erase(it);
  }
}

QImage& PageStore::PageBitmap(int page) {
  Entry& entry = At(page);
  if (entry.picture.isNull()) {
    entry.picture = NewWhiteBitmap(kPageWidth, kPageHeight);
    if (entry.drawn && drawer_) drawer_(std::clamp(page, 1, kMaxPages), entry.look, entry.picture);
  }
  Touch(page);
  return entry.picture;
}

QImage& PageStore::BitmapToDraw(int page, const PageLook& look) {
  Entry& entry = At(page);
  if (entry.picture.isNull()) {
    entry.picture = NewWhiteBitmap(kPageWidth, kPageHeight);
  } else {
    entry.picture.fill(Qt::white);
  }
  entry.look = look;
  entry.drawn = true;
  entry.pinned = false;
  Touch(page);
  return entry.picture;
}

void PageStore::CreatePage(int page) {
  Entry& entry = At(page);
  entry = Entry{};
  entry.picture = NewWhiteBitmap(kPageWidth, kPageHeight);
  Touch(page);
}

void PageStore::InvalidateAll(int pageCount, const PageLook& look) {
  for (int page = 1; page <= std::clamp(pageCount, 0, kMaxPages); ++page) {
    pages_[static_cast<std::size_t>(page)] = Entry{QImage(), look, true, false};
  }
  recent_.remove_if([this](int page) { return pages_[static_cast<std::size_t>(page)].picture.isNull(); });
}

void PageStore::Invalidate(int page, const PageLook& look) {
  page = std::clamp(page, 1, kMaxPages);
  pages_[static_cast<std::size_t>(page)] = Entry{QImage(), look, true, false};
  recent_.remove(page);
}

void PageStore::PinPage(int page) { At(page).pinned = true; }

void PageStore::Clear() {
  for (Entry& entry : pages_) entry = Entry{};
  recent_.clear();
}

std::size_t PageStore::KeptPages() const { return recent_.size(); }
