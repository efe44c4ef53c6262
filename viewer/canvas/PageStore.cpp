#include "viewer/canvas/PageStore.h"

#include "viewer/document/PageGeometry.h"

#include <algorithm>

QImage NewWhiteBitmap(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

PageStore::PageStore() : pages_(kMaxPages + 1) {}

QImage& PageStore::PageBitmap(int page) {
  QImage& image = pages_[static_cast<std::size_t>(std::clamp(page, 1, kMaxPages))];
  if (image.isNull()) image = NewWhiteBitmap(kPageWidth, kPageHeight);
  return image;
}

void PageStore::CreatePage(int page) {
  pages_[static_cast<std::size_t>(std::clamp(page, 1, kMaxPages))] = NewWhiteBitmap(kPageWidth, kPageHeight);
}

void PageStore::Clear() {
  for (QImage& image : pages_) image = QImage();
}
