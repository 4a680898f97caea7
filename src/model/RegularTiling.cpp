// Tiles as isometries of the hyperboloid model: each tile is the central one moved by a
// Lorentz matrix, and the tiles round a corner are the tile turned about that corner. Points
// are found again by their place on the hyperboloid, where distinct corners and centres stay
// far apart in plain coordinates however far out they lie, so rounding never merges or splits
// them.
#include "model/RegularTiling.h"

#include <array>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace {

using Real = long double;
using Vector = std::array<Real, 3>; // x, y, t with t^2 - x^2 - y^2 = 1
using Matrix = std::array<Vector, 3>;

constexpr Real kPi = std::numbers::pi_v<Real>;

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            m[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
        }
    }
    return m;
}

Vector Apply(const Matrix& m, const Vector& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

Matrix Rotation(Real angle) {
    const Real c = std::cos(angle), s = std::sin(angle);
    return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

// The boost along +x by hyperbolic distance d.
Matrix Boost(Real d) {
    const Real c = std::cosh(d), s = std::sinh(d);
    return {{{c, 0, s}, {0, 1, 0}, {s, 0, c}}};
}

// Points of the hyperboloid in cells of their x and y; corners and centres of a tiling lie
// at least a quarter apart there.
class CPointFinder {
public:
    // The number of the point at v, or -1.
    int Find(const Vector& v) const {
        const auto [cx, cy] = Cell(v);
        for (std::int64_t dx = -1; dx <= 1; ++dx) {
            for (std::int64_t dy = -1; dy <= 1; ++dy) {
                auto range = m_cells.equal_range(Key(cx + dx, cy + dy));
                for (auto it = range.first; it != range.second; ++it) {
                    const Vector& w = m_points[it->second];
                    if (std::fabs(w[0] - v[0]) < kNear && std::fabs(w[1] - v[1]) < kNear) {
                        return it->second;
                    }
                }
            }
        }
        return -1;
    }
    int Add(const Vector& v) {
        const auto [cx, cy] = Cell(v);
        m_points.push_back(v);
        m_cells.emplace(Key(cx, cy), static_cast<int>(m_points.size()) - 1);
        return static_cast<int>(m_points.size()) - 1;
    }
    int FindOrAdd(const Vector& v) {
        const int found = Find(v);
        return found >= 0 ? found : Add(v);
    }
    const std::vector<Vector>& Points() const { return m_points; }

private:
    static constexpr Real kNear = 1.0L / 16;
    static std::pair<std::int64_t, std::int64_t> Cell(const Vector& v) {
        return {std::llround(v[0] / kNear), std::llround(v[1] / kNear)};
    }
    static std::uint64_t Key(std::int64_t x, std::int64_t y) {
        return std::uint64_t(x) * 0x9E3779B97F4A7C15ull ^ std::uint64_t(y);
    }
    std::vector<Vector> m_points;
    std::unordered_multimap<std::uint64_t, int> m_cells;
};

class CTilingMaker {
public:
    CTilingMaker(int p, int q) : m_p(p), m_q(q) {
        // The corner's distance from the centre: cosh R = cot(pi/p) cot(pi/q).
        const Real corner = std::acosh(1 / (std::tan(kPi / p) * std::tan(kPi / q)));
        for (int i = 0; i < p; ++i) {
            m_corners.push_back(Rotation(2 * kPi * i / p - kPi / 2));
        }
        const Vector atOrigin{0, 0, 1};
        for (const Matrix& turn : m_corners) {
            m_cornerPoints.push_back(Apply(Multiply(turn, Boost(corner)), atOrigin));
        }
        // Turning about the point at the corner's distance along +x by j steps of 2 pi / q:
        // there, about the origin, and back.
        for (int j = 1; j < q; ++j) {
            m_turns.push_back(
                Multiply(Multiply(Boost(corner), Rotation(2 * kPi * j / q)), Boost(-corner)));
        }
        // The centres of the tiles round each corner of the central tile.
        for (const Matrix& there : m_corners) {
            for (const Matrix& turn : m_turns) {
                m_turnedCentres.push_back(Apply(Multiply(there, turn), atOrigin));
            }
        }
    }

    // Adds the tile moved by g, unless it is there already; true when it was new.
    bool AddTile(const Matrix& g) {
        const Vector centre = Apply(g, {0, 0, 1});
        if (m_finder.Find(centre) >= 0) {
            return false;
        }
        const int c = m_finder.Add(centre);
        std::vector<int> corners;
        for (const Vector& corner : m_cornerPoints) {
            corners.push_back(m_finder.FindOrAdd(Apply(g, corner)));
        }
        for (int i = 0; i < m_p; ++i) {
            m_triangles.push_back({c, corners[i], corners[(i + 1) % m_p]});
        }
        m_tiles.push_back(g);
        return true;
    }

    // Adds the tiles round every corner of the tile moved by g that are not there yet.
    void AddTilesAround(const Matrix& g) {
        for (int i = 0; i < m_p; ++i) {
            for (std::size_t j = 0; j < m_turns.size(); ++j) {
                // Most of them are there already: their centres tell, before any matrix.
                if (m_finder.Find(Apply(g, m_turnedCentres[i * m_turns.size() + j])) < 0) {
                    // Corner i is that point turned about the centre; turn there, about it,
                    // and back.
                    AddTile(Multiply(Multiply(Multiply(g, m_corners[i]), m_turns[j]),
                                     Transpose(m_corners[i])));
                }
            }
        }
    }

    std::int64_t Points() const { return static_cast<std::int64_t>(m_finder.Points().size()); }
    const std::vector<Matrix>& Tiles() const { return m_tiles; }

    void Finish(CTilingGraph& tiling) const {
        for (const Vector& v : m_finder.Points()) {
            // The Poincare disk's point of the hyperboloid's.
            tiling.points.emplace_back(double(v[0] / (1 + v[2])), double(v[1] / (1 + v[2])));
        }
        tiling.triangles = m_triangles;
    }

private:
    static Matrix Transpose(const Matrix& m) {
        Matrix t{};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                t[i][j] = m[j][i];
            }
        }
        return t;
    }

    int m_p;
    int m_q;
    std::vector<Matrix> m_corners; // turns about the centre that bring +x to corner i
    std::vector<Vector> m_cornerPoints;
    std::vector<Matrix> m_turns;         // about the corner's point on +x, by 1 to q - 1 steps
    std::vector<Vector> m_turnedCentres; // per corner and turn
    std::vector<Matrix> m_tiles;
    std::vector<CTriangle> m_triangles;
    CPointFinder m_finder;
};

} // namespace

std::string FindTilingProblem(int p, int q, int depth) {
    const std::string sides =
        "from " + std::to_string(MinTilingSides) + " to " + std::to_string(MaxTilingSides);
    if (p < MinTilingSides || p > MaxTilingSides || q < MinTilingSides || q > MaxTilingSides) {
        return "P and Q must be whole numbers " + sides;
    }
    // 1/p + 1/q < 1/2 in whole numbers.
    if (2 * (p + q) >= p * q) {
        return "{" + std::to_string(p) + "," + std::to_string(q) +
               "} is no hyperbolic tiling: 1/P + 1/Q must be below 1/2";
    }
    if (depth < 1 || depth > MaxTilingDepth) {
        return "DEPTH must be a whole number from 1 to " + std::to_string(MaxTilingDepth);
    }
    return {};
}

std::string MakeRegularTiling(int p, int q, int depth, std::int64_t maxNodes,
                              CTilingGraph& tiling) {
    tiling = {};
    if (std::string problem = FindTilingProblem(p, q, depth); !problem.empty()) {
        return problem;
    }
    CTilingMaker maker(p, q);
    maker.AddTile(Rotation(0));
    std::size_t layerStart = 0;
    for (int layer = 2; layer <= depth; ++layer) {
        const std::size_t layerEnd = maker.Tiles().size();
        for (std::size_t t = layerStart; t < layerEnd; ++t) {
            // A copy: adding tiles moves the list.
            const Matrix tile = maker.Tiles()[t];
            maker.AddTilesAround(tile);
            if (maker.Points() > maxNodes) {
                return "the tiling would have more than " + std::to_string(maxNodes) +
                       " nodes at depth " + std::to_string(layer);
            }
        }
        layerStart = layerEnd;
    }
    maker.Finish(tiling);
    return {};
}
