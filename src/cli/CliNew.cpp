// tessel-cli new OUT.tesl: a new document, the starting triangle in a 500 x 500 extent.
#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "document/TesselDoc.h"

int RunNewCommand(CliContext& context) {
    CliArgs args;
    if (!ParseCliArgs(context, "new", {}, {}, 1, 1, args)) {
        return CliBadUsage;
    }
    CTesselDoc doc;
    doc.OnNewDocument();
    return SaveForCli(context, "new", doc, args.positional[0]);
}
