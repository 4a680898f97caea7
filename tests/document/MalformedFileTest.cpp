// Damaged document files: each broken rule is refused with its kind of failure, and the
// document keeps the graph it had; hostile names and things that are no files are reported
// on one line.
#include "FileBuilder.h"
#include "TempDir.h"
#include "document/IniFile.h"
#include "document/SafeFile.h"
#include "document/TesselDoc.h"
#include "model/GraphInvariants.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Loads the bytes into a document holding the starting triangle; checks that a failure left
// that triangle untouched and returns the failure.
ArchiveError Load(const Bytes& bytes) {
    CTesselDoc doc;
    doc.NewGraph(300);
    std::string before = DescribeGraph(doc.m_nodes, doc.m_edges);
    CArchive ar(bytes);
    doc.Serialize(ar);
    if (ar.Failed()) {
        EXPECT_EQ(DescribeGraph(doc.m_nodes, doc.m_edges), before);
        EXPECT_EQ(doc.m_extentX, 500.0);
        EXPECT_FALSE(ar.ErrorText().empty());
    }
    return ar.Error();
}

} // namespace

TEST(MalformedFile, EachBrokenRuleIsRefused) {
    struct Row {
        const char* what;
        std::function<void(CFileGraph&)> breakIt;
        ArchiveError expected;
    };
    const Row rows[] = {
        {"nothing broken", [](CFileGraph&) {}, ArchiveError::None},
        {"edge index -1", [](CFileGraph& g) { g.nodes[1].edges[0] = -1; },
         ArchiveError::IndexOutOfRange},
        {"edge index past the end", [](CFileGraph& g) { g.nodes[1].edges[0] = 8; },
         ArchiveError::IndexOutOfRange},
        {"node index -1", [](CFileGraph& g) { g.edges[5][1] = -1; }, ArchiveError::IndexOutOfRange},
        {"node index past the end", [](CFileGraph& g) { g.edges[5][0] = 5; },
         ArchiveError::IndexOutOfRange},
        {"kind 3", [](CFileGraph& g) { g.nodes[2].kind = 3; }, ArchiveError::InconsistentGraph},
        {"kind -1", [](CFileGraph& g) { g.nodes[2].kind = -1; }, ArchiveError::InconsistentGraph},
        {"interior flag 2", [](CFileGraph& g) { g.edges[0][2] = 2; },
         ArchiveError::InconsistentGraph},
        {"edge listed at a node that is not an end",
         [](CFileGraph& g) { g.nodes[1].edges.push_back(6); }, ArchiveError::InconsistentGraph},
        {"edge listed twice", [](CFileGraph& g) { g.nodes[1].edges.push_back(0); },
         ArchiveError::InconsistentGraph},
        {"edge missing from one end",
         [](CFileGraph& g) { g.nodes[1].edges.erase(g.nodes[1].edges.begin()); },
         ArchiveError::InconsistentGraph},
        {"self loop",
         [](CFileGraph& g) {
             g.edges[4] = {1, 1, 0};
         },
         ArchiveError::InconsistentGraph},
        {"a position that is not finite", [](CFileGraph& g) { g.nodes[3].y = NAN; },
         ArchiveError::InconsistentGraph},
        {"an infinite extent", [](CFileGraph& g) { g.extentX = INFINITY; },
         ArchiveError::InconsistentGraph},
        {"a negative extent", [](CFileGraph& g) { g.extentY = -1; },
         ArchiveError::InconsistentGraph},
        {"consecutive neighbours not joined",
         [](CFileGraph& g) { std::swap(g.nodes[0].edges[1], g.nodes[0].edges[2]); },
         ArchiveError::InconsistentGraph},
        {"an outer fan in the opposite sense",
         [](CFileGraph& g) { std::swap(g.nodes[1].edges[0], g.nodes[1].edges[2]); },
         ArchiveError::InconsistentGraph},
        {"a node without edges",
         [](CFileGraph& g) {
             g.nodes.push_back({5, 5, {}, 2});
         },
         ArchiveError::InconsistentGraph},
        {"an extent of zero", [](CFileGraph& g) { g.extentX = 0; }, ArchiveError::None},
    };
    for (const Row& row : rows) {
        CFileGraph g = Wheel();
        row.breakIt(g);
        EXPECT_EQ(Load(EncodeFile(g)), row.expected) << row.what;
    }
}

TEST(MalformedFile, CountsBeyondTheFileAreRefusedBeforeAnythingIsAllocated) {
    CArchive header;
    header.WriteF64(500);
    header.WriteF64(500);
    header.WriteI32(2000000000);
    header.WriteI32(3);
    Bytes bytes = header.Bytes();
    bytes.resize(30);
    CTesselDoc doc;
    doc.NewGraph(300);
    CArchive ar(bytes);
    doc.Serialize(ar);
    EXPECT_EQ(ar.Error(), ArchiveError::EndOfFile);
    EXPECT_NE(ar.ErrorText().find("2000000000 nodes"), std::string::npos) << ar.ErrorText();
    EXPECT_EQ(doc.m_nodes.GetSize(), 3);

    // A node that claims more edge indices than bytes remain.
    CFileGraph g = Wheel();
    Bytes wheel = EncodeFile(g);
    wheel[24 + 16] = 0xFF;
    wheel[24 + 17] = 0xFF;
    wheel[24 + 18] = 0xFF;
    wheel[24 + 19] = 0x7F;
    EXPECT_EQ(Load(wheel), ArchiveError::EndOfFile);
}

TEST(MalformedFile, EveryTruncationIsRefused) {
    Bytes full = EncodeFile(Wheel());
    for (std::size_t size = 1; size < full.size(); ++size) {
        EXPECT_EQ(Load(Bytes(full.begin(), full.begin() + size)), ArchiveError::EndOfFile) << size;
    }
}

TEST(MalformedFile, CircleTagsOfTheWrongClassSchemaOrNumber) {
    CFileGraph g = Wheel();
    Bytes good = EncodeFile(g);
    std::size_t tag = 24 + 16 + 4 + 4 * 4 + 4; // the first node's circle
    auto withBytes = [&](std::size_t at, Bytes replacement) {
        Bytes bytes = good;
        std::copy(replacement.begin(), replacement.end(), bytes.begin() + at);
        return bytes;
    };
    EXPECT_EQ(Load(withBytes(tag, {0x01, 0x80})), ArchiveError::BadIndex);
    EXPECT_EQ(Load(withBytes(tag + 2, {0x02, 0x00})), ArchiveError::BadSchema);
    EXPECT_EQ(Load(withBytes(tag + 6, {'C', 'C', 'P', 'N', 'o', 'd', 'e', 'X', 'X'})),
              ArchiveError::BadClass);
    EXPECT_EQ(Load(withBytes(tag + 4, {0x07, 0x00, 'C', 'C', 'P', 'N', 'o', 'd', 'e'})),
              ArchiveError::BadClass); // a known class that is not a circle
}

TEST(MalformedFile, ControlBytesOfAClassNameAreEscapedInTheMessage) {
    Bytes bytes = EncodeFile(Wheel());
    std::size_t name = 24 + 16 + 4 + 4 * 4 + 4 + 6; // the first circle's class name, 9 bytes
    const std::string hostile("\x1b[2J\nA\0\x9bZ", 9);
    std::copy(hostile.begin(), hostile.end(), bytes.begin() + name);
    CTempDir dir;
    WriteText(dir.File("bad\n\x1b.tesl"), std::string(bytes.begin(), bytes.end()));
    CTesselDoc doc;
    std::string error;
    ASSERT_FALSE(doc.OnOpenDocument(dir.File("bad\n\x1b.tesl"), error));
    EXPECT_NE(error.find("\"\\x1b[2J\\x0aA\\x00\\x9bZ\""), std::string::npos) << error;
    EXPECT_NE(error.find("bad\\x0a\\x1b.tesl"), std::string::npos) << error;
    EXPECT_EQ(error.find_first_of(std::string("\n\x1b\0\x9b", 4)), std::string::npos) << error;
}

TEST(MalformedFile, WhatIsNoRegularFileIsNamedAndNeverWaitedFor) {
    CTempDir dir;
    ASSERT_EQ(mkfifo(dir.File("pipe.tesl").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.File("folder.tesl"));
    struct Row {
        std::string path;
        std::string reason;
    };
    const Row rows[] = {
        {dir.File("pipe.tesl"), "it is a named pipe (FIFO), not a regular file."},
        {dir.File("folder.tesl"), "it is a folder, not a file."},
        {"/dev/zero", "it is a device, not a regular file."},
    };
    for (const Row& row : rows) {
        CTesselDoc doc; // a pipe without a writer would block an ordinary open for ever
        std::string error;
        EXPECT_FALSE(doc.OnOpenDocument(row.path, error));
        EXPECT_EQ(error, "Cannot open \"" + row.path + "\": " + row.reason);
        CIniFile profile;
        EXPECT_FALSE(profile.Load(row.path, error));
        EXPECT_EQ(error, "Cannot open \"" + row.path + "\": " + row.reason);
    }
}

// Counts below zero are no empty graph: only a file without any bytes is the new document.
TEST(MalformedFile, NegativeCountsAreRefused) {
    struct Row {
        std::int32_t nodes;
        std::int32_t edges;
        ArchiveError expected;
    };
    const Row rows[] = {
        {-1, 0, ArchiveError::InconsistentGraph},
        {0, -1, ArchiveError::InconsistentGraph},
        {INT32_MIN, INT32_MIN, ArchiveError::InconsistentGraph},
        {0, 0, ArchiveError::None},
    };
    for (const Row& row : rows) {
        CArchive ar;
        ar.WriteF64(500);
        ar.WriteF64(500);
        ar.WriteI32(row.nodes);
        ar.WriteI32(row.edges);
        for (std::int32_t v : {0xFFFFFF, 0, 1}) {
            ar.WriteI32(v);
        }
        EXPECT_EQ(Load(ar.Bytes()), row.expected) << row.nodes << " " << row.edges;
    }
}

// What the system reports as a file of 0 bytes is read to its end; bytes after a whole
// document are kept out of it and counted.
TEST(MalformedFile, FilesAreReadToTheirEndWhateverTheirReportedSize) {
    CTempDir dir;
    WriteText(dir.File("empty.tesl"), "");
    const Bytes wheel = EncodeFile(Wheel());
    WriteText(dir.File("tail.tesl"), std::string(wheel.begin(), wheel.end()) + "tail");
    struct Row {
        std::string path;
        bool opens;
        int nodes;
        std::uint64_t trailing;
    };
    const Row rows[] = {
        {"/proc/cpuinfo", false, 0, 0},
        {"/proc/self/status", false, 0, 0},
        {dir.File("empty.tesl"), true, 3, 0},
        {dir.File("tail.tesl"), true, int(Wheel().nodes.size()), 4},
    };
    for (const Row& row : rows) {
        CTesselDoc doc;
        std::string error;
        EXPECT_EQ(doc.OnOpenDocument(row.path, error), row.opens) << row.path << ": " << error;
        if (row.opens) {
            EXPECT_EQ(doc.m_nodes.GetSize(), row.nodes) << row.path;
            EXPECT_EQ(doc.m_trailingBytes, row.trailing) << row.path;
        }
        std::vector<std::uint8_t> bytes;
        ASSERT_EQ(ReadWholeFile(row.path, 1 << 20, bytes, error), ReadResult::Ok) << error;
        EXPECT_EQ(bytes.empty(), row.path == dir.File("empty.tesl")) << row.path;
    }
    // A limit below what a file that reports 0 bytes holds still refuses it.
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_EQ(ReadWholeFile("/proc/self/status", 16, bytes, error), ReadResult::Failed);
    EXPECT_NE(error.find("the file is too large."), std::string::npos) << error;
}
