// tessel-cli move IN.tesl OUT.tesl: the converged packing moved by an isometry of the disk,
// saved with the graph on the moved centres, so that packing the file again keeps the view.
#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "cli/CliPacking.h"
#include "document/StringIds.h"
#include "document/TesselDoc.h"
#include "geometry/DiskMove.h"

#include <cmath>
#include <numbers>
#include <optional>

namespace {

struct MoveOptions {
    std::optional<std::int64_t> centre;
    std::optional<CDPoint> to;
    double degrees = 0;
};

bool Complain(CliContext& context, const std::string& text) {
    return ReportCliUsage(context.err, "move", text);
}

const std::string* Value(const CliArgs& args, std::string_view name) {
    auto found = args.values.find(name);
    return found == args.values.end() ? nullptr : &found->second;
}

// "X,Y" strictly inside the unit disk, y downwards as on the screen.
bool ParseDiskPoint(CliContext& context, const std::string& text, CDPoint& point) {
    std::size_t comma = text.find(',');
    double x = 0, y = 0;
    if (comma == std::string::npos) {
        return Complain(context, "--to must be X,Y, not '" + text + "'");
    }
    constexpr CliRange range{-1, 1};
    if (!ParseCliReal(context, "move", "--to", text.substr(0, comma), range, x) ||
        !ParseCliReal(context, "move", "--to", text.substr(comma + 1), range, y)) {
        return false;
    }
    point.Set(x, y);
    return CDiskMove::Inside(point) ||
           Complain(context, "--to must lie inside the unit circle (X*X + Y*Y < 1)");
}

bool ParseMove(CliContext& context, const CliArgs& args, MoveOptions& options) {
    const std::string* centre = Value(args, "--centre");
    const std::string* to = Value(args, "--to");
    if (!centre == !to) {
        return Complain(context, "give one of --centre NODE and --to X,Y");
    }
    if (centre) {
        std::int64_t node = 0;
        if (!ParseCliInteger(context, "move", "--centre", *centre, 0, INT32_MAX, node)) {
            return false;
        }
        options.centre = node;
    }
    if (to && !ParseDiskPoint(context, *to, options.to.emplace())) {
        return false;
    }
    const std::string* rotate = Value(args, "--rotate");
    return !rotate ||
           ParseCliReal(context, "move", "--rotate", *rotate, {-1e6, 1e6}, options.degrees);
}

// The screen's y axis points down, so a turn that looks counter-clockwise there is a
// negative angle of the model.
CDiskMove ScreenTurn(double degrees) {
    return CDiskMove::Rotation(-degrees * std::numbers::pi / 180);
}

} // namespace

int RunMoveCommand(CliContext& context) {
    CliArgs args;
    MoveOptions options;
    if (!ParseCliArgs(context, "move", {"--centre", "--to", "--rotate"}, {}, 2, 2, args) ||
        !ParseMove(context, args, options)) {
        return CliBadUsage;
    }
    CTesselDoc doc;
    if (!OpenForCli(context, "move", doc, args.positional[0])) {
        return CliBadInput;
    }
    if (options.centre && *options.centre >= doc.m_nodes.GetSize()) {
        Complain(context,
                 "--centre takes a node from 0 to " + std::to_string(doc.m_nodes.GetSize() - 1));
        return CliBadUsage;
    }
    std::string shortfall;
    if (int code = ConvergeForCli(context, "move", doc, DefaultConvergeTolerance, shortfall);
        code != CliOk) {
        return code;
    }
    CDiskMove move;
    if (options.centre) {
        std::optional<CDiskMove> centring =
            doc.FindCentringMove(doc.GetNodeAt(static_cast<int>(*options.centre)));
        if (!centring) {
            ReportCliError(context.err, "move",
                           "node " + std::to_string(*options.centre) +
                               " is a boundary circle touching the rim: its centre cannot "
                               "come to the middle");
            return CliBadInput;
        }
        move = centring->Then(ScreenTurn(options.degrees));
    } else {
        move = ScreenTurn(options.degrees).Then(CDiskMove::FromOrigin(*options.to));
    }
    doc.MovePacking(move, ids::kStepMovePacking);
    if (int code = SaveForCli(context, "move", doc, args.positional[1]); code != CliOk) {
        return code;
    }
    return ReportShortfall(context, "move", shortfall);
}
