// The commands that reshape the graph or colour its circles: Hex Refine, Barycentric Refine
// and Add Boundary Layer in graph mode, File > New Tiling Disk, and Colour By in circle mode.
#include "app/ColourByDlg.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/MessageBox.h"
#include "app/NewTilingDlg.h"
#include "app/ProgressRunner.h"
#include "app/QtStrings.h"
#include "app/TesselApp.h"
#include "document/StringIds.h"
#include "document/TilingDisk.h"
#include "view/BusyCursor.h"
#include "view/TesselView.h"

#include <new>

void CTesselApp::BindShapeCommands() {
    CMainFrame& frame = *m_pMainFrame;
    CTesselView& view = *m_pView;
    const auto inGraphMode = [this, &view] {
        return view.Mode() == GraphMode && !m_progress->IsRunning();
    };
    const std::pair<int, GraphGrowth> growths[] = {
        {cmd::kHexRefine, GraphGrowth::HexRefine},
        {cmd::kBarycentricRefine, GraphGrowth::BarycentricRefine},
        {cmd::kAddBoundaryLayer, GraphGrowth::BoundaryLayer}};
    for (const auto& [command, growth] : growths) {
        frame.BindCommand(command,
                          {[this, command, growth] { OnGrow(growth, command); }, inGraphMode, {}});
    }
    frame.BindCommand(cmd::kNewTilingDisk, [this] { OnNewTiling(); });
    // Colours go to the circles of a packing run, which circle mode shows.
    frame.BindCommand(cmd::kColourBy, {[this] { OnColourBy(); },
                                       [this, &view] {
                                           return view.Mode() == CircleMode &&
                                                  m_document->m_circles.GetCount() > 0 &&
                                                  !m_progress->IsRunning();
                                       },
                                       {}});
}

// A million-node result takes seconds: the growth runs behind the progress dialog, the window
// showing the graph as it was, and Cancel stops it between its passes over the graph.
void CTesselApp::OnGrow(GraphGrowth growth, int command) {
    m_pView->CancelGesture();
    std::string problem;
    bool grown = false;
    bool outOfMemory = false;
    RunOnWorker(command, LoadQString(ids::kGrowingGraph), [&] {
        try {
            grown = m_document->GrowGraph(growth, 1, problem, CancelAsked());
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
    });
    if (!grown && !outOfMemory && problem.empty()) {
        m_pMainFrame->SetStatusText(FormatString(ids::kGrowthCancelled, {CommandTip(command)}));
        return;
    }
    if (!grown) {
        ShowMessage(m_pMainFrame, outOfMemory ? LoadQString(ids::kDiskTooLarge)
                                              : FormatString(ids::kCannotGrow,
                                                             {QString::fromStdString(problem)}));
        return;
    }
    // The last packing's figures belong to the graph that was.
    m_pMainFrame->SetPackingStatus({});
    m_pView->OnDocumentRestored();
}

bool CTesselApp::OnNewTiling() {
    if (!SaveModified()) {
        return false;
    }
    CNewTilingDlg sizes(m_pMainFrame);
    if (sizes.exec() != QDialog::Accepted) {
        return false;
    }
    std::vector<std::uint8_t> bytes;
    try {
        const CBusyCursor busy;
        CTesselDoc doc;
        doc.SetViewRadius(m_pView->Radius());
        doc.SetGraphExtent(m_pView->width() * 0.5, m_pView->height() * 0.5);
        std::string problem;
        if (!BuildTilingDisk(doc, sizes.m_sides, sizes.m_corner, sizes.m_depth, problem)) {
            ShowWarning(m_pMainFrame,
                        FormatString(ids::kNoTiling, {QString::fromStdString(problem)}));
            return false;
        }
        bytes = doc.SaveToBytes();
    } catch (const std::bad_alloc&) {
        ShowWarning(m_pMainFrame, LoadQString(ids::kDiskTooLarge));
        return false;
    }
    return ShowNewDisk(cmd::kNewTilingDisk, bytes);
}

void CTesselApp::OnColourBy() {
    CColourByDlg dialog(m_colourRequest, m_pMainFrame);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    m_colourRequest = dialog.Request();
    std::string problem;
    if (!m_document->ColourCircles(m_colourRequest, problem)) {
        ShowMessage(m_pMainFrame,
                    FormatString(ids::kCannotColour, {QString::fromStdString(problem)}));
        return;
    }
    m_pView->OnDocumentRestored();
}
