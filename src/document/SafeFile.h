// Whole-file reading and crash-safe replacement of files the program writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Writes `bytes` to a new file beside `path`, flushes it to the disk and only then renames it
// over `path`, so that a failure at any step leaves the previous file as it was. A symbolic
// link at `path` is followed: the file it points to is replaced. A new file gets the usual
// permissions (0666 less the umask), a replaced one keeps its own. On failure returns false
// and sets `error` to a sentence naming the file and the reason.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error);

enum class ReadResult { Ok, Missing, Failed };

// Reads a whole regular file of at most `maxBytes` bytes. Missing when the file does not
// exist; Failed (with `error` set) when it cannot be opened or read, is not a regular file or
// is larger than the limit.
ReadResult ReadWholeFile(const std::string& path, std::size_t maxBytes,
                         std::vector<std::uint8_t>& bytes, std::string& error);
