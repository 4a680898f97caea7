// One fuzz input: the bytes as an archive of tagged objects and as profile text. Shared by
// the libFuzzer target and the GoogleTest that replays the kept crashers.
#pragma once

#include "document/Archive.h"
#include "document/IniFile.h"
#include "geometry/Object.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

inline void FuzzLoadOne(std::span<const std::uint8_t> bytes) {
    CArchive ar(bytes);
    std::vector<std::unique_ptr<CObject>> objects;
    while (!ar.Failed() && ar.Remaining() > 0) {
        CArchive::ObjectRead read = ar.ReadObject(&CObject::classCObject);
        if (!read.backReference) {
            objects.emplace_back(read.object);
        }
    }
    CIniFile ini;
    ini.Parse({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    ini.SetString("View", "Margin", "1");
    CIniFile again;
    again.Parse(ini.Text());
}
