// Draws the programs' pictures and the resource list that embeds them:
//   draw_artwork <folder>          PNG files and artwork.qrc into <folder>
//   draw_artwork --sheet <file>    every picture on one contact sheet
#include "resources/ArtworkCatalog.h"
#include "resources/ArtworkDrawing.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

namespace {

bool SavePicture(const QImage& picture, const QDir& folder, const QString& name) {
  if (!picture.isNull() && picture.save(folder.filePath(name), "PNG")) return true;
  std::fprintf(stderr, "draw_artwork: cannot write %s\n", qPrintable(folder.filePath(name)));
  return false;
}

// Writes every picture; returns the file names written, empty on failure.
QStringList SaveAllPictures(const QDir& folder) {
  QStringList names;
  const auto save = [&](const QImage& picture, const QString& name) {
    if (!SavePicture(picture, folder, name)) return false;
    names << name;
    return true;
  };
  for (int n = kFirstInlineIcon; n <= kLastInlineIcon; ++n) {
    if (!save(DrawInlineIcon(n), ArtworkFileName(n))) return {};
  }
  for (int n = kFirstMenuPicture; n <= kLastMenuPicture; ++n) {
    if (!save(DrawMenuPicture(n), ArtworkFileName(n))) return {};
  }
  for (int n = kFirstBusyFrame; n <= kLastBusyFrame; ++n) {
    if (!save(DrawBusyFrame(n), ArtworkFileName(n))) return {};
  }
  for (int size : kProgramIconSizes) {
    if (!save(DrawProgramIcon(size), ProgramIconFileName(size))) return {};
  }
  return names;
}

bool SaveResourceList(const QDir& folder, const QStringList& names) {
  QString list = QStringLiteral("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"%1\">\n")
                     .arg(QLatin1String(kArtworkResourcePrefix));
  for (const QString& name : names) list += QStringLiteral("  <file>") + name + QStringLiteral("</file>\n");
  list += QStringLiteral("</qresource>\n</RCC>\n");
  QSaveFile file(folder.filePath(QStringLiteral("artwork.qrc")));
  if (file.open(QIODevice::WriteOnly) && file.write(list.toUtf8()) >= 0 && file.commit()) {
    return true;
  }
  std::fprintf(stderr, "draw_artwork: cannot write %s\n", qPrintable(file.fileName()));
  return false;
}

int WriteArtwork(const QString& path) {
  QDir folder(path);
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "draw_artwork: cannot create %s\n", qPrintable(path));
    return 1;
  }
  const QStringList names = SaveAllPictures(folder);
  return !names.isEmpty() && SaveResourceList(folder, names) ? 0 : 1;
}

int WriteSheet(const QString& path) {
  if (DrawContactSheet().save(path, "PNG")) return 0;
  std::fprintf(stderr, "draw_artwork: cannot write %s\n", qPrintable(path));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Drawing needs no screen; this also lets the program run from a plain shell.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() == 3 && args[1] == u"--sheet") return WriteSheet(args[2]);
  if (args.size() == 2 && !args[1].startsWith(u'-')) return WriteArtwork(args[1]);
  std::fprintf(stderr, "usage: draw_artwork <folder> | draw_artwork --sheet <file.png>\n");
  return 2;
}
