// Data exchange and range validation shared by the settings dialog and the export setups.
#include "app/DialogFields.h"

#include "app/ColorButton.h"
#include "app/MessageBox.h"
#include "app/QtStrings.h"
#include "document/StringIds.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace {

template <class... Visitors> struct Overloaded : Visitors... { using Visitors::operator()...; };

// Dialog numbers are read in the C locale, like the numbers the program writes to files.
std::optional<long long> ParseInteger(const QString& text) {
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok, 10);
    return ok ? std::optional<long long>(value) : std::nullopt;
}

std::optional<double> ParseReal(const QString& text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// The label of the edit (its buddy), with the title of the group it stands in: "Edge > Line
// Width". Empty when it has no label.
QString FieldName(const QLineEdit* edit) {
    QString name;
    for (const QLabel* label : edit->window()->findChildren<QLabel*>()) {
        if (label->buddy() == edit) {
            name = label->text();
            break;
        }
    }
    name.remove(QLatin1Char('&')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    for (const QWidget* up = edit->parentWidget(); up != nullptr && !name.isEmpty();
         up = up->parentWidget()) {
        if (const auto* group = qobject_cast<const QGroupBox*>(up)) {
            return group->title() + QStringLiteral(" > ") + name;
        }
    }
    return name;
}

} // namespace

QString FormatReal(double value) {
    return QLocale::c().toString(value, 'g', 15);
}

void CDialogFields::AddInteger(QLineEdit* edit, int* value, int min, int max) {
    m_fields.push_back(IntegerField{edit, value, min, max});
}

void CDialogFields::AddReal(QLineEdit* edit, double* value, double min, double max) {
    m_fields.push_back(RealField{edit, value, min, max});
}

void CDialogFields::AddFlag(QCheckBox* box, int* value) {
    m_fields.push_back(FlagField{box, value});
}

void CDialogFields::AddColor(CColorButton* button, COLORREF* value) {
    m_fields.push_back(ColorField{button, value});
}

void CDialogFields::AddText(QLineEdit* edit, QString* value) {
    m_fields.push_back(TextField{edit, value});
}

void CDialogFields::ToControls() const {
    for (const Field& field : m_fields) {
        std::visit(Overloaded{
                       [](const IntegerField& f) { f.edit->setText(QString::number(*f.value)); },
                       [](const RealField& f) { f.edit->setText(FormatReal(*f.value)); },
                       [](const FlagField& f) { f.box->setChecked(*f.value != 0); },
                       [](const ColorField& f) { f.button->SetColor(*f.value); },
                       [](const TextField& f) { f.edit->setText(*f.value); },
                   },
                   field);
    }
}

std::optional<QString> CDialogFields::IntegerRefusal(const QString& text, int min, int max) {
    const std::optional<long long> value = ParseInteger(text);
    if (value && *value >= min && *value <= max) {
        return std::nullopt;
    }
    return FormatString(ids::kIntegerRange, {QString::number(min), QString::number(max)});
}

std::optional<QString> CDialogFields::RealRefusal(const QString& text, double min, double max) {
    const std::optional<double> value = ParseReal(text);
    // Written so that NaN fails the range test.
    if (value && *value >= min && *value <= max) {
        return std::nullopt;
    }
    return FormatString(ids::kNumberRange, {FormatReal(min), FormatReal(max)});
}

bool CDialogFields::FromControls(QWidget* dialog) const {
    for (const Field& field : m_fields) {
        QLineEdit* edit = nullptr;
        std::optional<QString> refusal;
        if (const auto* f = std::get_if<IntegerField>(&field)) {
            edit = f->edit;
            refusal = IntegerRefusal(edit->text(), f->min, f->max);
        } else if (const auto* r = std::get_if<RealField>(&field)) {
            edit = r->edit;
            refusal = RealRefusal(edit->text(), r->min, r->max);
        }
        if (refusal) {
            const QString name = FieldName(edit);
            ShowWarning(dialog, name.isEmpty()
                                    ? *refusal
                                    : FormatString(ids::kFieldRefused, {name, *refusal}));
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
            return false;
        }
    }
    for (const Field& field : m_fields) {
        std::visit(Overloaded{
                       [](const IntegerField& f) {
                           *f.value = static_cast<int>(*ParseInteger(f.edit->text()));
                       },
                       [](const RealField& f) { *f.value = *ParseReal(f.edit->text()); },
                       [](const FlagField& f) { *f.value = f.box->isChecked() ? 1 : 0; },
                       [](const ColorField& f) { *f.value = f.button->Color(); },
                       [](const TextField& f) { *f.value = f.edit->text(); },
                   },
                   field);
    }
    return true;
}
