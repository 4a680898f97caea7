// tessel-cli export IN.tesl OUT --format eps|txt|bmp|emf|svg|pdf|png|p|tikz: packs the document as
// `pack` does (to convergence unless told otherwise) and writes it with the editor's export
// writers; OUT "-" is the standard output.
#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "cli/CliPacking.h"
#include "document/Settings.h"
#include "document/TesselDoc.h"
#include "export/Export.h"
#include "geometry/DPoint.h"
#include "interchange/CirclePackDocument.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>

namespace {

enum class Format { Eps, Text, Bitmap, Metafile, Svg, Pdf, Png, CirclePack, Tikz };

struct ExportOptions {
    Format format = Format::Eps;
    std::optional<double> radius; // the drawing radius of the document's extents without it
    double offset = 0;
    std::string textFormat;
    bool antialias = false;
    COLORREF background = 0x00FFFFFF;
    bool transparent = false;
    bool document = false;
    int dpi = 96;
};

bool Complain(CliContext& context, const std::string& text) {
    return ReportCliUsage(context.err, "export", text);
}

const std::string* Value(const CliArgs& args, std::string_view name) {
    auto found = args.values.find(name);
    return found == args.values.end() ? nullptr : &found->second;
}

bool ParseFormat(CliContext& context, const CliArgs& args, Format& format) {
    const std::string* text = Value(args, "--format");
    if (!text) {
        return Complain(context, "--format is required");
    }
    const std::pair<const char*, Format> names[] = {
        {"eps", Format::Eps},      {"txt", Format::Text},     {"bmp", Format::Bitmap},
        {"emf", Format::Metafile}, {"svg", Format::Svg},      {"pdf", Format::Pdf},
        {"png", Format::Png},      {"p", Format::CirclePack}, {"tikz", Format::Tikz}};
    for (auto [name, value] : names) {
        if (*text == name) {
            format = value;
            return true;
        }
    }
    return Complain(context,
                    "--format must be eps, txt, bmp, emf, svg, pdf, png, p or tikz, not '" + *text +
                        "'");
}

bool IsBitmap(Format format) {
    return format == Format::Bitmap || format == Format::Png;
}

// The options that belong to some formats only are refused with the others.
bool CheckFormatOptions(CliContext& context, const CliArgs& args, Format format) {
    const std::pair<const char*, bool> only[] = {
        {"--offset", format == Format::Eps},        {"--text-format", format == Format::Text},
        {"--background", IsBitmap(format)},         {"--antialias", IsBitmap(format)},
        {"--dpi", format == Format::Png},           {"--transparent", format == Format::Png},
        {"--radius", format != Format::CirclePack}, {"--document", format == Format::Tikz}};
    for (auto [name, applies] : only) {
        if ((Value(args, name) || args.Has(name)) && !applies) {
            return Complain(context, std::string(name) + " does not apply to this format");
        }
    }
    if (Value(args, "--background") && args.Has("--transparent")) {
        return Complain(context, "--background and --transparent exclude each other");
    }
    return true;
}

// The radius each format's setup dialog accepts: points for EPS and PDF, pixels for SVG,
// units for text, whole pixels for pixel pictures and metafiles.
CliRange RadiusRange(Format format) {
    switch (format) {
    case Format::Eps:
        return {1, kEpsMaxRadius};
    case Format::Tikz:
        return {1, kTikzMaxRadius};
    case Format::Svg:
    case Format::Pdf:
        return {1, kVectorMaxRadius};
    case Format::Text:
        return {0, kTextMaxRadius};
    case Format::Bitmap:
    case Format::Metafile:
    case Format::Png:
    case Format::CirclePack:
        break;
    }
    return {1, 2147483647.0};
}

bool ParseExportOptions(CliContext& context, const CliArgs& args, ExportOptions& o) {
    if (!ParseFormat(context, args, o.format) || !CheckFormatOptions(context, args, o.format)) {
        return false;
    }
    if (const std::string* text = Value(args, "--radius")) {
        double radius = 0;
        if (!ParseCliReal(context, "export", "--radius", *text, RadiusRange(o.format), radius)) {
            return false;
        }
        o.radius = radius;
    }
    if (const std::string* text = Value(args, "--offset");
        text && !ParseCliReal(context, "export", "--offset", *text, {0, kEpsMaxOffset}, o.offset)) {
        return false;
    }
    // The editor's dialogs start from the profile's text format and background colour.
    o.textFormat = ReadTextExportFormat(context.profile);
    if (const std::string* text = Value(args, "--text-format")) {
        o.textFormat = *text;
    }
    o.background = context.settings.BGColor;
    if (const std::string* text = Value(args, "--background");
        text && !ParseCliColor(context, "export", "--background", *text, o.background)) {
        return false;
    }
    o.antialias = args.Has("--antialias");
    o.transparent = args.Has("--transparent");
    o.document = args.Has("--document");
    if (const std::string* text = Value(args, "--dpi")) {
        std::int64_t dpi = 0;
        if (!ParseCliInteger(context, "export", "--dpi", *text, 1, PngSetup::kMaxDpi, dpi)) {
            return false;
        }
        o.dpi = int(dpi);
    }
    return true;
}

bool IsPixelFormat(Format format) {
    return IsBitmap(format) || format == Format::Metafile;
}

// The radius to write at: the one given, or the drawing radius of the document's extents
// brought into the format's range, so that leaving --radius out never fails the command.
// Pixel pictures and metafiles take whole pixels.
bool ChooseRadius(CliContext& context, const ExportOptions& o, double drawing, double& radius) {
    const CliRange range = RadiusRange(o.format);
    radius = o.radius.value_or(std::isfinite(drawing) ? std::clamp(drawing, range.min, range.max)
                                                      : range.min);
    if (!IsPixelFormat(o.format)) {
        return true;
    }
    if (!o.radius) {
        radius = RoundHalfAway(radius);
    }
    return radius == std::floor(radius) ||
           Complain(context, "the radius must be a whole number from 1 to 2147483647");
}

ExportStatus Write(const CTesselDoc& doc, const ExportOptions& o, double radius,
                   const ExportTarget& target) {
    switch (o.format) {
    case Format::Eps:
        return ExportEps(doc, target, radius, o.offset);
    case Format::Text:
        return ExportText(doc, target, radius, o.textFormat);
    case Format::Bitmap:
        return ExportBitmap(doc.m_circles, {radius, o.antialias, o.background}, target);
    case Format::Svg:
        return ExportSvg(doc.m_circles, radius, target);
    case Format::Pdf:
        return ExportPdf(doc.m_circles, radius, target);
    case Format::Tikz:
        return ExportTikz(doc.m_circles, radius, o.document, target);
    case Format::Png: {
        PngSetup png;
        static_cast<BitmapSetup&>(png) = {radius, o.antialias, o.background};
        png.transparent = o.transparent;
        png.dpi = o.dpi;
        return ExportPng(doc.m_circles, png, target);
    }
    case Format::Metafile:
    case Format::CirclePack:
        break;
    }
    return ExportEmf(doc.m_circles, radius, target);
}

// The graph and its packing in CirclePack's format, which has no picture scale.
int WriteCirclePack(CliContext& context, const CTesselDoc& doc, const ExportTarget& target,
                    const std::string& shortfall) {
    std::string problem;
    const std::string text = ExportCirclePack(doc, target.Title(), problem);
    if (!problem.empty()) {
        ReportCliError(context.err, "export", "Cannot export \"" + target.path + "\": " + problem);
        return CliBadInput;
    }
    if (ExportStatus status = WriteBytes(target, text.data(), text.size());
        status != ExportStatus::Ok) {
        ReportCliError(context.err, "export", ExportErrorText(status, target.path));
        return CliBadInput;
    }
    return ReportShortfall(context, "export", shortfall);
}

} // namespace

int RunExportCommand(CliContext& context) {
    CliArgs args;
    PackOptions packing;
    ExportOptions options;
    if (!ParseCliArgs(context, "export",
                      {"--format", "--runs", "--until", "--max-runs", "--threshold", "--radius",
                       "--offset", "--text-format", "--background", "--dpi"},
                      {"--antialias", "--transparent", "--document"}, 2, 2, args,
                      {{"--converge", kToleranceRange}}) ||
        !ParsePackOptions(context, "export", args, 0, packing) ||
        !ParseExportOptions(context, args, options)) {
        return CliBadUsage;
    }
    // Files keep no radii, and one run is not the picture anyone exporting wants: without a
    // word on packing, the export packs to convergence.
    if (!Value(args, "--runs") && !Value(args, "--until") && !packing.converge) {
        packing.converge = DefaultConvergeTolerance;
    }
    CTesselDoc doc;
    if (!OpenForCli(context, "export", doc, args.positional[0])) {
        return CliBadInput;
    }
    const std::string& path = args.positional[1];
    const ExportTarget target = path == "-" ? ExportTarget::StandardOutput() : ExportTarget(path);
    std::string shortfall;
    if (packing.converge || packing.runs > 0 || packing.until > 0) {
        // With the file on the standard output the packing's summary goes to the errors'.
        CliContext summary{context.args, target.standardOutput ? context.err : context.out,
                           context.err, context.profile, context.settings};
        if (int code = PackForCli(summary, "export", doc, packing, shortfall); code != CliOk) {
            return code;
        }
    }
    if (options.format == Format::CirclePack) {
        return WriteCirclePack(context, doc, target, shortfall);
    }
    double radius = 0;
    if (!ChooseRadius(context, options, doc.GetPackingScale(), radius)) {
        return CliBadUsage;
    }
    if (ExportStatus status = Write(doc, options, radius, target); status != ExportStatus::Ok) {
        ReportCliError(context.err, "export", ExportErrorText(status, path));
        return CliBadInput;
    }
    return ReportShortfall(context, "export", shortfall);
}
