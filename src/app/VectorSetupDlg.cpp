// The setup dialog of the SVG, PDF and TikZ exports.
#include "app/VectorSetupDlg.h"

#include "app/QtStrings.h"
#include "document/StringIds.h"
#include "export/Export.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <algorithm>

namespace {

struct KindTexts {
    int title, label, unit;
    double max;
};

KindTexts TextsOf(CVectorSetupDlg::Kind kind) {
    switch (kind) {
    case CVectorSetupDlg::Kind::Svg:
        return {ids::kSvgSetupTitle, ids::kSvgSetupRadius, ids::kSvgSetupPixels, kVectorMaxRadius};
    case CVectorSetupDlg::Kind::Pdf:
        return {ids::kPdfSetupTitle, ids::kPdfSetupRadius, ids::kPdfSetupPoints, kVectorMaxRadius};
    case CVectorSetupDlg::Kind::Tikz:
        break;
    }
    return {ids::kTikzSetupTitle, ids::kTikzSetupRadius, ids::kTikzSetupPoints, kTikzMaxRadius};
}

} // namespace

CVectorSetupDlg::CVectorSetupDlg(Kind kind, double radius, QWidget* parent)
    : CFieldDialog(TextsOf(kind).title, parent),
      m_radius(std::clamp(radius, 1.0, TextsOf(kind).max)) {
    const KindTexts texts = TextsOf(kind);
    auto* grid = new QGridLayout(this);
    QLineEdit* radiusEdit = AddEditRow(grid, 0, texts.label, texts.unit);
    radiusEdit->setObjectName(QStringLiteral("radius"));
    m_fields.AddReal(radiusEdit, &m_radius, 1.0, texts.max);
    int row = 1;
    if (kind == Kind::Tikz) {
        auto* document = new QCheckBox(LoadQString(ids::kTikzSetupDocument), this);
        document->setObjectName(QStringLiteral("document"));
        grid->addWidget(document, row++, 0, 1, 3);
        m_fields.AddFlag(document, &m_document);
    }
    grid->addWidget(MakeButtons(), row, 0, 1, 3);
    m_fields.ToControls();
}
