// Files that may be anything: picture bombs, things that are not files, the fullest cache, odd names.
#include "platform/ScriptedDialogs.h"
#include "tests/MarkedDocuments.h"
#include "tests/reliability/DriverChild.h"
#include "texts/TextSet.h"
#include "viewer/canvas/PictureLoader.h"
#include "viewer/document/CacheFile.h"
#include "viewer/document/MarkList.h"

#include <gtest/gtest.h>

#include <QImage>

#include <sys/stat.h>
#include <zlib.h>

namespace {

constexpr int kClaimed = 60000;  // pixels each way: 14 GB as a bitmap

// Puts `value` into `bytes` at `at` as a `size`-byte number.
void Put(std::string& bytes, std::size_t at, std::uint32_t value, int size, bool bigEndian) {
  for (int k = 0; k < size; ++k) {
    bytes[at + static_cast<std::size_t>(bigEndian ? size - 1 - k : k)] = static_cast<char>(value >> (8 * k));
  }
}

struct Hostile { const char* name; std::string path; };

// A GIF header with a global table of two colours, one frame, its data, the end (Qt writes no GIF).
const std::string kSmallGif("GIF89a\0\0\0\0\x80\0\0" "\0\0\0\xFF\xFF\xFF" "\x2C\0\0\0\0\0\0\0\0\0"
                            "\x02\x02\x4C\x01\0\x3B", 35);

// A small picture whose size fields (counted from a marker) claim kClaimed pixels each way.
struct Bomb {
  const char* name;
  const char* format;  // as Qt writes it; none for the GIF
  std::string marker;
  std::vector<std::size_t> sizeFields;
  int fieldBytes;
  bool bigEndian;
};

void WriteBomb(const Bomb& bomb, const std::string& path) {
  std::string bytes = kSmallGif;
  if (bomb.format) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.save(QString::fromStdString(path), bomb.format);
    bytes = ReadFileBytes(path);
  }
  const std::size_t at = bytes.find(bomb.marker);
  for (const std::size_t field : bomb.sizeFields) Put(bytes, at + field, kClaimed, bomb.fieldBytes, bomb.bigEndian);
  if (bomb.marker == "IHDR") {  // the chunk's CRC follows its 13 bytes
    const auto* chunk = reinterpret_cast<const Bytef*>(&bytes[at]);
    Put(bytes, at + 17, static_cast<std::uint32_t>(crc32(0, chunk, 17)), 4, true);
  }
  WriteFileBytes(path, bytes);
}

class HostileInput : public ::testing::Test, public DriverFolder {
 protected:
  // Pictures no loader may turn into a bitmap: bombs, and names of things that are not files.
  std::vector<Hostile> HostilePictures() {
    std::vector<Hostile> pictures{{"a named pipe", folder.File("pipe.png")}, {"a device", "/dev/zero"},
                                  {"a folder", folder.path()}};
    ::mkfifo(pictures[0].path.c_str(), 0600);
    const Bomb bombs[] = {{"bomb.png", "PNG", "IHDR", {4, 8}, 4, true},
                          {"bomb.jpg", "JPEG", "\xFF\xC0", {5, 7}, 2, true},
                          {"bomb.bmp", "BMP", "BM", {18, 22}, 4, false},
                          {"bomb.gif", nullptr, "GIF", {6, 8, 24, 26}, 2, false}};  // screen and frame
    for (const Bomb& bomb : bombs) {
      WriteBomb(bomb, folder.File(bomb.name));
      pictures.push_back({bomb.name, folder.File(bomb.name)});
    }
    return pictures;
  }

  static std::string ReadError(const std::string& path) {
    return "message Programador | [GraphicLoadImageFileToBitmap] [GdipLoadImagefromFile] read error on <" + path +
           "> [warning]";
  }
};

// Each picture refused and reported, its line an anchor, in a text whose name holds a line break and
// non-UTF-8 bytes; a missing name is reported, an export folder named with a line break refused.
TEST_F(HostileInput, WhatIsNoPictureIsRefusedAndStrangeNamesAreTakenAsTheyAre) {
  InstallTextSet(EnglishTexts());
  const std::vector<Hostile> pictures = HostilePictures();
  std::string text = "before\r\n";
  for (const Hostile& picture : pictures) {
    text += "{@@x," + picture.path + "}\r\n";
    std::vector<std::string> shown;
    ScriptedDialogs dialogs([&shown](const std::string& line) { shown.push_back(line); });
    PictureLoader loader(dialogs);
    const QString name = QString::fromStdString(picture.path);
    EXPECT_EQ(loader.PictureHeight(name), 0) << picture.name;
    EXPECT_TRUE(loader.GraphicLoadImageFileToBitmap(name, 0, 0, false).isNull()) << picture.name;
    EXPECT_TRUE(loader.GraphicLoadImageFileToBitmap(name, 100, 100, true).isNull()) << picture.name;
    EXPECT_EQ(shown, std::vector<std::string>(3, ReadError(picture.path))) << picture.name;
  }
  WriteFileBytes(folder.File("two\nlines \xFF\xFE.txt"), text + "{@@x,\xFF\xFE\x01.png}\r\nlast\r\n");
  const std::string script = "choose " + folder.File("two\\nlines \xFF\xFE.txt") + "\ncommand 1046\nstate\n" +
                             "command 1070\nclick 7007\nset 7008 new\\nline\nclick 7011\nstate\nclose\ncommand 1047\n";
  const auto lines = RunScript(script, Arguments(false, "en"));
  std::vector<std::string> states, messages;
  for (const auto& line : lines) (line.rfind("state ", 0) == 0 ? states : messages).push_back(line);
  ASSERT_EQ(states.size(), 2u);
  EXPECT_NE(states[0].find("pages=1 loaded=1"), std::string::npos) << states[0];
  EXPECT_NE(states[1].find("busy=1"), std::string::npos) << states[1];
  EXPECT_EQ(std::erase(messages, "message Programmer | A folder name cannot hold \"/\", \"\\\" or control characters, "
                                 "nor be \".\" or \"..\" ... [warning]"),
            1u);
  for (const Hostile& picture : pictures) EXPECT_GT(std::erase(messages, ReadError(picture.path)), 0u) << picture.name;
  ASSERT_FALSE(messages.empty());
  for (const auto& message : messages) EXPECT_NE(message.find("> Missing file"), std::string::npos) << message;
  Document document;
  ASSERT_TRUE(CacheRead(document, ProgramPath(kCacheFileName)));
  EXPECT_EQ(document.Line(1, static_cast<int>(pictures.size()) + 3).text, "last");
  EXPECT_FALSE(std::filesystem::exists(ProgramPath("new\nline")));
}

// Every slot of 200 pages used and every mark list full to its last byte.
Document FullestDocument() {
  Document document;
  document.PageCount = kMaxPages;
  for (int page = 1; page <= kMaxPages; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      LineRecord& record = PutLine(document, page, line, std::string(kMaxLineText, 'W'));
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
  DriverChild driver;
  ASSERT_TRUE(Start(driver, script, Arguments(false, "en")));
  EXPECT_EQ(driver.Finish(), "exit 0");
  std::vector<std::string> states, messages;
  for (const auto& line : driver.TakeLines()) {
    if (line.rfind("state ", 0) == 0) states.push_back(line);
    if (line.rfind("message ", 0) == 0 || line.rfind("error ", 0) == 0) messages.push_back(line);
  }
  ASSERT_EQ(states.size(), 3u);
  EXPECT_NE(states[0].find("page=200 pages=200 loaded=1"), std::string::npos) << states[0];
  EXPECT_NE(states[2].find("pages=200 loaded=1"), std::string::npos) << states[2];
  EXPECT_EQ(messages, (std::vector<std::string>{"message Programmer | Let's read your cache, Wait ...",
                                                "message Programmer | No more marks fit on this line ... [warning]"}));
  // The document is held compactly: far less than the file's 425 MB.
  EXPECT_LT(driver.PeakKb(), 1024 * (kSanitized ? 1200 : 400));
  EXPECT_EQ(ReadFileBytes(ProgramPath(kCacheFileName)).substr(0, 1 << 20), before);
}

}  // namespace
