// The thumbnail of tessel-cli thumbnail, within a budget of time and size.
#pragma once

#include "cli/CliCommand.h"

#include <chrono>
#include <cstdint>
#include <string>

// What one thumbnail may cost; `tessel-cli thumbnail --help` states the command's budget. The
// time covers reading and packing; the node count (from the file's header, before anything is
// read) and the file size keep a hostile or huge document from being read at all.
struct ThumbnailBudget {
    std::chrono::milliseconds time{10000};
    std::int32_t maxNodes = 250000;
    std::uintmax_t maxFileBytes = std::uintmax_t{48} << 20;
};

// Writes the PNG thumbnail of the document `in` to `out`, `size` pixels square (one less for
// an odd size): packed and drawn antialiased, the margin transparent. A document over the
// budget gets its outer circle alone. Says on `context.out` which of the two it drew; returns
// CliBadInput (said on `context.err`, nothing written) for a file that is no document.
int WriteThumbnail(CliContext& context, const std::string& in, const std::string& out, int size,
                   const ThumbnailBudget& budget);
