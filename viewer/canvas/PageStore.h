#pragma once

#include <QImage>

#include <vector>

// Owns the finished picture of every page; the one place that decides how
// many are kept. A page's picture is white until something draws it.
class PageStore {
 public:
  PageStore();

  // The bitmap of page 1..200 (created white on first use).
  QImage& PageBitmap(int page);
  // A fresh white bitmap for the page, replacing the old one.
  void CreatePage(int page);
  // Forgets every page (a new document is coming).
  void Clear();

 private:
  std::vector<QImage> pages_;
};

QImage NewWhiteBitmap(int width, int height);
