// SVG export: the picture square of the other exports as the view box, the circles drawn
// through the SVG surface.
#include "circles/CPCircleArray.h"
#include "export/Export.h"
#include "export/PictureCheck.h"
#include "export/SvgSurface.h"

ExportStatus RecordSvg(const CCPCircleArray& circles, double scale, const std::string& title,
                       std::string& text) {
    text.clear();
    if (ExportStatus status = CheckVectorPicture(circles, scale); status != ExportStatus::Ok) {
        return status;
    }
    const IntRect extent = circles.GetExtent(scale);
    const std::string side = std::to_string(std::int64_t(extent.right) - extent.left);
    CSvgSurface surface;
    surface.SetOrigin({extent.right, extent.bottom}); // model point (0, 0) in the middle
    circles.Draw(surface, scale, DrawPlain);
    text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           side + "px\" height=\"" + side + "px\" viewBox=\"0 0 " + side + " " + side + "\">\n";
    if (!title.empty()) {
        text += "<title>" + XmlText(title) + "</title>\n";
    }
    text += surface.Elements() + "</svg>\n";
    return ExportStatus::Ok;
}

ExportStatus ExportSvg(const CCPCircleArray& circles, double scale, const ExportTarget& target) {
    std::string text;
    if (ExportStatus status = RecordSvg(circles, scale, target.Title(), text);
        status != ExportStatus::Ok) {
        return status;
    }
    return WriteBytes(target, text.data(), text.size());
}
