// Packing files of the research program CirclePack (".p"): its vertices numbered from 1,
// each with its flower (neighbours counter-clockwise, a closed flower repeating its first
// petal), and optionally the packing's radii and centres in its geometry.
#pragma once

#include "geometry/DPoint.h"

#include <string>
#include <string_view>
#include <vector>

enum class PackGeometry { Euclidean, Hyperbolic, Spherical };

struct CCirclePackFile {
    PackGeometry geometry = PackGeometry::Euclidean;
    // Per vertex, from index 0 for vertex 1: the petals, numbered from 0, as the file lists
    // them (a closed flower ends with its first petal again), and the line they stand on.
    std::vector<std::vector<int>> flowers;
    std::vector<int> flowerLines;
    // Per vertex when the file has them, else empty. Hyperbolic radii are the circles' actual
    // radii; zero or less is a horocycle of that Euclidean radius (negated), and above
    // kHorocycleRadius one of unknown size, as CirclePack reads them.
    std::vector<double> radii;
    std::vector<CDPoint> centres;     // in CirclePack's frame: y up
    std::vector<std::string> ignored; // the sections read past, each named once
};

// CirclePack reads a hyperbolic radius beyond this as a horocycle.
constexpr double kHorocycleRadius = 8.0;
// The most vertices a file may have: well beyond the largest graph the editor packs.
constexpr int kMaxPackVertices = 20000000;

// Reads the text of a packing file. On a fault returns false with one sentence naming the
// line ("line 12: vertex 5 lists 4 petals but announces 5"); nothing is allocated for a
// count before the lines that make it up have been read.
bool ReadCirclePackFile(std::string_view text, CCirclePackFile& file, std::string& error);

// The text of a packing file with these contents: NODECOUNT, GEOMETRY, ALPHA/GAMMA (from 0:
// written from 1), PACKNAME when given, FLOWERS, and RADII and CENTERS when the file has them,
// numbers written to read back exactly.
std::string WriteCirclePackFile(const CCirclePackFile& file, int alpha, int gamma,
                                const std::string& name);
