// Names for the ids of the string tables: the one place in the code that spells them, so that
// callers never use a bare number. Command ids live in app/CommandIds.h.
#pragma once

namespace ids {

constexpr int kDocumentTemplate = 128;

constexpr int kPackingRefused = 300;
constexpr int kCannotCreateMetafile = 301;
constexpr int kCannotOpenFile = 302;
constexpr int kCannotOpenClipboard = 303;
constexpr int kCannotCreateBitmap = 304;

constexpr int kHintMove = 350;
constexpr int kHintCreateEdges = 351;
constexpr int kHintCreateNode = 352;
constexpr int kHintDeleteEdge = 353;
constexpr int kHintDeleteNode = 354;

constexpr int kRegisterQuestion = 400;
constexpr int kUnregisterQuestion = 401;

constexpr int kFilterEmf = 500;
constexpr int kFilterEps = 501;
constexpr int kFilterText = 502;
constexpr int kFilterBitmap = 503;
constexpr int kFilterSvg = 504;
constexpr int kFilterPdf = 505;
constexpr int kFilterPng = 506;

// Other programs' formats.
constexpr int kFilterCirclePack = 1100;
constexpr int kFilterTikz = 1101;
constexpr int kFilterImport = 1102;
constexpr int kImportingFile = 1103;
constexpr int kImportCancelled = 1104;
constexpr int kImportFailed = 1105;
constexpr int kImportLargest = 1106;
constexpr int kImportNotes = 1107;
constexpr int kFilterOpen = 1108;

constexpr int kHelpFile = 600;
constexpr int kQuickHelpFile = 601;

constexpr int kSaveChanges = 700;
constexpr int kOpenFailed = 701;
constexpr int kSaveFailed = 702;
constexpr int kWriteFailed = 704;
constexpr int kPictureTooLarge = 705;
constexpr int kNotFinite = 706;
constexpr int kFilterAllFiles = 711;
constexpr int kRegisterFailed = 712;
constexpr int kUnregisterFailed = 713;
constexpr int kRegistered = 714;
constexpr int kUnregistered = 715;
constexpr int kExportInProgress = 719;
constexpr int kCannotPrint = 720;

constexpr int kButtonYes = 730;
constexpr int kButtonNo = 731;
constexpr int kButtonOk = 732;
constexpr int kButtonCancel = 733;
constexpr int kIntegerRange = 734;
constexpr int kNumberRange = 735;

// Circle Packing and Pack to Convergence: the status-bar figures and the progress dialog
constexpr int kPackingErrorStatus = 740;
constexpr int kConvergedStatus = 741;
constexpr int kConvergenceLimit = 742;
constexpr int kConvergenceLimitStatus = 743;
constexpr int kConvergenceCancelled = 744;
constexpr int kConvergenceProgress = 745;
constexpr int kConvergenceStarting = 746;
constexpr int kCancelling = 747;
constexpr int kNotEnoughMemory = 748;

// The profile could not be read at start
constexpr int kProfileNotSaved = 940;

// Undo and Redo: the menu items with the step's name, and the names of the steps
constexpr int kUndoStep = 750;
constexpr int kRedoStep = 751;
constexpr int kStepGrowNode = 752;
constexpr int kStepConnectNode = 753;
constexpr int kStepDeleteNode = 754;
constexpr int kStepDeleteEdge = 755;
constexpr int kStepMoveNode = 756;
constexpr int kStepScaleDown = 757;
constexpr int kStepCirclePacking = 758;
constexpr int kStepPackToConvergence = 759;
constexpr int kStepNodeRandomize = 760;
constexpr int kStepInnerColor = 761;
constexpr int kStepLineColor = 762;
constexpr int kStepLineWidth = 763;
constexpr int kStepPasteCircle = 764;
constexpr int kStepGradation = 765;
constexpr int kStepMovePacking = 1000;
constexpr int kStepCentreOnCircle = 1001;

// The first-run hint in the view on a new document
constexpr int kStartHint = 766;

// Refinement, growth and colourings: step names
constexpr int kStepHexRefine = 1050;
constexpr int kStepBarycentricRefine = 1051;
constexpr int kStepBoundaryLayer = 1052;
constexpr int kStepColourBy = 1053;
// Refinement, growth, tilings and colourings: progress and refusals
constexpr int kGrowingGraph = 1054;
constexpr int kCannotGrow = 1055;
constexpr int kCannotColour = 1056;
constexpr int kBuildingTiling = 1057;
constexpr int kNoTiling = 1058;
constexpr int kGrowthCancelled = 1150;

// New Tiling Disk and Colour By dialogs
constexpr int kNewTilingTitle = 14150;
constexpr int kNewTilingSides = 14151;
constexpr int kNewTilingCorner = 14152;
constexpr int kNewTilingDepth = 14153;
constexpr int kColourByTitle = 14160;
constexpr int kColourByKind = 14161;
constexpr int kColourByRings = 14162;
constexpr int kColourByDegree = 14163;
constexpr int kColourByProper = 14164;
constexpr int kColourByRadius = 14165;
constexpr int kColourByFirst = 14166;
constexpr int kColourByLast = 14167;
constexpr int kColourByPalette = 14168;
constexpr int kColourByLine = 14169;
constexpr int kColourByInner = 14170;
constexpr int kColourBySelected = 14171;

// Generated disks
constexpr int kBuildingDisk = 800;
constexpr int kDiskTooLarge = 801;

// Opening, saving and Circle Packing behind the progress dialog
constexpr int kOpeningFile = 810;
constexpr int kOpenCancelled = 811;
constexpr int kSavingFile = 812;
constexpr int kSaveCancelled = 813;
constexpr int kPackingStep = 814;
constexpr int kPackingCancelled = 815;
constexpr int kPackingOutOfMemory = 816;

// What a converged packing cannot show in doubles
constexpr int kCirclesTooSmall = 820;
constexpr int kCircleTooSmall = 821;
constexpr int kPictureOutOfMemory = 822;

// Commands that show the circles while none have been computed
constexpr int kCirclesNotComputedOpened = 850;
constexpr int kCirclesNotComputedNew = 851;
constexpr int kNoCirclesHint = 852;

// Building a generated disk on the worker
constexpr int kBuildingDiskStep = 853;
constexpr int kApplyingPacking = 854;

// Dialog messages that say which field and why
constexpr int kBitmapRadiusTooLarge = 855;
constexpr int kFieldRefused = 856;
constexpr int kThresholdUsed = 857;
constexpr int kThresholdReplaced = 858;

// Help without a browser
constexpr int kHelpWindowTitle = 859;
constexpr int kHelpMissing = 860;

constexpr int kAboutTitle = 10000;
constexpr int kAboutVersion = 10001;
constexpr int kAboutLine = 10002;

// The circle bar
constexpr int kCircleBarTitle = 10300;
constexpr int kCircleBarCircle = 10301;
constexpr int kCircleBarColor = 10302;
constexpr int kCircleBarLine = 10303;
constexpr int kCircleBarInner = 10304;
constexpr int kCircleBarWidth = 10305;
constexpr int kCircleBarGradation = 10306;
constexpr int kCircleBarArrow = 10307;
constexpr int kCircleBarLineTarget = 10308;
constexpr int kCircleBarInnerTarget = 10309;
constexpr int kCircleBarLinear = 10310;
constexpr int kCircleBarCircular = 10311;

// The Settings dialog; kDialogCancel is the Cancel caption of every dialog with fields
constexpr int kSettingsTitle = 13000;
constexpr int kDialogCancel = 13001;
constexpr int kSettingsGraph = 13002;
constexpr int kSettingsNode = 13003;
constexpr int kSettingsEdge = 13004;
constexpr int kSettingsOuterCircle = 13005;
constexpr int kSettingsInnerCircle = 13006;
constexpr int kSettingsInner = 13007;
constexpr int kSettingsOuter = 13008;
constexpr int kSettingsNotConnect = 13009;
constexpr int kSettingsSize = 13010;
constexpr int kSettingsLineWidth = 13011;
constexpr int kSettingsHitWidth = 13012;
constexpr int kSettingsLine = 13013;
constexpr int kSettingsBackground = 13014;
constexpr int kSettingsGraphModeLine = 13015;
constexpr int kSettingsMargin = 13016;
constexpr int kSettingsResizeRate = 13017;
constexpr int kSettingsGradation = 13018;
constexpr int kSettingsSnap = 13019;
constexpr int kSettingsThurston = 13020;
constexpr int kSettingsError = 13021;
constexpr int kSettingsConvergence = 13022;
constexpr int kSettingsTolerance = 13023;

// The export setup dialogs
constexpr int kEmfSetupTitle = 13100;
constexpr int kEmfSetupRadius = 13101;
constexpr int kEpsSetupTitle = 13200;
constexpr int kEpsSetupRadius = 13201;
constexpr int kEpsSetupPoints = 13202;
constexpr int kEpsSetupLeftBottom = 13203;
constexpr int kTextSetupTitle = 13300;
constexpr int kTextSetupRadius = 13301;
constexpr int kTextSetupFormat = 13302;
constexpr int kTextSetupTokens = 13303;
constexpr int kBmpSetupTitle = 13400;
constexpr int kBmpSetupRadius = 13401;
constexpr int kBmpSetupAntialias = 13402;
constexpr int kBmpSetupBackgroundGroup = 13403;
constexpr int kBmpSetupBackground = 13404;
constexpr int kSvgSetupTitle = 13500;
constexpr int kSvgSetupRadius = 13501;
constexpr int kSvgSetupPixels = 13502;
constexpr int kPdfSetupTitle = 13600;
constexpr int kPdfSetupRadius = 13601;
constexpr int kPdfSetupPoints = 13602;
constexpr int kTikzSetupTitle = 14200;
constexpr int kTikzSetupRadius = 14201;
constexpr int kTikzSetupPoints = 14202;
constexpr int kTikzSetupDocument = 14203;
constexpr int kPngSetupTitle = 13700;
constexpr int kPngSetupTransparent = 13701;
constexpr int kPngSetupResolution = 13702;
constexpr int kPngSetupDpi = 13703;
constexpr int kNewHexTitle = 13800;
constexpr int kNewHexRings = 13801;
constexpr int kNewHexRingsUnit = 13802;
constexpr int kNewRandomTitle = 13810;
constexpr int kNewRandomNodes = 13811;
constexpr int kNewRandomNodesUnit = 13812;
constexpr int kNewRandomSeed = 13813;
constexpr int kNewDiskPack = 14210;

constexpr int kMenuFile = 20000;
constexpr int kMenuExport = 20001;
constexpr int kMenuEdit = 20002;
constexpr int kMenuView = 20003;
constexpr int kMenuRun = 20004;
constexpr int kMenuHelp = 20005;

constexpr int kAppName = 57344;
constexpr int kReady = 57345;
constexpr int kRecentFilePrompt = 57616;
constexpr int kIndicatorCaps = 59137;
constexpr int kIndicatorNum = 59138;
constexpr int kIndicatorScroll = 59139;
constexpr int kIndicatorKana = 59142;

// A command's menu caption is stored under this base plus the command id; the command id
// itself holds its status prompt, a line feed and its tool tip.
constexpr int kCaptionBase = 100000;

} // namespace ids
