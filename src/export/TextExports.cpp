// EPS and text export: check the circles, open the file in text mode, let the document write,
// commit.
#include "document/TesselDoc.h"
#include "export/Export.h"
#include "export/PictureCheck.h"

namespace {

template <class Write>
ExportStatus WriteTextFile(ExportStatus check, const ExportTarget& target, Write write) {
    if (check != ExportStatus::Ok) {
        return check;
    }
    COutputFile file;
    if (!target.Open(file, COutputFile::Mode::Text)) {
        return ExportStatus::CannotOpen;
    }
    write(file);
    return ToExportStatus(file.Commit());
}

} // namespace

ExportStatus ExportEps(const CTesselDoc& doc, const ExportTarget& target, double scale,
                       double offset) {
    ExportStatus status = CheckPicture(doc.m_circles, scale);
    if (status == ExportStatus::Ok &&
        !(scale <= kEpsMaxRadius && offset >= 0 && offset <= kEpsMaxOffset)) {
        status = ExportStatus::PictureTooLarge;
    }
    return WriteTextFile(status, target,
                         [&](COutputFile& file) { doc.WriteEps(file, scale, offset); });
}

ExportStatus ExportText(const CTesselDoc& doc, const ExportTarget& target, double scale,
                        const std::string& format) {
    return WriteTextFile(CheckGeometry(doc.m_circles, scale), target,
                         [&](COutputFile& file) { doc.WriteText(file, scale, format); });
}
