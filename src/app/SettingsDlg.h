// "Settings": one dialog for every drawing and computing setting, working on a copy.
#pragma once

#include "app/FieldDialog.h"
#include "document/SettingsValues.h"

class QCheckBox;
class QGroupBox;

class CSettingsDlg : public CFieldDialog {
    Q_OBJECT

public:
    // Opens on `values`; after OK, Values() holds the accepted settings. Nothing is applied
    // to the program here: the caller copies them back.
    explicit CSettingsDlg(const CSettingsValues& values, QWidget* parent = nullptr);

    const CSettingsValues& Values() const { return m_values; }
    // After OK: the threshold entered (0 or less) was replaced by the one the solver uses.
    bool ThresholdReplaced() const { return m_thresholdReplaced; }
    const QString& EnteredThreshold() const { return m_enteredThreshold; }
    // What the dialog says under the threshold for that text: the value used instead, or
    // nothing when the text is used as it stands (or is refused).
    static QString ThresholdNote(const QString& text);

protected:
    void OnAccepted() override;

private:
    QGroupBox* MakeNodeGroup();
    QGroupBox* MakeEdgeGroup();
    // A circle-defaults group; its width edit is handed back through `widthEdit`.
    QGroupBox* MakeCircleGroup(int titleId, COLORREF* inner, COLORREF* line, const char* name,
                               QLineEdit** widthEdit);
    QWidget* MakeRightColumn();

    CSettingsValues m_values;
    bool m_thresholdReplaced = false;
    QString m_enteredThreshold;
    // The edits in the order in which OK validates them.
    struct Edits {
        QLineEdit* edgeThickness = nullptr;
        QLineEdit* defThickness = nullptr;
        QLineEdit* nodeSize = nullptr;
        QLineEdit* edgeHit = nullptr;
        QLineEdit* threshold = nullptr;
        QLineEdit* defOutThickness = nullptr;
        QCheckBox* graSnap = nullptr;
        QLineEdit* resizeRate = nullptr;
        QLineEdit* margin = nullptr;
        QLineEdit* tolerance = nullptr;
    } m_edits;
};
