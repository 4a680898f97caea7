// The disk geometry of placing one circle of the packing.
//
// A boundary circle of hyperbolic radius 30 lies within e^-30 of the unit circle, and after
// one run on a large graph whole rings of circles lie 40 or more from the disk's centre: their
// hyperbolic centres differ from points of the unit circle by less than a double resolves,
// and any isometry that carries such a centre to the origin divides by (almost) zero. Their
// Euclidean circles, though, are ordinary circles of the plane. A circle is therefore placed
// from the Euclidean circles of its pair alone, as a vector of inversive coordinates: for a
// circle with centre c and radius p,
//     (c.x / p, c.y / p, (1 - |c|^2 + p^2) / (2p), (1 + |c|^2 - p^2) / (2p)).
// Under the form <u, v> = u.x v.x + u.y v.y + u.z v.z - u.w v.w every circle has <v, v> = 1,
// two circles touching from outside have <u, v> = -1, and a circle of hyperbolic radius r
// inside the unit circle U has <v, U> = coth r (1 for a horocycle). These products do not
// change under similarities of the plane, so the work is done in the frame where the smaller
// circle of the pair is the unit circle at the origin: there every vector has components of
// the order of 1 (a small circle far out would have huge, almost parallel ones), and the
// results carry no error beyond what the pair's own coordinates hold. The circle tangent to
// both is then a linear system in the products and one square root.
#include "packing/DiskPlacement.h"

#include <array>
#include <cmath>
#include <complex>
#include <optional>

namespace {

using Wide = long double;
using WidePoint = std::complex<Wide>;

struct CircleVector {
    Wide x = 0;
    Wide y = 0;
    Wide z = 0;
    Wide w = 0;
};

CircleVector operator+(const CircleVector& a, const CircleVector& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w};
}

CircleVector operator*(Wide s, const CircleVector& v) {
    return {s * v.x, s * v.y, s * v.z, s * v.w};
}

Wide Product(const CircleVector& a, const CircleVector& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z - a.w * b.w;
}

CircleVector VectorOf(WidePoint c, Wide p) {
    Wide c2 = std::norm(c);
    return {c.real() / p, c.imag() / p, (1 - c2 + p * p) / (2 * p), (1 + c2 - p * p) / (2 * p)};
}

// N with <x, N> = det[x; a; b; c]: orthogonal to all three.
CircleVector NormalOf(const CircleVector& a, const CircleVector& b, const CircleVector& c) {
    auto minor = [](Wide a1, Wide a2, Wide a3, Wide b1, Wide b2, Wide b3, Wide c1, Wide c2,
                    Wide c3) {
        return a1 * (b2 * c3 - b3 * c2) - a2 * (b1 * c3 - b3 * c1) + a3 * (b1 * c2 - b2 * c1);
    };
    Wide nx = minor(a.y, a.z, a.w, b.y, b.z, b.w, c.y, c.z, c.w);
    Wide ny = -minor(a.x, a.z, a.w, b.x, b.z, b.w, c.x, c.z, c.w);
    Wide nz = minor(a.x, a.y, a.w, b.x, b.y, b.w, c.x, c.y, c.w);
    Wide nw = -minor(a.x, a.y, a.z, b.x, b.y, b.z, c.x, c.y, c.z);
    // The form's minus sign on w turns the cofactors into the vector.
    return {nx, ny, nz, -nw};
}

// coth r: 1 for an infinite radius (a horocycle), as for any radius beyond about 23, where the
// circle differs from its horocycle by less than a long double resolves.
Wide Coth(Wide r) {
    return 1 / std::tanh(r);
}

// The frame in which the circle `unit` of the pair is the unit circle at the origin: points
// map as z -> (z - origin) / scale.
struct CFrame {
    WidePoint origin;
    Wide scale = 1;

    CircleVector Vector(const CWideCircle& circle) const {
        return VectorOf((circle.euclidCentre - origin) / scale, circle.euclidRadius / scale);
    }
    // The unit circle of the disk: centre -origin / scale, radius 1 / scale, written so that
    // 1 - |origin|^2, the small distance to the rim, is formed once.
    CircleVector Rim() const {
        Wide inside = 1 - std::norm(origin);
        Wide s2 = scale * scale;
        return {-origin.real(), -origin.imag(), (s2 + inside) / (2 * scale),
                (s2 - inside) / (2 * scale)};
    }
};

// The circles in the span of a, b and the rim U with given products with each of them: with
// G the matrix of the products of a, b and U, the circle with products e is
// sum_i (G^-1 e)_i basis_i, and its own product is e . G^-1 e. Circles off the span add a
// multiple of the normal N of a, b and U, the geodesic through the centres of a and b.
class CPairFrame {
public:
    CPairFrame(const CircleVector& a, const CircleVector& b, const CircleVector& u)
        : m_basis{a, b, u} {
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                m_gram[i][j] = Product(m_basis[i], m_basis[j]);
            }
        }
        const auto& g = m_gram;
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
                m_inverse[j][i] = g[i1][j1] * g[i2][j2] - g[i1][j2] * g[i2][j1];
            }
        }
        Wide det =
            g[0][0] * m_inverse[0][0] + g[0][1] * m_inverse[1][0] + g[0][2] * m_inverse[2][0];
        for (auto& row : m_inverse) {
            for (Wide& value : row) {
                value /= det;
            }
        }
        m_normal = NormalOf(a, b, u);
    }

    Wide Gram(int i, int j) const { return m_gram[i][j]; }
    Wide Inverse(int i, int j) const { return m_inverse[i][j]; }

    Wide Form(const std::array<Wide, 3>& e) const {
        Wide sum = 0;
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                sum += e[i] * m_inverse[i][j] * e[j];
            }
        }
        return sum;
    }

    CircleVector Combine(const std::array<Wide, 3>& e) const {
        CircleVector v;
        for (int i = 0; i < 3; ++i) {
            Wide c = 0;
            for (int j = 0; j < 3; ++j) {
                c += m_inverse[i][j] * e[j];
            }
            v = v + c * m_basis[i];
        }
        return v;
    }

    const CircleVector& Normal() const { return m_normal; }

private:
    std::array<CircleVector, 3> m_basis;
    Wide m_gram[3][3] = {};
    Wide m_inverse[3][3] = {};
    CircleVector m_normal;
};

// The Euclidean circle and hyperbolic centre of v (hyperbolic radius rv), given in the
// frame, or nothing when v is no circle inside the unit disk. Rounding can leave a circle a
// hair across the unit circle; it is pulled in along its ray.
std::optional<CWideCircle> ToDiskCircle(const CircleVector& v, const CFrame& frame, Wide rv) {
    Wide bend = v.z + v.w;
    Wide p = frame.scale / bend;
    WidePoint c = frame.origin + frame.scale * WidePoint(v.x, v.y) / bend;
    if (!(p > 0 && p < 1) || !std::isfinite(c.real()) || !std::isfinite(c.imag())) {
        return std::nullopt;
    }
    Wide distance = std::abs(c);
    if (distance + p > 1) {
        c *= (1 - p) / distance;
    }
    // The hyperbolic centre lies on the ray through c: c / (1 - p tanh(rv / 2)).
    WidePoint centre = c / (1 - p * std::tanh(rv / 2));
    if (Wide length = std::abs(centre); length > 1) {
        centre /= length;
    }
    if (!std::isfinite(centre.real()) || !std::isfinite(centre.imag())) {
        return std::nullopt;
    }
    return CWideCircle{centre, c, p};
}

// Fixes which of the two circles touching both a and b is taken: the one for which v, a, b
// turn in the positive sense.
constexpr Wide Orientation = -1;

// The product <v, other> of the circle centred on the geodesic through a and b that touches
// circle `touched` (0: a, 1: b) and comes as near to touching the other as any such circle.
std::optional<Wide> NearestProduct(const CPairFrame& frame, int touched, Wide zv) {
    int other = 1 - touched;
    Wide q2 = frame.Inverse(other, other);
    Wide q1 = 2 * (zv * frame.Inverse(other, 2) - frame.Inverse(other, touched));
    Wide q0 = frame.Inverse(touched, touched) - 2 * zv * frame.Inverse(touched, 2) +
              zv * zv * frame.Inverse(2, 2) - 1;
    Wide root = std::sqrt(std::max(Wide(0), q1 * q1 - 4 * q2 * q0));
    Wide t1 = (-q1 + root) / (2 * q2);
    Wide t2 = (-q1 - root) / (2 * q2);
    Wide t = std::fabs(t1 + 1) <= std::fabs(t2 + 1) ? t1 : t2;
    if (!std::isfinite(t)) {
        return std::nullopt;
    }
    return t;
}

// Which circle the placement keeps touching when it cannot touch both: the one whose circle
// of candidate centres is the larger, measured in the frame that carries b's centre to the
// origin; nothing when the radii are too large to tell.
std::optional<int> TouchedByChoice(Wide g, Wide ra, Wide rb, Wide rv) {
    Wide coshDistance = std::cosh(ra) * std::cosh(rb) - g * std::sinh(ra) * std::sinh(rb);
    Wide d = std::acosh(std::max(Wide(1), coshDistance));
    Wide e = std::tanh((rv + rb) / 2);
    Wide f = (std::tanh((d + rv + ra) / 2) - std::tanh((d - rv - ra) / 2)) / 2;
    if (!std::isfinite(e) || !std::isfinite(f)) {
        return std::nullopt;
    }
    return f > e ? 0 : 1;
}

std::optional<CWideCircle> TouchOne(const CPairFrame& pair, const CFrame& frame, Wide ra, Wide rb,
                                    Wide rv, Wide zv) {
    std::optional<Wide> product[2] = {NearestProduct(pair, 0, zv), NearestProduct(pair, 1, zv)};
    std::optional<int> touched = TouchedByChoice(pair.Gram(0, 1), ra, rb, rv);
    if (!touched) {
        if (!product[0] && !product[1]) {
            return std::nullopt;
        }
        bool first =
            product[0] && (!product[1] || std::fabs(*product[0] + 1) <= std::fabs(*product[1] + 1));
        touched = first ? 0 : 1;
    }
    if (!product[*touched]) {
        return std::nullopt;
    }
    std::array<Wide, 3> e = {-1, -1, zv};
    e[1 - *touched] = *product[*touched];
    return ToDiskCircle(pair.Combine(e), frame, rv);
}

} // namespace

CDiskCircle PlaceAtCentre(double r) {
    return {CDPoint(0, 0), CDPoint(0, 0), DiskDistance(1, r)};
}

CDiskCircle PlaceAlongY(double rP, double rQ) {
    double t1 = DiskDistance(1, rP);
    double t2 = DiskDistance(1, rP + 2 * rQ);
    return {CDPoint(0, DiskDistance(1, rP + rQ)), CDPoint(0, (t2 + t1) / 2), (t2 - t1) / 2};
}

CWideCircle PlaceFromPair(const CWideCircle& a, long double ra, const CWideCircle& b,
                          long double rb, long double rv, PairFit* fit) {
    const CWideCircle& unit = a.euclidRadius <= b.euclidRadius ? a : b;
    CFrame frame{unit.euclidCentre, unit.euclidRadius};
    CPairFrame pair(frame.Vector(a), frame.Vector(b), frame.Rim());
    Wide zv = Coth(rv);
    std::array<Wide, 3> touching = {-1, -1, zv};
    Wide discriminant = 1 - pair.Form(touching);
    std::optional<CWideCircle> placed;
    PairFit how = PairFit::TouchesBoth;
    if (discriminant >= 0) {
        const CircleVector& normal = pair.Normal();
        Wide s = Orientation * std::sqrt(discriminant / Product(normal, normal));
        placed = ToDiskCircle(pair.Combine(touching) + s * normal, frame, rv);
    }
    if (!placed) {
        how = PairFit::TouchesOne;
        placed = TouchOne(pair, frame, ra, rb, rv, zv);
    }
    if (!placed) {
        how = PairFit::Substitute;
        placed = unit;
    }
    if (fit) {
        *fit = how;
    }
    return *placed;
}

CDiskCircle PlaceFromPair(const CDiskCircle& a, double ra, const CDiskCircle& b, double rb,
                          double rv, PairFit* fit) {
    CDiskCircle placed = Narrow(PlaceFromPair(Widen(a), ra, Widen(b), rb, rv, fit));
    // A circle below the smallest double radius: the smaller of the pair stands in for it.
    if (!(placed.euclidRadius > 0)) {
        if (fit) {
            *fit = PairFit::Substitute;
        }
        return a.euclidRadius <= b.euclidRadius ? a : b;
    }
    return placed;
}

CWideCircle Widen(const CDiskCircle& circle) {
    return {{circle.diskCentre.x, circle.diskCentre.y},
            {circle.euclidCentre.x, circle.euclidCentre.y},
            circle.euclidRadius};
}

CDiskCircle Narrow(const CWideCircle& circle) {
    return {CDPoint(double(circle.diskCentre.real()), double(circle.diskCentre.imag())),
            CDPoint(double(circle.euclidCentre.real()), double(circle.euclidCentre.imag())),
            double(circle.euclidRadius)};
}

CDiskCircle EuclideanCircle(const CDPoint& w, double r) {
    double g = w.Abs();
    double h = DiskShift(g, r);
    double l = DiskShift(g, -r);
    CDPoint direction = g > 0 ? w / g : CDPoint(1, 0);
    return {w, direction * ((h + l) / 2), (h - l) / 2};
}
