// The editor's command line: --help and --version answered without a display, options that are
// not file names, and "--" before a file name with a leading dash.
#include "app/CommandLine.h"

#include <QProcess>
#include <QtTest>
#include <sstream>
#include <vector>

namespace {

// An output stream that fails on every write, like the standard output on a full disk.
class FailingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

struct Run {
    int code = -1;
    QString out, err;
};

// The built editor with these arguments, in an environment without any display.
Run RunEditor(const QStringList& arguments, const QString& platform = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QLatin1String(name));
    }
    if (!platform.isEmpty()) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    }
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TESSEL_EDITOR_PATH), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void infoOptionsAreAnsweredBeforeAnythingOpens() {
        struct Case {
            std::vector<const char*> argv;
            std::optional<int> code;
            const char* outStart;
        } cases[] = {
            {{"tessel", "--help"}, 0, "usage: tessel "},
            {{"tessel", "-h"}, 0, "usage: tessel "},
            {{"tessel", "a.tesl", "--version"}, 0, "Tessel Version 4.20\n"},
            {{"tessel", "-v"}, 0, "Tessel Version 4.20\n"},
            {{"tessel", "--", "--help"}, std::nullopt, ""},
            {{"tessel", "a.tesl"}, std::nullopt, ""},
            {{"tessel"}, std::nullopt, ""},
        };
        for (const Case& c : cases) {
            std::ostringstream out, err;
            const auto code = AnswerInfoOption(int(c.argv.size()), c.argv.data(), out, err);
            QCOMPARE(code, c.code);
            QVERIFY2(out.str().starts_with(c.outStart), out.str().c_str());
            QVERIFY(err.str().empty());
        }
        FailingBuffer full;
        std::ostream out(&full);
        std::ostringstream err;
        const char* argv[] = {"tessel", "--version"};
        QCOMPARE(AnswerInfoOption(2, argv, out, err), std::optional<int>(1));
        QVERIFY(err.str().starts_with("tessel: cannot write the standard output"));
    }

    void fileArgumentsAreNeitherOptionsNorTheEndMark() {
        struct Case {
            QStringList arguments;
            bool accepted;
            QStringList files;
        } cases[] = {
            {{QStringLiteral("a.tesl")}, true, {QStringLiteral("a.tesl")}},
            {{QStringLiteral("--"), QStringLiteral("-x.tesl")}, true, {QStringLiteral("-x.tesl")}},
            {{QStringLiteral("a"), QStringLiteral("--"), QStringLiteral("--")},
             true,
             {QStringLiteral("a"), QStringLiteral("--")}},
            {{QStringLiteral("--bogus")}, false, {}},
            {{QStringLiteral("a.tesl"), QStringLiteral("-x")}, false, {}},
        };
        for (Case& c : cases) {
            std::string error;
            QCOMPARE(TakeFileArguments(c.arguments, error), c.accepted);
            if (c.accepted) {
                QCOMPARE(c.arguments, c.files);
            } else {
                QVERIFY(error.starts_with("tessel: unknown option '-"));
            }
        }
        QStringList hostile{QStringLiteral("-\x1b[2J")};
        std::string error;
        QVERIFY(!TakeFileArguments(hostile, error));
        QVERIFY2(error.find("\\x1b[2J") != std::string::npos, error.c_str());
    }

    // The build tree's editor: no display needed for --help, which names the build tree's
    // folder for the help pages and the profile beside the executable.
    void theEditorAnswersWithoutADisplay() {
        const Run help = RunEditor({QStringLiteral("--help")});
        QCOMPARE(help.code, 0);
        const QString folder = QFileInfo(QStringLiteral(TESSEL_EDITOR_PATH)).absolutePath();
        QVERIFY2(help.out.contains(QStringLiteral("\n  help pages  ") + folder + QLatin1Char('\n')),
                 qPrintable(help.out));
        QVERIFY(help.out.contains(QStringLiteral("\n  profile     ") + folder +
                                  QStringLiteral("/tessel.ini\n")));
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/Help.html")));
        QCOMPARE(RunEditor({QStringLiteral("--version")}).out,
                 QStringLiteral("Tessel Version 4.20\n"));

        const Run bogus = RunEditor({QStringLiteral("--bogus")}, QStringLiteral("offscreen"));
        QCOMPARE(bogus.code, 2);
        // The last line; Qt may have said something of its own before.
        QCOMPARE(
            bogus.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts).last(),
            QStringLiteral("tessel: unknown option '--bogus' (tessel --help lists the options)"));
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
