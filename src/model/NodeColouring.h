// Colourings of a graph's nodes by their place in it: rings of graph distance, degree, a
// proper colouring in which neighbours differ, and the circles' hyperbolic radii.
#pragma once

#include "geometry/Color.h"

#include <string>
#include <vector>

class CFanIndex;

enum class ColourBy { Rings, Degree, Proper, Radius };

struct CColouring {
    ColourBy by = ColourBy::Rings;
    // Rings, degree and radius are gradations from `from` (distance 0, the smallest degree or
    // radius among the coloured nodes) to `to` (the largest), through hue as the editor's
    // gradations go.
    COLORREF from = 0x0000D7FF; // gold
    COLORREF to = 0x0000008B;   // dark red
    // Proper colourings take the palette's colours in order, as few as they can.
    std::vector<COLORREF> palette = {0x004040E0, 0x0040C040, 0x00E08030,
                                     0x0020D0F0, 0x00C050B0, 0x00D0D040};
};

// What a colouring reads besides the graph: which nodes it colours, the nodes rings are
// measured from, and the hyperbolic radius of every node (infinite for a horocycle).
struct CColouringInput {
    std::vector<char> chosen;
    std::vector<int> sources;
    std::vector<double> radii;
};

// The colour of every chosen node into colours (the others keep theirs). Rings count edges
// from the nearest source over the whole graph; a proper colouring is one of the chosen
// nodes among themselves, found by colouring them smallest-last, which needs at most six
// colours on a planar graph and mostly four or five. Returns an empty string, or why
// nothing was coloured: no node chosen, no source, a palette with a colour twice, or one
// smaller than the colours the proper colouring needs ("needs 5 colours; the palette has 4").
std::string ColourNodes(const CFanIndex& fans, const CColouring& how, const CColouringInput& input,
                        std::vector<COLORREF>& colours);
