// Reading and writing archive primitives and tagged objects.
#include "document/Archive.h"

#include "geometry/Object.h"
#include "geometry/Utf8Text.h"

#include <bit>

namespace {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
// Numbers from here on no longer fit the short forms.
constexpr std::uint32_t kFirstBigNumber = 0x7FFF;
constexpr std::uint32_t kMaxNumber = 0x3FFFFFFE;
// Class names of 64 characters or more are refused without being read.
constexpr std::size_t kMaxClassName = 64;

const char* Describe(ArchiveError error) {
    switch (error) {
    case ArchiveError::None:
        return "no error";
    case ArchiveError::EndOfFile:
        return "the file is truncated";
    case ArchiveError::BadIndex:
        return "the file refers to an object that it does not contain (bad index)";
    case ArchiveError::BadClass:
        return "the file contains an object of an unexpected class (bad class)";
    case ArchiveError::BadSchema:
        return "the file contains an object of an unsupported version (bad schema)";
    case ArchiveError::IndexOutOfRange:
        return "a node or edge index is out of range";
    case ArchiveError::InconsistentGraph:
        return "the graph in the file is inconsistent";
    case ArchiveError::Cancelled:
        return "the reading was cancelled";
    }
    return "unknown error";
}

} // namespace

void CArchive::Fail(ArchiveError error, std::string_view detail) {
    if (Failed() || error == ArchiveError::None) {
        return;
    }
    m_error = error;
    m_errorText = Describe(error);
    if (!detail.empty()) {
        m_errorText += ": ";
        m_errorText += detail;
    }
    // Where the reading stopped tells nothing about a graph that contradicts itself or about
    // the user's Cancel.
    if (error != ArchiveError::InconsistentGraph && error != ArchiveError::Cancelled) {
        m_errorText += " (at byte " + std::to_string(Position()) + ")";
    }
    m_errorText += '.';
    m_errorText[0] = static_cast<char>(m_errorText[0] - 'a' + 'A');
}

bool CArchive::CheckCancel() {
    if (!Failed() && m_cancelCheck && m_cancelCheck()) {
        Fail(ArchiveError::Cancelled);
    }
    return Failed();
}

bool CArchive::CheckCount(std::int64_t count, std::size_t minBytes, std::string_view what) {
    if (Failed()) {
        return false;
    }
    if (count <= 0 || static_cast<std::uint64_t>(count) <= Remaining() / minBytes) {
        return true;
    }
    Fail(ArchiveError::EndOfFile, std::to_string(count) + " " + std::string(what) +
                                      " announced, but only " + std::to_string(Remaining()) +
                                      " bytes follow");
    return false;
}

void CArchive::WriteLittleEndian(std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        m_output.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::uint64_t CArchive::ReadLittleEndian(std::size_t size) {
    if (Failed()) {
        return 0;
    }
    if (Remaining() < size) {
        Fail(ArchiveError::EndOfFile);
        return 0;
    }
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value |= static_cast<std::uint64_t>(m_input[m_position + i]) << (8 * i);
    }
    m_position += size;
    return value;
}

void CArchive::WriteF64(double value) {
    WriteLittleEndian(std::bit_cast<std::uint64_t>(value), 8);
}

void CArchive::WriteI32(std::int32_t value) {
    WriteLittleEndian(static_cast<std::uint32_t>(value), 4);
}

void CArchive::WriteU16(std::uint16_t value) {
    WriteLittleEndian(value, 2);
}

void CArchive::WriteU32(std::uint32_t value) {
    WriteLittleEndian(value, 4);
}

void CArchive::WriteChars(std::string_view text) {
    m_output.insert(m_output.end(), text.begin(), text.end());
}

double CArchive::ReadF64() {
    return std::bit_cast<double>(ReadLittleEndian(8));
}

std::int32_t CArchive::ReadI32() {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(ReadLittleEndian(4)));
}

std::uint16_t CArchive::ReadU16() {
    return static_cast<std::uint16_t>(ReadLittleEndian(2));
}

std::uint32_t CArchive::ReadU32() {
    return static_cast<std::uint32_t>(ReadLittleEndian(4));
}

std::string CArchive::ReadChars(std::size_t count) {
    if (Failed()) {
        return {};
    }
    if (Remaining() < count) {
        Fail(ArchiveError::EndOfFile);
        return {};
    }
    std::string text(reinterpret_cast<const char*>(m_input.data() + m_position), count);
    m_position += count;
    return text;
}

std::uint32_t CArchive::NextNumber() {
    if (m_count >= kMaxNumber) {
        Fail(ArchiveError::BadIndex, "more objects than an archive can number");
        return m_count;
    }
    return ++m_count;
}

void CArchive::WriteNumberTag(std::uint32_t number, std::uint32_t flag) {
    if (number < kFirstBigNumber) {
        WriteU16(static_cast<std::uint16_t>(number | (flag ? kClassTag : 0)));
    } else {
        WriteU16(kBigObjectTag);
        WriteU32(number | flag);
    }
}

void CArchive::WriteClassTag(const CRuntimeClass* cls) {
    auto known = m_storedClasses.find(cls);
    if (known != m_storedClasses.end()) {
        WriteNumberTag(known->second, kBigClassTag);
        return;
    }
    std::string_view name = cls->m_className;
    WriteU16(kNewClassTag);
    WriteU16(static_cast<std::uint16_t>(cls->m_schema));
    WriteU16(static_cast<std::uint16_t>(name.size()));
    WriteChars(name);
    m_storedClasses.emplace(cls, NextNumber());
}

void CArchive::WriteObject(const CObject* object) {
    if (!object) {
        WriteU16(kNullTag);
        return;
    }
    auto known = m_storedObjects.find(object);
    if (known != m_storedObjects.end()) {
        WriteNumberTag(known->second, 0);
        return;
    }
    WriteClassTag(object->GetRuntimeClass());
    m_storedObjects.emplace(object, NextNumber());
    // Serialize only reads through a loading archive; storing leaves the object as it is.
    const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadNewClass(const CRuntimeClass* requested) {
    std::uint16_t schema = ReadU16();
    std::uint16_t length = ReadU16();
    if (Failed()) {
        return nullptr;
    }
    if (length >= kMaxClassName) {
        Fail(ArchiveError::BadClass, "a class name of " + std::to_string(length) + " characters");
        return nullptr;
    }
    std::string name = ReadChars(length);
    if (Failed()) {
        return nullptr;
    }
    const CRuntimeClass* cls = CRuntimeClass::FromName(name);
    if (!cls || !cls->m_create || !cls->IsDerivedFrom(requested)) {
        // Appended piece by piece: "literal" + std::string&& trips a false -Wrestrict in g++ 12.
        std::string detail = "\"";
        detail += Printable(name);
        detail += "\" where ";
        detail += requested->m_className;
        detail += " was expected";
        Fail(ArchiveError::BadClass, detail);
        return nullptr;
    }
    if (schema != cls->m_schema) {
        Fail(ArchiveError::BadSchema, std::string(cls->m_className) + " schema " +
                                          std::to_string(schema) + " instead of " +
                                          std::to_string(cls->m_schema));
        return nullptr;
    }
    m_loaded.push_back({cls, nullptr});
    NextNumber();
    return cls;
}

const CRuntimeClass* CArchive::LookUpClass(std::uint32_t number) {
    if (number == 0 || number >= m_loaded.size() || !m_loaded[number].cls) {
        Fail(ArchiveError::BadIndex, "class number " + std::to_string(number));
        return nullptr;
    }
    return m_loaded[number].cls;
}

CArchive::ObjectRead CArchive::ReadObject(const CRuntimeClass* requested) {
    std::uint16_t shortTag = ReadU16();
    if (Failed()) {
        return {};
    }
    const CRuntimeClass* cls = nullptr;
    if (shortTag == kNewClassTag) {
        cls = ReadNewClass(requested);
    } else {
        std::uint32_t tag =
            shortTag == kBigObjectTag
                ? ReadU32()
                : (shortTag & 0x7FFFu) | ((shortTag & kClassTag) ? kBigClassTag : 0);
        if (Failed() || tag == kNullTag) {
            return {};
        }
        if (!(tag & kBigClassTag)) {
            if (tag >= m_loaded.size() || !m_loaded[tag].object) {
                Fail(ArchiveError::BadIndex, "object number " + std::to_string(tag));
                return {};
            }
            if (!m_loaded[tag].object->IsKindOf(requested)) {
                Fail(ArchiveError::BadClass,
                     std::string("a reference to an object that is not a ") +
                         requested->m_className);
                return {};
            }
            return {m_loaded[tag].object, true};
        }
        cls = LookUpClass(tag & ~kBigClassTag);
        if (cls && !cls->IsDerivedFrom(requested)) {
            Fail(ArchiveError::BadClass, std::string(cls->m_className) + " where " +
                                             requested->m_className + " was expected");
            return {};
        }
    }
    if (!cls) {
        return {};
    }
    CObject* object = cls->CreateObject();
    m_loaded.push_back({nullptr, object});
    NextNumber();
    object->Serialize(*this);
    return {object, false};
}
