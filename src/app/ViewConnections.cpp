// Connects the view's signals with the frame and the circle bar, and the bar's with the view.
#include "app/ViewConnections.h"

#include "app/CircleBar.h"
#include "app/MainFrame.h"
#include "view/TesselView.h"

QString PointerText(double x, double y) {
    // The C locale's numbers, as the disk's coordinates are written everywhere else.
    return QStringLiteral("%1, %2").arg(QString::number(x, 'f', 4), QString::number(y, 'f', 4));
}

QString ZoomText(double zoom) {
    return QString::number(qRound64(zoom * 100.0)) + QLatin1Char('%');
}

void ConnectView(CTesselView& view, CMainFrame& frame, CCircleBar& bar) {
    QObject::connect(&view, &CTesselView::CommandsChanged, &frame, &CMainFrame::UpdateCommands);
    QObject::connect(&view, &CTesselView::HintChanged, &frame, &CMainFrame::SetStatusText);
    QObject::connect(&view, &CTesselView::PointerMoved, &frame,
                     [&frame](bool inside, double x, double y) {
                         frame.SetPointerText(inside ? PointerText(x, y) : QString());
                     });
    QObject::connect(&view, &CTesselView::ZoomChanged, &frame,
                     [&frame](double zoom) { frame.SetZoomText(ZoomText(zoom)); });

    QObject::connect(&view, &CTesselView::SelectionStyleChanged, &bar,
                     &CCircleBar::ShowCommonStyle);
    QObject::connect(&view, &CTesselView::SelectionStyleUnavailable, &bar,
                     [&bar] { bar.SetEnabled(false); });
    QObject::connect(&view, &CTesselView::GradationModeChanged, &bar,
                     &CCircleBar::SetGradationMode);

    QObject::connect(&bar, &CCircleBar::ApplyStyle, &view, &CTesselView::ApplyStyleToSelection);
    QObject::connect(&bar, &CCircleBar::GradationModeChanged, &view,
                     &CTesselView::SetGradationMode);
    QObject::connect(&bar, &CCircleBar::GradationTargetsChanged, &view,
                     &CTesselView::SetGradationTargets);
    QObject::connect(&bar, &CCircleBar::LeaveRequested, &view,
                     [&view] { view.setFocus(Qt::ShortcutFocusReason); });

    view.SetGradationMode(bar.GradationMode());
    view.SetGradationTargets(bar.IsLineTarget(), bar.IsInnerTarget());
    view.AnnounceSelectionStyle();
    frame.SetZoomText(ZoomText(view.Transform().Zoom()));
}
