// The editor's export and clipboard commands: the file and setup dialogs, then the
// core writers, with every failure reported to the user.
#pragma once

#include "app/VectorSetupDlg.h"
#include "geometry/Color.h"

#include <QString>

class CIniFile;
class CTesselDoc;
class QWidget;

// Each export asks for a path and then for its settings; cancelling either ends it quietly.
void ExportEpsCommand(QWidget* parent, const CTesselDoc& doc, double radius);
void ExportTextCommand(QWidget* parent, const CTesselDoc& doc, double radius, CIniFile& profile);
// A large picture is made in the background while a progress dialog keeps the window alive.
void ExportBitmapCommand(QWidget* parent, const CTesselDoc& doc, double radius,
                         COLORREF background);
void ExportEmfCommand(QWidget* parent, const CTesselDoc& doc, double radius);
// Exports beyond the first four: vector pictures with exact circles, and PNG (a large one made
// in the background like a bitmap).
void ExportVectorCommand(QWidget* parent, const CTesselDoc& doc, double radius,
                         CVectorSetupDlg::Kind kind);
void ExportPngCommand(QWidget* parent, const CTesselDoc& doc, double radius, COLORREF background);
// The graph, and its packing when it is packed, as a CirclePack packing file.
void ExportCirclePackCommand(QWidget* parent, const CTesselDoc& doc);

// The circles at the view's radius as an enhanced metafile, a PNG and an SVG image.
void CopyToClipboardCommand(QWidget* parent, const CTesselDoc& doc, double radius,
                            const QString& title);
