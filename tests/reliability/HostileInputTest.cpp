// Files that come from disk and may be anything: pictures that claim to be
// enormous, things that are not files at all, a cache as full as the format
// allows, and file names no one would type.
#include "platform/ScriptedDialogs.h"
#include "tests/TempFolder.h"
#include "tests/reliability/DriverProcess.h"
#include "texts/TextSet.h"
#include "viewer/canvas/PictureLoader.h"
#include "viewer/document/CacheFile.h"
#include "viewer/document/MarkList.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <sys/stat.h>

namespace {

constexpr int kClaimed = 60000;  // pixels each way: 14 GB as a bitmap

void Put16(std::string& bytes, std::size_t at, int value, bool bigEndian) {
  bytes[at + (bigEndian ? 1 : 0)] = static_cast<char>(value & 0xFF);
  bytes[at + (bigEndian ? 0 : 1)] = static_cast<char>(value >> 8);
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value, bool bigEndian) {
  for (int k = 0; k < 4; ++k) bytes[at + static_cast<std::size_t>(bigEndian ? 3 - k : k)] = static_cast<char>(value >> (8 * k));
}

std::uint32_t Crc32(const char* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= static_cast<std::uint8_t>(data[i]);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// A small real picture in `format`, as Qt writes it.
std::string SmallPicture(const char* format) {
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes.toStdString();
}

// Pictures whose headers claim kClaimed x kClaimed pixels over a few bytes
// of data: each format's size fields of a real small picture rewritten.
std::string PngBomb() {
  std::string png = SmallPicture("PNG");
  Put32(png, 16, kClaimed, true);  // IHDR width, height
  Put32(png, 20, kClaimed, true);
  Put32(png, 29, Crc32(png.data() + 12, 17), true);
  return png;
}

std::string JpegBomb() {
  std::string jpeg = SmallPicture("JPEG");
  const auto frame = jpeg.find("\xFF\xC0");
  Put16(jpeg, frame + 5, kClaimed, true);
  Put16(jpeg, frame + 7, kClaimed, true);
  return jpeg;
}

std::string BmpBomb() {
  std::string bmp = SmallPicture("BMP");
  Put32(bmp, 18, kClaimed, false);
  Put32(bmp, 22, kClaimed, false);
  return bmp;
}

std::string GifBomb() {
  std::string gif = "GIF89a";
  gif += std::string(7, '\0');
  Put16(gif, 6, kClaimed, false);
  Put16(gif, 8, kClaimed, false);
  gif[10] = static_cast<char>(0x80);  // a global table of two colours
  gif += std::string("\0\0\0\xFF\xFF\xFF", 6);
  gif += std::string("\x2C\0\0\0\0\0\0\0\0\0", 10);
  Put16(gif, gif.size() - 5, kClaimed, false);
  Put16(gif, gif.size() - 3, kClaimed, false);
  gif += std::string("\x02\x02\x4C\x01\x00\x3B", 6);
  return gif;
}

struct Hostile {
  const char* name;
  std::string path;
};

class HostileInput : public ::testing::Test {
 protected:
  std::string ProgramPath(const std::string& name = {}) const { return folder.File("program") + "/" + name; }

  // Pictures no loader may turn into a bitmap: bombs, and names of things
  // that are not files.
  std::vector<Hostile> HostilePictures() {
    const std::pair<const char*, std::string> bombs[] = {
        {"bomb.png", PngBomb()}, {"bomb.jpg", JpegBomb()}, {"bomb.bmp", BmpBomb()}, {"bomb.gif", GifBomb()}};
    std::vector<Hostile> pictures;
    for (const auto& [name, bytes] : bombs) {
      WriteFileBytes(folder.File(name), bytes);
      pictures.push_back({name, folder.File(name)});
    }
    ::mkfifo(folder.File("pipe.png").c_str(), 0600);
    pictures.push_back({"a named pipe", folder.File("pipe.png")});
    pictures.push_back({"a device", "/dev/zero"});
    pictures.push_back({"a folder", folder.path()});
    return pictures;
  }

  std::vector<std::string> Run(const std::string& script) {
    return RunDriverScript({"--lang", "en", "--folder", ProgramPath()}, script, folder.File("script.txt"));
  }

  static std::string ReadError(const std::string& path) {
    return "message Programador | [GraphicLoadImageFileToBitmap] [GdipLoadImagefromFile] read error on <" + path +
           "> [warning]";
  }

  TempFolder folder;
};

TEST_F(HostileInput, ThePictureLoaderRefusesWhatIsNoPicture) {
  InstallTextSet(EnglishTexts());
  for (const Hostile& picture : HostilePictures()) {
    std::vector<std::string> shown;
    ScriptedDialogs dialogs([&shown](const std::string& line) { shown.push_back(line); });
    PictureLoader loader(dialogs);
    const QString name = QString::fromStdString(picture.path);
    EXPECT_EQ(loader.PictureHeight(name), 0) << picture.name;
    EXPECT_TRUE(loader.GraphicLoadImageFileToBitmap(name, 0, 0, false).isNull()) << picture.name;
    EXPECT_TRUE(loader.GraphicLoadImageFileToBitmap(name, 100, 100, true).isNull()) << picture.name;
    EXPECT_EQ(shown, std::vector<std::string>(3, ReadError(picture.path))) << picture.name;
  }
}

// Through the text's picture directive: each is reported, its line is an
// anchor without picture, and the text goes on in the next slot.
TEST_F(HostileInput, PictureDirectivesNamingNoPictureLeaveAnAnchor) {
  for (const Hostile& picture : HostilePictures()) {
    std::filesystem::remove_all(ProgramPath());
    const std::string text = folder.File("text.txt");
    WriteFileBytes(text, "before\r\n{@@x," + picture.path + "}\r\nafter\r\n");
    const auto lines = Run("choose " + text + "\ncommand 1046\nstate\ncommand 1047\n");
    ASSERT_FALSE(lines.empty()) << picture.name;
    EXPECT_EQ(lines.front(), ReadError(picture.path)) << picture.name;
    Document document;
    ASSERT_TRUE(CacheRead(document, ProgramPath(kCacheFileName))) << picture.name;
    EXPECT_EQ(document.Line(1, 3).text, "after") << picture.name;
  }
}

// Names with a line break and bytes that are not UTF-8: the text loads from
// its own name, a picture name inside the text that cannot be found is
// reported as missing, and an export folder named with a line break is
// refused with the reason (the dialog stays open).
TEST_F(HostileInput, StrangeFileNamesAreTakenAsTheyAre) {
  WriteFileBytes(folder.File("two\nlines \xFF\xFE.txt"), "first\r\n{@@x,\xFF\xFE\x01.png}\r\nlast\r\n");
  const auto lines = Run("choose " + folder.File("two\\nlines \xFF\xFE.txt") + "\ncommand 1046\nstate\n" +
                         "command 1070\nclick 7007\nset 7008 new\\nline\nclick 7011\nstate\nclose\ncommand 1047\n");
  std::vector<std::string> states, messages;
  for (const auto& line : lines) (line.rfind("state ", 0) == 0 ? states : messages).push_back(line);
  ASSERT_EQ(states.size(), 2u);
  EXPECT_NE(states[0].find("pages=1 loaded=1"), std::string::npos) << states[0];
  EXPECT_NE(states[1].find("busy=1"), std::string::npos) << states[1];
  EXPECT_EQ(std::erase(messages, "message Programmer | A folder name cannot hold \"/\", \"\\\" or control characters, "
                                 "nor be \".\" or \"..\" ... [warning]"),
            1u);
  ASSERT_FALSE(messages.empty());
  for (const auto& message : messages) EXPECT_NE(message.find("> Missing file"), std::string::npos) << message;
  Document document;
  ASSERT_TRUE(CacheRead(document, ProgramPath(kCacheFileName)));
  EXPECT_EQ(document.Line(1, 3).text, "last");
  EXPECT_FALSE(std::filesystem::exists(ProgramPath("new\nline")));
}

// Every slot of 200 pages used and every mark list full to its last byte.
Document FullestDocument() {
  Document document;
  document.PageCount = kMaxPages;
  for (int page = 1; page <= kMaxPages; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      LineRecord& record = document.UseLine(page, line);
      record.absoluteLine = (page - 1) * kLinesPerPage + line;
      record.pageNumber = page;
      record.lineInPage = static_cast<std::int16_t>(line);
      record.text = std::string(kMaxLineText, 'W');
      record.hasMarks = record.hasLinks = record.hasBold = 1;
      const int other = line % kLinesPerPage + 1;
      while (AppendMarkEntry(record.horizontalMarks, kMarkListFieldSize, {line, 4, 116})) {}
      while (AppendMarkEntry(record.verticalMarks, kMarkListFieldSize, {line, other})) {}
      while (AppendMarkEntry(record.twoColourPieces, kTwoColourFieldSize, {line, 4, 116, 255, 16777215})) {}
      while (AppendMarkEntry(record.boldPieces, kMarkListFieldSize, {line, 4, 116})) {}
      while (AppendMarkEntry(record.linkPieces, kMarkListFieldSize, {line, 4, 116})) {}
      while (AppendMarkEntry(record.linkTargets, kMarkListFieldSize, {kMaxPages + 1 - page})) {}
    }
  }
  return document;
}

TEST_F(HostileInput, TheFullestCacheLoadsDrawsMarksAndUndoes) {
  std::filesystem::create_directories(ProgramPath());
  ASSERT_FALSE(CacheWrite(FullestDocument(), ProgramPath(kCacheFileName)).failed());
  const std::string before = ReadFileBytes(ProgramPath(kCacheFileName)).substr(0, 1 << 20);
  const std::string script = "key Right\nkey Right\nanswer 200\ncommand 1085\nstate\nkey PageDown\nkey End\n"
                             "command 1072\npress 8 8\ncommand 1073\nstate\ncommand 1084\nkey Left\nkey Home\n"
                             "key PageUp\nstate\n";
  DriverProcess driver;
  WriteFileBytes(folder.File("script.txt"), script);
  ASSERT_TRUE(driver.Start({"--lang", "en", "--folder", ProgramPath()}, folder.File("script.txt")));
  EXPECT_TRUE(driver.Finish()) << "ended by itself";
  std::vector<std::string> states, messages;
  for (const auto& line : driver.lines()) {
    if (line.rfind("state ", 0) == 0) states.push_back(line);
    if (line.rfind("message ", 0) == 0 || line.rfind("error ", 0) == 0) messages.push_back(line);
  }
  ASSERT_EQ(states.size(), 3u);
  EXPECT_NE(states[0].find("page=200 pages=200 loaded=1"), std::string::npos) << states[0];
  EXPECT_NE(states[2].find("pages=200 loaded=1"), std::string::npos) << states[2];
  EXPECT_EQ(messages, (std::vector<std::string>{"message Programmer | Let's read your cache, Wait ...",
                                                "message Programmer | No more marks fit on this line ... [warning]"}));
  // The document is held compactly: far less than the file's 425 MB.
  const long limitKb = 1024 * (kSanitized ? 1200 : 400);
  EXPECT_LT(driver.PeakKilobytes(), limitKb);
  RecordProperty("peak_kilobytes", static_cast<int>(driver.PeakKilobytes()));
  EXPECT_EQ(ReadFileBytes(ProgramPath(kCacheFileName)).substr(0, 1 << 20), before);
}

}  // namespace
