// File > New Hex Disk and New Random Disk: the size dialog, and the disk built as the document
// file it would be, on whatever thread the caller runs it.
#pragma once

#include "app/NewDiskDlg.h"
#include "document/GraphBuilder.h"

#include <cstdint>
#include <optional>
#include <vector>

class CIniFile;
class QWidget;

// What the new document's view offers the builder: its drawing radius and graph area.
struct DiskFrame {
    double viewRadius = 0;
    double extentX = 0;
    double extentY = 0;
};

// The sizes the user chose.
struct DiskRequest {
    CNewDiskDlg::Kind kind = CNewDiskDlg::Kind::Hex;
    int rings = 0;
    int nodes = 0;
    unsigned seed = 0;
    bool pack = false; // packed to convergence once made
};

// Asks for the size, the dialog's box remembered in `profile`; nothing when the user cancels.
std::optional<DiskRequest> AskDiskSize(QWidget* parent, CNewDiskDlg::Kind kind, CIniFile& profile);

// The disk's document bytes, which open as any document file does; nothing when progress
// stopped the build. Touches no window; std::bad_alloc leaves when memory runs out.
std::optional<std::vector<std::uint8_t>>
BuildDiskBytes(const DiskRequest& request, const DiskFrame& frame, const BuildProgress& progress);
