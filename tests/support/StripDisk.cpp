// Long thin disks for the layout's tests and measurements.
#include "support/StripDisk.h"

#include "document/TesselDoc.h"
#include "model/DiskCheck.h"
#include "model/TriangleGraph.h"

bool BuildStrip(CTesselDoc& doc, int rows, int columns, bool flipped) {
    std::vector<CTriangle> triangles;
    std::vector<int> uses(rows * columns, 0);
    auto add = [&](int a, int b, int c) {
        triangles.push_back({a, b, c});
        ++uses[a], ++uses[b], ++uses[c];
    };
    for (int r = 0; r + 1 < rows; ++r) {
        for (int c = 0; c + 1 < columns; ++c) {
            const int at = r * columns + c;
            if (flipped) {
                add(at, at + 1, at + columns + 1);
                add(at, at + columns + 1, at + columns);
            } else {
                add(at, at + 1, at + columns);
                add(at + 1, at + columns + 1, at + columns);
            }
        }
    }
    // Two corners are ears that touch no inner node: they and their triangles go.
    std::vector<int> renumbered(rows * columns, -1);
    std::vector<CDPoint> points;
    for (int i = 0; i < rows * columns; ++i) {
        if (uses[i] > 1) {
            renumbered[i] = static_cast<int>(points.size());
            points.emplace_back(i % columns, i / columns);
        }
    }
    std::vector<CTriangle> kept;
    for (const CTriangle& t : triangles) {
        if (renumbered[t.a] >= 0 && renumbered[t.b] >= 0 && renumbered[t.c] >= 0) {
            kept.push_back({renumbered[t.a], renumbered[t.b], renumbered[t.c]});
        }
    }
    doc.RemoveAll();
    return BuildTriangleGraph(points, kept, doc.m_nodes, doc.m_edges).empty() &&
           FindDiskProblem(doc.m_nodes, doc.m_edges).empty();
}
