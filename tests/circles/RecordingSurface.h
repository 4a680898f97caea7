// A drawing surface for tests that writes down every call it receives, one text line each.
#pragma once

#include "circles/DrawSurface.h"

#include <cstdio>
#include <string>
#include <vector>

class CRecordingSurface : public CDrawSurface {
public:
    // Every hook call in order: "save", "restore", "state ...", "ellipse ...", "line ...",
    // "fill ...", "pixel ...".
    std::vector<std::string> calls;

    // Only the drawing calls, each with the state it was drawn in.
    std::vector<std::string> Drawings() const {
        std::vector<std::string> out;
        for (const std::string& c : calls) {
            if (c.rfind("save", 0) != 0 && c.rfind("restore", 0) != 0 && c.rfind("state", 0) != 0) {
                out.push_back(c);
            }
        }
        return out;
    }

    static std::string Describe(const SurfaceState& s) {
        static const char* const pens[] = {"null", "solid"};
        static const char* const brushes[] = {"null", "solid", "hatch"};
        static const char* const ops[] = {"copy", "xor", "nop"};
        char text[160];
        std::snprintf(text, sizeof text, "pen %s %d #%06x brush %s #%06x %s %s origin %d,%d",
                      pens[int(s.pen.style)], s.pen.width, unsigned(s.pen.color),
                      brushes[int(s.brush.style)], unsigned(s.brush.color),
                      s.transparentBackground ? "transparent" : "opaque", ops[int(s.rasterOp)],
                      s.origin.x, s.origin.y);
        return text;
    }

protected:
    void OnSaveState() override { calls.push_back("save"); }
    void OnRestoreState() override { calls.push_back("restore"); }
    void OnStateChanged(const SurfaceState& s) override { calls.push_back("state " + Describe(s)); }
    void DoEllipse(const IntRect& r, const SurfaceState& s) override {
        calls.push_back("ellipse " + Rect(r) + " " + Describe(s));
    }
    void DoLine(IntPoint a, IntPoint b, const SurfaceState& s) override {
        calls.push_back("line " + std::to_string(a.x) + "," + std::to_string(a.y) + " " +
                        std::to_string(b.x) + "," + std::to_string(b.y) + " " + Describe(s));
    }
    void DoFillRect(const IntRect& r, COLORREF color, const SurfaceState& s) override {
        calls.push_back("fill " + Rect(r) + " " + Hex(color) + " " + Describe(s));
    }
    void DoSetPixel(IntPoint p, COLORREF color, const SurfaceState& s) override {
        calls.push_back("pixel " + std::to_string(p.x) + "," + std::to_string(p.y) + " " +
                        Hex(color) + " " + Describe(s));
    }

private:
    static std::string Rect(const IntRect& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," +
               std::to_string(r.right) + "," + std::to_string(r.bottom);
    }
    static std::string Hex(COLORREF c) {
        char text[16];
        std::snprintf(text, sizeof text, "#%06x", unsigned(c));
        return text;
    }
};
