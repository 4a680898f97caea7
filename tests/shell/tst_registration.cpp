// Registering and unregistering the document type in a private data folder.
#include "ShellTestSupport.h"
#include "app/CommandIds.h"
#include "app/FileTypeRegistration.h"
#include "app/MainFrame.h"
#include "document/StringTable.h"

#include <QtTest>

namespace {

QString ReadText(const QString& path) {
    return QString::fromUtf8(ReadAll(path));
}

QStringList RegisteredFiles(const QString& folder) {
    QStringList present;
    for (const QString& path :
         {MimePackagePath(), DesktopEntryPath(), AppIconPath(), DocumentIconPath()}) {
        if (QFileInfo::exists(folder + QLatin1Char('/') + path)) {
            present << path;
        }
    }
    return present;
}

} // namespace

class TestRegistration : public QObject {
    Q_OBJECT

    QTemporaryDir m_data;
    QTemporaryDir m_tools;
    QByteArray m_oldPath;

    // A stand-in for an update tool that records the folder it was given.
    void WriteTool(const char* name) {
        const QString path = m_tools.filePath(QLatin1String(name));
        QFile tool(path);
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\necho \"$0 $1\" >> \"$(dirname \"$0\")/calls.log\"\n");
        tool.close();
        tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private slots:
    void initTestCase() {
        SetLanguage(Language::English);
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
        WriteTool("update-mime-database");
        WriteTool("update-desktop-database");
        m_oldPath = qgetenv("PATH");
        qputenv("PATH", m_tools.path().toUtf8() + ':' + m_oldPath);
    }

    void cleanupTestCase() { qputenv("PATH", m_oldPath); }

    void dataFolderFollowsTheEnvironment() {
        QCOMPARE(UserDataFolder(), m_data.path());
        qputenv("XDG_DATA_HOME", "relative/path");
        QCOMPARE(UserDataFolder(), QDir::homePath() + QStringLiteral("/.local/share"));
        qputenv("XDG_DATA_HOME", "");
        QCOMPARE(UserDataFolder(), QDir::homePath() + QStringLiteral("/.local/share"));
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
    }

    void execLineQuotesThePath() {
        QCOMPARE(DesktopExecLine(QStringLiteral("/opt/tessel/tessel")),
                 QStringLiteral("\"/opt/tessel/tessel\" %f"));
        QCOMPARE(DesktopExecLine(QStringLiteral("/my apps/$HOME/100%/a\"b`c\\d")),
                 QStringLiteral("\"/my apps/\\$HOME/100%%/a\\\"b\\`c\\\\d\" %f"));
        QCOMPARE(DesktopExecLine(QStringLiteral("/bad\nname")), QString());
    }

    void registerWritesMimeTypeDesktopEntryAndIcons() {
        QString error;
        QVERIFY2(RegisterFileType(QStringLiteral("/opt/my tessel/tessel"), &error),
                 qPrintable(error));
        QCOMPARE(RegisteredFiles(m_data.path()).size(), 4);

        const QString mime = ReadText(m_data.filePath(MimePackagePath()));
        QVERIFY(mime.contains(QStringLiteral("<glob pattern=\"*.tesl\"/>")));
        QVERIFY(mime.contains(QStringLiteral("type=\"application/x-tessel-document\"")));
        QVERIFY(mime.contains(QStringLiteral("<comment>Tessel Document</comment>")));

        const QString entry = ReadText(m_data.filePath(DesktopEntryPath()));
        QVERIFY(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
        QVERIFY(entry.contains(QStringLiteral("\nExec=\"/opt/my tessel/tessel\" %f\n")));
        QVERIFY(entry.contains(QStringLiteral("\nMimeType=application/x-tessel-document;\n")));
        QVERIFY(entry.contains(QStringLiteral("\nIcon=tessel\n")));
        QVERIFY(entry.contains(QStringLiteral("\nName=Tessel\n")));

        QVERIFY(ReadText(m_data.filePath(AppIconPath())).contains(QStringLiteral("<svg")));
        const QString calls = ReadText(m_tools.filePath(QStringLiteral("calls.log")));
        QVERIFY(calls.contains(QStringLiteral("update-mime-database ") + m_data.path() +
                               QStringLiteral("/mime")));
        QVERIFY(calls.contains(QStringLiteral("update-desktop-database ") + m_data.path() +
                               QStringLiteral("/applications")));
    }

    void unregisterRemovesOnlyItsFiles() {
        QString error;
        QVERIFY(RegisterFileType(QStringLiteral("/usr/bin/tessel"), &error));
        QFile other(m_data.filePath(QStringLiteral("applications/other.desktop")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        QVERIFY2(UnregisterFileType(&error), qPrintable(error));
        QVERIFY(RegisteredFiles(m_data.path()).isEmpty());
        QVERIFY(other.exists());
        // Unregistering what is not registered is not an error.
        QVERIFY(UnregisterFileType(&error));
    }

    void unwritableFolderIsReported() {
        // A plain file where the data folder should be cannot hold the registration.
        QTemporaryFile blocker;
        QVERIFY(blocker.open());
        qputenv("XDG_DATA_HOME", blocker.fileName().toUtf8());
        QString error;
        const bool written = RegisterFileType(QStringLiteral("/usr/bin/tessel"), &error);
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
        QVERIFY(!written);
        QVERIFY(error.contains(blocker.fileName()));
    }

    void commandsAskFirstAndCancelChangesNothing() {
        QString error;
        QVERIFY(UnregisterFileType(&error));
        CMainFrame frame;
        QString question;
        AnswerNextMessageBox(QMessageBox::Cancel, &question);
        frame.Action(cmd::kRegisterFileType)->trigger();
        QVERIFY(question.startsWith(
            QStringLiteral("This application will write \"tesl\" file information")));
        QVERIFY(RegisteredFiles(m_data.path()).isEmpty());

        AnswerNextMessageBox(QMessageBox::Ok);
        frame.Action(cmd::kRegisterFileType)->trigger();
        QCOMPARE(RegisteredFiles(m_data.path()).size(), 4);
        QVERIFY(ReadText(m_data.filePath(DesktopEntryPath()))
                    .contains(QCoreApplication::applicationFilePath()));

        AnswerNextMessageBox(QMessageBox::Cancel, &question);
        frame.Action(cmd::kUnregisterFileType)->trigger();
        QCOMPARE(question, QStringLiteral("This application will remove \"tesl\" file "
                                          "information from your Registry."));
        QCOMPARE(RegisteredFiles(m_data.path()).size(), 4);
        AnswerNextMessageBox(QMessageBox::Ok);
        frame.Action(cmd::kUnregisterFileType)->trigger();
        QVERIFY(RegisteredFiles(m_data.path()).isEmpty());
    }
};

QTEST_MAIN(TestRegistration)
#include "tst_registration.moc"
