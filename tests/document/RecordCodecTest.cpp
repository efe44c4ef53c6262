#include "CacheTestSupport.h"

#include "viewer/document/RecordLayout.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace {

using L = RecordLayout;

LineRecord EveryFieldSet() {
  LineRecord line;
  line.absoluteLine = 0x01020304;
  line.pageNumber = -2;
  line.text = "first line";
  line.horizontalMarks = "1,2,3;";
  line.hasMarks = 1;
  line.twoColourPieces = "1,4,5,255,0;";
  line.verticalMarks = "3,7;";
  line.hasLinks = 1;
  line.linkPieces = "5,12,20,1E1;";
  line.linkTargets = "10,1E1;";
  line.alignment = "AL3";
  line.hasBold = 1;
  line.boldPieces = "2,4,6;";
  line.lineInPage = 0x0A0B;
  line.imageLine = 1;
  line.keepRecord = 1;
  return line;
}

std::string Z(std::string text) { return text.push_back('\0'), text; }

TEST(RecordCodec, EveryFieldLandsAtItsOffsetAndNothingElseIsWritten) {
  RecordCopies copies{0x11223344, -1, {}};
  std::iota(copies.lineBoxCopy.begin(), copies.lineBoxCopy.end(), std::uint8_t{1});
  const Bytes record = EncodeRecord(EveryFieldSet(), copies);
  ASSERT_EQ(record.size(), 32724u);

  // Each field: its offset and what the record holds there, terminating zero included.
  const std::vector<std::tuple<const char*, std::size_t, std::string>> table = {
      {"absoluteLine", 0, "\x04\x03\x02\x01"},
      {"pageNumber", 4, "\xFE\xFF\xFF\xFF"},
      {"text", 8, Z("first line")},
      {"horizontalMarks", 122, Z("1,2,3;")},
      {"hasMarks", 574, std::string("\x01\0\0\0", 4)},
      {"twoColourPieces", 578, Z("1,4,5,255,0;")},
      {"verticalMarks", 1602, Z("3,7;")},
      {"hasLinks", 2054, std::string("\x01\0\0\0", 4)},
      {"linkCounter", 2058, "\x44\x33\x22\x11"},
      {"linkPieces", 2062, Z("5,12,20,1E1;")},
      {"linkTargets", 2054 + 4302, Z("10,1E1;")},
      {"alignment", 2054 + 4754, Z("AL3")},
      {"hasBold", 14490, std::string("\x01\0\0\0", 4)},
      {"boldCounter", 14494, "\xFF\xFF\xFF\xFF"},
      {"boldPieces", 14498, Z("2,4,6;")},
      {"lineInPage", 26926, "\x0B\x0A"},
      {"imageLine", 26928, std::string("\x01\0\0\0", 4)},
      {"keepRecord", 26932, std::string("\x01\0\0\0", 4)},
      {"lineBoxCopy", 32686, std::string(reinterpret_cast<const char*>(copies.lineBoxCopy.data()), 34)},
  };
  std::vector<bool> covered(record.size());
  for (const auto& [field, offset, bytes] : table) {
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record[offset]), bytes.size()), bytes) << field;
    for (std::size_t i = 0; i < bytes.size(); ++i) covered[offset + i] = true;
  }
  for (std::size_t i = 0; i < record.size(); ++i) ASSERT_TRUE(covered[i] || !record[i]) << i;
}

TEST(RecordCodec, ReservedBytesAndSavedBoxBytesSurviveDecodeAndEncode) {
  RecordCopies copies{5, 6, {}};
  copies.lineBoxCopy.fill(0xAB);
  Bytes record = EncodeRecord(EveryFieldSet(), copies);
  std::mt19937 random(7);
  for (const auto& range : kReservedRanges) {
    // Zeros at both ends and inside, so the trimming of each range is exercised.
    for (std::size_t i = 1; i + 1 < range.size; i += 1 + random() % 5) {
      record[range.offset + i] = static_cast<std::uint8_t>(random());
    }
  }
  const DecodedRecord decoded = DecodeLineRecord(ConstRecordBytes(record.data(), kRecordSize));
  LineRecord fieldsOnly = decoded.line;
  fieldsOnly.reserved = {};
  EXPECT_EQ(fieldsOnly, EveryFieldSet());
  EXPECT_FALSE(decoded.line.reserved.runs.empty());
  EXPECT_EQ(decoded.copies, copies);
  EXPECT_EQ(EncodeRecord(decoded.line, decoded.copies), record);
  // A record without reserved bytes keeps none in memory.
  EXPECT_EQ(DecodeLineRecord(ConstRecordBytes(EncodeRecord(EveryFieldSet()).data(), kRecordSize)).line,
            EveryFieldSet());
}

// Bytes after a zero are ignored; a field without one is cut at its width minus one, zero-ended when written.
TEST(RecordCodec, TextFieldsEndAtTheirZeroOrTheirLastByte) {
  Bytes record = EncodeRecord(TextLine(1, 1, 1, "abc"));
  record[L::kText + 5] = 'x';  // after "abc\0"
  EXPECT_EQ(DecodeLineRecord(ConstRecordBytes(record.data(), kRecordSize)).line.text, "abc");

  record.assign(kRecordSize, 'A');
  const LineRecord line = DecodeLineRecord(ConstRecordBytes(record.data(), kRecordSize)).line;
  const std::vector<std::pair<const std::string*, std::size_t>> fields = {
      {&line.text, 113},         {&line.horizontalMarks, 451}, {&line.twoColourPieces, 1023},
      {&line.verticalMarks, 451}, {&line.linkPieces, 451},      {&line.linkTargets, 451},
      {&line.alignment, 7681},   {&line.boldPieces, 451},
  };
  for (const auto& [field, length] : fields) EXPECT_EQ(*field, std::string(length, 'A'));
  EXPECT_EQ(line.absoluteLine, 0x41414141);
  const Bytes rewritten = EncodeRecord(line);
  EXPECT_EQ(rewritten[L::kText + 113], 0);
  EXPECT_EQ(rewritten[L::kLinkGroup + MarkGroup::kAlignment + 7681], 0);
  EXPECT_EQ(FitTextField(std::string(114, 'y'), 114), std::string(113, 'y'));
  EXPECT_EQ(FitTextField(std::string(113, 'y'), 114), std::string(113, 'y'));
  EXPECT_EQ(FitTextField(std::string("ab\0cd", 5), 114), "ab");
  EXPECT_EQ(FitTextField("abc", 1), "");
  EXPECT_EQ(FitTextField("abc", 0), "");
}

}  // namespace
