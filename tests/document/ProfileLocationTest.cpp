// Where the profile and the data files live: a build tree keeps them beside the executable, an
// installed program under its prefix and in the user's config folder.
#include "document/ProfileLocation.h"

#include "TempDir.h"
#include "document/InstallLayout.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(ProfileLocation, FollowsTheBuildTreeAndTheEnvironment) {
    CTempDir dir;
    const std::string exe = dir.File("tessel");
    struct Case {
        std::string executable;
        bool buildTree;
        std::string configHome, home, expected;
    } cases[] = {
        {exe, true, "/cfg", "/home/u", dir.File("tessel.ini")},
        {dir.File("Tessel.bin"), true, "/cfg", "/home/u", dir.File("Tessel.ini")},
        // An installed editor never writes beside its executable, even where it could.
        {exe, false, "/cfg", "/home/u", "/cfg/tessel/tessel.ini"},
        {"/no/such/folder/tessel", true, "/cfg", "/home/u", "/cfg/tessel/tessel.ini"},
        {"", false, "/cfg", "/home/u", "/cfg/tessel/tessel.ini"},
        {"/usr/bin/tessel", false, "", "/home/u", "/home/u/.config/tessel/tessel.ini"},
        // A relative XDG_CONFIG_HOME is to be ignored.
        {"/usr/bin/tessel", false, "relative/cfg", "/home/u", "/home/u/.config/tessel/tessel.ini"},
        {"", false, "", "", "Tessel.ini"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProfilePathFor(c.executable, c.buildTree, c.configHome, c.home), c.expected)
            << c.executable << " build tree " << c.buildTree << " config " << c.configHome;
    }
}

TEST(ProfileLocation, CreatesMissingFoldersForTheUserAlone) {
    CTempDir dir;
    const std::string kept = dir.File("kept");
    ASSERT_EQ(mkdir(kept.c_str(), 0755), 0);
    EXPECT_TRUE(CreateProfileFolder(kept + "/config/tessel/tessel.ini"));
    struct stat info {};
    for (const char* folder : {"/config", "/config/tessel"}) {
        ASSERT_EQ(stat((kept + folder).c_str(), &info), 0) << folder;
        EXPECT_EQ(info.st_mode & 0777, 0700u) << folder;
    }
    ASSERT_EQ(stat(kept.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0755u);
    EXPECT_TRUE(CreateProfileFolder(kept + "/config/tessel/tessel.ini"));
    EXPECT_TRUE(CreateProfileFolder("Tessel.ini"));
    // A file where a folder has to go.
    WriteText(dir.File("file"), "x");
    EXPECT_FALSE(CreateProfileFolder(dir.File("file/tessel/tessel.ini")));
}

TEST(InstallLayout, DataBesideABuildTreeAndUnderAMovablePrefix) {
    struct Case {
        std::string executable;
        bool buildTree;
        std::string relative, expected;
    } cases[] = {
        {"/home/u/src/tessel/build/src/tessel", true, "../share/tessel",
         "/home/u/src/tessel/build/src"},
        {"/usr/bin/tessel", false, "../share/tessel", "/usr/share/tessel"},
        {"/opt/moved/prefix/bin/tessel", false, "../share/tessel",
         "/opt/moved/prefix/share/tessel"},
        {"/usr/games/tessel", false, "../share/games/tessel", "/usr/share/games/tessel"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DataFolderFor(c.executable, c.buildTree, c.relative), c.expected) << c.executable;
    }
}

TEST(InstallLayout, TheMarkerMakesABuildTree) {
    CTempDir dir;
    EXPECT_FALSE(IsBuildTree(dir.File("tessel")));
    EXPECT_FALSE(IsBuildTree(""));
    WriteText(dir.File(kBuildTreeMarker), "");
    EXPECT_TRUE(IsBuildTree(dir.File("tessel")));
    // The running test program is found, and its folder is no build tree of the programs.
    const std::string self = ExecutablePath();
    EXPECT_NE(self.find("tessel_core_tests"), std::string::npos) << self;
    EXPECT_FALSE(IsBuildTree(self));
}
