// The Settings dialog: colours, sizes, circle defaults, margin, resize rate, snap, threshold
// and convergence tolerance.
#include "app/SettingsDlg.h"

#include "app/ColorButton.h"
#include "app/QtStrings.h"
#include "document/StringIds.h"
#include "document/ViewSettings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

namespace {

// A threshold of zero or less would never let the solver stop.
constexpr double kDefaultThreshold = 0.0001;

QLineEdit* Named(QLineEdit* edit, const char* name) {
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

CSettingsDlg::CSettingsDlg(const CSettingsValues& values, QWidget* parent)
    : CFieldDialog(ids::kSettingsTitle, parent), m_values(values) {
    auto* graph = new QGroupBox(LoadQString(ids::kSettingsGraph), this);
    auto* graphLayout = new QHBoxLayout(graph);
    graphLayout->addWidget(MakeNodeGroup());
    graphLayout->addWidget(MakeEdgeGroup());

    auto* circles = new QHBoxLayout;
    circles->addWidget(MakeCircleGroup(ids::kSettingsOuterCircle, &m_values.m_defOutInnerCol,
                                       &m_values.m_defOutLineCol, "defOut",
                                       &m_edits.defOutThickness));
    circles->addWidget(MakeCircleGroup(ids::kSettingsInnerCircle, &m_values.m_defInnerCol,
                                       &m_values.m_defLineCol, "def", &m_edits.defThickness));

    auto* left = new QVBoxLayout;
    left->addWidget(graph);
    left->addLayout(circles);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(MakeRightColumn());

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns);
    outer->addWidget(MakeButtons());

    // Colours never fail, so only the order of the edits matters for which one is refused.
    m_fields.AddInteger(m_edits.edgeThickness, &m_values.m_edgeThickness, 0, 255);
    m_fields.AddInteger(m_edits.defThickness, &m_values.m_defThickness, 0, 65535);
    m_fields.AddInteger(m_edits.nodeSize, &m_values.m_nodeSize, 0, 255);
    m_fields.AddReal(m_edits.edgeHit, &m_values.m_edgeHit, 1.0, 255.0);
    m_fields.AddReal(m_edits.threshold, &m_values.m_thurstonThreshold, 0.0, 1.0);
    m_fields.AddInteger(m_edits.defOutThickness, &m_values.m_defOutThickness, 0, 65535);
    m_fields.AddFlag(m_edits.graSnap, &m_values.m_graSnap);
    m_fields.AddReal(m_edits.resizeRate, &m_values.m_graphResizeRate, 0.01, 1.0);
    m_fields.AddInteger(m_edits.margin, &m_values.m_margin, 0, 65535);
    m_fields.AddReal(m_edits.tolerance, &m_values.m_convergenceTolerance,
                     CViewSettings::MinTolerance, CViewSettings::MaxTolerance);
    m_fields.ToControls();
}

void CSettingsDlg::OnAccepted() {
    m_thresholdReplaced = !(m_values.m_thurstonThreshold > 0.0);
    m_enteredThreshold = m_edits.threshold->text().trimmed();
    if (m_thresholdReplaced) {
        m_values.m_thurstonThreshold = kDefaultThreshold;
    }
}

QString CSettingsDlg::ThresholdNote(const QString& text) {
    // Only a number the range check lets through can be replaced.
    if (CDialogFields::RealRefusal(text, 0.0, 1.0)) {
        return {};
    }
    return QLocale::c().toDouble(text.trimmed()) > 0.0
               ? QString()
               : FormatString(ids::kThresholdUsed, {FormatReal(kDefaultThreshold)});
}

namespace {

// Adds "label, colour button" to a grid and binds the button to its setting.
CColorButton* AddColorRow(QGridLayout* grid, int row, int labelId, const char* name) {
    QWidget* owner = grid->parentWidget();
    auto* button = new CColorButton(owner);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(LoadQString(labelId));
    auto* label = new QLabel(LoadQString(labelId), owner);
    label->setBuddy(button);
    grid->addWidget(label, row, 0);
    grid->addWidget(button, row, 1);
    return button;
}

} // namespace

QGroupBox* CSettingsDlg::MakeNodeGroup() {
    auto* group = new QGroupBox(LoadQString(ids::kSettingsNode), this);
    auto* grid = new QGridLayout(group);
    m_fields.AddColor(AddColorRow(grid, 0, ids::kSettingsInner, "nodeInnerCol"),
                      &m_values.m_nodeInnerCol);
    m_fields.AddColor(AddColorRow(grid, 1, ids::kSettingsOuter, "nodeOuterCol"),
                      &m_values.m_nodeOuterCol);
    m_fields.AddColor(AddColorRow(grid, 2, ids::kSettingsNotConnect, "nodeNotConnectCol"),
                      &m_values.m_nodeNotConnectCol);
    m_edits.nodeSize = Named(AddEditRow(grid, 3, ids::kSettingsSize), "nodeSize");
    return group;
}

QGroupBox* CSettingsDlg::MakeEdgeGroup() {
    auto* group = new QGroupBox(LoadQString(ids::kSettingsEdge), this);
    auto* grid = new QGridLayout(group);
    m_fields.AddColor(AddColorRow(grid, 0, ids::kSettingsInner, "edgeInnerCol"),
                      &m_values.m_edgeInnerCol);
    m_fields.AddColor(AddColorRow(grid, 1, ids::kSettingsOuter, "edgeOuterCol"),
                      &m_values.m_edgeOuterCol);
    m_edits.edgeThickness = Named(AddEditRow(grid, 2, ids::kSettingsLineWidth), "edgeThickness");
    m_edits.edgeHit = Named(AddEditRow(grid, 3, ids::kSettingsHitWidth), "edgeHit");
    return group;
}

QGroupBox* CSettingsDlg::MakeCircleGroup(int titleId, COLORREF* inner, COLORREF* line,
                                         const char* name, QLineEdit** widthEdit) {
    auto* group = new QGroupBox(LoadQString(titleId), this);
    auto* grid = new QGridLayout(group);
    const QByteArray prefix(name);
    m_fields.AddColor(AddColorRow(grid, 0, ids::kSettingsInner, (prefix + "InnerCol").constData()),
                      inner);
    m_fields.AddColor(AddColorRow(grid, 1, ids::kSettingsLine, (prefix + "LineCol").constData()),
                      line);
    *widthEdit =
        Named(AddEditRow(grid, 2, ids::kSettingsLineWidth), (prefix + "Thickness").constData());
    return group;
}

QWidget* CSettingsDlg::MakeRightColumn() {
    auto* column = new QWidget(this);
    auto* grid = new QGridLayout(column);
    grid->setContentsMargins(0, 0, 0, 0);
    m_fields.AddColor(AddColorRow(grid, 0, ids::kSettingsBackground, "bgColor"),
                      &m_values.m_bgColor);
    m_fields.AddColor(AddColorRow(grid, 1, ids::kSettingsGraphModeLine, "backModeColor"),
                      &m_values.m_backModeColor);
    m_edits.margin = Named(AddEditRow(grid, 2, ids::kSettingsMargin), "margin");
    m_edits.resizeRate = Named(AddEditRow(grid, 3, ids::kSettingsResizeRate), "resizeRate");

    auto* gradation = new QGroupBox(LoadQString(ids::kSettingsGradation), column);
    auto* gradationLayout = new QVBoxLayout(gradation);
    m_edits.graSnap = new QCheckBox(LoadQString(ids::kSettingsSnap), gradation);
    m_edits.graSnap->setObjectName(QStringLiteral("graSnap"));
    gradationLayout->addWidget(m_edits.graSnap);
    grid->addWidget(gradation, 4, 0, 1, 2);

    auto* thurston = new QGroupBox(LoadQString(ids::kSettingsThurston), column);
    auto* thurstonGrid = new QGridLayout(thurston);
    m_edits.threshold = Named(AddEditRow(thurstonGrid, 0, ids::kSettingsError), "threshold");
    // The value the solver will use, where it is not the one entered.
    auto* note = new QLabel(thurston);
    note->setObjectName(QStringLiteral("thresholdNote"));
    thurstonGrid->addWidget(note, 1, 0, 1, 2);
    connect(m_edits.threshold, &QLineEdit::textChanged, note,
            [note](const QString& text) { note->setText(ThresholdNote(text)); });
    grid->addWidget(thurston, 5, 0, 1, 2);

    auto* convergence = new QGroupBox(LoadQString(ids::kSettingsConvergence), column);
    auto* convergenceGrid = new QGridLayout(convergence);
    m_edits.tolerance =
        Named(AddEditRow(convergenceGrid, 0, ids::kSettingsTolerance), "convergenceTolerance");
    grid->addWidget(convergence, 6, 0, 1, 2);
    grid->setRowStretch(7, 1);
    return column;
}
