// The small shell pieces: recent-file list and the conversions of the string tables.
#include "ShellTestSupport.h"
#include "app/QtStrings.h"
#include "app/RecentFileList.h"
#include "document/StringIds.h"
#include "document/StringTable.h"

#include <QtTest>

class TestShellParts : public QObject {
    Q_OBJECT

private slots:
    void init() { SetLanguage(Language::English); }

    void recentFilesKeepFiveNewestWithoutRepeats() {
        CRecentFileList list;
        for (int i = 1; i <= 7; ++i) {
            list.Add(QStringLiteral("/docs/%1.tesl").arg(i));
        }
        QCOMPARE(list.Files().size(), 5);
        QCOMPARE(list.Files().first(), QStringLiteral("/docs/7.tesl"));
        QCOMPARE(list.Files().last(), QStringLiteral("/docs/3.tesl"));
        list.Add(QStringLiteral("/docs/../docs/5.tesl"));
        QCOMPARE(list.Files(), Strings({"/docs/5.tesl", "/docs/7.tesl", "/docs/6.tesl",
                                        "/docs/4.tesl", "/docs/3.tesl"}));
        list.Remove(QStringLiteral("/docs/7.tesl"));
        QCOMPARE(list.Files().size(), 4);
        list.Add(QString());
        QCOMPARE(list.Files().size(), 4);
    }

    void recentFilesRoundTripThroughTheProfile() {
        CMemoryProfile profile;
        CRecentFileList list;
        list.Add(QStringLiteral("/a/one.tesl"));
        list.Add(QStringLiteral("/a/two.tesl"));
        list.Save(profile);
        QCOMPARE(profile.m_values.at("Recent File List/File1"), std::string("/a/two.tesl"));
        QCOMPARE(profile.m_values.at("Recent File List/File5"), std::string());

        // A hand-edited profile with gaps and repeats loads clean.
        profile.WriteString("Recent File List", "File3", "/a/two.tesl");
        profile.WriteString("Recent File List", "File4", "/a/three.tesl");
        CRecentFileList loaded;
        loaded.Load(profile);
        QCOMPARE(loaded.Files(), Strings({"/a/two.tesl", "/a/one.tesl", "/a/three.tesl"}));
    }

    void stringTableTextsConvert() {
        QCOMPARE(CommandPrompt(32779), QStringLiteral("Run circle packing algorithm"));
        QCOMPARE(CommandTip(32779), QStringLiteral("Circle Packing"));
        QCOMPARE(CommandTip(57616), QStringLiteral("Open this document"));
        QCOMPARE(CommandCaption(57600), QStringLiteral("&New"));
        QCOMPARE(FormatString(ids::kCannotOpenFile, {QStringLiteral("/x/%s.eps")}),
                 QStringLiteral("Cannot Open File[/x/%s.eps]"));
        QCOMPARE(FormatString(ids::kOpenFailed, {QStringLiteral("Bad \"a.tesl\"")}),
                 QStringLiteral("The document could not be opened.\n\nBad \"a.tesl\""));
        QCOMPARE(FormatString(ids::kSaveFailed, {}),
                 QStringLiteral("The document could not be saved.\n\n"));
        QCOMPARE(DialogFilter(ids::kFilterText),
                 QStringLiteral("Text Files (*.txt);;All Files (*.*)"));
        QCOMPARE(DialogFilter(ids::kFilterEps),
                 QStringLiteral("Encapsulated PostScript Files (*.eps)"));
        QCOMPARE(DocumentTemplateField(0), QStringLiteral("Tessel"));
        QCOMPARE(DocumentTemplateField(2), QStringLiteral("Untitled"));
        QCOMPARE(DocumentTemplateField(4), QStringLiteral(".tesl"));
    }
};

QTEST_MAIN(TestShellParts)
#include "tst_shellparts.moc"
