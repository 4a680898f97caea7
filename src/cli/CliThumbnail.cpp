// tessel-cli thumbnail IN OUT.png SIZE: the picture of a document that file managers show, made
// within a bounded time and memory, since they run it on every document a user downloads. A
// document is packed to convergence and drawn antialiased, its margin transparent; one too
// large or too slow for that gets the plain picture of its outer circle, and a file that is no
// document gets nothing.
#include "cli/CliThumbnail.h"

#include "cli/CliArgs.h"
#include "document/TesselDoc.h"
#include "export/Export.h"
#include "packing/ConvergedPacking.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <new>
#include <ostream>
#include <sys/resource.h>

namespace {

// The address space of the process, a backstop for what the limits above do not foresee. The
// sanitizers reserve far more than that for themselves, so their builds go without it.
constexpr rlim_t kMaxAddressSpace = rlim_t{6} << 30;
// The quicker tolerance of a picture a few hundred pixels wide, where 1e-8 is far below a pixel.
constexpr double kTolerance = 1e-8;

constexpr std::int64_t kMinSize = 16;
constexpr std::int64_t kMaxSize = 4096;

void LimitAddressSpace() {
#if !defined(__SANITIZE_ADDRESS__)
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur > kMaxAddressSpace) {
        limit.rlim_cur = kMaxAddressSpace;
        setrlimit(RLIMIT_AS, &limit);
    }
#endif
}

// The node count of the document's header, or -1 when the file is shorter than one.
std::int32_t HeaderNodeCount(const std::string& path) {
    std::array<unsigned char, 24> header{};
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) {
        return -1;
    }
    return std::int32_t(std::uint32_t(header[16]) | std::uint32_t(header[17]) << 8 |
                        std::uint32_t(header[18]) << 16 | std::uint32_t(header[19]) << 24);
}

// Why the document gets the plain picture without being read, or nothing.
std::string TooLarge(const std::string& path, const ThumbnailBudget& budget) {
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(path, error);
    if (!error && bytes > budget.maxFileBytes) {
        return "the file has " + std::to_string(bytes) + " bytes, more than " +
               std::to_string(budget.maxFileBytes);
    }
    if (const std::int32_t nodes = HeaderNodeCount(path); nodes > budget.maxNodes) {
        return "the document has " + std::to_string(nodes) + " nodes, more than " +
               std::to_string(budget.maxNodes);
    }
    return {};
}

enum class Outcome { Packed, Plain, NoDocument };

// Reads and packs the document before the deadline. Plain, with the reason, when the packing
// is refused, runs out of time or of memory: the document then keeps its outer circle alone.
Outcome ReadAndPack(const std::string& path, CTesselDoc& doc, std::chrono::milliseconds budget,
                    std::string& reason) {
    const auto deadline = std::chrono::steady_clock::now() + budget;
    const auto late = [deadline] { return std::chrono::steady_clock::now() > deadline; };
    try {
        CConvergedPacking outcome;
        if (!doc.OnOpenDocument(path, reason, late)) {
            if (!late()) {
                return Outcome::NoDocument;
            }
        } else if (doc.PackToConvergence(
                       kTolerance, [&](int, double) { return !late(); }, outcome, &reason) &&
                   outcome.status != NewtonStatus::Cancelled) {
            return Outcome::Packed;
        }
    } catch (const std::bad_alloc&) {
        reason = "there is not enough memory";
    }
    if (late()) {
        reason = "reading and packing take longer than " + std::to_string(budget.count()) + " ms";
    }
    return Outcome::Plain;
}

} // namespace

int WriteThumbnail(CliContext& context, const std::string& in, const std::string& out, int size,
                   const ThumbnailBudget& budget) {
    CTesselDoc doc;
    std::string reason = TooLarge(in, budget);
    Outcome outcome = reason.empty() ? ReadAndPack(in, doc, budget.time, reason) : Outcome::Plain;
    if (outcome == Outcome::NoDocument) {
        ReportCliError(context.err, "thumbnail", reason);
        return CliBadInput;
    }
    // The picture fills the square, its margin included; an outer line too wide for so small
    // a picture is drawn narrower.
    int& outerWidth = doc.m_circles.m_outer.m_thickness;
    outerWidth = std::min(outerWidth, size / 8);
    PngSetup png;
    png.radius = double(size / 2 - outerWidth - CCPCircleArray::ExtentMargin);
    png.antialias = true;
    png.transparent = true;
    png.clearGaps = false;
    // Thumbnailers hand out a file to fill, and some read it back through their own handle.
    if (ExportStatus status = ExportPng(doc.m_circles, png, ExportTarget::InPlace(out));
        status != ExportStatus::Ok) {
        ReportCliError(context.err, "thumbnail", ExportErrorText(status, out));
        return CliBadInput;
    }
    context.out << (outcome == Outcome::Packed
                        ? std::to_string(doc.m_circles.GetCount()) + " circles\n"
                        : "the outer circle alone: " + reason + "\n");
    return CliOk;
}

int RunThumbnailCommand(CliContext& context) {
    CliArgs args;
    std::int64_t size = 0;
    if (!ParseCliArgs(context, "thumbnail", {}, {}, 3, 3, args) ||
        !ParseCliInteger(context, "thumbnail", "SIZE", args.positional[2], kMinSize, kMaxSize,
                         size)) {
        return CliBadUsage;
    }
    LimitAddressSpace();
    return WriteThumbnail(context, args.positional[0], args.positional[1], int(size),
                          ThumbnailBudget{});
}
