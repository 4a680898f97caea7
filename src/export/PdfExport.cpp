// PDF export through Cairo's PDF surface: one page the size of the picture square, the
// circles drawn through the Cairo backend of the drawing surface.
#include "circles/CPCircleArray.h"
#include "document/AppTitle.h"
#include "export/CairoSurface.h"
#include "export/Export.h"
#include "export/PictureCheck.h"
#include "geometry/Utf8Text.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <new>

namespace {

cairo_status_t Collect(void* closure, const unsigned char* data, unsigned int length) {
    try {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    } catch (const std::bad_alloc&) {
        return CAIRO_STATUS_NO_MEMORY;
    }
    return CAIRO_STATUS_SUCCESS;
}

// The PDF's bytes, or Cairo's status when it failed.
cairo_status_t RecordPdf(const CCPCircleArray& circles, double scale, const std::string& title,
                         double side, std::string& bytes) {
    cairo_surface_t* page = cairo_pdf_surface_create_for_stream(Collect, &bytes, side, side);
    // No creation date: the same picture gives the same bytes.
    cairo_pdf_surface_set_metadata(page, CAIRO_PDF_METADATA_CREATE_DATE, "");
    cairo_pdf_surface_set_metadata(page, CAIRO_PDF_METADATA_CREATOR, kAppTitle);
    if (!title.empty()) {
        cairo_pdf_surface_set_metadata(page, CAIRO_PDF_METADATA_TITLE, Printable(title).c_str());
    }
    cairo_t* context = cairo_create(page);
    {
        CCairoSurface surface(context);
        const std::int32_t half = std::int32_t(side / 2);
        surface.SetOrigin({half, half}); // model point (0, 0) in the middle
        circles.Draw(surface, scale, DrawPlain);
    }
    cairo_show_page(context);
    cairo_status_t status = cairo_status(context);
    cairo_destroy(context);
    cairo_surface_finish(page);
    if (status == CAIRO_STATUS_SUCCESS) {
        status = cairo_surface_status(page);
    }
    cairo_surface_destroy(page);
    return status;
}

} // namespace

ExportStatus ExportPdf(const CCPCircleArray& circles, double scale, const ExportTarget& target) {
    if (ExportStatus status = CheckVectorPicture(circles, scale); status != ExportStatus::Ok) {
        return status;
    }
    const IntRect extent = circles.GetExtent(scale);
    const std::int64_t side = std::int64_t(extent.right) - extent.left;
    std::string bytes;
    const cairo_status_t status = RecordPdf(circles, scale, target.Title(), double(side), bytes);
    // Cairo records the whole page before a byte is written: running out of memory there is
    // what fails on a large picture, and it must be named as such, not as a full disk.
    if (status == CAIRO_STATUS_NO_MEMORY) {
        throw std::bad_alloc();
    }
    if (status != CAIRO_STATUS_SUCCESS) {
        return ExportStatus::WriteFailed;
    }
    return WriteBytes(target, bytes.data(), bytes.size());
}
