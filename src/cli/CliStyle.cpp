// tessel-cli style IN.tesl OUT.tesl: sets the line colour, inner colour and line width of
// chosen circles and lays colour gradations across them with the editor's own gradation.
#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "cli/CliPacking.h"
#include "document/TesselDoc.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

struct StyleOptions {
    std::vector<bool> nodes; // the chosen nodes, by index
    bool outer = false;
    std::optional<COLORREF> lineColor;
    std::optional<COLORREF> innerColor;
    std::optional<int> lineWidth;
    std::optional<CGradation> gradation;
    std::optional<CTesselDoc::ColourRequest> colouring;
};

bool Complain(CliContext& context, const std::string& text) {
    return ReportCliUsage(context.err, "style", text);
}

const std::string* Value(const CliArgs& args, std::string_view name) {
    auto found = args.values.find(name);
    return found == args.values.end() ? nullptr : &found->second;
}

// One whole number of a list, within [0, count).
bool ParseIndex(std::string_view text, int count, int& index) {
    auto result = std::from_chars(text.data(), text.data() + text.size(), index);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && index >= 0 &&
           index < count;
}

// "0,5,7-20": node indices and inclusive ranges of them, each below `count`.
bool ParseNodeList(CliContext& context, const std::string& text, int count,
                   std::vector<bool>& chosen) {
    chosen.assign(std::size_t(count), false);
    std::string_view rest = text;
    while (true) {
        std::string_view item = rest.substr(0, rest.find(','));
        std::size_t dash = item.find('-', 1);
        int first = 0, last = 0;
        bool ok = dash == std::string_view::npos
                      ? ParseIndex(item, count, first) && (last = first, true)
                      : ParseIndex(item.substr(0, dash), count, first) &&
                            ParseIndex(item.substr(dash + 1), count, last) && first <= last;
        if (!ok) {
            return Complain(context,
                            "--nodes takes indices from 0 to " + std::to_string(count - 1) +
                                " and ranges such as 7-20, not '" + std::string(item) + "'");
        }
        std::fill(chosen.begin() + first, chosen.begin() + last + 1, true);
        if (item.size() == rest.size()) {
            return true;
        }
        rest.remove_prefix(item.size() + 1);
    }
}

// "X,Y": a point of the unit disk, y downwards as the editor shows it.
bool ParsePoint(CliContext& context, std::string_view what, const std::string& text,
                CDPoint& point) {
    std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return Complain(context, std::string(what) + " must be X,Y, not '" + text + "'");
    }
    double x = 0, y = 0;
    // Far beyond the disk a point acts as one at its rim would; much farther, the squared
    // distances of the gradation would overflow.
    constexpr CliRange range{-1e6, 1e6};
    if (!ParseCliReal(context, "style", what, text.substr(0, comma), range, x) ||
        !ParseCliReal(context, "style", what, text.substr(comma + 1), range, y)) {
        return false;
    }
    point.Set(x, y);
    return true;
}

// "#RRGGBB,#RRGGBB": the two colours of a gradation.
bool ParseColorPair(CliContext& context, const std::string& text, COLORREF& first,
                    COLORREF& second) {
    std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return Complain(context, "--colors must be two colours, #RRGGBB,#RRGGBB");
    }
    return ParseCliColor(context, "style", "--colors", text.substr(0, comma), first) &&
           ParseCliColor(context, "style", "--colors", text.substr(comma + 1), second);
}

// "#RRGGBB,#RRGGBB,...": a palette of one colour or more.
bool ParsePalette(CliContext& context, const std::string& text, std::vector<COLORREF>& palette) {
    palette.clear();
    std::string_view rest = text;
    while (true) {
        std::string_view item = rest.substr(0, rest.find(','));
        COLORREF colour = 0;
        if (!ParseCliColor(context, "style", "--palette", item, colour)) {
            return false;
        }
        palette.push_back(colour);
        if (item.size() == rest.size()) {
            return true;
        }
        rest.remove_prefix(item.size() + 1);
    }
}

bool ParseColouring(CliContext& context, const CliArgs& args, CTesselDoc::ColourRequest& r) {
    const std::string& kind = *Value(args, "--colour-by");
    const std::pair<const char*, ColourBy> kinds[] = {{"rings", ColourBy::Rings},
                                                      {"degree", ColourBy::Degree},
                                                      {"proper", ColourBy::Proper},
                                                      {"radius", ColourBy::Radius}};
    auto found = std::find_if(std::begin(kinds), std::end(kinds),
                              [&kind](const auto& k) { return kind == k.first; });
    if (found == std::end(kinds)) {
        return Complain(context,
                        "--colour-by must be rings, degree, proper or radius, not '" + kind + "'");
    }
    r.how.by = found->second;
    r.selectedOnly = true; // the circles of --nodes
    r.line = args.Has("--line");
    r.inner = args.Has("--inner") || !r.line;
    const std::string* colors = Value(args, "--colors");
    const std::string* palette = Value(args, "--palette");
    if ((colors && r.how.by == ColourBy::Proper) || (palette && r.how.by != ColourBy::Proper)) {
        return Complain(context, "--colors goes with rings, degree and radius, --palette with "
                                 "proper");
    }
    return (!colors || ParseColorPair(context, *colors, r.how.from, r.how.to)) &&
           (!palette || ParsePalette(context, *palette, r.how.palette));
}

bool ParseGradation(CliContext& context, const CliArgs& args, CGradation& g) {
    const std::string* kind = Value(args, "--gradation");
    const std::string* from = Value(args, "--from");
    const std::string* to = Value(args, "--to");
    const std::string* colors = Value(args, "--colors");
    if (!from || !to || !colors) {
        return Complain(context, "--gradation needs --from, --to and --colors");
    }
    if (*kind != "linear" && *kind != "circular") {
        return Complain(context, "--gradation must be linear or circular, not '" + *kind + "'");
    }
    g.kind = *kind == "linear" ? GradLinear : GradCircular;
    if (!ParseColorPair(context, *colors, g.startColor, g.endColor) ||
        !ParsePoint(context, "--from", *from, g.start) ||
        !ParsePoint(context, "--to", *to, g.end)) {
        return false;
    }
    if (g.start == g.end) {
        return Complain(context, "--from and --to must be different points");
    }
    g.applyLine = args.Has("--line") ? 1 : 0;
    g.applyInner = args.Has("--inner") ? 1 : 0;
    if (!g.applyLine && !g.applyInner) {
        return Complain(context, "--gradation needs --line, --inner or both");
    }
    g.snap = args.Has("--snap") ? 1 : 0;
    return true;
}

// The colour of an option when it is given; false when it is not a colour.
bool ParseColorOption(CliContext& context, const CliArgs& args, std::string_view name,
                      std::optional<COLORREF>& color) {
    const std::string* text = Value(args, name);
    COLORREF value = 0;
    if (!text) {
        return true;
    }
    if (!ParseCliColor(context, "style", name, *text, value)) {
        return false;
    }
    color = value;
    return true;
}

bool ParseStyle(CliContext& context, const CliArgs& args, StyleOptions& o) {
    if (!ParseColorOption(context, args, "--line-color", o.lineColor) ||
        !ParseColorOption(context, args, "--inner-color", o.innerColor)) {
        return false;
    }
    if (const std::string* text = Value(args, "--line-width")) {
        std::int64_t width = 0;
        if (!ParseCliInteger(context, "style", "--line-width", *text, 0, 65535, width)) {
            return false;
        }
        o.lineWidth = int(width);
    }
    if (Value(args, "--gradation") && Value(args, "--colour-by")) {
        return Complain(context, "give --gradation or --colour-by, not both");
    }
    if (Value(args, "--gradation")) {
        CGradation g;
        if (!ParseGradation(context, args, g)) {
            return false;
        }
        o.gradation = g;
    } else if (Value(args, "--colour-by")) {
        CTesselDoc::ColourRequest r;
        if (!ParseColouring(context, args, r)) {
            return false;
        }
        o.colouring = r;
    }
    for (const char* name : {"--from", "--to", "--colors", "--line", "--inner", "--snap"}) {
        if ((Value(args, name) || args.Has(name)) && !o.gradation && !o.colouring) {
            return Complain(context, std::string(name) + " belongs to --gradation");
        }
    }
    if (Value(args, "--palette") && !o.colouring) {
        return Complain(context, "--palette belongs to --colour-by proper");
    }
    for (const char* name : {"--to", "--snap"}) {
        if ((Value(args, name) || args.Has(name)) && o.colouring) {
            return Complain(context, std::string(name) + " belongs to --gradation");
        }
    }
    if (Value(args, "--from") && o.colouring && o.colouring->how.by != ColourBy::Rings) {
        return Complain(context,
                        "--from goes with --gradation, or as a node with --colour-by rings");
    }
    if (!o.lineColor && !o.innerColor && !o.lineWidth && !o.gradation && !o.colouring) {
        return Complain(context, "nothing to set: give --line-color, --inner-color, "
                                 "--line-width, --gradation or --colour-by");
    }
    return true;
}

void SetStyle(CCPCircle& circle, const StyleOptions& o) {
    circle.m_lineCol = o.lineColor.value_or(circle.m_lineCol);
    circle.m_innerCol = o.innerColor.value_or(circle.m_innerCol);
    circle.m_thickness = o.lineWidth.value_or(circle.m_thickness);
}

// Styles the chosen circles, then lays the gradation over them as a drag in the editor does
// over a selection, or colours them as Colour By does. False, with the reason, when the
// colouring cannot be made.
bool Apply(CTesselDoc& doc, const StyleOptions& o, std::string& problem) {
    for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
        CCPCircle& circle = *doc.m_nodes.GetAt(i)->m_circle;
        circle.m_selected = o.nodes[std::size_t(i)] ? 1 : 0;
        if (circle.m_selected) {
            SetStyle(circle, o);
        }
    }
    CCPCircle& outer = doc.m_circles.m_outer;
    outer.m_selected = o.outer ? 1 : 0;
    if (o.outer) {
        SetStyle(outer, o);
    }
    if (o.gradation) {
        doc.m_circles.ApplyGradation(*o.gradation);
    }
    const bool coloured = !o.colouring || doc.ColourCircles(*o.colouring, problem);
    doc.m_circles.SelectAll(0, true);
    return coloured;
}

} // namespace

int RunStyleCommand(CliContext& context) {
    CliArgs args;
    PackOptions packing;
    StyleOptions options;
    if (!ParseCliArgs(context, "style",
                      {"--nodes", "--line-color", "--inner-color", "--line-width", "--gradation",
                       "--from", "--to", "--colors", "--runs", "--until", "--max-runs",
                       "--threshold", "--colour-by", "--palette"},
                      {"--outer", "--line", "--inner", "--snap"}, 2, 2, args,
                      {{"--converge", kToleranceRange}}) ||
        !ParseStyle(context, args, options) ||
        !ParsePackOptions(context, "style", args, 1, packing)) {
        return CliBadUsage;
    }
    // As for export, the circles a gradation is laid over are those of the converged packing
    // unless a packing option says otherwise.
    if (!Value(args, "--runs") && !Value(args, "--until") && !packing.converge) {
        packing.converge = DefaultConvergeTolerance;
    }
    // Circles' centres and radii come from a packing: a gradation and a colouring by radius
    // need one.
    const bool packs =
        options.gradation || (options.colouring && options.colouring->how.by == ColourBy::Radius);
    for (const char* name : {"--runs", "--until", "--max-runs", "--threshold", "--converge"}) {
        if ((Value(args, name) || args.Has(name)) && !packs) {
            Complain(context,
                     std::string(name) + " applies to a gradation and --colour-by radius only");
            return CliBadUsage;
        }
    }
    CTesselDoc doc;
    if (!OpenForCli(context, "style", doc, args.positional[0])) {
        return CliBadInput;
    }
    options.outer = args.Has("--outer");
    const std::string* nodes = Value(args, "--nodes");
    if (nodes && !ParseNodeList(context, *nodes, doc.m_nodes.GetSize(), options.nodes)) {
        return CliBadUsage;
    }
    if (!nodes) { // every node's circle, unless --outer alone chose the outer circle
        options.nodes.assign(std::size_t(doc.m_nodes.GetSize()), !options.outer);
    }
    if (const std::string* from = Value(args, "--from"); from && options.colouring) {
        std::int64_t node = 0;
        if (!ParseCliInteger(context, "style", "--from", *from, 0, doc.m_nodes.GetSize() - 1,
                             node)) {
            return CliBadUsage;
        }
        options.colouring->from = int(node);
    }
    std::string shortfall;
    if (packs) {
        if (int code = PackForCli(context, "style", doc, packing, shortfall); code != CliOk) {
            return code;
        }
    }
    if (std::string problem; !Apply(doc, options, problem)) {
        ReportCliError(context.err, "style", "cannot colour the circles: " + problem + ".");
        return CliBadInput;
    }
    if (int code = SaveForCli(context, "style", doc, args.positional[1]); code != CliOk) {
        return code;
    }
    return ReportShortfall(context, "style", shortfall);
}
