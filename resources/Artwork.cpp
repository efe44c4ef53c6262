#include "resources/Artwork.h"

#include "resources/ArtworkCatalog.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

// The resources live in a static library: naming the initialiser here links
// it into every program that looks a picture up. It has to be declared
// outside any namespace, hence not in the one below.
static void RegisterArtwork() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(artwork);
    return true;
  }();
  (void)registered;
}

namespace {

QString ResourcePath(const QString& fileName) {
  return QStringLiteral(":") + QLatin1String(kArtworkResourcePrefix) + QStringLiteral("/") + fileName;
}

QImage LoadArtwork(int number) {
  RegisterArtwork();
  const QString file = number == kProgramIconNumber ? ProgramIconFileName(kProgramIconWindowSize)
                                                    : ArtworkFileName(number);
  const QImage image(ResourcePath(file));
  // Pictures with a see-through area keep their alpha; the others are plain RGB.
  const bool opaque = IsInlineIcon(number) || IsBusyFrame(number);
  return image.convertToFormat(opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
}

}  // namespace

QImage ArtworkImage(int number) {
  if (ArtworkPixelSize(number).isEmpty()) return {};
  // The page renderer asks for the same icons again and again; decode each once.
  static QMutex mutex;
  static QHash<int, QImage> cache;
  QMutexLocker lock(&mutex);
  auto found = cache.constFind(number);
  if (found == cache.constEnd()) found = cache.insert(number, LoadArtwork(number));
  return *found;
}

QImage ArtworkImage(QStringView name) {
  constexpr qsizetype kMaxDigits = 6;  // far beyond any number, short of overflow
  if (name.size() < 2 || name.size() > 1 + kMaxDigits || name.front() != u'#') return {};
  int number = 0;
  for (QChar c : name.mid(1)) {
    if (c < u'0' || c > u'9') return {};
    number = number * 10 + (c.unicode() - u'0');
  }
  return ArtworkImage(number);
}

QIcon ProgramIcon() {
  RegisterArtwork();
  QIcon icon;
  for (int size : kProgramIconSizes) icon.addFile(ResourcePath(ProgramIconFileName(size)));
  return icon;
}
