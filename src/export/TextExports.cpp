// EPS and text export: check the circles, open the file in text mode, let the document write,
// commit.
#include "document/TesselDoc.h"
#include "export/Export.h"
#include "export/PictureCheck.h"

namespace {

template <class Write>
ExportStatus WriteTextFile(ExportStatus check, const std::string& path, Write write) {
    if (check != ExportStatus::Ok) {
        return check;
    }
    COutputFile file;
    if (!file.Open(path, COutputFile::Mode::Text)) {
        return ExportStatus::CannotOpen;
    }
    write(file);
    return ToExportStatus(file.Commit());
}

} // namespace

ExportStatus ExportEps(const CTesselDoc& doc, const std::string& path, double scale,
                       double offset) {
    return WriteTextFile(CheckPicture(doc.m_circles, scale), path,
                         [&](COutputFile& file) { doc.WriteEps(file, scale, offset); });
}

ExportStatus ExportText(const CTesselDoc& doc, const std::string& path, double scale,
                        const std::string& format) {
    return WriteTextFile(CheckGeometry(doc.m_circles, scale), path,
                         [&](COutputFile& file) { doc.WriteText(file, scale, format); });
}
