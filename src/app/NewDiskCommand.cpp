// Building a generated disk with progress.
#include "app/NewDiskCommand.h"

#include "app/MessageBox.h"
#include "app/QtStrings.h"
#include "document/GraphBuilder.h"
#include "document/StringIds.h"
#include "document/TesselDoc.h"
#include "view/BusyCursor.h"

#include <QProgressDialog>
#include <new>

namespace {

// Builds on this thread: the progress dialog's updates let the window paint the document
// shown until now, which the build does not touch.
bool Build(QWidget* parent, const CNewDiskDlg& sizes, CTesselDoc& doc) {
    QProgressDialog progress(LoadQString(ids::kBuildingDisk), LoadQString(ids::kDialogCancel), 0, 1,
                             parent);
    progress.setWindowTitle(LoadQString(
        sizes.m_kind == CNewDiskDlg::Kind::Hex ? ids::kNewHexTitle : ids::kNewRandomTitle));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const BuildProgress report = [&progress](int made, int total) {
        progress.setMaximum(total);
        progress.setValue(made);
        return !progress.wasCanceled();
    };
    const CBusyCursor busy;
    return sizes.m_kind == CNewDiskDlg::Kind::Hex
               ? BuildHexDisk(doc, sizes.m_rings, report)
               : BuildRandomDisk(doc, sizes.m_nodes, unsigned(sizes.m_seed), report);
}

} // namespace

std::optional<std::vector<std::uint8_t>> NewDiskCommand(QWidget* parent, CNewDiskDlg::Kind kind,
                                                        const DiskFrame& frame) {
    CNewDiskDlg sizes(kind, parent);
    if (sizes.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    try {
        CTesselDoc doc;
        doc.SetViewRadius(frame.viewRadius);
        doc.SetGraphExtent(frame.extentX, frame.extentY);
        if (!Build(parent, sizes, doc)) {
            return std::nullopt;
        }
        return doc.SaveToBytes();
    } catch (const std::bad_alloc&) {
        ShowWarning(parent, LoadQString(ids::kDiskTooLarge));
        return std::nullopt;
    }
}
