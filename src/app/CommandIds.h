// The numeric ids of the editor's commands; they also key the commands' texts.
#pragma once

namespace cmd {

constexpr int kGraph = 32775;
constexpr int kCircle = 32776;
constexpr int kExportEmf = 32777;
constexpr int kExportEps = 32778;
constexpr int kCirclePacking = 32779;
constexpr int kNodeRandomize = 32783;
constexpr int kCircleBar = 32784;
constexpr int kSelectAll = 32785;
constexpr int kSelectInverse = 32786;
constexpr int kSettings = 32787;
constexpr int kRegisterFileType = 32788;
constexpr int kUnregisterFileType = 32789;
constexpr int kExportText = 32790;
constexpr int kCopyToClipboard = 32791;
constexpr int kCopyCircle = 32792;
constexpr int kPasteCircle = 32793;
constexpr int kGraphScaleDown = 32794;
constexpr int kExportBitmap = 32795;
constexpr int kAntialiasing = 32796;
constexpr int kHelp = 32797;
constexpr int kQuickHelp = 32798;
// Exports beyond the first four.
constexpr int kExportSvg = 32810;
constexpr int kExportPdf = 32811;
constexpr int kExportPng = 32812;
// Zoom and pan of the view.
constexpr int kZoomIn = 32840;
constexpr int kZoomOut = 32841;
constexpr int kZoomToFit = 32842;
// Generated disks.
constexpr int kNewHexDisk = 32843;
constexpr int kNewRandomDisk = 32844;
// Other programs' formats.
constexpr int kImport = 32950;
constexpr int kExportCirclePack = 32951;
constexpr int kExportTikz = 32952;

// Hyperbolic moves of the packing.
constexpr int kMovePacking = 32900;
constexpr int kCentreOnCircle = 32901;

// Refinement, growth, tilings and colourings.
constexpr int kHexRefine = 32925;
constexpr int kBarycentricRefine = 32926;
constexpr int kAddBoundaryLayer = 32927;
constexpr int kNewTilingDisk = 32928;
constexpr int kColourBy = 32929;

// Commands the editor adds to the original set.
constexpr int kPackToConvergence = 32820;
constexpr int kUndo = 32821;
constexpr int kRedo = 32822;

constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kPrintSetup = 57606;
constexpr int kPrint = 57607;
constexpr int kPrintDirect = 57608;
constexpr int kPrintPreview = 57609;
constexpr int kRecentFileFirst = 57616;
constexpr int kRecentFileLast = 57631;
constexpr int kAbout = 57664;
constexpr int kExit = 57665;
constexpr int kToolbar = 59392;
constexpr int kStatusBar = 59393;

} // namespace cmd
