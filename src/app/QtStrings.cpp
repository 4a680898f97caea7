// Conversions from the string tables to the texts Qt widgets take.
#include "app/QtStrings.h"

#include "document/StringIds.h"
#include "document/StringTable.h"

#include <QFileInfo>

QString LoadQString(int id) {
    return QString::fromStdString(LoadString(id));
}

QString CommandCaption(int id) {
    return LoadQString(ids::kCaptionBase + id);
}

QString CommandPrompt(int id) {
    return LoadQString(id).section(QLatin1Char('\n'), 0, 0);
}

QString CommandTip(int id) {
    const QString text = LoadQString(id);
    const qsizetype lineFeed = text.indexOf(QLatin1Char('\n'));
    return lineFeed < 0 ? text : text.mid(lineFeed + 1);
}

QString FormatString(int id, const QStringList& args) {
    const QString format = LoadQString(id);
    QString result;
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('%') && i + 1 < format.size() &&
            format[i + 1] == QLatin1Char('s')) {
            result += next < args.size() ? args[next++] : QString();
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

QString DialogFilter(int id) {
    // The parts alternate between a name and its pattern; the name already shows the pattern.
    const QStringList parts = LoadQString(id).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        filters << parts[i];
    }
    return filters.join(QStringLiteral(";;"));
}

QString DocumentTemplateField(int index) {
    return LoadQString(ids::kDocumentTemplate).section(QLatin1Char('\n'), index, index);
}

QString TitleOf(const QString& path) {
    return path.isEmpty() ? DocumentTemplateField(2) : QFileInfo(path).fileName();
}
