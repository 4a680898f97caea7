// Document files for tessel-cli: the editor's own open and save, with messages on stderr.
#include "cli/CliDocument.h"

#include "document/TesselDoc.h"

#include <ostream>

int SaveForCli(CliContext& context, std::string_view command, CTesselDoc& doc,
               const std::string& path) {
    std::string error;
    if (!doc.OnSaveDocument(path, error)) {
        ReportCliError(context.err, command, error);
        return CliBadInput;
    }
    return CliOk;
}

bool OpenForCli(CliContext& context, std::string_view command, CTesselDoc& doc,
                const std::string& path) {
    std::string error;
    if (!doc.OnOpenDocument(path, error)) {
        ReportCliError(context.err, command, error);
        return false;
    }
    // Without a window the packing scale is that of a window the size of the graph area,
    // less the profile's margin.
    doc.SetViewMargin(context.settings.Margin);
    return true;
}
