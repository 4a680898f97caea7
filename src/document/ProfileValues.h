// Reading profile values that may be anything: each reader falls back to the current value
// when the stored one is outside the range the program can work with.
#pragma once

#include "document/IniFile.h"
#include "geometry/Color.h"

#include <optional>
#include <string_view>

// An integer in [min, max]; anything else (or a missing key) keeps `current`.
int ReadProfileInt(const CIniFile& ini, std::string_view section, std::string_view key, int current,
                   int min, int max);
// A colour 0x00BBGGRR; a value outside 0 ... 0xFFFFFF keeps `current`.
COLORREF ReadProfileColor(const CIniFile& ini, std::string_view section, std::string_view key,
                          COLORREF current);
// A 0/1 flag; any nonzero value reads as 1.
int ReadProfileFlag(const CIniFile& ini, std::string_view section, std::string_view key,
                    int current);
// A real read as the profile reads reals (text that is not a number gives 0.0); a value
// outside [min, max], including NaN and the infinities, keeps `current`, or becomes
// `fallback` when one is given.
double ReadProfileReal(const CIniFile& ini, std::string_view section, std::string_view key,
                       double current, double min, double max,
                       std::optional<double> fallback = std::nullopt);
