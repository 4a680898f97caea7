// tessel-cli hex RINGS OUT.tesl: the hexagonal disk of RINGS rings, drawn by the document's
// own grow and connect edits.
#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"

int RunHexCommand(CliContext& context) {
    CliArgs args;
    std::int64_t rings = 0;
    if (!ParseCliArgs(context, "hex", {}, {}, 2, 2, args) ||
        !ParseCliInteger(context, "hex", "RINGS", args.positional[0], 1, MaxHexRings, rings)) {
        return CliBadUsage;
    }
    CTesselDoc doc;
    BuildHexDisk(doc, static_cast<int>(rings));
    return SaveForCli(context, "hex", doc, args.positional[1]);
}
