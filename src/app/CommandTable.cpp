// The command set of the editor: ids, icons, keys, menus and tool bar.
#include "app/CommandTable.h"

#include "app/CommandIds.h"
#include "document/StringIds.h"

#include <algorithm>

namespace {

using namespace cmd;
using layout::kExportMenu;
using layout::kRecentFiles;
using layout::kSeparator;

constexpr CommandInfo kCommands[] = {
    {kFileNew, ":/icons/new.svg", "Ctrl+N"},
    {kFileOpen, ":/icons/open.svg", "Ctrl+O"},
    {kFileSave, ":/icons/save.svg", "Ctrl+S"},
    {kFileSaveAs, nullptr, "Ctrl+Shift+S"},
    {kNewHexDisk},
    {kNewRandomDisk},
    {kNewTilingDisk},
    {kExportEmf},
    {kExportEps},
    {kExportBitmap},
    {kExportText},
    {kExportSvg},
    {kExportPdf},
    {kExportPng},
    {kExportCirclePack},
    {kExportTikz},
    {kImport, nullptr, "Ctrl+I"},
    {kExit, nullptr, "Ctrl+Q"},
    {kUndo, ":/icons/undo.svg", "Ctrl+Z; Alt+Backspace"},
    {kRedo, ":/icons/redo.svg", "Ctrl+Shift+Z; Ctrl+Y"},
    {kSelectAll, nullptr, "Ctrl+A"},
    {kSelectInverse},
    {kCopyCircle, nullptr, "Ctrl+C"},
    {kPasteCircle, nullptr, "Ctrl+V"},
    {kGraphScaleDown},
    {kCentreOnCircle},
    {kMovePacking, ":/icons/move.svg", "M", true},
    {kCopyToClipboard},
    {kGraph, ":/icons/graph.svg", nullptr, true},
    {kCircle, ":/icons/circle.svg", nullptr, true},
    {kAntialiasing, nullptr, nullptr, true},
    // Ctrl+= is Ctrl+plus without Shift on keyboards that put plus over the equals sign.
    {kZoomIn, nullptr, "Ctrl++; Ctrl+="},
    {kZoomOut, nullptr, "Ctrl+-"},
    {kZoomToFit, nullptr, "Ctrl+0"},
    {kToolbar, nullptr, nullptr, true},
    {kStatusBar, nullptr, nullptr, true},
    {kCircleBar, nullptr, nullptr, true},
    {kSettings},
    {kCirclePacking, ":/icons/packing.svg"},
    {kPackToConvergence, ":/icons/converge.svg", "Ctrl+Shift+P"},
    {kNodeRandomize},
    {kHexRefine, nullptr, "Ctrl+Shift+H"},
    {kBarycentricRefine, nullptr, "Ctrl+Shift+B"},
    {kAddBoundaryLayer, nullptr, "Ctrl+Shift+L"},
    {kColourBy, nullptr, "Ctrl+Shift+K"},
    {kHelp, nullptr, "F1"},
    {kQuickHelp},
    {kAbout, ":/icons/about.svg"},
    {kRegisterFileType},
    {kUnregisterFileType},
    {kPrintSetup},
    {kPrintPreview},
    {kPrint, nullptr, "Ctrl+P"},
};

constexpr int kFileMenu[] = {
    kFileNew,  kNewHexDisk, kNewRandomDisk, kNewTilingDisk, kFileOpen,   kImport,
    kFileSave, kFileSaveAs, kExportMenu,    kSeparator,     kPrintSetup, kPrintPreview,
    kPrint,    kSeparator,  kRecentFiles,   kSeparator,     kExit};
constexpr int kExportItems[] = {kExportEmf,        kExportEps, kExportBitmap, kExportText,
                                kExportSvg,        kExportPdf, kExportPng,    kSeparator,
                                kExportCirclePack, kExportTikz};
constexpr int kEditMenu[] = {kUndo,           kRedo,      kSeparator,      kSelectAll,
                             kSelectInverse,  kSeparator, kCopyCircle,     kPasteCircle,
                             kColourBy,       kSeparator, kCentreOnCircle, kSeparator,
                             kGraphScaleDown, kSeparator, kCopyToClipboard};
constexpr int kViewMenu[] = {kGraph,     kCircle,       kSeparator, kZoomIn,
                             kZoomOut,   kZoomToFit,    kSeparator, kMovePacking,
                             kSeparator, kAntialiasing, kSeparator, kToolbar,
                             kStatusBar, kCircleBar,    kSeparator, kSettings};
constexpr int kRunMenu[] = {kCirclePacking, kPackToConvergence, kNodeRandomize,   kSeparator,
                            kHexRefine,     kBarycentricRefine, kAddBoundaryLayer};
constexpr int kHelpMenu[] = {kHelp,      kQuickHelp,        kAbout,
                             kSeparator, kRegisterFileType, kUnregisterFileType};

const MenuInfo kMenus[] = {
    {ids::kMenuFile, kFileMenu}, {ids::kMenuEdit, kEditMenu}, {ids::kMenuView, kViewMenu},
    {ids::kMenuRun, kRunMenu},   {ids::kMenuHelp, kHelpMenu},
};

constexpr int kToolBar[] = {
    kFileNew,           kFileOpen,  kFileSave, kSeparator,   kUndo,      kRedo,
    kSeparator,         kGraph,     kCircle,   kMovePacking, kSeparator, kCirclePacking,
    kPackToConvergence, kSeparator, kAbout};

} // namespace

std::span<const CommandInfo> CommandTable() {
    return kCommands;
}

const CommandInfo* FindCommand(int id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const CommandInfo& info) { return info.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::span<const MenuInfo> MenuBarLayout() {
    return kMenus;
}

std::span<const int> ExportMenuLayout() {
    return kExportItems;
}

std::span<const int> ToolBarLayout() {
    return kToolBar;
}
