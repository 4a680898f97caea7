// The antialiased circle drawn the plain way, pixel by pixel over its bounding box: the
// measure the fast rasteriser is tested and benchmarked against.
#include "circles/Antialias.h"
#include "circles/DibBuffer.h"

#include <climits>

void RasteriseCircleReference(CDibBuffer& image, const AaCircle& c) {
    AaBox box;
    if (!AaBoundingBox(c, box)) {
        return;
    }
    double rin = c.radius - c.thickness / 2;
    double rout = c.radius + c.thickness / 2;
    for (long long y = box.ymin; y <= box.ymax; ++y) {
        for (long long x = box.xmin; x <= box.xmax; ++x) {
            if (x < INT_MIN || x > INT_MAX || y < INT_MIN || y > INT_MAX) {
                continue; // no picture holds such a pixel
            }
            double d = PixelDistance(double(x) - c.x, double(y) - c.y);
            if (d <= rin - kPixelRadius) {
                image.SetPixel(int(x), int(y), c.innerCol);
            } else if (d < kPixelRadius + rout) {
                COLORREF bg = image.GetPixel(int(x), int(y));
                double fo = CoverageBeyond(rout, d);
                COLORREF color = 0;
                if (c.thickness > 0) {
                    COLORREF u = Blend(c.lineCol, bg, fo);
                    double fi = CoverageBeyond(rin, d);
                    color = Blend(c.innerCol, u, fi);
                } else {
                    color = Blend(c.innerCol, bg, fo);
                }
                image.SetPixel(int(x), int(y), color);
            }
        }
    }
}
