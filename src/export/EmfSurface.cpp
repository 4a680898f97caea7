// Enhanced-metafile recording: records, object handles, bounds and the file header.
#include "export/EmfSurface.h"

#include <algorithm>
#include <cmath>

namespace {

enum : std::uint32_t {
    EmrHeader = 1,
    EmrEof = 14,
    EmrSetPixelV = 15,
    EmrSetBkMode = 18,
    EmrSetRop2 = 20,
    EmrSetViewportOrgEx = 12,
    EmrMoveToEx = 27,
    EmrSaveDc = 33,
    EmrRestoreDc = 34,
    EmrSelectObject = 37,
    EmrCreatePen = 38,
    EmrCreateBrushIndirect = 39,
    EmrDeleteObject = 40,
    EmrEllipse = 42,
    EmrRectangle = 43,
    EmrLineTo = 54,
};
constexpr std::uint32_t kNullBrush = 0x80000005;
constexpr std::uint32_t kNullPen = 0x80000008;
constexpr std::uint32_t kSignature = 0x464D4520; // " EMF"
constexpr std::size_t kHeaderSize = 108;         // with both header extensions

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(std::uint8_t(v >> (8 * i)));
    }
}

std::uint32_t U(std::int32_t v) {
    return std::uint32_t(v);
}

std::uint32_t Rop2(RasterOp op) {
    switch (op) {
    case RasterOp::XorPen:
        return 7;
    case RasterOp::NoOp:
        return 11;
    case RasterOp::CopyPen:
        break;
    }
    return 13;
}

bool IsStock(std::uint32_t handle) {
    return (handle & 0x80000000u) != 0;
}

// 0.01 mm per device pixel at the reference resolution, applied to a coordinate.
std::int64_t ToFrame(std::int64_t pixels) {
    return std::llround(double(pixels) * 2540.0 / CEmfSurface::kReferenceDpi);
}

} // namespace

void CEmfSurface::Record(std::uint32_t type, std::initializer_list<std::uint32_t> params) {
    if (m_finished) {
        return;
    }
    Put32(m_records, type);
    Put32(m_records, std::uint32_t(8 + 4 * params.size()));
    for (std::uint32_t p : params) {
        Put32(m_records, p);
    }
    ++m_recordCount;
}

void CEmfSurface::OnSaveState() {
    // Modes set before the save belong to the outer level. Recorded inside it, they would be
    // undone by the restore, and players differ in how well they follow that: one showed the
    // whole picture with the invisible corner pixels' no-op raster operation still in force.
    SyncModes(State());
    Record(EmrSaveDc, {});
    m_savedRealised.push_back(m_realised);
}

void CEmfSurface::OnRestoreState() {
    Record(EmrRestoreDc, {U(-1)});
    m_realised = m_savedRealised.back();
    m_savedRealised.pop_back();
    // The restored context no longer holds what the inner level made: delete it.
    std::size_t depth = m_savedRealised.size();
    for (const Object& object : m_objects) {
        if (object.level > depth) {
            Record(EmrDeleteObject, {object.handle});
            m_handleInUse[object.handle] = false;
        }
    }
    std::erase_if(m_objects, [depth](const Object& o) { return o.level > depth; });
}

std::uint32_t CEmfSurface::NewHandle() {
    auto free = std::find(m_handleInUse.begin() + 1, m_handleInUse.end(), false);
    std::uint32_t handle = std::uint32_t(free - m_handleInUse.begin());
    if (free == m_handleInUse.end()) {
        m_handleInUse.push_back(true);
    } else {
        *free = true;
    }
    m_objects.push_back({handle, m_savedRealised.size()});
    return handle;
}

void CEmfSurface::Release(std::uint32_t handle) {
    auto it = std::find_if(m_objects.begin(), m_objects.end(),
                           [handle](const Object& o) { return o.handle == handle; });
    if (IsStock(handle) || it == m_objects.end() || it->level != m_savedRealised.size()) {
        return;
    }
    Record(EmrDeleteObject, {handle});
    m_handleInUse[handle] = false;
    m_objects.erase(it);
}

std::uint32_t CEmfSurface::CreatePenObject(const SurfacePen& pen) {
    if (pen.style == PenStyle::Null) {
        return kNullPen;
    }
    std::uint32_t handle = NewHandle();
    // LOGPEN: solid style, width as a point whose y is unused, colour.
    Record(EmrCreatePen, {handle, 0, U(pen.width), 0, pen.color});
    return handle;
}

std::uint32_t CEmfSurface::CreateBrushObject(const SurfaceBrush& brush) {
    if (brush.style == BrushStyle::Null) {
        return kNullBrush;
    }
    std::uint32_t handle = NewHandle();
    bool hatch = brush.style == BrushStyle::CrossHatch;
    // LOGBRUSH: solid (0) or hatched (2) with the diagonal cross hatch (5).
    Record(EmrCreateBrushIndirect, {handle, hatch ? 2u : 0u, brush.color, hatch ? 5u : 0u});
    return handle;
}

void CEmfSurface::Sync(const SurfaceState& state, bool pen, bool brush) {
    if (pen && (m_realised.penHandle == 0 || !(state.pen == m_realised.pen))) {
        std::uint32_t old = m_realised.penHandle;
        m_realised.penHandle = CreatePenObject(state.pen);
        m_realised.pen = state.pen;
        Record(EmrSelectObject, {m_realised.penHandle});
        Release(old);
    }
    if (brush && (m_realised.brushHandle == 0 || !(state.brush == m_realised.brush))) {
        std::uint32_t old = m_realised.brushHandle;
        m_realised.brushHandle = CreateBrushObject(state.brush);
        m_realised.brush = state.brush;
        Record(EmrSelectObject, {m_realised.brushHandle});
        Release(old);
    }
    SyncModes(state);
}

void CEmfSurface::SyncModes(const SurfaceState& state) {
    if (state.transparentBackground != m_realised.transparentBackground) {
        m_realised.transparentBackground = state.transparentBackground;
        Record(EmrSetBkMode, {state.transparentBackground ? 1u : 2u});
    }
    if (state.rasterOp != m_realised.rasterOp) {
        m_realised.rasterOp = state.rasterOp;
        Record(EmrSetRop2, {Rop2(state.rasterOp)});
    }
    if (!(state.origin == m_realised.origin)) {
        m_realised.origin = state.origin;
        Record(EmrSetViewportOrgEx, {U(state.origin.x), U(state.origin.y)});
    }
}

void CEmfSurface::Include(std::int64_t left, std::int64_t top, std::int64_t right,
                          std::int64_t bottom) {
    if (m_right < m_left) {
        m_left = left, m_top = top, m_right = right, m_bottom = bottom;
        return;
    }
    m_left = std::min(m_left, left);
    m_top = std::min(m_top, top);
    m_right = std::max(m_right, right);
    m_bottom = std::max(m_bottom, bottom);
}

void CEmfSurface::DoEllipse(const IntRect& rect, const SurfaceState& state) {
    Sync(state, true, true);
    // The rectangle is recorded as given to the ellipse call, right and bottom excluded.
    Record(EmrEllipse, {U(rect.left), U(rect.top), U(rect.right), U(rect.bottom)});
    std::int64_t grow = state.pen.style == PenStyle::Solid ? state.pen.width / 2 : 0;
    std::int64_t ox = state.origin.x, oy = state.origin.y;
    Include(ox + rect.left - grow, oy + rect.top - grow, ox + rect.right - 1 + grow,
            oy + rect.bottom - 1 + grow);
}

void CEmfSurface::DoLine(IntPoint from, IntPoint to, const SurfaceState& state) {
    Sync(state, true, false);
    Record(EmrMoveToEx, {U(from.x), U(from.y)});
    Record(EmrLineTo, {U(to.x), U(to.y)});
    std::int64_t grow = state.pen.width / 2;
    Include(state.origin.x + std::min(from.x, to.x) - grow,
            state.origin.y + std::min(from.y, to.y) - grow,
            state.origin.x + std::max(from.x, to.x) + grow,
            state.origin.y + std::max(from.y, to.y) + grow);
}

void CEmfSurface::DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) {
    // A filled rectangle without outline: a solid brush and the null pen in a saved context.
    SaveState();
    SelectPen(SurfacePen::Null());
    SelectBrush(SurfaceBrush::Solid(color));
    SetRasterOp(RasterOp::CopyPen);
    Sync(State(), true, true);
    // Without a pen the rectangle covers one pixel less each way: widen it by one.
    Record(EmrRectangle, {U(rect.left), U(rect.top), U(rect.right + 1), U(rect.bottom + 1)});
    RestoreState();
    Include(std::int64_t(state.origin.x) + rect.left, std::int64_t(state.origin.y) + rect.top,
            std::int64_t(state.origin.x) + rect.right - 1,
            std::int64_t(state.origin.y) + rect.bottom - 1);
}

void CEmfSurface::DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) {
    Sync(state, false, false);
    Record(EmrSetPixelV, {U(point.x), U(point.y), color});
    Include(std::int64_t(state.origin.x) + point.x, std::int64_t(state.origin.y) + point.y,
            std::int64_t(state.origin.x) + point.x, std::int64_t(state.origin.y) + point.y);
}

IntRect CEmfSurface::Bounds() const {
    auto clamp = [](std::int64_t v) {
        return std::int32_t(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return {clamp(m_left), clamp(m_top), clamp(m_right), clamp(m_bottom)};
}

bool CEmfSurface::Finish(const std::u16string& description, std::vector<std::uint8_t>& file) {
    file.clear();
    if (m_finished) {
        return false;
    }
    Record(EmrEof, {0, 16, 20}); // no palette; the palette offset and the record's own size
    m_finished = true;
    bool empty = m_right < m_left;
    for (std::int64_t v : {m_left, m_top, m_right + 1, m_bottom + 1}) {
        if (!empty && std::abs(v) > kMaxCoordinate) {
            return false;
        }
    }
    std::size_t descriptionBytes = (2 * description.size() + 3) & ~std::size_t(3);
    std::uint32_t headerSize = std::uint32_t(kHeaderSize + descriptionBytes);
    std::uint32_t total = std::uint32_t(headerSize + m_records.size());
    std::int64_t frame[4] = {0, 0, -1, -1};
    if (!empty) {
        frame[0] = ToFrame(m_left);
        frame[1] = ToFrame(m_top);
        frame[2] = ToFrame(m_right + 1) - 1; // the frame covers the last pixel whole
        frame[3] = ToFrame(m_bottom + 1) - 1;
    }
    IntRect b = empty ? IntRect{0, 0, -1, -1} : Bounds();
    constexpr std::uint32_t mmWidth = kReferenceWidth * 254 / (10 * kReferenceDpi);
    constexpr std::uint32_t mmHeight = (kReferenceHeight * 254 + 5 * kReferenceDpi) /
                                       (10 * kReferenceDpi); // rounded to the nearest mm
    std::uint32_t handles = std::uint32_t(m_handleInUse.size());
    file.reserve(total);
    for (std::uint32_t v : std::initializer_list<std::uint32_t>{
             EmrHeader,
             headerSize,
             U(b.left),
             U(b.top),
             U(b.right),
             U(b.bottom),
             U(frame[0]),
             U(frame[1]),
             U(frame[2]),
             U(frame[3]),
             kSignature,
             0x10000u,
             total,
             m_recordCount + 1,
             handles, // with the 16-bit reserved field above it, zero
             std::uint32_t(description.size()),
             std::uint32_t(kHeaderSize),
             0u,
             std::uint32_t(kReferenceWidth),
             std::uint32_t(kReferenceHeight),
             mmWidth,
             mmHeight,
             0u,
             0u,
             0u,
             mmWidth * 1000,
             std::uint32_t(kReferenceHeight * 25400 / kReferenceDpi)}) {
        Put32(file, v);
    }
    for (char16_t c : description) {
        file.push_back(std::uint8_t(c));
        file.push_back(std::uint8_t(c >> 8));
    }
    file.resize(headerSize, 0);
    file.insert(file.end(), m_records.begin(), m_records.end());
    return true;
}
