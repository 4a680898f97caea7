// tessel-cli tiling P Q DEPTH OUT.tesl: the triangulated regular tiling {P,Q} around a central
// tile.
#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "document/TesselDoc.h"
#include "document/TilingDisk.h"
#include "model/RegularTiling.h"

#include <ostream>

int RunTilingCommand(CliContext& context) {
    CliArgs args;
    std::int64_t p = 0, q = 0, depth = 0;
    if (!ParseCliArgs(context, "tiling", {}, {}, 4, 4, args) ||
        !ParseCliInteger(context, "tiling", "P", args.positional[0], MinTilingSides, MaxTilingSides,
                         p) ||
        !ParseCliInteger(context, "tiling", "Q", args.positional[1], MinTilingSides, MaxTilingSides,
                         q) ||
        !ParseCliInteger(context, "tiling", "DEPTH", args.positional[2], 1, MaxTilingDepth,
                         depth)) {
        return CliBadUsage;
    }
    if (std::string problem = FindTilingProblem(int(p), int(q), int(depth)); !problem.empty()) {
        ReportCliUsage(context.err, "tiling", problem);
        return CliBadUsage;
    }
    CTesselDoc doc;
    std::string problem;
    if (!BuildTilingDisk(doc, int(p), int(q), int(depth), problem)) {
        ReportCliError(context.err, "tiling", problem + ".");
        return CliBadInput;
    }
    if (int code = SaveForCli(context, "tiling", doc, args.positional[3]); code != CliOk) {
        return code;
    }
    const CGraphSize size = MeasureGraph(doc.m_nodes, doc.m_edges);
    context.out << size.nodes << " nodes, " << size.edges << " edges, " << size.triangles
                << " triangles\n";
    return CliOk;
}
