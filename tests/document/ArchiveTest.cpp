// The archive's byte layout, its tagged-object forms and its failures.
#include "document/Archive.h"

#include "geometry/Object.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A stored class with a four-byte body, one derived from it, and an unrelated one.
class CArchiveProbe : public CObject {
    TESSEL_DECLARE_DYNCREATE(CArchiveProbe)
public:
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << m_value;
        } else {
            ar >> m_value;
        }
    }
    std::int32_t m_value = 0;
};
TESSEL_IMPLEMENT_DYNCREATE(CArchiveProbe, CObject)

class CArchiveProbeChild : public CArchiveProbe {
    TESSEL_DECLARE_DYNCREATE(CArchiveProbeChild)
};
TESSEL_IMPLEMENT_DYNCREATE(CArchiveProbeChild, CArchiveProbe)

class CArchiveOther : public CObject {
    TESSEL_DECLARE_DYNCREATE(CArchiveOther)
};
TESSEL_IMPLEMENT_DYNCREATE(CArchiveOther, CObject)

const CRuntimeClass* Probe() {
    return &CArchiveProbe::classCArchiveProbe;
}

Bytes ClassRecord(std::uint16_t schema, std::string_view name) {
    Bytes bytes{
        0xFF, 0xFF, std::uint8_t(schema), std::uint8_t(schema >> 8), std::uint8_t(name.size()), 0};
    bytes.insert(bytes.end(), name.begin(), name.end());
    return bytes;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// Reads one tagged probe object and returns the failure it ends with.
ArchiveError ReadOneProbe(const Bytes& bytes) {
    CArchive ar(bytes);
    std::unique_ptr<CObject> object(ar.ReadObject(Probe()).object);
    return ar.Error();
}

} // namespace

TEST(Archive, PrimitivesAreLittleEndianWithoutPadding) {
    CArchive out;
    out.WriteF64(1.0);
    out.WriteI32(-2);
    out.WriteU16(0x1234);
    out.WriteU32(0xA1B2C3D4);
    out.WriteChars("Hi");
    Bytes expected{0,    0,    0,    0,    0,    0,    0xF0, 0x3F, 0xFE, 0xFF,
                   0xFF, 0xFF, 0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 'H',  'i'};
    EXPECT_EQ(out.Bytes(), expected);

    CArchive in(out.Bytes());
    EXPECT_EQ(in.ReadF64(), 1.0);
    EXPECT_EQ(in.ReadI32(), -2);
    EXPECT_EQ(in.ReadU16(), 0x1234);
    EXPECT_EQ(in.ReadU32(), 0xA1B2C3D4u);
    EXPECT_EQ(in.ReadChars(2), "Hi");
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_FALSE(in.Failed());
}

TEST(Archive, TaggedObjectsShareOneRunningCount) {
    CArchiveProbe first, second;
    CArchiveProbeChild child;
    first.m_value = 7;
    second.m_value = 8;
    child.m_value = 9;
    CArchive out;
    out.WriteObject(&first);  // class 1, object 2
    out.WriteObject(&second); // object 3
    out.WriteObject(nullptr);
    out.WriteObject(&first);  // back-reference to 2
    out.WriteObject(&child);  // class 4, object 5
    out.WriteObject(&second); // back-reference to 3
    Bytes expected = Cat({ClassRecord(1, "CArchiveProbe"),
                          {7, 0, 0, 0, 0x01, 0x80, 8, 0, 0, 0, 0, 0, 2, 0},
                          ClassRecord(1, "CArchiveProbeChild"),
                          {9, 0, 0, 0, 3, 0}});
    ASSERT_EQ(out.Bytes(), expected);

    CArchive in(out.Bytes());
    auto a = in.ReadObject(Probe());
    auto b = in.ReadObject(Probe());
    auto none = in.ReadObject(Probe());
    auto aAgain = in.ReadObject(Probe());
    auto c = in.ReadObject(Probe());
    auto bAgain = in.ReadObject(Probe());
    std::unique_ptr<CObject> own[] = {std::unique_ptr<CObject>(a.object),
                                      std::unique_ptr<CObject>(b.object),
                                      std::unique_ptr<CObject>(c.object)};
    ASSERT_FALSE(in.Failed()) << in.ErrorText();
    EXPECT_EQ(static_cast<CArchiveProbe*>(a.object)->m_value, 7);
    EXPECT_EQ(static_cast<CArchiveProbe*>(b.object)->m_value, 8);
    EXPECT_EQ(none.object, nullptr);
    EXPECT_EQ(aAgain.object, a.object);
    EXPECT_TRUE(aAgain.backReference);
    EXPECT_FALSE(a.backReference);
    EXPECT_EQ(c.object->GetRuntimeClass(), &CArchiveProbeChild::classCArchiveProbeChild);
    EXPECT_EQ(bAgain.object, b.object);
}

TEST(Archive, LargeCountsUseTheLongForms) {
    // Enough objects of one class that a second class and its objects get numbers past 0x7FFF.
    std::vector<CArchiveProbe> many(0x7FFF);
    CArchiveProbeChild late, later;
    CArchive out;
    for (CArchiveProbe& probe : many) {
        out.WriteObject(&probe); // class 1, objects 2 ... 0x8000
    }
    out.WriteObject(&late);  // class 0x8001, object 0x8002
    out.WriteObject(&later); // known class 0x8001, object 0x8003
    out.WriteObject(&many.back());
    out.WriteObject(&late);
    const Bytes& bytes = out.Bytes();
    std::size_t tail = ClassRecord(1, "CArchiveProbe").size() + 4 + (0x7FFF - 1) * 6 +
                       ClassRecord(1, "CArchiveProbeChild").size() + 4;
    Bytes expected{0xFF, 0x7F, 0x01, 0x80, 0x00, 0x80, 0,    0,    0,    0,    0xFF,
                   0x7F, 0x00, 0x80, 0x00, 0x00, 0xFF, 0x7F, 0x02, 0x80, 0x00, 0x00};
    ASSERT_EQ(bytes.size(), tail + expected.size());
    EXPECT_EQ(Bytes(bytes.begin() + tail, bytes.end()), expected);

    CArchive in(bytes);
    std::vector<std::unique_ptr<CObject>> owned;
    for (std::size_t i = 0; i < many.size() + 2; ++i) {
        owned.emplace_back(in.ReadObject(Probe()).object);
    }
    auto back = in.ReadObject(Probe());
    auto lateAgain = in.ReadObject(Probe());
    ASSERT_FALSE(in.Failed()) << in.ErrorText();
    EXPECT_EQ(back.object, owned[many.size() - 1].get());
    EXPECT_EQ(lateAgain.object, owned[many.size()].get());
    EXPECT_EQ(owned.back()->GetRuntimeClass(), &CArchiveProbeChild::classCArchiveProbeChild);
}

TEST(Archive, MalformedTagsAreRefusedWithTheirKind) {
    Bytes body{1, 0, 0, 0};
    EXPECT_EQ(ReadOneProbe(Cat({{0x01, 0x80}, body})), ArchiveError::BadIndex);
    EXPECT_EQ(ReadOneProbe({0x05, 0x00}), ArchiveError::BadIndex);
    EXPECT_EQ(ReadOneProbe({0xFF, 0x7F, 0x00, 0x00, 0x00, 0x80}), ArchiveError::BadIndex);
    EXPECT_EQ(ReadOneProbe(Cat({ClassRecord(1, "CNoSuchClass"), body})), ArchiveError::BadClass);
    EXPECT_EQ(ReadOneProbe(Cat({ClassRecord(1, "CArchiveOther"), body})), ArchiveError::BadClass);
    EXPECT_EQ(ReadOneProbe(Cat({ClassRecord(1, "CObject"), body})), ArchiveError::BadClass);
    EXPECT_EQ(ReadOneProbe(Cat({ClassRecord(2, "CArchiveProbe"), body})), ArchiveError::BadSchema);
    EXPECT_EQ(ReadOneProbe(Cat({ClassRecord(1, std::string(64, 'C')), body})),
              ArchiveError::BadClass);
    EXPECT_EQ(ReadOneProbe({0xFF, 0xFF, 0x01, 0x00, 0x40, 0x00}), ArchiveError::BadClass);
    EXPECT_EQ(ReadOneProbe({0x00, 0x00}), ArchiveError::None);

    // A back-reference to a class number, and a class tag naming an object number.
    Bytes stream = Cat({ClassRecord(1, "CArchiveProbe"), body, {0x01, 0x00, 0x02, 0x80}});
    CArchive in(stream);
    std::unique_ptr<CObject> first(in.ReadObject(Probe()).object);
    EXPECT_EQ(in.ReadObject(Probe()).object, nullptr);
    EXPECT_EQ(in.Error(), ArchiveError::BadIndex);
}

TEST(Archive, EveryTruncationIsAnEndOfFileAndLaterReadsGiveZero) {
    CArchiveProbe probe;
    probe.m_value = 5;
    CArchive out;
    out.WriteF64(2.0);
    out.WriteObject(&probe);
    out.WriteObject(&probe);
    const Bytes& full = out.Bytes();
    for (std::size_t size = 0; size < full.size(); ++size) {
        Bytes cut(full.begin(), full.begin() + size);
        CArchive in(cut);
        in.ReadF64();
        std::unique_ptr<CObject> object(in.ReadObject(Probe()).object);
        in.ReadObject(Probe());
        EXPECT_EQ(in.Error(), ArchiveError::EndOfFile) << size;
        std::size_t stuck = in.Position();
        EXPECT_EQ(in.ReadI32(), 0);
        EXPECT_EQ(in.ReadF64(), 0.0);
        EXPECT_EQ(in.ReadChars(1), "");
        EXPECT_EQ(in.Position(), stuck);
    }
}

TEST(Archive, CountsAreCheckedAgainstTheBytesLeft) {
    Bytes thirty(30);
    CArchive in(thirty);
    EXPECT_TRUE(in.CheckCount(0, 32, "nodes"));
    EXPECT_TRUE(in.CheckCount(-4, 32, "nodes"));
    EXPECT_FALSE(in.CheckCount(2000000000, 32, "nodes"));
    EXPECT_EQ(in.Error(), ArchiveError::EndOfFile);
    EXPECT_NE(in.ErrorText().find("2000000000 nodes"), std::string::npos) << in.ErrorText();

    CArchive exact(thirty);
    EXPECT_TRUE(exact.CheckCount(2, 15, "edges"));
    EXPECT_FALSE(exact.CheckCount(3, 10, "edges") && exact.CheckCount(4, 8, "edges"));
}

TEST(Archive, TheFirstFailureIsKeptWithItsPosition) {
    Bytes stream{0x01, 0x80, 0x00};
    CArchive in(stream);
    in.ReadObject(Probe());
    in.Fail(ArchiveError::InconsistentGraph, "ignored");
    EXPECT_EQ(in.Error(), ArchiveError::BadIndex);
    EXPECT_EQ(in.ErrorText(), "The file refers to an object that it does not contain (bad index): "
                              "class number 1 (at byte 2).");
}
