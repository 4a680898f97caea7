// Generated disks for the File menu.
#include "app/NewDiskCommand.h"

#include "document/TesselDoc.h"

std::optional<DiskRequest> AskDiskSize(QWidget* parent, CNewDiskDlg::Kind kind, CIniFile& profile) {
    CNewDiskDlg sizes(kind, profile, parent);
    if (sizes.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return DiskRequest{kind, sizes.m_rings, sizes.m_nodes, unsigned(sizes.m_seed),
                       sizes.m_pack != 0};
}

std::optional<std::vector<std::uint8_t>>
BuildDiskBytes(const DiskRequest& request, const DiskFrame& frame, const BuildProgress& progress) {
    CTesselDoc doc;
    doc.SetViewRadius(frame.viewRadius);
    doc.SetGraphExtent(frame.extentX, frame.extentY);
    const bool built = request.kind == CNewDiskDlg::Kind::Hex
                           ? BuildHexDisk(doc, request.rings, progress)
                           : BuildRandomDisk(doc, request.nodes, request.seed, progress);
    if (!built) {
        return std::nullopt;
    }
    return doc.SaveToBytes();
}
