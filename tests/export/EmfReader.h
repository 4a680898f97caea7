// A small enhanced-metafile reader for tests: checks the file's framing and lists its records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct EmfRecord {
    std::uint32_t type = 0;
    std::vector<std::int32_t> params; // the record's 32-bit fields after type and size
};

struct EmfFile {
    std::string error; // empty when the framing is sound
    std::int32_t bounds[4] = {};
    std::int32_t frame[4] = {};
    std::uint32_t bytes = 0;
    std::uint32_t records = 0;
    std::uint16_t handles = 0;
    std::u16string description;
    std::uint32_t device[2] = {};
    std::uint32_t millimeters[2] = {};
    std::vector<EmfRecord> body; // every record after the header, end-of-file included
};

inline EmfFile ReadEmf(const std::vector<std::uint8_t>& data) {
    EmfFile f;
    auto u32 = [&](std::size_t at) {
        return std::uint32_t(data[at]) | std::uint32_t(data[at + 1]) << 8 |
               std::uint32_t(data[at + 2]) << 16 | std::uint32_t(data[at + 3]) << 24;
    };
    if (data.size() < 108 || u32(0) != 1 || u32(40) != 0x464D4520) {
        f.error = "not an EMF header";
        return f;
    }
    std::uint32_t headerSize = u32(4);
    for (int i = 0; i < 4; ++i) {
        f.bounds[i] = std::int32_t(u32(8 + 4 * i));
        f.frame[i] = std::int32_t(u32(24 + 4 * i));
    }
    f.bytes = u32(48);
    f.records = u32(52);
    f.handles = std::uint16_t(u32(56));
    std::uint32_t nDescription = u32(60), offDescription = u32(64);
    f.device[0] = u32(72), f.device[1] = u32(76);
    f.millimeters[0] = u32(80), f.millimeters[1] = u32(84);
    if (f.bytes != data.size() || headerSize % 4 != 0 || headerSize > data.size() ||
        offDescription + 2 * nDescription > headerSize) {
        f.error = "header sizes disagree with the file";
        return f;
    }
    for (std::uint32_t i = 0; i < nDescription; ++i) {
        f.description.push_back(
            char16_t(data[offDescription + 2 * i] | data[offDescription + 2 * i + 1] << 8));
    }
    std::size_t at = headerSize;
    std::uint32_t count = 1;
    while (at < data.size()) {
        if (at + 8 > data.size()) {
            f.error = "truncated record";
            return f;
        }
        std::uint32_t type = u32(at), size = u32(at + 4);
        if (size < 8 || size % 4 != 0 || at + size > data.size()) {
            f.error = "bad record size";
            return f;
        }
        EmfRecord r{type, {}};
        for (std::size_t p = at + 8; p < at + size; p += 4) {
            r.params.push_back(std::int32_t(u32(p)));
        }
        f.body.push_back(r);
        at += size;
        ++count;
    }
    if (count != f.records) {
        f.error = "record count disagrees with the header";
    } else if (f.body.empty() || f.body.back().type != 14) {
        f.error = "no end-of-file record at the end";
    }
    return f;
}
