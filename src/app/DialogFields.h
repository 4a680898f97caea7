// Moves a dialog's values into its controls and back, validating every field on the way back.
#pragma once

#include "geometry/Color.h"

#include <QString>
#include <optional>
#include <variant>
#include <vector>

class CColorButton;
class QCheckBox;
class QLineEdit;
class QWidget;

// A 64-bit float as dialogs show it: up to 15 significant digits, C locale.
QString FormatReal(double value);

// The fields of one dialog, in the order in which they are validated. Each field is bound to
// a control and to the value it edits; the values must outlive this object.
class CDialogFields {
public:
    void AddInteger(QLineEdit* edit, int* value, int min, int max);
    void AddReal(QLineEdit* edit, double* value, double min, double max);
    void AddFlag(QCheckBox* box, int* value);
    void AddColor(CColorButton* button, COLORREF* value);
    void AddText(QLineEdit* edit, QString* value);

    // Shows every value in its control.
    void ToControls() const;

    // Reads every control in order. The first field whose text is not a number of its type or
    // lies outside its inclusive range is refused: the standard message, after the field's
    // label, names the type and the range, the focus moves to that field, and no value changes.
    // Returns true when all passed and the values have been taken over.
    bool FromControls(QWidget* dialog) const;

    // The refusal text for a field's text, as FromControls shows it; none when it is valid.
    static std::optional<QString> IntegerRefusal(const QString& text, int min, int max);
    static std::optional<QString> RealRefusal(const QString& text, double min, double max);

private:
    struct IntegerField {
        QLineEdit* edit;
        int* value;
        int min;
        int max;
    };
    struct RealField {
        QLineEdit* edit;
        double* value;
        double min;
        double max;
    };
    struct FlagField {
        QCheckBox* box;
        int* value;
    };
    struct ColorField {
        CColorButton* button;
        COLORREF* value;
    };
    struct TextField {
        QLineEdit* edit;
        QString* value;
    };
    using Field = std::variant<IntegerField, RealField, FlagField, ColorField, TextField>;

    std::vector<Field> m_fields;
};
