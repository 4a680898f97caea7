// Test helper: a circle array whose listed circles the helper owns.
#pragma once

#include "circles/CPCircleArray.h"

#include <memory>
#include <vector>

struct CircleList {
    CCPCircleArray array;
    std::vector<std::unique_ptr<CCPCircle>> owned;

    CircleList() = default;
    CircleList(const CircleList&) = delete;
    CircleList& operator=(const CircleList&) = delete;
    ~CircleList() { array.m_list.clear(); }

    CCPCircle& Add(double x, double y, double r, int thickness = 1, COLORREF line = 0,
                   COLORREF inner = 0x00FFFFFF) {
        owned.push_back(std::make_unique<CCPCircle>());
        CCPCircle& c = *owned.back();
        c.m_euclidCentre.Set(x, y);
        c.m_euclidRadius = r;
        c.m_thickness = thickness;
        c.m_lineCol = line;
        c.m_innerCol = inner;
        array.Add(&c);
        return c;
    }
};
