// The circle bar's controls, their enable and check rules, and the edits they send to the view.
#include "app/CircleBar.h"

#include "app/ColorButton.h"
#include "app/QtStrings.h"
#include "circles/CPCircleArray.h"
#include "document/StringIds.h"
#include "document/ViewSettings.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <optional>

namespace {

constexpr long long kMaxWidth = std::numeric_limits<int>::max();

QFrame* HorizontalLine(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

CColorButton* MakeColorButton(QWidget* parent, const char* name, int labelId) {
    auto* button = new CColorButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(LoadQString(labelId));
    button->setFixedSize(button->sizeHint());
    return button;
}

// Only the ASCII digits make widths; other scripts' digits are refused like letters.
bool IsWidthDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The value of the leading digits of `text`, saturated at the largest width; none without one.
std::optional<int> LeadingWidth(const QString& text) {
    long long value = -1;
    for (const QChar c : text) {
        if (!IsWidthDigit(c)) {
            break;
        }
        value = std::min(kMaxWidth, std::max(0LL, value) * 10 + (c.unicode() - '0'));
    }
    return value < 0 ? std::nullopt : std::optional<int>(static_cast<int>(value));
}

// Typed characters other than digits are refused; pasted text is trimmed when it is read.
bool IsRefusedKey(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    for (const QChar c : key.text()) {
        if (c.isPrint() && !IsWidthDigit(c)) {
            return true;
        }
    }
    return false;
}

} // namespace

CCircleBar::CCircleBar(CViewSettings& settings, QWidget* parent)
    : QDockWidget(LoadQString(ids::kCircleBarTitle), parent), m_settings(settings) {
    setObjectName(QStringLiteral("CircleBar"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(MakeCircleGroup());
    layout->addWidget(MakeGradationGroup());
    layout->addStretch(1);
    setWidget(body);
    InitBarControls();
}

QWidget* CCircleBar::MakeCircleGroup() {
    auto* circle = new QGroupBox(LoadQString(ids::kCircleBarCircle), this);
    auto* circleLayout = new QVBoxLayout(circle);

    auto* colors = new QGroupBox(LoadQString(ids::kCircleBarColor), circle);
    auto* colorGrid = new QGridLayout(colors);
    m_lineColor = MakeColorButton(colors, "lineColor", ids::kCircleBarLine);
    m_innerColor = MakeColorButton(colors, "innerColor", ids::kCircleBarInner);
    colorGrid->addWidget(new QLabel(LoadQString(ids::kCircleBarLine), colors), 0, 0);
    colorGrid->addWidget(m_lineColor, 0, 1);
    colorGrid->addWidget(new QLabel(LoadQString(ids::kCircleBarInner), colors), 1, 0);
    colorGrid->addWidget(m_innerColor, 1, 1);
    circleLayout->addWidget(colors);

    auto* width = new QGroupBox(LoadQString(ids::kCircleBarWidth), circle);
    auto* widthLayout = new QHBoxLayout(width);
    m_width = new QLineEdit(width);
    m_width->setObjectName(QStringLiteral("width"));
    m_width->setAccessibleName(LoadQString(ids::kCircleBarWidth));
    m_width->installEventFilter(this);
    // Room for about six digits keeps the bar as narrow as its template.
    // Wide enough for the largest width, 2147483647: the line edit's own size hint is made of
    // 17 'x', the rest of it is the frame and margins around the text.
    const QFontMetrics metrics = m_width->fontMetrics();
    const int frame =
        m_width->sizeHint().width() - metrics.horizontalAdvance(QLatin1Char('x')) * 17;
    m_width->setMaximumWidth(metrics.horizontalAdvance(QString::number(kMaxWidth)) + frame);
    m_spinUp = new QToolButton(width);
    m_spinDown = new QToolButton(width);
    m_spinUp->setObjectName(QStringLiteral("widthUp"));
    m_spinDown->setObjectName(QStringLiteral("widthDown"));
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    for (QToolButton* button : {m_spinUp, m_spinDown}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(16, 11);
        spin->addWidget(button);
    }
    m_spinUp->setArrowType(Qt::UpArrow);
    m_spinDown->setArrowType(Qt::DownArrow);
    widthLayout->addWidget(m_width);
    widthLayout->addLayout(spin);
    circleLayout->addWidget(width);

    connect(m_lineColor, &CColorButton::ColorPicked, this,
            [this](COLORREF color) { ApplyOne(StyleLineColor, color, 0); });
    connect(m_innerColor, &CColorButton::ColorPicked, this,
            [this](COLORREF color) { ApplyOne(StyleInnerColor, color, 0); });
    connect(m_width, &QLineEdit::returnPressed, this, &CCircleBar::OnWidthEntered);
    connect(m_spinUp, &QToolButton::clicked, this, [this] { StepWidth(1); });
    connect(m_spinDown, &QToolButton::clicked, this, [this] { StepWidth(-1); });
    return circle;
}

QPushButton* CCircleBar::MakeToggle(int textId, const char* name) {
    auto* toggle = new QPushButton(LoadQString(textId), this);
    toggle->setObjectName(QLatin1String(name));
    toggle->setCheckable(true);
    // The style's pressed look barely differs from the raised one on some desktops.
    toggle->setStyleSheet(QStringLiteral(
        "QPushButton:checked { background-color: palette(highlight); color: "
        "palette(highlighted-text); border: 1px solid palette(dark); border-radius: 2px; "
        "padding: 3px; }"));
    return toggle;
}

QWidget* CCircleBar::MakeGradationGroup() {
    auto* gradation = new QGroupBox(LoadQString(ids::kCircleBarGradation), this);
    auto* layout = new QVBoxLayout(gradation);

    auto* colors = new QHBoxLayout;
    m_startColor = MakeColorButton(gradation, "startColor", ids::kCircleBarGradation);
    m_endColor = MakeColorButton(gradation, "endColor", ids::kCircleBarGradation);
    colors->addWidget(m_startColor);
    colors->addWidget(new QLabel(LoadQString(ids::kCircleBarArrow), gradation), 0, Qt::AlignCenter);
    colors->addWidget(m_endColor);
    layout->addLayout(colors);
    layout->addWidget(HorizontalLine(gradation));

    auto* targets = new QHBoxLayout;
    m_lineTarget = MakeToggle(ids::kCircleBarLineTarget, "lineTarget");
    m_innerTarget = MakeToggle(ids::kCircleBarInnerTarget, "innerTarget");
    targets->addWidget(m_lineTarget);
    targets->addWidget(m_innerTarget);
    layout->addLayout(targets);
    layout->addWidget(HorizontalLine(gradation));

    m_linear = MakeToggle(ids::kCircleBarLinear, "linear");
    m_circular = MakeToggle(ids::kCircleBarCircular, "circular");
    layout->addWidget(m_linear);
    layout->addWidget(m_circular);

    connect(m_startColor, &CColorButton::ColorPicked, this, &CCircleBar::OnGradationColorPicked);
    connect(m_endColor, &CColorButton::ColorPicked, this, &CCircleBar::OnGradationColorPicked);
    for (QPushButton* target : {m_lineTarget, m_innerTarget}) {
        connect(target, &QPushButton::toggled, this,
                [this] { emit GradationTargetsChanged(IsLineTarget(), IsInnerTarget()); });
    }
    connect(m_linear, &QPushButton::clicked, this, [this] { OnGradationToggle(m_linear, 1); });
    connect(m_circular, &QPushButton::clicked, this, [this] { OnGradationToggle(m_circular, 2); });
    return gradation;
}

void CCircleBar::InitBarControls() {
    m_lineColor->SetColor(0);
    m_innerColor->SetColor(0);
    m_startColor->SetColor(m_settings.GraStartCol);
    m_endColor->SetColor(m_settings.GraEndCol);
    m_lineTarget->setChecked(true);
    m_innerTarget->setChecked(true);
    SetEnabled(false);
}

void CCircleBar::SetEnabled(bool enabled) {
    m_enabled = enabled ? 1 : 0;
    UpdateControls();
}

void CCircleBar::UpdateControls() {
    const bool enabled = m_enabled != 0;
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_lineColor, m_innerColor, m_width, m_spinUp, m_spinDown, m_linear, m_circular}) {
        control->setEnabled(enabled);
    }
    m_linear->setChecked(m_gradationMode == 1);
    m_circular->setChecked(m_gradationMode == 2);
}

void CCircleBar::ShowCommonStyle(const CCPCircle& style, int flags) {
    SetEnabled((flags & StyleAnySelected) != 0);
    m_innerColor->SetColor(style.m_innerCol, (flags & StyleInnerColor) != 0);
    m_lineColor->SetColor(style.m_lineCol, (flags & StyleLineColor) != 0);
    SetLineWidthText((flags & StyleLineWidth) != 0 ? style.m_thickness : -1);
}

void CCircleBar::SetLineWidthText(int width) {
    m_shownWidth = width;
    if (width >= 0) {
        m_spinPosition = width;
    }
    m_width->setText(width < 0 ? QStringLiteral("?") : QString::number(width));
}

int CCircleBar::ReadLineWidth() {
    const std::optional<int> width = LeadingWidth(m_width->text());
    SetLineWidthText(width.value_or(-1));
    return width.value_or(-1);
}

void CCircleBar::SetGradationMode(int mode) {
    m_gradationMode = mode;
    UpdateControls();
}

COLORREF CCircleBar::StartColor() const {
    return m_startColor->Color();
}

COLORREF CCircleBar::EndColor() const {
    return m_endColor->Color();
}

bool CCircleBar::IsLineTarget() const {
    return m_lineTarget->isChecked();
}

bool CCircleBar::IsInnerTarget() const {
    return m_innerTarget->isChecked();
}

void CCircleBar::ApplyOne(int flag, COLORREF color, int width) {
    CCPCircle style;
    if (flag == StyleInnerColor) {
        style.m_innerCol = color;
    } else if (flag == StyleLineColor) {
        style.m_lineCol = color;
    } else {
        style.m_thickness = width;
    }
    emit ApplyStyle(style, flag);
}

void CCircleBar::OnWidthEntered() {
    const int width = ReadLineWidth();
    if (width >= 0) {
        ApplyOne(StyleLineWidth, 0, width);
    }
}

void CCircleBar::StepWidth(int step) {
    if (!m_enabled) {
        return;
    }
    // Like a spin attached to its edit: it starts from the number shown, or from where it
    // last stood when the edit shows none.
    const long long position = LeadingWidth(m_width->text()).value_or(m_spinPosition);
    const int width = static_cast<int>(std::clamp(position + step, 0LL, kMaxWidth));
    SetLineWidthText(width);
    ApplyOne(StyleLineWidth, 0, width);
}

void CCircleBar::OnGradationToggle(QPushButton* toggle, int mode) {
    // Only a bar enabled in circle mode starts a gradation; the check rule puts both back.
    if (m_enabled) {
        m_gradationMode = toggle->isChecked() ? mode : 0;
        emit GradationModeChanged(m_gradationMode);
    }
    UpdateControls();
}

void CCircleBar::OnGradationColorPicked() {
    m_settings.GraStartCol = StartColor();
    m_settings.GraEndCol = EndColor();
}

bool CCircleBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_width) {
        return QDockWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusOut && m_width->isModified()) {
        OnWidthEntered();
    } else if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.key() == Qt::Key_Escape) {
            // Leaves the box as it was shown, the typing not applied.
            SetLineWidthText(m_shownWidth);
            m_width->setModified(false);
            emit LeaveRequested();
            return true;
        }
        if (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down) {
            StepWidth(key.key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
        return IsRefusedKey(key);
    }
    return QDockWidget::eventFilter(watched, event);
}
