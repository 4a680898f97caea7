// Whole-or-nothing output: text mode line ends, failures, the target kept on failure, long
// names, links and the temporary files of saves that were killed.
#include "circles/OutputFile.h"

#include "support/TempDir.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(OutputFile, TextModeStoresCrLfAndBinaryModeDoesNot) {
    TempDir dir;
    COutputFile text;
    ASSERT_TRUE(text.Open(dir.File("t.txt"), COutputFile::Mode::Text));
    text.Write("a\nb\n\nc");
    ASSERT_EQ(text.Commit(), FileStatus::Ok);
    EXPECT_EQ(ReadText(dir.File("t.txt")), "a\r\nb\r\n\r\nc");
    COutputFile binary;
    ASSERT_TRUE(binary.Open(dir.File("b.bin"), COutputFile::Mode::Binary));
    binary.Write("a\nb");
    ASSERT_EQ(binary.Commit(), FileStatus::Ok);
    EXPECT_EQ(ReadText(dir.File("b.bin")), "a\nb");
}

TEST(OutputFile, AFailedWriteKeepsTheOldFileAndItsPermissions) {
    TempDir dir;
    std::string path = dir.File("keep.txt");
    { std::ofstream(path) << "old contents"; }
    chmod(path.c_str(), 0640);
    {
        FileSizeLimit limit(10);
        COutputFile file;
        ASSERT_TRUE(file.Open(path, COutputFile::Mode::Text));
        file.Write(std::string(100, 'x'));
        EXPECT_EQ(file.Commit(), FileStatus::WriteFailed);
    }
    EXPECT_EQ(ReadText(path), "old contents");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"keep.txt"});

    COutputFile file;
    ASSERT_TRUE(file.Open(path, COutputFile::Mode::Text));
    file.Write("new");
    ASSERT_EQ(file.Commit(), FileStatus::Ok);
    EXPECT_EQ(ReadText(path), "new");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(OutputFile, UnopenableTargetsAreRefused) {
    TempDir dir;
    COutputFile file;
    EXPECT_FALSE(file.Open(dir.File("no/such/folder.txt"), COutputFile::Mode::Text));
    EXPECT_NE(file.ErrorText().find("no/such/folder.txt"), std::string::npos) << file.ErrorText();
    EXPECT_FALSE(file.Open(dir.Path(), COutputFile::Mode::Text)); // a folder
    EXPECT_NE(file.ErrorText().find(dir.Path()), std::string::npos) << file.ErrorText();
    EXPECT_EQ(file.Commit(), FileStatus::CannotOpen);
    if (geteuid() != 0) { // root may write anything
        std::string ro = dir.File("ro.txt");
        std::ofstream(ro) << "x";
        chmod(ro.c_str(), 0444);
        EXPECT_FALSE(file.Open(ro, COutputFile::Mode::Text));
    }
}

TEST(OutputFile, DevicesAreWrittenDirectlyAndTheirErrorsReported) {
    COutputFile full;
    ASSERT_TRUE(full.Open("/dev/full", COutputFile::Mode::Binary));
    full.Write(std::string(70000, 'x'));
    EXPECT_EQ(full.Commit(), FileStatus::WriteFailed);
    EXPECT_NE(full.ErrorText().find("\"/dev/full\": "), std::string::npos) << full.ErrorText();
    COutputFile null;
    ASSERT_TRUE(null.Open("/dev/null", COutputFile::Mode::Binary));
    null.Write("x");
    EXPECT_EQ(null.Commit(), FileStatus::Ok);
}

TEST(OutputFile, TheLongestLegalNamesCanBeWrittenAndReplaced) {
    TempDir dir;
    // Two names of 255 bytes (the limit) that differ only in their last byte, and one of 249.
    const std::string a = std::string(254, 'n') + "a", b = std::string(254, 'n') + "b";
    const std::string mid = std::string(244, 'm') + ".tesl";
    for (const std::string& name : {a, b, mid, a}) {
        COutputFile file;
        ASSERT_TRUE(file.Open(dir.File(name), COutputFile::Mode::Binary)) << file.ErrorText();
        file.Write(name.substr(0, 1) + name.back());
        ASSERT_EQ(file.Commit(), FileStatus::Ok) << file.ErrorText();
    }
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{mid, a, b}));
    EXPECT_EQ(ReadText(dir.File(a)), "na");
    EXPECT_EQ(ReadText(dir.File(b)), "nb");
}

TEST(OutputFile, SymbolicLinksAreFollowedEvenWhenDanglingAndLoopsRefused) {
    TempDir dir;
    namespace fs = std::filesystem;
    fs::create_directory(dir.File("sub"));
    fs::create_symlink("sub/target.txt", dir.File("dangling")); // relative to the link's folder
    fs::create_symlink("dangling", dir.File("chain"));
    COutputFile file;
    ASSERT_TRUE(file.Open(dir.File("chain"), COutputFile::Mode::Binary)) << file.ErrorText();
    file.Write("through two links");
    ASSERT_EQ(file.Commit(), FileStatus::Ok);
    EXPECT_TRUE(fs::is_symlink(dir.File("chain")));
    EXPECT_TRUE(fs::is_symlink(dir.File("dangling")));
    EXPECT_EQ(ReadText(dir.File("sub/target.txt")), "through two links");

    fs::create_symlink("loop-b", dir.File("loop-a"));
    fs::create_symlink("loop-a", dir.File("loop-b"));
    EXPECT_FALSE(file.Open(dir.File("loop-a"), COutputFile::Mode::Binary));
    EXPECT_NE(file.ErrorText().find("loop-a"), std::string::npos);
    EXPECT_NE(file.ErrorText().find(std::strerror(ELOOP)), std::string::npos) << file.ErrorText();
    EXPECT_TRUE(fs::is_symlink(dir.File("loop-a")));
    EXPECT_TRUE(fs::is_symlink(dir.File("loop-b")));
    EXPECT_FALSE(fs::exists(dir.File("sub/loop-a")));
}

namespace {

// The name of the temporary file a save of `name` in `dir` writes, as it lies there while the
// save is under way; the save is then abandoned, which removes it.
std::string TempNameDuringSave(const TempDir& dir, const std::string& name) {
    std::vector<std::string> before = dir.Names();
    COutputFile file;
    EXPECT_TRUE(file.Open(dir.File(name), COutputFile::Mode::Binary));
    for (const std::string& now : dir.Names()) {
        if (std::find(before.begin(), before.end(), now) == before.end()) {
            return now;
        }
    }
    return {};
}

// The temporary name with the process id in it replaced by `pid`.
std::string WithOwner(std::string temp, pid_t pid) {
    const std::string own = "." + std::to_string(getpid()) + "-";
    std::size_t at = temp.rfind(own);
    EXPECT_NE(at, std::string::npos) << temp;
    return at == std::string::npos ? temp
                                   : temp.replace(at, own.size(), "." + std::to_string(pid) + "-");
}

} // namespace

TEST(OutputFile, TemporaryFilesOfDeadSavesAreRemovedByTheNextSaveOfTheirTarget) {
    TempDir dir;
    const std::string temp = TempNameDuringSave(dir, "doc.tesl");
    EXPECT_TRUE(dir.Names().empty());
    EXPECT_TRUE(temp.starts_with("doc.tesl.") && temp.ends_with(".tessel-tmp")) << temp;
    const std::string otherTemp = TempNameDuringSave(dir, "doc.tesl.bak");
    // A process that has ended, as a save killed with SIGKILL has.
    pid_t ended = fork();
    if (ended == 0) {
        _exit(0);
    }
    ASSERT_GT(ended, 0);
    waitpid(ended, nullptr, 0);
    const std::string dead = WithOwner(temp, ended), live = WithOwner(temp, getppid()),
                      otherDead = WithOwner(otherTemp, ended);
    for (const std::string& name : {dead, live, otherDead}) {
        WriteText(dir.File(name), "partial");
    }
    COutputFile file;
    ASSERT_TRUE(file.Open(dir.File("doc.tesl"), COutputFile::Mode::Binary));
    file.Write("saved");
    ASSERT_EQ(file.Commit(), FileStatus::Ok);
    // Gone: the dead save's file. Kept: a running process's (a save under way) and the dead
    // file of another target, which that target's next save removes.
    std::vector<std::string> expected{"doc.tesl", live, otherDead};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.Names(), expected);
    ASSERT_TRUE(file.Open(dir.File("doc.tesl.bak"), COutputFile::Mode::Binary));
    ASSERT_EQ(file.Commit(), FileStatus::Ok);
    expected = {"doc.tesl", "doc.tesl.bak", live};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.Names(), expected);
}
