// Marks survive a missing or stale text link, a kill in the middle of New, and a "No" to the saved marks.
#include "tests/viewer/ViewerTestSupport.h"

#include "viewer/document/KeptDocuments.h"
#include "viewer/document/LittleEndian.h"

#include <zlib.h>

#include <chrono>
#include <ctime>

namespace {

using KeptVersions = ViewerProgram;

const auto Mark = UnderlineLineScript;
constexpr const char* kExit = "command 1047\n";

// Runs of the program; between them "@save" copies cache.04 and its link aside, "@restore" puts both back
// (as a kill before New wrote them), "@restore-link" the link alone, "@drop-link" deletes it.
struct Case {
  const char* name;
  std::vector<std::string> runs;
  std::vector<std::string> questions;  // of the last run, from the count of marks on
  std::vector<int> marked;             // lines of page 1 underlined in the end
};

TEST_F(KeptVersions, NoMarksAreLostWhateverHappenedBetweenRuns) {
  const std::string a = WriteText("a.txt", NumberedLines(100)), b = WriteText("b.txt", NumberedLines(90)),
                    c = WriteText("c.txt", NumberedLines(80));
  const auto back = [](const std::string& path, const std::string& replies) {
    return "choose " + path + "\n" + replies + "command 1046\n" + kExit;
  };
  const Case cases[] = {
      {"the link is missing",
       {Load(a) + Mark(1) + Mark(2) + kExit, "@drop-link", Load(b) + kExit, back(a, "reply yes\n")},
       {"(2 marcas). ¿Quieres recuperarlas? -> yes [question]"}, {1, 2}},
      {"killed between cache.04 and its link",
       {Load(a) + Mark(1) + kExit, "@save", Load(b) + kExit, "@restore-link", Mark(3) + Load(c) + kExit,
        back(b, "reply yes\n")},
       {"(1 marcas). ¿Quieres recuperarlas? -> yes [question]"}, {3}},
      {"killed in New after the kept file was written",
       {Load(a) + Mark(1) + kExit, "@save", Mark(8) + Load(b) + kExit, "@restore", Load(c) + kExit,
        back(a, "reply no\nreply yes\n")},
       {"(1 marcas). ¿Quieres recuperarlas? -> no [question]", "(2 marcas). ¿Quieres recuperarlas? -> yes [question]"},
       {1, 8}},
      {"No, then the clean copy marked",
       {Load(a) + Mark(1) + Load(b) + "choose " + a + "\nreply no\ncommand 1046\n" + Mark(2) + Load(b) + kExit,
        back(a, "reply no\nreply yes\n")},
       {"(1 marcas). ¿Quieres recuperarlas? -> no [question]", "(1 marcas). ¿Quieres recuperarlas? -> yes [question]"},
       {1}},
  };
  const std::string cache = kCacheFileName, link = kTextLinkFileName;
  const auto copy = [](const std::string& from, const std::string& to) {
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
  };
  for (const Case& c : cases) {
    FreshProgramFolder();
    std::vector<std::string> lines;
    for (const std::string& run : c.runs) {
      if (run == "@save") {
        for (const std::string& name : {cache, link}) copy(ProgramFilePath(name), folder.File(name));
      } else if (run == "@restore" || run == "@restore-link") {
        for (const std::string& name : {cache, link}) {
          if (run == "@restore" || name == link) copy(folder.File(name), ProgramFilePath(name));
        }
      } else if (run == "@drop-link") {
        std::filesystem::remove(ProgramFilePath(link));
      } else {
        lines = Run(run);
      }
    }
    std::vector<std::string> questions;
    for (const std::string& question : Matching(lines, "question")) questions.push_back(question.substr(question.rfind('(')));
    EXPECT_EQ(questions, c.questions) << c.name;
    std::vector<int> marked;
    const Document document = ReadCache();
    for (int line = 1; line <= kLinesPerPage; ++line) {
      if (!document.Line(1, line).horizontalMarks.empty()) marked.push_back(line);
    }
    EXPECT_EQ(marked, c.marked) << c.name;
  }
}

// A file where the folder of kept documents should be: the reader is told where and why, and keeps the document.
TEST_F(KeptVersions, WhenKeepingFailsTheFolderIsNamedAndTheTextIsNotOpened) {
  const std::string a = WriteText("a.txt", NumberedLines(100)), b = WriteText("b.txt", NumberedLines(20));
  const std::tuple<const char*, const char*> builds[] = {
      {"es", "message Programador | Err: 20 Not a directory (%)\\nNo se ha abierto el texto, para que no se pierdan "
             "las marcas del documento mostrado. [warning]"},
      {"en", "message Programmer | Err: 20 Not a directory (%)\\nThe text was not opened, so that the marks of the "
             "document shown are not lost. [warning]"},
  };
  for (const auto& [lang, message] : builds) {
    FreshProgramFolder();
    WriteProgramFile(kKeptFolderName, "not a folder");
    const auto lines = Run(Load(a) + Mark(1) + Load(b) + "state\n" + kExit, lang);
    std::string expected = message;
    expected.replace(expected.find('%'), 1, ProgramFilePath(kKeptFolderName));
    EXPECT_EQ(Matching(lines, "message"), std::vector<std::string>{expected});
    EXPECT_EQ(LastState(lines)["pages"], "2") << "the marked text of 100 lines stays";
    EXPECT_EQ(ReadCache().Line(1, 1).horizontalMarks, "1,3,9;");
  }
}

// The driver's kill while New lays out a long text stops it as a killed program: nothing more is written or said.
TEST_F(KeptVersions, AKillStopsTheCommandUnderWay) {
  Run(Load(WriteText("short.txt", NumberedLines(10))) + kExit);
  const auto lines = Run("later 30 kill\n" + Load(WriteText("long.txt", NumberedLines(200 * 65))) + "state\n");
  EXPECT_EQ(Matching(lines, "state").size(), 1u);
  EXPECT_EQ(LastState(lines)["pages"], "1") << "started again from what the kill left";
  EXPECT_EQ(ReadCache().PageCount, 1) << "the long text was never written";
}

std::uint64_t Fnv1a64(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const char c : bytes) hash = (hash ^ static_cast<std::uint8_t>(c)) * 0x100000001b3ull;
  return hash;
}

std::string Packed(const std::string& plain) {
  std::string packed(compressBound(plain.size()), '\0');
  uLongf size = packed.size();
  compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(plain.data()), plain.size());
  return packed.substr(0, size);
}

// What the earlier release kept for a text: one file per text, "<16 hex digits>.marcas", named by the FNV-1a 64 of
// the text's link ("MVLINK\x01\n", the identity, a zero digest); inside, "MVKEPT\x01\n", the plain size and the
// zlib-packed fields: the identity (path, length, FNV-1a 64 and CRC-32 of the bytes), no time kept, then the view
// and the lines, whose layout has not changed since (taken here from today's file, past its identity and time).
std::pair<std::string, std::string> EarlierKeptFile(const std::string& text, const std::string& content,
                                                    const std::string& todaysFile) {
  ByteReader head(std::string_view(todaysFile).substr(8));
  std::uint64_t plainSize = 0;
  head.U64(plainSize);
  std::string plain(plainSize, '\0');
  uLongf size = plainSize;
  uncompress(reinterpret_cast<Bytef*>(plain.data()), &size, reinterpret_cast<const Bytef*>(head.rest().data()),
             head.rest().size());
  const std::string path = std::filesystem::canonical(text).string();
  ByteWriter identity, file, link;
  identity.Text(path);
  identity.U64(content.size());
  identity.U64(Fnv1a64(content));
  identity.U32(static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(content.data()), content.size())));
  const std::string earlierPlain = identity.bytes() + plain.substr(4 + path.size() + 8 + 8 + 8);
  file.Raw(std::string_view("MVKEPT\x01\n", 8));
  file.U64(earlierPlain.size());
  file.Raw(Packed(earlierPlain));
  link.Raw(std::string_view("MVLINK\x01\n", 8));
  link.Raw(identity.bytes());
  link.U64(0);
  char name[17];
  std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(Fnv1a64(link.bytes())));
  return {std::string(name) + ".marcas", file.bytes()};
}

// After the upgrade, marks kept by the earlier release come back as a version dated by its file; a damaged file of
// that release is passed over, and none is removed.
TEST_F(KeptVersions, MarksKeptByTheEarlierReleaseComeBack) {
  const std::string content = NumberedLines(100), a = WriteText("a.txt", content);
  Run(Load(a) + Mark(1) + Mark(2) + Load(WriteText("b.txt", NumberedLines(90))) + kExit);
  const std::string marcas = ProgramFilePath(kKeptFolderName) + "/";
  const std::vector<std::filesystem::path> today(std::filesystem::directory_iterator(marcas), {});
  ASSERT_EQ(today.size(), 1u);
  const auto [name, bytes] = EarlierKeptFile(a, content, ReadFileBytes(today[0].string()));
  std::filesystem::remove(today[0]);
  WriteFileBytes(marcas + name, bytes);
  WriteFileBytes(marcas + "00000000000000ff.marcas", bytes.substr(0, bytes.size() - 9));
  std::tm local{};
  local.tm_year = 2026 - 1900, local.tm_mon = 11, local.tm_mday = 7, local.tm_hour = 17, local.tm_min = 5;
  local.tm_isdst = -1;
  std::filesystem::last_write_time(
      marcas + name, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(std::mktime(&local))));

  const auto lines = Run("choose " + a + "\nreply yes\ncommand 1046\n" + kExit);
  const auto questions = Matching(lines, "question");
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_TRUE(questions[0].ends_with(
      "tiene marcas guardadas el 7/12/2026 a las 17:05 (2 marcas). ¿Quieres recuperarlas? -> yes [question]"));
  const Document document = ReadCache();
  for (const int line : {1, 2}) EXPECT_FALSE(document.Line(1, line).horizontalMarks.empty()) << "line " << line;
  EXPECT_TRUE(std::filesystem::exists(marcas + name));
  EXPECT_TRUE(std::filesystem::exists(marcas + "00000000000000ff.marcas"));
}

}  // namespace
