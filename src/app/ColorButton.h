// A push button whose face is a colour swatch, or "?" when no single colour applies.
#pragma once

#include "geometry/Color.h"
#include "view/QtSurface.h"

#include <QPushButton>
#include <functional>
#include <optional>

class CColorButton : public QPushButton {
    Q_OBJECT

public:
    // Asks the user for a colour, starting from `initial`; no value means the user cancelled.
    using Picker = std::function<std::optional<COLORREF>(COLORREF initial, QWidget* owner)>;

    explicit CColorButton(QWidget* parent = nullptr);

    // Shows `color` as the face, or "?" on the button-face colour when hasColor is false.
    void SetColor(COLORREF color, bool hasColor = true);
    COLORREF Color() const { return m_color; }
    bool HasColor() const { return m_hasColor != 0; }

    // Runs the colour picker seeded with the current colour. On OK the button takes the picked
    // colour and returns true; on Cancel nothing changes and it returns false.
    bool PickColor();

    // Replaces the colour dialog for every button (tests drive the picker without a modal
    // loop); an empty picker restores the dialog.
    static void SetPicker(Picker picker);

    QSize sizeHint() const override;

signals:
    // A click ran the picker and the user chose `color`.
    void ColorPicked(COLORREF color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnClicked();
    void DrawFace(QPainter& painter, const QRect& face) const;

    int m_hasColor = 1;
    COLORREF m_color = 0;
};

// Qt's colour as 0x00BBGGRR; ToQColor (view/QtSurface.h) goes the other way.
COLORREF FromQColor(const QColor& color);
