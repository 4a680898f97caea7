// Generated graphs: regular and irregular triangulated disks built by the same grow and
// connect edits a user's clicks make, for the command-line tool, benchmarks and tests. A
// finished disk is drawn without crossings inside the disk the view shows: a hexagonal disk on
// the triangular lattice about its centre node, a random one by Tutte's barycentric drawing.
#pragma once

#include <functional>

class CTesselDoc;

// Told now and then how many nodes a builder has made of about how many; returning false
// stops the build, which then returns false with the document half built.
using BuildProgress = std::function<bool(int made, int total)>;

// Largest sizes the builders accept, so that a mistyped argument cannot exhaust memory.
constexpr int MaxHexRings = 577;
constexpr int MaxRandomDiskNodes = 1000000;

// Replaces the document's graph by the hexagonal disk of `rings` rings around one centre
// node: 1 + 3 * rings * (rings + 1) nodes, every node of rings 0 to rings - 1 inner with six
// neighbours, the last ring outer. Returns false, leaving the document as it was, when rings
// is outside 1 to MaxHexRings.
bool BuildHexDisk(CTesselDoc& doc, int rings, const BuildProgress& progress = {});

// Replaces the document's graph by a triangulated disk of at least `nodes` nodes (at most a
// dozen more) with irregular degrees from 3 to 10 and beyond, no NotConnected node, and a
// boundary about as long as a hexagonal disk's of that size. The same seed always gives the
// same graph. Returns false, leaving the document as it was, when
// nodes is outside 4 to MaxRandomDiskNodes.
bool BuildRandomDisk(CTesselDoc& doc, int nodes, unsigned seed, const BuildProgress& progress = {});
