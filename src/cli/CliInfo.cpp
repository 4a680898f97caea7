// tessel-cli info IN.tesl [--json]: what a document holds, as text or as one JSON object.
#include "cli/CliArgs.h"
#include "cli/CliDocument.h"
#include "document/TesselDoc.h"

#include <charconv>
#include <ostream>

namespace {

struct DocumentCounts {
    int nodes = 0;
    int edges = 0;
    int inner = 0;
    int outer = 0;
    int notConnected = 0;
    int interiorEdges = 0;
};

DocumentCounts Count(const CTesselDoc& doc) {
    DocumentCounts counts{doc.m_nodes.GetSize(), doc.m_edges.GetSize()};
    for (const CCPNode* node : doc.m_nodes.m_array) {
        counts.inner += node->m_kind == Inner;
        counts.outer += node->m_kind == Outer;
        counts.notConnected += node->m_kind == NotConnected;
    }
    for (const CCPEdge* edge : doc.m_edges.m_array) {
        counts.interiorEdges += edge->m_interior == 1;
    }
    return counts;
}

// The shortest text that reads back as the same double, in every locale.
std::string Number(double value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Hex(COLORREF color) {
    char buffer[16];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, color, 16);
    std::string digits(buffer, result.ptr);
    return "0x" + std::string(8 - digits.size(), '0') + digits;
}

void PrintText(std::ostream& out, const CTesselDoc& doc, const DocumentCounts& c) {
    const CCPCircle& outerCircle = doc.m_circles.m_outer;
    out << "nodes: " << c.nodes << "\nedges: " << c.edges << "\ninner nodes: " << c.inner
        << "\nouter nodes: " << c.outer << "\nnot connected nodes: " << c.notConnected
        << "\ninterior edges: " << c.interiorEdges << "\nextent: " << Number(doc.m_extentX) << " x "
        << Number(doc.m_extentY) << "\nouter circle: inner colour " << Hex(outerCircle.m_innerCol)
        << ", line colour " << Hex(outerCircle.m_lineCol) << ", thickness "
        << outerCircle.m_thickness << "\ntrailing bytes: " << doc.m_trailingBytes << '\n';
}

void PrintJson(std::ostream& out, const CTesselDoc& doc, const DocumentCounts& c) {
    const CCPCircle& outerCircle = doc.m_circles.m_outer;
    out << "{\"nodes\":" << c.nodes << ",\"edges\":" << c.edges << ",\"innerNodes\":" << c.inner
        << ",\"outerNodes\":" << c.outer << ",\"notConnectedNodes\":" << c.notConnected
        << ",\"interiorEdges\":" << c.interiorEdges << ",\"extentX\":" << Number(doc.m_extentX)
        << ",\"extentY\":" << Number(doc.m_extentY)
        << ",\"outerCircle\":{\"innerColor\":" << outerCircle.m_innerCol
        << ",\"lineColor\":" << outerCircle.m_lineCol
        << ",\"thickness\":" << outerCircle.m_thickness
        << "},\"trailingBytes\":" << doc.m_trailingBytes << "}\n";
}

} // namespace

int RunInfoCommand(CliContext& context) {
    CliArgs args;
    if (!ParseCliArgs(context, "info", {}, {"--json"}, 1, 1, args)) {
        return CliBadUsage;
    }
    CTesselDoc doc;
    if (!OpenForCli(context, "info", doc, args.positional[0])) {
        return CliBadInput;
    }
    DocumentCounts counts = Count(doc);
    if (args.Has("--json")) {
        PrintJson(context.out, doc, counts);
    } else {
        PrintText(context.out, doc, counts);
    }
    return CliOk;
}
