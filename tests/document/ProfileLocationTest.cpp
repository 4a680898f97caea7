// Where the profile lives: beside a writable executable, else in the user's config folder.
#include "document/ProfileLocation.h"

#include "TempDir.h"

#include <gtest/gtest.h>

TEST(ProfileLocation, BesideTheExecutableWhenItsFolderIsWritable) {
    CTempDir dir;
    EXPECT_EQ(ProfilePathFor(dir.File("tessel"), "/cfg", "/home/u"), dir.File("tessel.ini"));
    EXPECT_EQ(ProfilePathFor(dir.File("Tessel.bin"), "/cfg", "/home/u"), dir.File("Tessel.ini"));
}

TEST(ProfileLocation, TheConfigFolderOtherwise) {
    EXPECT_EQ(ProfilePathFor("", "/cfg", "/home/u"), "/cfg/Tessel.ini");
    EXPECT_EQ(ProfilePathFor("/no/such/folder/tessel", "/cfg", "/home/u"), "/cfg/Tessel.ini");
    EXPECT_EQ(ProfilePathFor("", "", "/home/u"), "/home/u/.config/Tessel.ini");
    // A relative XDG_CONFIG_HOME is to be ignored.
    EXPECT_EQ(ProfilePathFor("", "relative/cfg", "/home/u"), "/home/u/.config/Tessel.ini");
    EXPECT_EQ(ProfilePathFor("", "", ""), "Tessel.ini");
}

TEST(ProfileLocation, TheRunningExecutableIsFound) {
    std::string self = ExecutablePath();
    EXPECT_NE(self.find("tessel_core_tests"), std::string::npos) << self;
}
