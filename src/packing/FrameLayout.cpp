// Frames as a point c of the disk and a unit direction u: the isometry z -> T_c(u z), where
// T_c(z) = (z + c) / (1 + conj(c) z). Beside c each frame keeps 1 - |c|^2 as its own number,
// since near the rim it is far smaller than what |c| resolves.
#include "packing/FrameLayout.h"

#include "model/FanIndex.h"
#include "packing/TriangleAngle.h"

#include <cmath>
#include <complex>

namespace {

using Wide = long double;
using WidePoint = std::complex<Wide>;

struct CFrame {
    WidePoint centre;
    WidePoint toward; // unit direction of +x, towards the circle the frame was placed from
    Wide room = 1;    // 1 - |centre|^2
};

// The frame at hyperbolic distance d from frame a in direction e^(i theta) of a's own, with
// +x turned back towards a. Composes T_c R_u T_s R_-1 as T_c' R_u'.
CFrame Step(const CFrame& a, WidePoint turn, Wide d) {
    WidePoint s = a.toward * turn * std::tanh(d / 2);
    WidePoint denominator = Wide(1) + std::conj(a.centre) * s;
    WidePoint rotation = (Wide(1) + a.centre * std::conj(s)) / denominator;
    WidePoint toward = -rotation * a.toward * turn;
    Wide shrink = 1 / std::cosh(d / 2);
    return {(s + a.centre) / denominator, toward / std::abs(toward),
            a.room * shrink * shrink / std::norm(denominator)};
}

// The Euclidean circle of the hyperbolic circle of radius r about the frame's centre: the
// image of |z| = tanh(r / 2) under T_c.
CWideCircle CircleOf(const CFrame& f, Wide r) {
    Wide t = std::tanh(r / 2);
    Wide flat = 1 / (std::cosh(r / 2) * std::cosh(r / 2)); // 1 - t^2
    Wide denominator = flat + t * t * f.room;              // 1 - |c|^2 t^2
    return {f.centre, f.centre * (flat / denominator), t * f.room / denominator};
}

// The horocycle touching frame a's circle (radius ra) in direction e^(i theta) of the frame.
// It touches the unit circle at the image z of the ideal point and passes through the image
// P of the point of contact; with g = |P - z|^2 and h = 1 - |P|^2 its centre is
// z h / (g + h) and its radius g / (g + h), both found without subtracting near equals.
CWideCircle HorocycleOf(const CFrame& a, WidePoint turn, Wide ra) {
    WidePoint ideal = a.toward * turn;
    Wide contact = std::tanh(ra / 2);
    WidePoint w = ideal * contact;
    WidePoint atContact = Wide(1) + std::conj(a.centre) * w;
    WidePoint atIdeal = Wide(1) + std::conj(a.centre) * ideal;
    WidePoint z = (ideal + a.centre) / atIdeal;
    z /= std::abs(z);
    Wide gap = 2 / (std::exp(ra) + 1); // 1 - contact
    Wide g = std::norm(ideal * gap * a.room / (atContact * atIdeal));
    Wide flat = 1 / (std::cosh(ra / 2) * std::cosh(ra / 2)); // 1 - contact^2
    Wide h = a.room * flat / std::norm(atContact);
    return {z, z * (h / (g + h)), g / (g + h)};
}

// e^(i alpha) for the angle alpha at a between b and c, from its half angle's tangent.
WidePoint AngleTurn(const CWideRadiusTerms& a, const CWideRadiusTerms& b,
                    const CWideRadiusTerms& c) {
    CHalfAngle<Wide> h = HalfAngle(a, b, c);
    WidePoint half(h.x, h.y);
    return half * half / std::norm(half);
}

} // namespace

bool LayOutByFrames(const CFanIndex& fans, const std::vector<long double>& radii, int p, int q,
                    std::vector<CWideCircle>& circles, std::vector<char>& placed,
                    const CDiskMove& move) {
    if (!fans.IsInner(p)) {
        return false;
    }
    std::vector<CWideRadiusTerms> terms(radii.size());
    for (std::size_t i = 0; i < radii.size(); ++i) {
        terms[i] = WideRadiusTerms(radii[i]);
    }
    std::vector<CFrame> frames(fans.Size());
    std::vector<int> from(fans.Size(), -1); // the neighbour each frame was placed from
    // +x of the first frame points to q: straight up, unless the move turns it.
    frames[p] = {move.Centre(), move.Turn() * WidePoint(0, 1), move.Room()};
    from[p] = q;
    circles[p] = CircleOf(frames[p], radii[p]);
    placed[p] = 1;
    std::vector<int> queue = {p};
    for (std::size_t head = 0; head < queue.size(); ++head) {
        int a = queue[head];
        int k = fans.Degree(a);
        int back = 0;
        while (back < k && fans.Neighbour(a, back) != from[a]) {
            ++back;
        }
        // Going round the fan from the neighbour +x points to, each direction turns from the
        // last by the angle between them.
        WidePoint turn = 1;
        for (int step = 0; step < k; ++step) {
            int j = (back + step) % k;
            int v = fans.Neighbour(a, j);
            if (step > 0) {
                turn *= AngleTurn(terms[a], terms[fans.Neighbour(a, (j + k - 1) % k)], terms[v]);
                turn /= std::abs(turn);
            }
            if (placed[v]) {
                continue;
            }
            placed[v] = 1;
            if (!fans.IsInner(v)) {
                circles[v] = HorocycleOf(frames[a], turn, radii[a]);
                continue;
            }
            frames[v] = Step(frames[a], turn, radii[a] + radii[v]);
            from[v] = a;
            circles[v] = CircleOf(frames[v], radii[v]);
            queue.push_back(v);
        }
    }
    return true;
}
