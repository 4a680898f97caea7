// Whole-file reading and crash-safe replacement of files the program writes.
#pragma once

#include "circles/OutputFile.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Writes `bytes` in place of `path` whole or not at all, as COutputFile does: through a new
// file beside it, flushed to the disk before the rename, so that a failure at any step leaves
// the previous file as it was. A symbolic link is followed, a replaced file keeps its
// permissions, an existing file we may not write is refused and a device is written directly
// unless `targets` refuses it. On failure returns false and sets `error` to a sentence naming
// the file and the reason.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error,
                         COutputFile::Targets targets = COutputFile::Targets::Any);

enum class ReadResult { Ok, Missing, Failed };

// Reads a whole regular file of at most `maxBytes` bytes, to its end whatever size the system
// reports. Missing when the file does not exist; Failed (with `error` set) when it cannot be
// opened or read, is not a regular file or is larger than the limit.
ReadResult ReadWholeFile(const std::string& path, std::size_t maxBytes,
                         std::vector<std::uint8_t>& bytes, std::string& error);
