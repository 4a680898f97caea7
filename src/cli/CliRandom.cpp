// tessel-cli random NODES OUT.tesl [--seed S]: an irregular triangulated disk of about NODES
// nodes from random grow and connect edits, the same for the same seed.
#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"

#include <limits>

int RunRandomCommand(CliContext& context) {
    CliArgs args;
    std::int64_t nodes = 0;
    std::int64_t seed = 1;
    if (!ParseCliArgs(context, "random", {"--seed"}, {}, 2, 2, args) ||
        !ParseCliInteger(context, "random", "NODES", args.positional[0], 4, MaxRandomDiskNodes,
                         nodes)) {
        return CliBadUsage;
    }
    auto given = args.values.find("--seed");
    if (given != args.values.end() &&
        !ParseCliInteger(context, "random", "--seed", given->second, 0,
                         std::numeric_limits<unsigned>::max(), seed)) {
        return CliBadUsage;
    }
    CTesselDoc doc;
    BuildRandomDisk(doc, static_cast<int>(nodes), static_cast<unsigned>(seed));
    return SaveForCli(context, "random", doc, args.positional[1]);
}
