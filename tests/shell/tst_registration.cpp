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
    for (const QString& path : RegistrationPaths()) {
        if (QFileInfo::exists(folder + QLatin1Char('/') + path)) {
            present << path;
        }
    }
    return present;
}

QString Installed(const char* name) {
    return ReadText(QStringLiteral(TESSEL_SOURCE_DIR "/resources/desktop/") + QLatin1String(name));
}

// The lines of an entry other than its Exec and TryExec lines.
QStringList WithoutExec(const QString& entry) {
    QStringList lines = entry.split(QLatin1Char('\n'));
    lines.removeIf([](const QString& line) {
        return line.startsWith(QStringLiteral("Exec=")) ||
               line.startsWith(QStringLiteral("TryExec="));
    });
    return lines;
}

QString LineOf(const QString& entry, const QString& key) {
    for (const QString& line : entry.split(QLatin1Char('\n'))) {
        if (line.startsWith(key + QLatin1Char('='))) {
            return line.mid(key.size() + 1);
        }
    }
    return {};
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

    // The files of an install, pointed at this executable; the thumbnailer only where
    // tessel-cli lies beside it.
    void registerWritesWhatAnInstallHas() {
        QString error;
        // The Exec line's quoting, then the entry's own escaping of the backslash.
        QVERIFY2(RegisterFileType(QStringLiteral("/opt/my tessel\\x/tessel"), &error),
                 qPrintable(error));
        QCOMPARE(RegisteredFiles(m_data.path()).size(), RegistrationPaths().size() - 1);
        QVERIFY(!QFileInfo::exists(m_data.filePath(ThumbnailerPath())));
        const QString entry = ReadText(m_data.filePath(DesktopEntryPath()));
        QCOMPARE(LineOf(entry, QStringLiteral("Exec")),
                 QStringLiteral("\"/opt/my tessel\\\\\\\\x/tessel\" %f"));
        QCOMPARE(LineOf(entry, QStringLiteral("TryExec")),
                 QStringLiteral("/opt/my tessel\\\\x/tessel"));

        const QString editor = QStringLiteral(TESSEL_EDITOR_PATH);
        const QString cli = QFileInfo(editor).absolutePath() + QStringLiteral("/tessel-cli");
        QVERIFY2(RegisterFileType(editor, &error), qPrintable(error));
        QCOMPARE(RegisteredFiles(m_data.path()), RegistrationPaths());
        QCOMPARE(ReadText(m_data.filePath(MimePackagePath())), Installed("tessel-document.xml"));
        QCOMPARE(WithoutExec(ReadText(m_data.filePath(DesktopEntryPath()))),
                 WithoutExec(Installed(TESSEL_APP_ID ".desktop")));
        const QString thumbnailer = ReadText(m_data.filePath(ThumbnailerPath()));
        QCOMPARE(WithoutExec(thumbnailer), WithoutExec(Installed("tessel.thumbnailer")));
        QCOMPARE(LineOf(thumbnailer, QStringLiteral("Exec")),
                 QLatin1Char('"') + cli + QStringLiteral("\" thumbnail %i %o %s"));
        QCOMPARE(LineOf(thumbnailer, QStringLiteral("TryExec")), cli);

        QVERIFY(ReadText(m_data.filePath(AppIconPath())).contains(QStringLiteral("<svg")));
        for (const QString& path : RegistrationPaths()) {
            if (path.endsWith(QStringLiteral(".png"))) {
                const int size =
                    path.section(QLatin1Char('/'), 2, 2).section(QLatin1Char('x'), 0, 0).toInt();
                QCOMPARE(QImage(m_data.filePath(path)).size(), QSize(size, size));
            }
        }
        const QString calls = ReadText(m_tools.filePath(QStringLiteral("calls.log")));
        QVERIFY(calls.contains(QStringLiteral("update-mime-database ") + m_data.path() +
                               QStringLiteral("/mime")));
        QVERIFY(calls.contains(QStringLiteral("update-desktop-database ") + m_data.path() +
                               QStringLiteral("/applications")));
    }

    // The entry of earlier versions, named tessel.desktop, goes too.
    void unregisterRemovesOnlyItsFiles() {
        QString error;
        QVERIFY(RegisterFileType(QStringLiteral(TESSEL_EDITOR_PATH), &error));
        QFile other(m_data.filePath(QStringLiteral("applications/other.desktop")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        QFile old(m_data.filePath(QStringLiteral("applications/tessel.desktop")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();
        QVERIFY2(UnregisterFileType(&error), qPrintable(error));
        QVERIFY(RegisteredFiles(m_data.path()).isEmpty());
        QVERIFY(!old.exists());
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
        QVERIFY(!RegisteredFiles(m_data.path()).isEmpty());
        QVERIFY(ReadText(m_data.filePath(DesktopEntryPath()))
                    .contains(QCoreApplication::applicationFilePath()));

        AnswerNextMessageBox(QMessageBox::Cancel, &question);
        frame.Action(cmd::kUnregisterFileType)->trigger();
        QCOMPARE(question, QStringLiteral("This application will remove \"tesl\" file "
                                          "information from your Registry."));
        QVERIFY(!RegisteredFiles(m_data.path()).isEmpty());
        AnswerNextMessageBox(QMessageBox::Ok);
        frame.Action(cmd::kUnregisterFileType)->trigger();
        QVERIFY(RegisteredFiles(m_data.path()).isEmpty());
    }
};

QTEST_MAIN(TestRegistration)
#include "tst_registration.moc"
