#include "platform/ProfileFile.h"

#include "tests/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(ProfileFile, ReadsKeysByTheProfileRules) {
  const ProfileFile profile = ProfileFile::Parse(
      "; comment\r\n"
      "orphan=before any section\r\n"
      "[Fichero]\r\n"
      "  Formato =   3302  \r\n"
      "Formato=1\r\n"
      "Empty=\r\n"
      "[fichero]\r\n"
      "Formato=9999\r\n"
      "Other=second section\r\n"
      "[ Posicion ]\r"
      "Y=-45\n");
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"Fichero", "Formato", "3302"},              // blanks around name and value removed
      {"FICHERO", "formato", "3302"},              // names ignore case; the first key and section win
      {"Fichero", "Empty", ""},                    // present but empty is not the default
      {"Fichero", "Missing", "dflt"},
      {"Fichero", "Other", "dflt"},                // only the first of duplicate sections is read
      {"Posicion", "Y", "-45"},                    // bare CR and LF line ends, blanks inside brackets
      {"Nowhere", "Y", "dflt"},
      {"", "orphan", "dflt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(profile.Get(c.section, c.key, "dflt"), c.expected) << c.section << "/" << c.key;
  }
}

TEST(ProfileFile, WritesInPlaceAppendsToSectionOrAppendsSection) {
  ProfileFile profile = ProfileFile::Parse(
      "; keep me\r\n"
      "[A]\r\n"
      "x=1\r\n"
      "junk line\r\n"
      "\r\n"
      "[B]\r\n"
      "y=2\r\n");
  profile.Set("a", "X", " 10");   // updates the existing key
  profile.Set("A", "z", "new");   // appended after the section's last non-blank line
  profile.Set("C", "w", "");      // a new section at the end
  profile.Set("C", "t", "one\r\ntwo\x1A three");  // line breaks cannot split the file
  EXPECT_EQ(profile.Serialize(),
            "; keep me\r\n"
            "[A]\r\n"
            "X= 10\r\n"
            "junk line\r\n"
            "z=new\r\n"
            "\r\n"
            "[B]\r\n"
            "y=2\r\n"
            "[C]\r\n"
            "w=\r\n"
            "t=one  two  three\r\n");
  EXPECT_EQ(profile.Get("A", "x", "?"), "10");
}

TEST(ProfileFile, TakesAnyBytes) {
  std::string garbage;
  for (int i = 0; i < 100000; ++i) {
    const char c = static_cast<char>((i * 7919) % 256);
    if (c != '\x1A') garbage += c;
  }
  EXPECT_EQ(ProfileFile::Parse(garbage + "\n[S]\nk=v").Get("S", "k", "d"), "v");
  EXPECT_EQ(ProfileFile::Parse("[S]\n\x1A\nk=v").Get("S", "k", "d"), "d") << "0x1A ends the text";
  EXPECT_EQ(ProfileFile::Parse("[unclosed\nk=v").Get("unclosed", "k", "d"), "v");
  EXPECT_EQ(ProfileFile::Parse("[]\n=v\n[S]").Get("", "", "d"), "v");
}

// What cannot be read is not replaced: a folder, a named pipe (which must
// not make it wait).
TEST(ProfileFile, OneCallFormsRoundTripThroughTheFile) {
  TempFolder folder;
  const std::string path = folder.File("Configuracion.ini");
  EXPECT_EQ(ReadProfileString("S", "k", "d", path), "d");  // no file yet
  EXPECT_FALSE(WriteProfileString("S", "k", "Página", path).failed());
  EXPECT_FALSE(WriteProfileString("T", "n", " 5", path).failed());
  EXPECT_EQ(ReadProfileString("s", "K", "d", path), "Página");
  EXPECT_EQ(ReadFileBytes(path), "[S]\r\nk=Página\r\n[T]\r\nn= 5\r\n");

  const std::string fifo = folder.File("pipe.ini");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ProfileFile profile;
  EXPECT_FALSE(ProfileFile::Load(folder.File("missing.ini"), profile).failed());
  EXPECT_EQ(ProfileFile::Load(fifo, profile).number, EINVAL);
  EXPECT_EQ(ProfileFile::Load(folder.path(), profile).number, EISDIR);
  EXPECT_EQ(WriteProfileString("S", "k", "v", folder.path()).number, EISDIR);
}

}  // namespace
