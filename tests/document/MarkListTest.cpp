#include "viewer/document/LineRecord.h"
#include "viewer/document/MarkList.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Entries are decimal fields ended by a semicolon, stored only whole and only when they cannot break the list.
TEST(MarkList, EntriesAreAppendedWholeAsDecimalFieldsEndedBySemicolon) {
  std::string list;
  EXPECT_TRUE(AppendMarkEntry(list, kMarkListFieldSize, {5, 9, 14}));
  EXPECT_TRUE(AppendMarkEntry(list, kMarkListFieldSize, {5, -2, 0}));
  EXPECT_TRUE(AppendMarkEntry(list, kMarkListFieldSize, {5, 12, 20, "1E" + std::to_string(1)}));
  EXPECT_TRUE(AppendMarkEntry(list, kMarkListFieldSize, {16777215L, 255u}));
  EXPECT_EQ(list, "5,9,14;5,-2,0;5,12,20,1E1;16777215,255;");
  // "1,2,3;" is 6 characters; a field keeps one byte for its terminating zero.
  const std::vector<std::tuple<std::size_t, std::size_t, bool>> cases = {
      {445, 452, true}, {446, 452, false}, {0, 1, false}, {0, 0, false}};
  for (const auto& [listLength, fieldSize, stored] : cases) {
    const std::string before(listLength, 'x');
    std::string padded = before;
    EXPECT_EQ(MarkEntryFits(padded, fieldSize, {1, 2, 3}), stored) << listLength << " in " << fieldSize;
    EXPECT_EQ(AppendMarkEntry(padded, fieldSize, {1, 2, 3}), stored) << listLength << " in " << fieldSize;
    EXPECT_EQ(padded, stored ? before + "1,2,3;" : before);
  }
  for (const std::string& field : {std::string("3;4"), std::string("3,4"), std::string("3\0", 2)}) {
    list = "10,1E1;";
    EXPECT_FALSE(AppendMarkEntry(list, kMarkListFieldSize, {field, "1E2"}));
    EXPECT_EQ(list, "10,1E1;");
  }
  list.clear();
  EXPECT_TRUE(AppendMarkEntry(list, kMarkListFieldSize, {" 10x", "1E2"}));  // kept as typed
  EXPECT_EQ(list, " 10x,1E2;");
}

// An entry is what a semicolon ends; its fields stay text.
TEST(MarkList, EntriesAreParsedAndCountedByTheirEndingSemicolon) {
  const std::vector<std::pair<std::string, std::vector<std::vector<std::string>>>> cases = {
      {"", {}},
      {"5,9,14;", {{"5", "9", "14"}}},
      {"5,12,20,1E1;10,1E1;", {{"5", "12", "20", "1E1"}, {"10", "1E1"}}},
      {"1,2;3", {{"1", "2"}}},  // a cut last entry is not an entry
      {",;;", {{"", ""}, {""}}},
      {"a b,c;", {{"a b", "c"}}},
  };
  for (const auto& [list, expected] : cases) {
    std::vector<std::vector<std::string>> fields;
    for (const MarkEntry& entry : ParseMarkEntries(list)) fields.push_back(entry.fields);
    EXPECT_EQ(fields, expected) << list;
    EXPECT_EQ(CountMarkEntries(list), expected.size()) << list;
  }
  const auto entries = ParseMarkEntries("5,9;x;");  // missing fields read as zero and empty
  EXPECT_EQ(std::tuple(entries[0].Number(2), entries[0].Text(3), entries[1].Number(0)), std::tuple(0, "", 0));
}

TEST(MarkList, FieldNumbersAreReadLikeTheStoredIntegers) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"-3", -3},        {"+7", 7},           {"  12x", 12},      {"1E1", 1},     {"E1", 0}, {"-", 0},
      {"2147483647", INT_MAX},                {"2147483648", INT_MAX},            {"-2147483648", INT_MIN},
      {"-99999999999999999999999", INT_MIN},  {"00000000000000000000042", 42},
  };
  for (const auto& [field, value] : cases) EXPECT_EQ(ReadFieldNumber(field), value) << field;
}

}  // namespace
