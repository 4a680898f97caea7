// tessel-cli import IN OUT.tesl [--format p|off|obj|points] [--largest]: another program's
// file as a document, through the editor's own readers and checks.
#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "interchange/Import.h"

#include <ostream>

namespace {

bool ChooseFormat(CliContext& context, const CliArgs& args, ImportFormat& format) {
    auto given = args.values.find("--format");
    if (given == args.values.end()) {
        if (std::optional<ImportFormat> known = ImportFormatOf(args.positional[0])) {
            format = *known;
            return true;
        }
        return ReportCliUsage(context.err, "import",
                              "the extension of IN names no format: give --format");
    }
    const std::pair<const char*, ImportFormat> names[] = {{"p", ImportFormat::CirclePack},
                                                          {"off", ImportFormat::Off},
                                                          {"obj", ImportFormat::Obj},
                                                          {"points", ImportFormat::Points}};
    for (auto [name, value] : names) {
        if (given->second == name) {
            format = value;
            return true;
        }
    }
    return ReportCliUsage(context.err, "import",
                          "--format must be p, off, obj or points, not '" + given->second + "'");
}

} // namespace

int RunImportCommand(CliContext& context) {
    CliArgs args;
    CImportOptions options;
    if (!ParseCliArgs(context, "import", {"--format"}, {"--largest"}, 2, 2, args) ||
        !ChooseFormat(context, args, options.format)) {
        return CliBadUsage;
    }
    options.largest = args.Has("--largest");
    CTesselDoc doc;
    doc.SetViewMargin(context.settings.Margin);
    std::vector<std::string> notes;
    std::string error;
    if (!ImportFile(doc, args.positional[0], options, notes, error)) {
        ReportCliError(context.err, "import", error);
        return CliBadInput;
    }
    for (const std::string& note : notes) {
        context.out << "note: " << note << '\n';
    }
    context.out << "imported " << doc.m_nodes.GetSize() << " nodes, " << doc.m_edges.GetSize()
                << " edges\n";
    return SaveForCli(context, "import", doc, args.positional[1]);
}
