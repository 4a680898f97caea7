// Command-line parsing common to every tessel-cli command.
#include "cli/CliCommand.h"
#include "document/Settings.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>
#include <ostream>
#include <span>
#include <string_view>

namespace {

// The table of commands; each new command adds one line here.
constexpr CliCommand kCommands[] = {
    {"version", "", "Prints the program version.",
     [](CliContext& context) {
         context.out << "Tessel Version 4.20\n";
         return int(CliOk);
     }},
    {"new", "OUT.tesl", "Writes a new document: the starting triangle, extents 500 x 500.",
     &RunNewCommand},
    {"hex", "RINGS OUT.tesl",
     "Writes the hexagonal disk of RINGS rings (1 to 577): 1 + 3*RINGS*(RINGS+1) nodes, grown\n"
     "from the starting triangle by the editor's own grow and connect edits and drawn on the\n"
     "triangular lattice inside the outer circle, the centre node in the middle.",
     &RunHexCommand},
    {"random", "NODES OUT.tesl [--seed S]",
     "Writes a triangulated disk of about NODES nodes (4 to 1000000) with irregular degrees,\n"
     "grown by random grow and connect edits and drawn without crossings inside the outer\n"
     "circle by Tutte's barycentric drawing; the same seed (default 1) gives the same file.",
     &RunRandomCommand},
    {"tiling", "P Q DEPTH OUT.tesl",
     "Writes the regular hyperbolic tiling {P,Q} (P-gons, Q at every corner; P and Q from 3 to\n"
     "100 with 1/P + 1/Q below 1/2) out to DEPTH layers of tiles (1 to 100): layer 1 is the\n"
     "central tile, layer k+1 the tiles sharing a corner with layers 1 to k. Each tile is\n"
     "fanned into triangles from a node at its centre; node 0 is the central tile's. Drawn as\n"
     "the tiling's Poincare disk picture; more than 1000000 nodes are refused. Prints the\n"
     "counts.",
     &RunTilingCommand},
    {"refine", "IN.tesl OUT.tesl --hex|--barycentric [--times K]",
     "Refines every triangle K times (default 1): --hex cuts each into four by a new node at\n"
     "the midpoint of every edge (V + E nodes), --barycentric into six by a node on every edge\n"
     "and one at every centroid (V + E + F nodes). A new node takes the style of the edge's or\n"
     "triangle's node that comes first in the document. The graph must be a triangulated disk;\n"
     "a result of more than 1000000 nodes is refused. Prints the new counts.",
     &RunRefineCommand},
    {"layer", "IN.tesl OUT.tesl [--times K]",
     "Adds K boundary layers (default 1): one new outer node outside every boundary edge,\n"
     "joined to the edge's two ends and to the next new node round the boundary (V + B nodes\n"
     "for B boundary edges); the old boundary nodes become inner. A new node takes the style\n"
     "of its edge's start. A result of more than 1000000 nodes is refused. Prints the counts.",
     &RunLayerCommand},
    {"info", "IN.tesl [--json]",
     "Prints the counts of nodes, edges, inner, outer and not connected nodes and interior\n"
     "edges, the extents and the outer circle's style; --json prints one JSON object.",
     &RunInfoCommand},
    {"pack",
     "IN.tesl OUT.tesl [--runs N | --until ERR [--max-runs M] | --converge [TOL]] "
     "[--threshold T] [--randomize]",
     "Runs the circle packing N times (default 1), or until the largest angle-sum error of the\n"
     "inner nodes is below ERR (at most M runs, default 10000), and saves the graph moved onto\n"
     "the circle centres. --converge packs to convergence instead (Newton's method, every\n"
     "inner error within TOL, default 1e-12, boundary circles horocycles) and prints the\n"
     "newton iterations; ERR and TOL lie from 1e-300 to 1e300. --threshold sets the solver\n"
     "threshold (0 to 1; 0: 0.0001); --randomize runs Node Randomize once first. Prints the\n"
     "runs, the largest inner error, the largest boundary angle sum and the seconds taken.\n"
     "When ERR is not reached within M runs, or the error is undefined, it still saves what\n"
     "it reached and exits with 1.",
     &RunPackCommand},
    {"export",
     "IN.tesl OUT --format eps|txt|bmp|emf|svg|pdf|png|p|tikz [--runs N | --until ERR [--max-runs "
     "M] | "
     "--converge [TOL]] [--threshold T] [--radius R] [--offset O] [--text-format F] "
     "[--antialias] [--background #RRGGBB] [--dpi D] [--transparent] [--document]",
     "Packs as `pack` does, to convergence when no packing option is given (--runs 0 exports\n"
     "the outer circle alone), and writes OUT with the editor's EPS, text, bitmap,\n"
     "enhanced-metafile, SVG, PDF or PNG writer; OUT - writes the file to the standard output\n"
     "and the packing's summary to the standard error. R is the radius of the unit circle in\n"
     "points (eps: 1 to 100000, pdf: 1 to 3900000), units (txt: 0 or more) or pixels (svg: 1\n"
     "to 3900000; bmp, emf and png: a whole number from 1); by default the drawing radius of a\n"
     "window the size of the graph area, brought into that range. --offset (eps, 0 to 100000\n"
     "points) moves the picture from the page corner; --text-format (txt) defaults to the\n"
     "profile's format; --antialias and --background (bmp, png; default the profile's\n"
     "BGColor) set the bitmap; --dpi (png, 1 to 100000, default 96) is the resolution the file\n"
     "records; --transparent (png) leaves the margin and the gaps between the circles clear. A\n"
     "plain bitmap is drawn by the program's own aliased rasteriser, without a display.\n"
     "--format p writes a CirclePack packing file: the flowers, and the hyperbolic radii and\n"
     "centres of the packing (horocycles as their Euclidean radius negated), y upwards.\n"
     "--format tikz writes a tikzpicture for LaTeX, the radius in points (1 to 8000) as for\n"
     "eps; --document (tikz) makes it a complete article of one page the picture's size.",
     &RunExportCommand},
    {"style",
     "IN.tesl OUT.tesl [--nodes LIST] [--outer] [--line-color #RRGGBB] [--inner-color #RRGGBB] "
     "[--line-width W] [--gradation linear|circular --from X,Y --to X,Y "
     "--colors #RRGGBB,#RRGGBB [--line] [--inner] [--snap] [--runs N | --until ERR "
     "[--max-runs M] | --converge [TOL]] [--threshold T]] [--colour-by rings|degree|proper|radius "
     "[--colors #RRGGBB,#RRGGBB] [--palette #RRGGBB,...] [--from NODE] [--line] [--inner]]",
     "Sets the line colour, inner colour and line width (0 to 65535, 0: no line) of the circles\n"
     "of the nodes in LIST (indices from 0 in the document's order and ranges: 0,5,7-20) and,\n"
     "with --outer, of the outer circle; without either, of every node's circle. --gradation\n"
     "then lays the editor's colour gradation over those circles, from X,Y to X,Y (points of\n"
     "the unit disk, x to the right, y downwards as on the screen), on their line colours\n"
     "(--line), inner colours (--inner) or both; --snap moves each end point to the centre of\n"
     "the circle under it. A gradation needs the circles' centres: the document is packed\n"
     "first as `export` packs it (to convergence unless told otherwise) and saved with the\n"
     "graph moved onto the centres. --colour-by colours those circles by their place in the\n"
     "graph instead, on their inner colours (--inner, the default), line colours (--line) or\n"
     "both: rings of edges from the centre node (the one nearest the middle of the graph\n"
     "area) or from the node of index NODE with --from, and degree as gradations between the\n"
     "two --colors (default gold to dark red),\n"
     "proper with neighbours always in different colours of the --palette (default six),\n"
     "taken in order and as few as it can (mostly four or five), radius as a gradation by\n"
     "hyperbolic radius, smallest first, horocycles last, after a packing as for --gradation.",
     &RunStyleCommand},
    {"move", "IN.tesl OUT.tesl (--centre NODE | --to X,Y) [--rotate DEGREES]",
     "Packs to convergence and moves the packing by an isometry of the disk, which keeps\n"
     "every hyperbolic radius and tangency: --centre brings the hyperbolic centre of NODE's\n"
     "circle (an index from 0 in the document's order; not a boundary circle touching the rim)\n"
     "to the middle, --to X,Y carries the middle to the point X,Y (inside the unit circle, y\n"
     "downwards as on the screen), and --rotate then turns the packing about the middle by\n"
     "DEGREES counter-clockwise as the screen shows it. Saves the graph on the moved centres;\n"
     "packing that file to convergence again (pack --converge, export, style, move) keeps the\n"
     "moved view, since its node positions are that packing moved.",
     &RunMoveCommand},
    {"import", "IN OUT.tesl [--format p|off|obj|points] [--largest]",
     "Reads another program's file and writes it as a document: a CirclePack packing (.p;\n"
     "a hyperbolic packing's radii and centres place the nodes, other files are packed anew),\n"
     "an OFF or Wavefront OBJ triangle mesh with the topology of a disk (.off, .obj; faces of\n"
     "more corners fanned, the positions projected onto the plane that fits them best), or\n"
     "points, one 'x y' a line with '#' comments, joined by their Delaunay triangulation\n"
     "(.xy, .txt). --format names the format when the extension does not; --largest imports\n"
     "the largest part of a mesh of several parts. Prints what was left unread and the counts.",
     &RunImportCommand},
    {"thumbnail", "IN.tesl OUT.png SIZE",
     "Writes the PNG picture of a document that file managers show, SIZE pixels square (16\n"
     "to 4096; one less for an odd SIZE): packed to convergence and drawn antialiased, the\n"
     "margin around the disk transparent. It bounds its own work: a document of more than\n"
     "250000 nodes or 48 MiB, or one that takes more than 10 s to read and pack, gets the\n"
     "picture of its outer circle alone; a file that is no document gets nothing (exit code\n"
     "1). The desktop's thumbnailer entry runs it as `tessel-cli thumbnail %i %o %s`.",
     &RunThumbnailCommand},
};

void PrintUsage(std::ostream& out) {
    out << "usage: tessel-cli COMMAND [ARGS...]\n\ncommands:\n";
    for (const CliCommand& command : kCommands) {
        out << "  " << command.name << ' ' << command.usage << '\n';
    }
    out << "\nEvery command takes --profile FILE: settings from that profile (never written)\n"
           "instead of the built-in defaults.\n"
           "`tessel-cli COMMAND --help` describes one command; `tessel-cli --version` is\n"
           "`tessel-cli version`.\n";
}

const CliCommand* FindCommand(std::string_view name) {
    for (const CliCommand& command : kCommands) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

// Takes "--profile FILE" (or "--profile=FILE") out of the arguments and reads that profile
// into the settings. The profile is only read. Returns an exit code, CliOk to go on.
int ApplyProfileOption(CliContext& context, std::string_view command) {
    std::vector<std::string>& args = context.args;
    std::optional<std::string> path;
    for (std::size_t i = 0; i < args.size();) {
        std::size_t taken = args[i] == "--profile" ? 2 : args[i].starts_with("--profile=") ? 1 : 0;
        if (taken == 0) {
            ++i;
            continue;
        }
        if (taken == 2 && i + 1 == args.size()) {
            ReportCliUsage(context.err, command, "--profile needs a file");
            return CliBadUsage;
        }
        if (path) {
            ReportCliUsage(context.err, command, "--profile is given twice");
            return CliBadUsage;
        }
        path = taken == 2 ? args[i + 1] : args[i].substr(10);
        args.erase(args.begin() + i, args.begin() + i + taken);
    }
    if (!path) {
        return CliOk;
    }
    std::string error;
    std::error_code ignored;
    // Anything that exists is opened, so that a folder or a pipe is named as what it is.
    if (!std::filesystem::exists(*path, ignored)) {
        error = "Cannot open \"" + *path + "\": there is no such profile.";
    } else {
        LoadSettingsFile(*path, context.settings, error);
    }
    if (!error.empty()) {
        ReportCliError(context.err, command, error);
        return CliBadInput;
    }
    context.profile = *path;
    return CliOk;
}

// Everything but the final check of the standard output.
int Dispatch(std::span<const char* const> all, std::ostream& out, std::ostream& err) {
    if (all.size() < 2) {
        PrintUsage(err);
        return CliBadUsage;
    }
    std::string_view name = all[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(out);
        return CliOk;
    }
    if (name == "--version") {
        name = "version";
    }
    const CliCommand* command = FindCommand(name);
    if (!command) {
        ReportCliUsage(err, "", "unknown command '" + std::string(name) + "'");
        return CliBadUsage;
    }
    CliContext context{{all.begin() + 2, all.end()}, out, err};
    for (const std::string& arg : context.args) {
        if (arg == "--help" || arg == "-h") {
            out << "usage: tessel-cli " << command->name << ' ' << command->usage << "\n\n"
                << command->help << '\n';
            return CliOk;
        }
    }
    if (int code = ApplyProfileOption(context, command->name); code != CliOk) {
        return code;
    }
    return command->run(context);
}

// What was written to the standard output must have arrived: a full disk or a closed pipe
// behind it makes the command fail.
int CheckOutput(std::ostream& out, std::ostream& err, std::string_view command, int code) {
    errno = 0;
    out.flush();
    if (out) {
        return code;
    }
    std::string reason = errno != 0 ? std::string(": ") + std::strerror(errno) : std::string();
    ReportCliError(err, command, "cannot write the standard output" + reason);
    return code == CliOk ? CliBadInput : code;
}

} // namespace

int RunCli(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
    std::span<const char* const> all(argv, argc);
    std::string_view command = all.size() > 1 && FindCommand(all[1]) ? all[1] : "";
    int code = CliBadInput;
    try {
        code = Dispatch(all, out, err);
    } catch (const std::bad_alloc&) {
        // Large graphs are built and packed in memory; running out of it is a failure to
        // report like any other, not a crash.
        ReportCliError(err, command, "there is not enough memory.");
    }
    return CheckOutput(out, err, command, code);
}
