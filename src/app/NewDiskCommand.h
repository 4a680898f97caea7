// File > New Hex Disk and New Random Disk: the size dialog, then the disk built behind a
// progress dialog with Cancel, as the document file it would be.
#pragma once

#include "app/NewDiskDlg.h"

#include <cstdint>
#include <optional>
#include <vector>

class QWidget;

// What the new document's view offers the builder: its drawing radius and graph area.
struct DiskFrame {
    double viewRadius = 0;
    double extentX = 0;
    double extentY = 0;
};

// Asks for the size and builds the disk. Nothing when the user cancels, in either dialog, or
// when memory runs out (said in a message box); otherwise the document's bytes, which open as
// any document file does.
std::optional<std::vector<std::uint8_t>> NewDiskCommand(QWidget* parent, CNewDiskDlg::Kind kind,
                                                        const DiskFrame& frame);
