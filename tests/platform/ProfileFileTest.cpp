#include "platform/ProfileFile.h"

#include "tests/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(ProfileFile, ReadsKeysByTheProfileRules) {
  const ProfileFile profile = ProfileFile::Parse(
      "; comment\r\norphan=before any section\r\n"
      "[Fichero]\r\n  Formato =   3302  \r\nFormato=1\r\nEmpty=\r\n"
      "[fichero]\r\nFormato=9999\r\nOther=second section\r\n"
      "[ Posicion ]\rY=-45\n");
  // Section, key, and what is read with "dflt" as the default.
  const std::array<const char*, 3> cases[] = {
      {"Fichero", "Formato", "3302"},              // blanks around name and value removed
      {"FICHERO", "formato", "3302"},              // names ignore case; the first key and section win
      {"Fichero", "Empty", ""},                    // present but empty is not the default
      {"Fichero", "Missing", "dflt"},
      {"Fichero", "Other", "dflt"},                // only the first of duplicate sections is read
      {"Posicion", "Y", "-45"},                    // bare CR and LF line ends, blanks inside brackets
      {"Nowhere", "Y", "dflt"},
      {"", "orphan", "dflt"},
  };
  for (const auto& [section, key, expected] : cases) {
    EXPECT_EQ(profile.Get(section, key, "dflt"), expected) << section << "/" << key;
  }
  EXPECT_EQ(ProfileFile::Parse("[unclosed\nk=v").Get("unclosed", "k", "d"), "v");
  EXPECT_EQ(ProfileFile::Parse("[]\n=v\n[S]").Get("", "", "d"), "v");
}

TEST(ProfileFile, WritesInPlaceAppendsToSectionOrAppendsSection) {
  ProfileFile profile = ProfileFile::Parse("; keep me\r\n[A]\r\nx=1\r\njunk line\r\n\r\n[B]\r\ny=2\r\n");
  profile.Set("a", "X", " 10");   // updates the existing key
  profile.Set("A", "z", "new");   // appended after the section's last non-blank line
  profile.Set("C", "w", "");      // a new section at the end
  profile.Set("C", "t", "one\r\ntwo\x1A three");  // line breaks cannot split the file
  EXPECT_EQ(profile.Serialize(), "; keep me\r\n[A]\r\nX= 10\r\njunk line\r\nz=new\r\n\r\n[B]\r\ny=2\r\n"
                                 "[C]\r\nw=\r\nt=one  two  three\r\n");
  EXPECT_EQ(profile.Get("A", "x", "?"), "10");
}

// What cannot be read is not replaced: a folder, a named pipe (which must not make it wait).
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
