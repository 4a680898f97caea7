// CCPCircleArray: the outer circle and the circles of the last packing run, in node order.
#pragma once

#include "circles/CPCircle.h"
#include "geometry/IntGeometry.h"

#include <optional>
#include <vector>

class CCPNodeArray;

// Which style attributes GetCommonStyle found shared and ApplyStyle copies.
enum StyleFlags {
    StyleAnySelected = 1,
    StyleInnerColor = 2,
    StyleLineColor = 4,
    StyleLineWidth = 8,
};

enum GradationKind { GradLinear = 1, GradCircular = 2 };

// One colour gradation across the selected circles, laid by a drag in circle mode.
struct CGradation {
    COLORREF startColor = 0;
    CDPoint start;
    COLORREF endColor = 0;
    CDPoint end;
    int applyLine = 0;
    int applyInner = 0;
    int kind = GradLinear;
    int snap = 0; // move each end point to the centre of the circle under it
};

class CCPCircleArray : public CObject {
    TESSEL_DECLARE_DYNCREATE(CCPCircleArray)

public:
    // Added around the outer circle by GetExtent, in pixels.
    static constexpr int ExtentMargin = 5;

    CCPCircleArray();
    CCPCircleArray(const CCPCircleArray&) = delete;
    CCPCircleArray& operator=(const CCPCircleArray&) = delete;
    // Frees the list's storage only: listed circles belong to their nodes as well, and the
    // document releases them with RemoveAll before it destroys this array.
    ~CCPCircleArray() override = default;
    // The outer circle's style record only; the list is rebuilt by the next packing run.
    // Defined with the file format (src/document/DocumentFormat.cpp).
    void Serialize(CArchive& ar) override;

    // Index -1 is the outer circle; no range check otherwise.
    CCPCircle* GetAt(int i) { return i < 0 ? &m_outer : m_list[i]; }
    const CCPCircle* GetAt(int i) const { return i < 0 ? &m_outer : m_list[i]; }
    int GetCount() const { return static_cast<int>(m_list.size()); }
    // The list shares the circle with its node; see RemoveAll.
    void Add(CCPCircle* circle) { m_list.push_back(circle); }
    bool Contains(const CCPCircle* circle) const;
    // Deletes the listed circles that no node in owners holds any more, then empties the list.
    void RemoveAll(const CCPNodeArray& owners);

    void SelectAll(int value, bool includeOuter);
    void InvertSelection();
    // The first listed circle containing p; else the outer circle when asked and it contains p.
    CCPCircle* HitTest(const CDPoint& p, bool includeOuter);
    void ToggleInRect(const CDPoint& a, const CDPoint& b);
    // Copies the selection's shared style into target and returns the StyleFlags that agree.
    int GetCommonStyle(CCPCircle& target) const;
    void ApplyStyle(const CCPCircle& source, int flags);
    void ApplyGradation(const CGradation& request);
    // The square picture (-c, -c, c, c) that holds the outer circle drawn at that scale.
    IntRect GetExtent(double scale) const;

    // Drawing (src/circles/CPCircleDraw.cpp).
    //
    // The outer circle first, then the list in order. With DrawSelection and the outer circle
    // selected, the hatch covers the disk except the circles that are not selected. Reads
    // the circles only. OuterFill::Open draws the outer circle's line without its fill, as a
    // picture on a transparent background shows the gaps between the circles.
    enum class OuterFill { Filled, Open };
    void Draw(CDrawSurface& dc, double scale, DrawMode mode, COLORREF background = 0x00FFFFFF,
              OuterFill outerFill = OuterFill::Filled) const;
    // With a background the picture is set to it first (see RasteriseCircles). Line widths
    // are multiplied by widthScale: a screen of two device pixels per pixel draws them twice
    // as wide. Sizes::AbovePixel leaves out the listed circles below a pixel across, for a
    // screen that blends them in cheaply (BlendTinyCircles).
    enum class Sizes { All, AbovePixel };
    void DrawAntialiased(CDibBuffer& image, double scale,
                         std::optional<COLORREF> background = std::nullopt,
                         OuterFill outerFill = OuterFill::Filled, double widthScale = 1.0,
                         Sizes sizes = Sizes::All) const;
    // Export lines (src/circles/CPCircleWrite.cpp): one per circle, the outer circle first.
    void WriteEps(COutputFile& file, double scale) const;
    void WriteText(COutputFile& file, double scale, const std::string& format) const;

    CCPCircle m_outer;
    std::vector<CCPCircle*> m_list;
};
