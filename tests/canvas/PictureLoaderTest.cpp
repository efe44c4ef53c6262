#include "CanvasFixture.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

namespace {

using PictureLoaderTest = CanvasFixture;

quint32 Crc32(const QByteArray& bytes) {
  quint32 crc = 0xFFFFFFFF;
  for (const char byte : bytes) {
    crc ^= static_cast<quint8>(byte);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// A small PNG whose header claims `side` x `side` pixels.
QByteArray PngClaiming(int side) {
  QImage small(4, 4, QImage::Format_RGB32);
  small.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  small.save(&buffer, "PNG");
  // IHDR data starts at byte 16: width and height, big-endian.
  for (int k = 0; k < 4; ++k) {
    bytes[16 + k] = static_cast<char>((side >> (24 - 8 * k)) & 0xFF);
    bytes[20 + k] = static_cast<char>((side >> (24 - 8 * k)) & 0xFF);
  }
  const quint32 crc = Crc32(bytes.mid(12, 17));
  for (int k = 0; k < 4; ++k) bytes[29 + k] = static_cast<char>((crc >> (24 - 8 * k)) & 0xFF);
  return bytes;
}

TEST_F(PictureLoaderTest, LoadsAtNaturalSizeOrFittedKeepingProportions) {
  QTemporaryDir folder;
  const QString path = folder.filePath("p.png");
  QImage(200, 100, QImage::Format_RGB32).save(path);
  const QImage natural = pictures.GraphicLoadImageFileToBitmap(path, 0, 0, false);
  EXPECT_EQ(natural.size(), QSize(200, 100));
  EXPECT_EQ(pictures.LastPictureSize, QSize(200, 100));
  EXPECT_EQ(pictures.GraphicLoadImageFileToBitmap(path, 100, 100, true).size(), QSize(100, 50));
  EXPECT_TRUE(pictures.GraphicLoadImageFileToBitmap(path, 0, 100, true).isNull());
  EXPECT_EQ(FitKeepingProportions({200, 100}, {400, 400}), QSize(400, 400)) << "a larger box keeps its size";
  EXPECT_EQ(FitKeepingProportions({100, 200}, {100, 100}), QSize(50, 100));
  EXPECT_TRUE(messages.empty());
}

TEST_F(PictureLoaderTest, BadFilesGiveTheirMessageWordForWord) {
  QTemporaryDir folder;
  auto write = [&](const char* name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
  };
  const QString missing = folder.filePath("none.png");
  const QString cases[] = {
      write("empty.png", {}),
      write("text.png", "not a picture at all"),
      write("truncated.png", PngClaiming(4).left(40)),
      write("huge.png", PngClaiming(20000)),
      folder.path(),  // a folder
  };
  EXPECT_TRUE(pictures.GraphicLoadImageFileToBitmap(missing, 0, 0, false).isNull());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "message Programador | [GraphicLoadImageFileToBitmap] called on <" +
                             missing.toStdString() + "> Missing file [warning]");
  for (const QString& path : cases) {
    messages.clear();
    EXPECT_TRUE(pictures.GraphicLoadImageFileToBitmap(path, 0, 0, false).isNull()) << path.toStdString();
    ASSERT_EQ(messages.size(), 1u) << path.toStdString();
    EXPECT_EQ(messages[0], "message Programador | [GraphicLoadImageFileToBitmap] [GdipLoadImagefromFile] "
                           "read error on <" + path.toStdString() + "> [warning]");
  }
}

TEST_F(PictureLoaderTest, CaptionStaysSpanishInTheEnglishBuild) {
  InstallTextSet(EnglishTexts());
  pictures.GraphicLoadImageFileToBitmap("/no/such/file.png", 0, 0, false);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("message Programador | ", 0), 0u);
}

}  // namespace
