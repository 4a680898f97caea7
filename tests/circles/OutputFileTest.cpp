// Whole-or-nothing output: text mode line ends, failures, the target kept on failure, long
// names, links and the temporary files of saves that were killed.
#include "circles/OutputFile.h"

#include "support/TempDir.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/file.h>
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

// Nothing waits for a pipe that no program reads; a target that must be a regular file
// refuses everything else.
TEST(OutputFile, PipesAreNeverWaitedForAndRegularOnlyTargetsRefuseTheRest) {
    TempDir dir;
    const std::string pipe = dir.File("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    struct Row {
        std::string path;
        COutputFile::Targets targets;
        std::string reason;
    };
    const Row rows[] = {
        {pipe, COutputFile::Targets::Any, "it is a named pipe (FIFO) that no program reads."},
        {pipe, COutputFile::Targets::RegularOnly, "it is a named pipe (FIFO), not a regular file."},
        {"/dev/null", COutputFile::Targets::RegularOnly, "it is a device, not a regular file."},
    };
    for (const Row& row : rows) {
        COutputFile file;
        EXPECT_FALSE(file.Open(row.path, COutputFile::Mode::Binary, row.targets)) << row.path;
        EXPECT_EQ(file.ErrorText(), "Cannot write \"" + row.path + "\": " + row.reason);
    }
    // With a reader the pipe is written as a device is.
    int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    COutputFile file;
    ASSERT_TRUE(file.Open(pipe, COutputFile::Mode::Binary)) << file.ErrorText();
    file.Write("through");
    EXPECT_EQ(file.Commit(), FileStatus::Ok);
    char got[16] = {};
    EXPECT_EQ(read(reader, got, sizeof got), 7);
    EXPECT_STREQ(got, "through");
    close(reader);
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

// A save into a folder, or opening a document there, removes what saves killed there left:
// the temporary files of every target whose process has ended and whose lock nobody holds.
TEST(OutputFile, TemporaryFilesOfDeadSavesAreRemovedByTheNextSaveOrOpenInTheirFolder) {
    TempDir dir;
    const std::string temp = TempNameDuringSave(dir, "doc.tesl");
    EXPECT_TRUE(dir.Names().empty());
    EXPECT_TRUE(temp.starts_with("doc.tesl.") && temp.ends_with(".tessel-tmp")) << temp;
    const std::string otherTemp = TempNameDuringSave(dir, "other.eps");
    // A process that has ended, as a save killed with SIGKILL has.
    pid_t ended = fork();
    if (ended == 0) {
        _exit(0);
    }
    ASSERT_GT(ended, 0);
    waitpid(ended, nullptr, 0);
    const std::string dead = WithOwner(temp, ended), otherDead = WithOwner(otherTemp, ended);
    // A save of a process whose id is not ours to see (another container) holds its lock.
    const std::string locked = WithOwner(otherTemp, ended) + ".x.0000000000000000." +
                               std::to_string(ended) + "-1.tessel-tmp";
    struct Row {
        std::string name;
        bool stays;
    };
    const Row rows[] = {
        {dead, false},
        {otherDead, false},
        {WithOwner(temp, getppid()), true}, // a running process: a save under way
        {locked, true},
        {"notes." + std::to_string(ended) + "-1.tessel-tmp", true}, // not a name saves make
        {"doc.tesl.0123456789abcdeg." + std::to_string(ended) + "-1.tessel-tmp", true},
        {"doc.tesl." + std::to_string(ended) + "-1", true},
    };
    for (bool byOpening : {false, true}) {
        for (const Row& row : rows) {
            WriteText(dir.File(row.name), "partial");
        }
        int lock = open(dir.File(locked).c_str(), O_RDONLY);
        ASSERT_EQ(flock(lock, LOCK_EX), 0);
        if (byOpening) {
            RemoveStaleTempFiles(dir.Path());
        } else {
            COutputFile file;
            ASSERT_TRUE(file.Open(dir.File("doc.tesl"), COutputFile::Mode::Binary));
            ASSERT_EQ(file.Commit(), FileStatus::Ok);
        }
        close(lock);
        std::vector<std::string> left = dir.Names();
        for (const Row& row : rows) {
            bool there = std::find(left.begin(), left.end(), row.name) != left.end();
            EXPECT_EQ(there, row.stays) << row.name << (byOpening ? " (open)" : " (save)");
        }
    }
}
