// The string tables as Qt strings: plain texts, command captions, prompts, tips and filters.
#pragma once

#include <QString>
#include <QStringList>

QString LoadQString(int id);
// The menu caption of a command.
QString CommandCaption(int id);
// The status-bar prompt of a command: its text up to the line feed.
QString CommandPrompt(int id);
// The tool tip of a command: its text after the line feed, or the prompt when there is none.
QString CommandTip(int id);
// The text of id with each "%s" replaced by the next argument, in order.
QString FormatString(int id, const QStringList& args);
// A filter of the form "Name (*.x)|*.x|Other (*.*)|*.*||" as a Qt file-dialog filter list.
QString DialogFilter(int id);
// The field of the document template string at that index (0 = window title).
QString DocumentTemplateField(int index);
// A document's name in titles and messages: the file name, or the template's name for a new
// document (an empty path).
QString TitleOf(const QString& path);
