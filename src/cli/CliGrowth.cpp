// tessel-cli refine IN OUT --hex|--barycentric [--times K] and layer IN OUT [--times K]: the
// editor's Hex Refine, Barycentric Refine and Add Boundary Layer on a document file.
#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "document/TesselDoc.h"

#include <ostream>

namespace {

// Enough for any graph: every growth adds at least three nodes, and the result is bounded.
constexpr std::int64_t kMaxTimes = 1000000;

int Grow(CliContext& context, std::string_view command, const CliArgs& args, GraphGrowth growth) {
    std::int64_t times = 1;
    if (auto found = args.values.find("--times");
        found != args.values.end() &&
        !ParseCliInteger(context, command, "--times", found->second, 1, kMaxTimes, times)) {
        return CliBadUsage;
    }
    CTesselDoc doc;
    if (!OpenForCli(context, command, doc, args.positional[0])) {
        return CliBadInput;
    }
    std::string problem;
    if (!doc.GrowGraph(growth, static_cast<int>(times), problem)) {
        ReportCliError(context.err, command,
                       "cannot grow \"" + args.positional[0] + "\": " + problem + ".");
        return CliBadInput;
    }
    if (int code = SaveForCli(context, command, doc, args.positional[1]); code != CliOk) {
        return code;
    }
    const CGraphSize size = MeasureGraph(doc.m_nodes, doc.m_edges);
    context.out << size.nodes << " nodes, " << size.edges << " edges, " << size.triangles
                << " triangles\n";
    return CliOk;
}

} // namespace

int RunRefineCommand(CliContext& context) {
    CliArgs args;
    if (!ParseCliArgs(context, "refine", {"--times"}, {"--hex", "--barycentric"}, 2, 2, args)) {
        return CliBadUsage;
    }
    if (args.Has("--hex") == args.Has("--barycentric")) {
        ReportCliUsage(context.err, "refine", "give one of --hex and --barycentric");
        return CliBadUsage;
    }
    return Grow(context, "refine", args,
                args.Has("--hex") ? GraphGrowth::HexRefine : GraphGrowth::BarycentricRefine);
}

int RunLayerCommand(CliContext& context) {
    CliArgs args;
    if (!ParseCliArgs(context, "layer", {"--times"}, {}, 2, 2, args)) {
        return CliBadUsage;
    }
    return Grow(context, "layer", args, GraphGrowth::BoundaryLayer);
}
