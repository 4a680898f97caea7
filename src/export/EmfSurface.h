// CEmfSurface: a drawing surface that records an enhanced metafile (EMF) file.
#pragma once

#include "circles/DrawSurface.h"

#include <cstdint>
#include <string>
#include <vector>

class CEmfSurface : public CDrawSurface {
public:
    // The reference device the picture is recorded against: a 1920 x 1080 screen of 96 pixels
    // per inch. The frame (in 0.01 mm) and the device sizes in the header derive from it.
    static constexpr int kReferenceDpi = 96;
    static constexpr int kReferenceWidth = 1920;
    static constexpr int kReferenceHeight = 1080;
    // The largest device coordinate (either sign) whose frame value still fits in 32 bits.
    static constexpr std::int64_t kMaxCoordinate =
        (std::int64_t(0x7FFFFFFF) * kReferenceDpi) / 2540 - 1;

    // Ends the recording: the whole file, header (with bounds, frame and description) first
    // and the end-of-file record last. False, with no bytes, when the drawing reached beyond
    // kMaxCoordinate. The surface records nothing more afterwards.
    bool Finish(const std::u16string& description, std::vector<std::uint8_t>& file);

    // The bounds of everything recorded so far, in device pixels, inclusive; empty
    // (right < left) when nothing was drawn.
    IntRect Bounds() const;

protected:
    void OnSaveState() override;
    void OnRestoreState() override;
    void DoEllipse(const IntRect& rect, const SurfaceState& state) override;
    void DoLine(IntPoint from, IntPoint to, const SurfaceState& state) override;
    void DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) override;
    void DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) override;

private:
    // What the playing device context holds at this point of the recording.
    struct Realised {
        SurfacePen pen;
        // 0 until the first drawing selects one: a player's own context may hold anything.
        std::uint32_t penHandle = 0;
        SurfaceBrush brush;
        std::uint32_t brushHandle = 0;
        bool transparentBackground = false;
        RasterOp rasterOp = RasterOp::CopyPen;
        IntPoint origin;
    };
    struct Object {
        std::uint32_t handle = 0;
        std::size_t level = 0; // the save depth it was created at
    };

    void Record(std::uint32_t type, std::initializer_list<std::uint32_t> params);
    // Records what the playing context needs to match `state` for one drawing call: the pen
    // and brush only when the call uses them.
    void Sync(const SurfaceState& state, bool pen, bool brush);
    // The background mode, raster operation and origin alone.
    void SyncModes(const SurfaceState& state);
    std::uint32_t CreatePenObject(const SurfacePen& pen);
    std::uint32_t CreateBrushObject(const SurfaceBrush& brush);
    std::uint32_t NewHandle();
    // Deletes the object if the current save depth made it; stock objects and those an
    // outer saved state still holds are kept.
    void Release(std::uint32_t handle);
    void Include(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

    std::vector<std::uint8_t> m_records;
    std::uint32_t m_recordCount = 0;
    Realised m_realised;
    std::vector<Realised> m_savedRealised;
    std::vector<Object> m_objects;
    std::vector<bool> m_handleInUse{true}; // index 0 belongs to the metafile itself
    std::int64_t m_left = 0, m_top = 0, m_right = -1, m_bottom = -1;
    bool m_finished = false;
};
