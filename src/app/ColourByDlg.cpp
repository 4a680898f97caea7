// The Colour By dialog.
#include "app/ColourByDlg.h"

#include "app/ColorButton.h"
#include "app/QtStrings.h"
#include "document/StringIds.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

// The combo box's rows, in the order of ColourBy.
constexpr int kKindNames[] = {ids::kColourByRings, ids::kColourByDegree, ids::kColourByProper,
                              ids::kColourByRadius};

CColorButton* AddColourButton(QWidget* parent, QLayout* layout, const QString& name) {
    auto* button = new CColorButton(parent);
    button->setObjectName(name);
    layout->addWidget(button);
    return button;
}

} // namespace

CColourByDlg::CColourByDlg(const CTesselDoc::ColourRequest& start, QWidget* parent)
    : CFieldDialog(ids::kColourByTitle, parent), m_request(start), m_line(start.line ? 1 : 0),
      m_inner(start.inner ? 1 : 0), m_selectedOnly(start.selectedOnly ? 1 : 0) {
    auto* grid = new QGridLayout(this);
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("kind"));
    for (int name : kKindNames) {
        m_kind->addItem(LoadQString(name));
    }
    m_kind->setCurrentIndex(static_cast<int>(start.how.by));
    auto* kindLabel = new QLabel(LoadQString(ids::kColourByKind), this);
    kindLabel->setBuddy(m_kind);
    grid->addWidget(kindLabel, 0, 0);
    grid->addWidget(m_kind, 0, 1);

    m_gradation = new QWidget(this);
    auto* ends = new QGridLayout(m_gradation);
    ends->setContentsMargins(0, 0, 0, 0);
    auto* first = new QHBoxLayout;
    auto* last = new QHBoxLayout;
    CColorButton* from = AddColourButton(m_gradation, first, QStringLiteral("first"));
    CColorButton* to = AddColourButton(m_gradation, last, QStringLiteral("last"));
    auto* fromLabel = new QLabel(LoadQString(ids::kColourByFirst), m_gradation);
    auto* toLabel = new QLabel(LoadQString(ids::kColourByLast), m_gradation);
    fromLabel->setBuddy(from);
    toLabel->setBuddy(to);
    ends->addWidget(fromLabel, 0, 0);
    ends->addLayout(first, 0, 1);
    ends->addWidget(toLabel, 1, 0);
    ends->addLayout(last, 1, 1);
    grid->addWidget(m_gradation, 1, 0, 1, 2);

    m_palette = new QWidget(this);
    auto* row = new QHBoxLayout(m_palette);
    row->setContentsMargins(0, 0, 0, 0);
    auto* paletteLabel = new QLabel(LoadQString(ids::kColourByPalette), m_palette);
    row->addWidget(paletteLabel);
    for (int i = 0; i < kPaletteSize; ++i) {
        m_colours[i] = i < int(start.how.palette.size()) ? start.how.palette[i] : 0x00FFFFFF;
        CColorButton* button = AddColourButton(m_palette, row, QStringLiteral("palette%1").arg(i));
        m_fields.AddColor(button, &m_colours[i]);
        if (i == 0) {
            paletteLabel->setBuddy(button);
        }
    }
    grid->addWidget(m_palette, 2, 0, 1, 2);

    const std::pair<int, const char*> flags[] = {{ids::kColourByLine, "line"},
                                                 {ids::kColourByInner, "inner"},
                                                 {ids::kColourBySelected, "selected"}};
    int* values[] = {&m_line, &m_inner, &m_selectedOnly};
    for (int i = 0; i < 3; ++i) {
        auto* box = new QCheckBox(LoadQString(flags[i].first), this);
        box->setObjectName(QString::fromLatin1(flags[i].second));
        grid->addWidget(box, 3 + i, 1);
        m_fields.AddFlag(box, values[i]);
    }
    m_fields.AddColor(from, &m_request.how.from);
    m_fields.AddColor(to, &m_request.how.to);
    grid->addWidget(MakeButtons(), 6, 0, 1, 2);
    m_fields.ToControls();
    connect(m_kind, &QComboBox::currentIndexChanged, this, &CColourByDlg::ShowKindFields);
    ShowKindFields();
}

void CColourByDlg::ShowKindFields() {
    const bool proper = m_kind->currentIndex() == static_cast<int>(ColourBy::Proper);
    m_gradation->setVisible(!proper);
    m_palette->setVisible(proper);
    adjustSize();
}

void CColourByDlg::OnAccepted() {
    m_request.how.by = static_cast<ColourBy>(m_kind->currentIndex());
    m_request.how.palette.assign(std::begin(m_colours), std::end(m_colours));
    m_request.line = m_line != 0;
    m_request.inner = m_inner != 0;
    m_request.selectedOnly = m_selectedOnly != 0;
}

CTesselDoc::ColourRequest CColourByDlg::Request() const {
    return m_request;
}
