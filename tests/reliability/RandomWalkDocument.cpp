#include "tests/reliability/RandomWalkDocument.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <array>
#include <fstream>
#include <random>

namespace {

struct PictureFile {
  const char* name;
  const char* format;
  int width;
  int height;
};

// Heights from a line or two to more than a page holds, so some pictures
// are placed, some wait for the next page and some never fit.
constexpr std::array kPictures = {PictureFile{"strip.png", "PNG", 300, 20}, PictureFile{"photo.png", "PNG", 400, 150},
                                  PictureFile{"chart.bmp", "BMP", 200, 330}, PictureFile{"poster.png", "PNG", 500, 1200}};

void WritePicture(const std::string& folder, const PictureFile& picture, int index) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  image.fill(QColor::fromHsv(index * 70 % 360, 160, 230));
  QPainter painter(&image);
  painter.drawRect(0, 0, picture.width - 1, picture.height - 1);
  painter.drawLine(0, 0, picture.width - 1, picture.height - 1);
  painter.end();
  image.save(QString::fromStdString(folder + "/" + picture.name), picture.format);
}

// Words of both languages, accents included, so lines hold bytes above 127.
constexpr std::array kWords = {"the", "pages", "línea", "mark", "niño", "über", "text", "guide", "año", "words",
                               "a",   "of",    "página", "reader", "x", "—",    "café", "study", "1234", "end."};

std::string TextLine(std::mt19937& random) {
  std::string line;
  const int length = static_cast<int>(random() % 120);  // some run past a line's 93 characters
  while (static_cast<int>(line.size()) < length) {
    if (!line.empty()) line += random() % 13 == 0 ? "  " : " ";
    line += kWords[random() % kWords.size()];
  }
  return line;
}

void WriteText(const std::string& path, int lines, int pictureEvery, unsigned seed) {
  std::ofstream out(path, std::ios::binary);
  std::mt19937 random(seed);
  for (int i = 1; i <= lines; ++i) {
    if (i == lines / 2) {
      out << "{@@Lost,lost-picture.png}\r\n";  // reported when its page is drawn
    } else if (i % pictureEvery == 0) {
      out << "{@@Figure " << i << "," << kPictures[random() % kPictures.size()].name << "}\r\n";
    } else {
      out << TextLine(random) << (i % 3 == 0 ? "\n" : "\r\n");
    }
  }
}

}  // namespace

WalkFiles WriteWalkFiles(const std::string& folder) {
  for (std::size_t i = 0; i < kPictures.size(); ++i) WritePicture(folder, kPictures[i], static_cast<int>(i));
  WalkFiles files{folder + "/full.txt", folder + "/short.txt", folder + "/" + kPictures[1].name,
                  folder + "/no-such-text.txt", folder};
  WriteText(files.fullText, 13000, 89, 1);
  WriteText(files.shortText, 170, 40, 2);
  return files;
}
