// The editor's message boxes, titled with the application name and with buttons in the
// language of the string tables.
#pragma once

#include <QString>

class QWidget;

enum class Answer { Yes, No, Cancel, Ok };

// OK / Cancel question; Ok or Cancel.
Answer AskOkCancel(QWidget* parent, const QString& text);
// Yes / No / Cancel question; Yes, No or Cancel (closing the box counts as Cancel).
Answer AskYesNoCancel(QWidget* parent, const QString& text);
void ShowWarning(QWidget* parent, const QString& text);
// A box with only OK and no icon, as for a refused command.
void ShowMessage(QWidget* parent, const QString& text);
