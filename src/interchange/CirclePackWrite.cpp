// The writer of CirclePack packing files, in the layout CirclePack writes them.
#include "geometry/NumberText.h"
#include "interchange/CirclePackFile.h"

namespace {

const char* GeometryName(PackGeometry geometry) {
    switch (geometry) {
    case PackGeometry::Hyperbolic:
        return "hyperbolic";
    case PackGeometry::Spherical:
        return "spherical";
    case PackGeometry::Euclidean:
        break;
    }
    return "euclidean";
}

// Printable on one line, without the blanks that would end CirclePack's name token.
std::string PackName(const std::string& name) {
    std::string out;
    for (unsigned char c : name) {
        out += c > ' ' && c != 0x7F ? char(c) : '_';
    }
    return out;
}

} // namespace

std::string WriteCirclePackFile(const CCirclePackFile& file, int alpha, int gamma,
                                const std::string& name) {
    const std::size_t count = file.flowers.size();
    std::string text = "NODECOUNT:  " + std::to_string(count) + "\n";
    text += "GEOMETRY: " + std::string(GeometryName(file.geometry)) + "\n";
    text += "ALPHA/GAMMA:  " + std::to_string(alpha + 1) + " " + std::to_string(gamma + 1) + "\n";
    if (!name.empty()) {
        text += "PACKNAME: " + PackName(name) + "\n";
    }
    text += "FLOWERS: \n";
    for (std::size_t v = 0; v < count; ++v) {
        const std::vector<int>& flower = file.flowers[v];
        text += std::to_string(v + 1) + " " + std::to_string(flower.size() - 1) + "  ";
        for (int petal : flower) {
            text += " " + std::to_string(petal + 1);
        }
        text += "\n";
    }
    if (file.radii.size() == count) {
        text += "\nRADII: \n";
        for (std::size_t v = 0; v < count; ++v) {
            text += FormatShortest(file.radii[v]) + (v % 4 == 3 || v + 1 == count ? "\n" : "  ");
        }
    }
    if (file.centres.size() == count) {
        text += "\nCENTERS:\n";
        for (std::size_t v = 0; v < count; ++v) {
            text += FormatShortest(file.centres[v].x) + " " + FormatShortest(file.centres[v].y) +
                    (v % 2 == 1 || v + 1 == count ? "\n" : "  ");
        }
    }
    return text + "\nEND\n";
}
