// CArchive: the byte stream of a stored document, little-endian on every host, with the
// tagged-object forms that let a stream name an object's class.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class CGraphIndex;
class CObject;
struct CRuntimeClass;

// What went wrong first while reading (or, rarely, writing) an archive.
enum class ArchiveError {
    None,
    EndOfFile,         // the stream ends before the data it announces
    BadIndex,          // a tag names a class or object number that was never assigned
    BadClass,          // an unknown class name, or a class other than the one expected
    BadSchema,         // a known class stored with another schema
    IndexOutOfRange,   // a node or edge index outside its collection
    InconsistentGraph, // adjacency, kinds or values that contradict each other
    Cancelled          // the user stopped the reading
};

// A storing archive collects bytes in memory; a loading archive reads from a byte span
// that must outlive it. Failures never throw: the first one is remembered, and from then
// on every read returns zero without consuming anything, so a caller can finish its
// record and check Failed() once.
class CArchive {
public:
    CArchive() = default;
    explicit CArchive(std::span<const std::uint8_t> bytes) : m_loading(true), m_input(bytes) {}
    // The bytes of a loading archive must outlive it, so a temporary buffer is refused.
    explicit CArchive(std::vector<std::uint8_t>&&) = delete;
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return !m_loading; }
    bool IsLoading() const { return m_loading; }

    void WriteF64(double value);
    void WriteI32(std::int32_t value);
    void WriteU16(std::uint16_t value);
    void WriteU32(std::uint32_t value);
    void WriteChars(std::string_view text);
    // Writes the object as a tagged object (null, new class, known class or
    // back-reference) and, unless it was written before, its body through Serialize.
    void WriteObject(const CObject* object);
    const std::vector<std::uint8_t>& Bytes() const { return m_output; }
    // Hands the stored bytes over, leaving the archive empty.
    std::vector<std::uint8_t> TakeBytes() { return std::move(m_output); }
    // Room for that many stored bytes in all, so that a large document is not copied over
    // and over as its bytes grow.
    void Reserve(std::size_t bytes) { m_output.reserve(bytes); }

    double ReadF64();
    std::int32_t ReadI32();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::string ReadChars(std::size_t count);

    // The result of reading a tagged object. A new object belongs to the caller; a
    // back-reference returns an object read earlier in this stream, which its first
    // reader owns.
    struct ObjectRead {
        CObject* object = nullptr;
        bool backReference = false;
    };
    // Reads a tagged object that must be of class `requested` or derived from it.
    ObjectRead ReadObject(const CRuntimeClass* requested);

    // The indices node and edge records refer to each other by; nullptr outside a document.
    void SetGraph(const CGraphIndex* graph) { m_graph = graph; }
    const CGraphIndex* Graph() const { return m_graph; }

    std::size_t Position() const { return m_loading ? m_position : m_output.size(); }
    std::size_t Remaining() const { return m_input.size() - m_position; }
    // True when `count` records of at least `minBytes` bytes each can still follow;
    // otherwise records an end-of-file failure naming `what`. Lets a loader refuse a
    // count before it allocates anything for it.
    bool CheckCount(std::int64_t count, std::size_t minBytes, std::string_view what);

    // Long loading asks this now and then through CheckCancel; true stops it.
    void SetCancelCheck(std::function<bool()> check) { m_cancelCheck = std::move(check); }
    // Records a Cancelled failure when the cancel check asks for it; true when the archive
    // has failed, for whatever reason.
    bool CheckCancel();
    // Records a failure unless one is recorded already; `detail` completes the message.
    void Fail(ArchiveError error, std::string_view detail = {});
    bool Failed() const { return m_error != ArchiveError::None; }
    ArchiveError Error() const { return m_error; }
    // One sentence describing the first failure, with the byte offset where it happened.
    const std::string& ErrorText() const { return m_errorText; }

    CArchive& operator<<(double value) {
        WriteF64(value);
        return *this;
    }
    CArchive& operator<<(std::int32_t value) {
        WriteI32(value);
        return *this;
    }
    CArchive& operator>>(double& value) {
        value = ReadF64();
        return *this;
    }
    CArchive& operator>>(std::int32_t& value) {
        value = ReadI32();
        return *this;
    }

private:
    std::uint64_t ReadLittleEndian(std::size_t size);
    void WriteLittleEndian(std::uint64_t value, std::size_t size);
    // The next number of the running count shared by classes and objects.
    std::uint32_t NextNumber();
    void WriteClassTag(const CRuntimeClass* cls);
    void WriteNumberTag(std::uint32_t number, std::uint32_t flag);
    const CRuntimeClass* ReadNewClass(const CRuntimeClass* requested);
    const CRuntimeClass* LookUpClass(std::uint32_t number);

    bool m_loading = false;
    std::span<const std::uint8_t> m_input;
    std::size_t m_position = 0;
    std::vector<std::uint8_t> m_output;

    std::uint32_t m_count = 0; // the last number given to a class or an object
    std::unordered_map<const CRuntimeClass*, std::uint32_t> m_storedClasses;
    std::unordered_map<const CObject*, std::uint32_t> m_storedObjects;
    // Loading: what each number stands for; exactly one of the two is set.
    struct Loaded {
        const CRuntimeClass* cls = nullptr;
        CObject* object = nullptr;
    };
    std::vector<Loaded> m_loaded{Loaded{}}; // number 0 is "no object"

    const CGraphIndex* m_graph = nullptr;
    std::function<bool()> m_cancelCheck;
    ArchiveError m_error = ArchiveError::None;
    std::string m_errorText;
};
