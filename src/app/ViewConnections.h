// The wiring between the view and the rest of the main window: the view announces, the
// application decides where each announcement shows.
#pragma once

#include <QString>

class CCircleBar;
class CMainFrame;
class CTesselView;

// The view's announcements reach the frame (command states, status-bar hints, the packing
// refusal) and the circle bar (the selection's style, the end of a gradation mode); the bar's
// edits and gradation choices reach the view. The three must live equally long, as they do
// in one main window. Brings the bar up to date at once.
void ConnectView(CTesselView& view, CMainFrame& frame, CCircleBar& bar);

// The status bar's texts of the pointer's place in the disk and of the zoom ("125%").
QString PointerText(double x, double y);
QString ZoomText(double zoom);
