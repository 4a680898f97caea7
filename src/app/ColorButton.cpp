// The colour swatch button shared by the circle bar, the settings dialog and the bitmap setup.
#include "app/ColorButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace {

CColorButton::Picker& PickerHook() {
    static CColorButton::Picker picker;
    return picker;
}

std::optional<COLORREF> RunColorDialog(COLORREF initial, QWidget* owner) {
    const QColor picked = QColorDialog::getColor(ToQColor(initial), owner);
    if (!picked.isValid()) {
        return std::nullopt;
    }
    return FromQColor(picked);
}

// A disabled swatch is washed a quarter of the way towards the button face: it reads as
// inactive and still shows its colour (half way, black and white both looked grey).
QColor FaceColor(const QColor& color, const QColor& buttonFace, bool enabled) {
    if (enabled) {
        return color;
    }
    const auto wash = [](int channel, int face) { return channel + (face - channel) / 4; };
    return QColor(wash(color.red(), buttonFace.red()), wash(color.green(), buttonFace.green()),
                  wash(color.blue(), buttonFace.blue()));
}

} // namespace

COLORREF FromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return MakeRgb(static_cast<unsigned>(rgb.red()), static_cast<unsigned>(rgb.green()),
                   static_cast<unsigned>(rgb.blue()));
}

CColorButton::CColorButton(QWidget* parent) : QPushButton(parent) {
    connect(this, &QPushButton::clicked, this, &CColorButton::OnClicked);
}

void CColorButton::SetColor(COLORREF color, bool hasColor) {
    m_color = color;
    m_hasColor = hasColor ? 1 : 0;
    update();
}

bool CColorButton::PickColor() {
    const Picker& hook = PickerHook();
    const std::optional<COLORREF> picked =
        hook ? hook(m_color, parentWidget()) : RunColorDialog(m_color, parentWidget());
    if (!picked) {
        return false;
    }
    SetColor(*picked, true);
    return true;
}

void CColorButton::SetPicker(Picker picker) {
    PickerHook() = std::move(picker);
}

QSize CColorButton::sizeHint() const {
    return QSize(32, 24);
}

void CColorButton::OnClicked() {
    if (PickColor()) {
        emit ColorPicked(m_color);
    }
}

void CColorButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    DrawFace(painter, face);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = face;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void CColorButton::DrawFace(QPainter& painter, const QRect& face) const {
    const QColor buttonFace = palette().color(QPalette::Button);
    if (m_hasColor) {
        painter.fillRect(face, FaceColor(ToQColor(m_color), buttonFace, isEnabled()));
        return;
    }
    painter.fillRect(face, buttonFace);
    // The "?" is as tall as the face: scale a bold font until its line height matches.
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(1, face.height()));
    const int lineHeight = QFontMetrics(font).height();
    if (lineHeight > 0) {
        font.setPixelSize(std::max(1, face.height() * face.height() / lineHeight));
    }
    painter.setFont(font);
    painter.setPen(isEnabled() ? Qt::black : palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(face, Qt::AlignCenter, QStringLiteral("?"));
}
