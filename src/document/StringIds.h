// Names for the ids of the string tables, so that callers never spell a bare number.
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
constexpr int kMimeComment = 716;
constexpr int kDesktopGenericName = 717;
constexpr int kDesktopComment = 718;
constexpr int kExportInProgress = 719;
constexpr int kCannotPrint = 720;

constexpr int kButtonYes = 730;
constexpr int kButtonNo = 731;
constexpr int kButtonOk = 732;
constexpr int kButtonCancel = 733;
constexpr int kIntegerRange = 734;
constexpr int kNumberRange = 735;

constexpr int kAboutTitle = 10000;
constexpr int kAboutVersion = 10001;
constexpr int kAboutLine = 10002;

constexpr int kCircleBarTitle = 10300; // then the bar's labels, 10301 to 10311
constexpr int kSettingsTitle = 13000;  // then the dialog's labels, 13001 to 13021
constexpr int kEmfSetupTitle = 13100;
constexpr int kEpsSetupTitle = 13200;
constexpr int kTextSetupTitle = 13300;
constexpr int kBmpSetupTitle = 13400;

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
