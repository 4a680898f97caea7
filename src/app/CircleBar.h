// The circle bar: the common style of the selected circles, and the gradation drag's settings.
#pragma once

#include "circles/CPCircle.h"
#include "geometry/Color.h"

#include <QDockWidget>

class CColorButton;
class QLineEdit;
class QPushButton;
class QToolButton;
struct CViewSettings;

// A dock on the left or right of the main window. The application connects it with the view:
// the view's announcements fill it (ShowCommonStyle, SetEnabled, SetGradationMode) and its
// signals reach the view (ApplyStyle, GradationModeChanged, GradationTargetsChanged); the
// gradation colours reach the view through the settings the bar writes.
class CCircleBar : public QDockWidget {
    Q_OBJECT

public:
    // The bar shows and edits the gradation colours of `settings`, which must outlive it.
    explicit CCircleBar(CViewSettings& settings, QWidget* parent = nullptr);

    // While enabled, the controls that edit the selection's style can be used.
    void SetEnabled(bool enabled);
    bool BarEnabled() const { return m_enabled != 0; }

    // Shows a common style as the view collects it: `flags` holds StyleAnySelected (enables
    // the bar) and one bit per attribute on which the selection agrees; an attribute without
    // its bit shows "?".
    void ShowCommonStyle(const CCPCircle& style, int flags);

    // A negative width shows "?".
    void SetLineWidthText(int width);
    // The leading digits of the width edit as a number limited to 0 … 2147483647, which the
    // edit then shows; without a leading digit -1, and the edit shows "?".
    int ReadLineWidth();

    // The gradation kind of the next drag (0 none, 1 linear, 2 circular); the Linear and
    // Circular toggles follow it.
    void SetGradationMode(int mode);
    int GradationMode() const { return m_gradationMode; }

    // The gradation colours, which the bar takes from its settings when it is made and
    // writes back there whenever the user picks one.
    COLORREF StartColor() const;
    COLORREF EndColor() const;
    bool IsLineTarget() const;
    bool IsInnerTarget() const;

signals:
    // The user edited one attribute: apply `style`'s attributes named by `flags` to the
    // selection. `style` is a fresh record in the default style with that attribute set.
    void ApplyStyle(const CCPCircle& style, int flags);
    // The user pressed or released Linear or Circular.
    void GradationModeChanged(int mode);
    // The Line or Inner target was switched: which colours a gradation sets.
    void GradationTargetsChanged(bool line, bool inner);
    // Esc in the width box: the keys should go back to the view.
    void LeaveRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakeCircleGroup();
    QWidget* MakeGradationGroup();
    QPushButton* MakeToggle(int textId, const char* name);
    // Puts the controls in their starting state once they exist.
    void InitBarControls();

    void ApplyOne(int flag, COLORREF color, int width);
    void OnWidthEntered();
    void StepWidth(int step);
    void OnGradationToggle(QPushButton* toggle, int mode);
    void OnGradationColorPicked();
    void UpdateControls();

    CViewSettings& m_settings;
    int m_enabled = 0;
    int m_gradationMode = 0;
    int m_spinPosition = 0;
    int m_shownWidth = -1; // what SetLineWidthText last showed
    QPushButton* m_lineTarget = nullptr;
    QPushButton* m_innerTarget = nullptr;
    QPushButton* m_linear = nullptr;
    QPushButton* m_circular = nullptr;
    CColorButton* m_endColor = nullptr;
    CColorButton* m_startColor = nullptr;
    QToolButton* m_spinUp = nullptr;
    QToolButton* m_spinDown = nullptr;
    QLineEdit* m_width = nullptr;
    CColorButton* m_lineColor = nullptr;
    CColorButton* m_innerColor = nullptr;
};
