// Antialiased rendering of a hex 30 packing: the pixel-by-pixel reference, the fast
// rasteriser circle by circle and on the whole list (one thread, or the program's number),
// and Cairo drawing the same circles antialiased as the outside yardstick.
#include "circles/Antialias.h"
#include "circles/DibBuffer.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"

#include <benchmark/benchmark.h>
#include <numbers>
#include <vector>

#ifdef TESSEL_HAVE_CAIRO
#include <cairo.h>
#endif

namespace {

constexpr COLORREF kBackground = 0x00FFFFFF;

// The circles of a hex 30 disk packed to convergence, outer circle first, in unit-disk
// coordinates.
const CCPCircleArray& Packing() {
    static CTesselDoc* doc = [] {
        auto* d = new CTesselDoc;
        BuildHexDisk(*d, 30);
        for (int run = 0; run < 40; ++run) {
            d->RunPacking(nullptr);
        }
        return d;
    }();
    return doc->m_circles;
}

std::vector<AaCircle> Scaled(double s) {
    const CCPCircleArray& circles = Packing();
    std::vector<AaCircle> out;
    for (int i = -1; i < circles.GetCount(); ++i) {
        const CCPCircle* c = circles.GetAt(i);
        out.push_back({s * c->m_euclidCentre.x, s * c->m_euclidCentre.y, s * c->m_euclidRadius,
                       double(c->m_thickness), c->m_lineCol, c->m_innerCol});
    }
    return out;
}

// The bitmap export's picture: 2c square with the origin in the middle.
void Prepare(CDibBuffer& dib, double s) {
    IntRect extent = Packing().GetExtent(s);
    dib.Create(extent.Width(), extent.Height());
    dib.SetOrigin(extent.Width() / 2, extent.Height() / 2);
    dib.SetOutsideColor(kBackground);
}

template <void (*Rasterise)(CDibBuffer&, const AaCircle&)>
void BM_Antialiased(benchmark::State& state) {
    double s = double(state.range(0));
    std::vector<AaCircle> circles = Scaled(s);
    CDibBuffer dib;
    Prepare(dib, s);
    for (auto _ : state) {
        dib.Fill(kBackground);
        for (const AaCircle& c : circles) {
            Rasterise(dib, c);
        }
        benchmark::DoNotOptimize(dib.Row(0));
    }
    state.counters["circles"] = double(circles.size());
    state.counters["pixels"] = double(dib.Width()) * dib.Height();
}

void BM_Reference(benchmark::State& state) {
    BM_Antialiased<RasteriseCircleReference>(state);
}
void BM_Fast(benchmark::State& state) {
    BM_Antialiased<RasteriseCircle>(state);
}

// The whole list at once, on one thread or on as many as the program uses.
void BM_List(benchmark::State& state) {
    double s = double(state.range(0));
    std::vector<AaCircle> circles = Scaled(s);
    CDibBuffer dib;
    Prepare(dib, s);
    for (auto _ : state) {
        // The background is set block by block as the circles are drawn, as the editor does.
        RasteriseCircles(dib, circles, int(state.range(1)), kBackground);
        benchmark::DoNotOptimize(dib.Row(0));
    }
    state.counters["circles"] = double(circles.size());
    state.counters["threads"] = double(state.range(1));
}

} // namespace

BENCHMARK(BM_Reference)->Arg(250)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fast)->Arg(250)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_List)
    ->ArgsProduct({{250, 1000, 4000}, {1, AntialiasThreads()}})
    ->UseRealTime() // the threads' work is not the calling thread's CPU time
    ->Unit(benchmark::kMillisecond);

#ifdef TESSEL_HAVE_CAIRO
namespace {

void SetSource(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// The same circles, the same picture size, Cairo's default antialiasing: fill with the inner
// colour, then stroke the outline centred on the circle.
void BM_Cairo(benchmark::State& state) {
    double s = double(state.range(0));
    std::vector<AaCircle> circles = Scaled(s);
    IntRect extent = Packing().GetExtent(s);
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, extent.Width(), extent.Height());
    cairo_t* cr = cairo_create(surface);
    cairo_translate(cr, extent.Width() / 2, extent.Height() / 2);
    for (auto _ : state) {
        SetSource(cr, kBackground);
        cairo_paint(cr);
        for (const AaCircle& c : circles) {
            cairo_new_path(cr);
            cairo_arc(cr, c.x, c.y, c.radius, 0, 2 * std::numbers::pi);
            SetSource(cr, c.innerCol);
            if (c.thickness > 0) {
                cairo_fill_preserve(cr);
                cairo_set_line_width(cr, c.thickness);
                SetSource(cr, c.lineCol);
                cairo_stroke(cr);
            } else {
                cairo_fill(cr);
            }
        }
        cairo_surface_flush(surface);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    state.counters["circles"] = double(circles.size());
}

} // namespace

BENCHMARK(BM_Cairo)->Arg(250)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
