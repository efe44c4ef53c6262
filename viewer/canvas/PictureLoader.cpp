#include "viewer/canvas/PictureLoader.h"

#include "platform/UserDialogs.h"
#include "texts/TextSet.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {

// No picture of the page can be larger than the page itself many times
// over; this bounds what a hostile file can make us allocate.
constexpr int kMaxPictureMegabytes = 256;

// Only a regular file is a picture file: opening a named pipe would wait for
// a writer for ever, and a device never ends.
bool IsReadableFile(const QString& fileName) { return QFileInfo(fileName).isFile(); }

}  // namespace

QSize FitKeepingProportions(QSize natural, QSize box) {
  const double w = natural.width(), h = natural.height();
  if (w / box.width() > h / box.height()) {
    if (box.width() < w) box.setHeight(static_cast<int>(h / (w / box.width())));
  } else if (box.height() < h) {
    box.setWidth(static_cast<int>(w / (h / box.height())));
  }
  return box;
}

void PictureLoader::ShowLoaderMessage(const QString& fileName, bool missing) {
  const std::string name = fileName.toStdString();
  const std::string text =
      missing ? std::string(Text(TextId::ImageLoaderMissingBefore)) + name +
                    std::string(Text(TextId::ImageLoaderMissingAfter))
              : std::string(Text(TextId::ImageLoaderReadErrorBefore)) + name +
                    std::string(Text(TextId::ImageLoaderReadErrorAfter));
  dialogs_.ShowMessage(Text(TextId::ImageLoaderCaption), text, MessageStyle::Plain, MessageIcon::Warning);
}

void PictureLoader::Failed(const QString& fileName, bool missing) {
  if (holding_) {
    failed_[fileName] = missing;
  } else {
    ShowLoaderMessage(fileName, missing);
  }
}

void PictureLoader::ReportHeld(const std::vector<QString>& files) {
  for (const QString& file : files) {
    const auto failure = failed_.find(file);
    if (failure == failed_.end() || !reported_.insert(file).second) continue;
    ShowLoaderMessage(file, failure->second);
  }
}

void PictureLoader::ForgetReports() {
  failed_.clear();
  reported_.clear();
}

int PictureLoader::PictureHeight(const QString& fileName) {
  if (!QFileInfo::exists(fileName)) {
    Failed(fileName, true);
    return 0;
  }
  QImageReader reader(fileName);
  const QSize size = IsReadableFile(fileName) && reader.canRead() ? reader.size() : QSize();
  if (!size.isValid() || size.isEmpty() ||
      static_cast<qint64>(size.width()) * size.height() * 4 > qint64{kMaxPictureMegabytes} * 1024 * 1024) {
    Failed(fileName, false);
    return 0;
  }
  failed_.erase(fileName);
  LastPictureSize = size;
  return size.height();
}

QImage PictureLoader::GraphicLoadImageFileToBitmap(const QString& fileName, int width, int height,
                                                   bool keepProportions) {
  if (keepProportions && (width == 0 || height == 0)) return {};
  if (!QFileInfo::exists(fileName)) {
    Failed(fileName, true);
    return {};
  }
  QImageReader reader(fileName);
  reader.setAllocationLimit(kMaxPictureMegabytes);
  QImage picture = IsReadableFile(fileName) ? reader.read() : QImage();
  if (picture.isNull()) {
    Failed(fileName, false);
    return {};
  }
  failed_.erase(fileName);
  const QSize natural = picture.size();
  if (natural.isEmpty()) return {};
  QSize box(width == 0 ? natural.width() : width, height == 0 ? natural.height() : height);
  if (keepProportions) box = FitKeepingProportions(natural, box);
  if (box.isEmpty()) return {};

  QImage bitmap(box, QImage::Format_RGB32);
  if (bitmap.isNull()) return {};
  bitmap.fill(PictureBackground);
  QPainter painter(&bitmap);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, box != natural);
  painter.drawImage(QRect(QPoint(0, 0), box), picture, QRect(QPoint(0, 0), natural));
  painter.end();
  LastPictureSize = natural;
  return bitmap;
}
