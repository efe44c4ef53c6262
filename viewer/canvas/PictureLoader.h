#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <map>
#include <set>
#include <vector>

class UserDialogs;

// Turns a picture file into a bitmap, reporting a missing or unreadable file
// in a message. Pictures larger than the reader's memory limit count as
// unreadable, so a hostile file cannot exhaust memory.
class PictureLoader {
 public:
  explicit PictureLoader(UserDialogs& dialogs) : dialogs_(dialogs) {}

  // The picture drawn into a new bitmap of width x height (0 takes the
  // picture's own size; with keepProportions the picture is fitted into the
  // box). A null image when the file is missing, unreadable or empty.
  QImage GraphicLoadImageFileToBitmap(const QString& fileName, int width, int height,
                                      bool keepProportions);

  // The height of a picture read from its file's header, with the same
  // messages as loading it; 0 when missing or unreadable. Cheap enough for
  // laying out a document whose pages are drawn later.
  int PictureHeight(const QString& fileName);

  // From now on a failure is kept instead of shown, until a page that
  // shows the picture is shown (ReportHeld).
  void HoldReports() { holding_ = true; }
  // Shows the kept failures of `files` not shown since ForgetReports.
  void ReportHeld(const std::vector<QString>& files);
  // A new load of the document: each failure is told again, once.
  void ForgetReports();

  QSize LastPictureSize;                    // natural size of the last picture loaded
  QRgb PictureBackground = qRgb(255, 255, 255);

 private:
  void Failed(const QString& fileName, bool missing);
  void ShowLoaderMessage(const QString& fileName, bool missing);
  UserDialogs& dialogs_;
  bool holding_ = false;
  std::map<QString, bool> failed_;  // file, and whether it was missing (else unreadable)
  std::set<QString> reported_;
};

// The box a picture of `natural` size takes when fitted into `box` with its
// proportions kept; a box larger than the picture in the limiting direction
// keeps its size.
QSize FitKeepingProportions(QSize natural, QSize box);
