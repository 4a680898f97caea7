// The Japanese set is chosen under a Japanese locale and reaches every part of the window.
#include "ShellTestSupport.h"
#include "app/CommandIds.h"
#include "app/Language.h"
#include "app/MainFrame.h"
#include "app/QtTranslations.h"

#include <QDialogButtonBox>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void localeNamesMapToLanguages_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("japanese");
        QTest::newRow("ja_JP.UTF-8") << QStringLiteral("ja_JP.UTF-8") << true;
        QTest::newRow("ja") << QStringLiteral("ja") << true;
        QTest::newRow("ja_JP@euro") << QStringLiteral("ja_JP.eucJP") << true;
        QTest::newRow("en_US") << QStringLiteral("en_US.UTF-8") << false;
        QTest::newRow("C") << QStringLiteral("C") << false;
        QTest::newRow("jam") << QStringLiteral("jam_JM") << false;
        QTest::newRow("empty") << QString() << false;
    }

    void localeNamesMapToLanguages() {
        QFETCH(QString, locale);
        QFETCH(bool, japanese);
        QCOMPARE(LanguageOfLocale(locale.toStdString()) == Language::Japanese, japanese);
    }

    void environmentFollowsPosixPrecedence() {
        qputenv("LC_ALL", "");
        qputenv("LC_MESSAGES", "");
        qputenv("LANG", "ja_JP.UTF-8");
        QCOMPARE(LanguageFromEnvironment(), Language::Japanese);
        qputenv("LC_MESSAGES", "en_GB.UTF-8");
        QCOMPARE(LanguageFromEnvironment(), Language::English);
        qputenv("LC_ALL", "ja_JP.UTF-8");
        QCOMPARE(LanguageFromEnvironment(), Language::Japanese);
        qputenv("LC_ALL", "");
        qputenv("LC_MESSAGES", "");
    }

    void japaneseWindowUnderJapaneseLocale() {
        qputenv("LANG", "ja_JP.UTF-8");
        SetLanguage(LanguageFromEnvironment());
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.windowHandle()->title(), QStringLiteral("無題 - Tessel"));
        QCOMPARE(frame.menuBar()->actions().at(0)->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
        QCOMPARE(frame.Action(cmd::kFileNew)->text(), QStringLiteral("新規作成(&N)"));
        QCOMPARE(frame.Action(cmd::kFileNew)->toolTip(), QStringLiteral("新規ﾌｧｲﾙ"));
        QCOMPARE(frame.Action(cmd::kCirclePacking)->statusTip(),
                 QStringLiteral("ｻｰｸﾙﾊﾟｯｷﾝｸﾞを実行"));
        QCOMPARE(frame.StatusText(), QStringLiteral("ﾚﾃﾞｨ"));

        QString question;
        QStringList buttons;
        WhenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            question = box->text();
            for (QAbstractButton* button : box->buttons()) {
                buttons << button->text();
            }
            box->button(QMessageBox::Cancel)->click();
        });
        frame.Action(cmd::kUnregisterFileType)->trigger();
        QVERIFY(question.contains(QStringLiteral("ﾚｼﾞｽﾄﾘから削除します")));
        QVERIFY(buttons.contains(QStringLiteral("ｷｬﾝｾﾙ")));
        SetLanguage(Language::English);
    }

    // Last, since the toolkit's texts stay Japanese once its translations are installed.
    void qtsOwnTextsAreJapaneseUnderAJapaneseLocale() {
        QCoreApplication& application = *QCoreApplication::instance();
        QVERIFY(!InstallQtTranslations(application, Language::English));
        QTemporaryDir empty;
        QVERIFY(!InstallQtTranslations(application, Language::Japanese, empty.path()));
        QDialogButtonBox before(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
        QCOMPARE(before.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));

        qputenv("LC_ALL", "ja_JP.UTF-8");
        QVERIFY(InstallQtTranslations(application, LanguageFromEnvironment()));
        qputenv("LC_ALL", "");
        // The standard buttons of every dialog the toolkit draws (file, colour, print).
        QDialogButtonBox after(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
        QCOMPARE(after.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
        QVERIFY(after.button(QDialogButtonBox::Open)->text() != QStringLiteral("&Open"));
        QVERIFY(QCoreApplication::translate("QFileDialog", "Look in:") !=
                QStringLiteral("Look in:"));
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
