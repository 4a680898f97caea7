// File > Import and the exports of other programs' formats in the editor: a mesh of several
// parts asks for its largest part, Open imports what it does not open, a faulty file names its
// line, and the CirclePack and TikZ exports write what the command line writes.
#include "DialogDriver.h"
#include "EditorTest.h"
#include "ShellTestSupport.h"
#include "app/CommandIds.h"
#include "document/GraphBuilder.h"
#include "packing/ConvergedPacking.h"

#include <QCheckBox>
#include <QtTest>

class TestImport : public QObject, protected CEditorTest {
    Q_OBJECT

    void Trigger(int id) {
        Frame().UpdateCommands();
        Frame().Action(id)->trigger();
    }
    QString File(const char* name) const { return m_folder.filePath(QString::fromLatin1(name)); }
    void Write(const char* name, const char* text) {
        QFile file(File(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

private slots:
    void init() {
        QVERIFY(StartEditor());
        Doc().SetModifiedFlag(false);
    }

    void cleanup() { CloseEditor(); }

    void meshOfSeveralPartsAsksForTheLargest() {
        Write("parts.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 5 5 0\nv 6 5 0\nv 5 6 0\nv 6 6 0\n"
                           "vn 0 0 1\nf 1 2 3\nf 4 5 7\nf 4 7 6\n");
        QString question;
        CModalScript script(
            {ChooseFile(File("parts.obj")), PressButton(QMessageBox::Ok, &question)});
        Trigger(cmd::kImport);
        QVERIFY(script.Done());
        QCOMPARE(question, QStringLiteral("Cannot import \"%1\": 2 separate parts: the largest "
                                          "has 2 triangles.\n\nImport the largest part?")
                               .arg(File("parts.obj")));
        QCOMPARE(Doc().m_nodes.GetSize(), 4);
        QVERIFY(Doc().IsModified());
        QCOMPARE(m_app->PathName(), QString());
        QVERIFY(Frame().StatusText().contains(QStringLiteral("statements not read: 'vn'")));
        // Cancel keeps the document as it was.
        CModalScript refuse({ChooseFile(File("parts.obj")), PressButton(QMessageBox::Cancel)});
        Doc().SetModifiedFlag(false);
        Trigger(cmd::kImport);
        QVERIFY(refuse.Done());
        QCOMPARE(Doc().m_nodes.GetSize(), 4);
    }

    void openImportsOtherProgramsFilesAndNamesTheFaultyLine() {
        Write("seed.p", "NODECOUNT: 4\nGEOMETRY: hyperbolic\nFLOWERS:\n1 3 2 3 4 2\n2 2 3 1 4\n"
                        "3 2 4 1 2\n4 2 2 1 3\nRADII:\n0.5 -0.4 0.25 -0.3\nCENTERS:\n"
                        "0 0 0 1 -0.3 -0.1 0.6 -0.8\nEND\n");
        CModalScript open({ChooseFile(File("seed.p"))});
        Trigger(cmd::kFileOpen);
        QVERIFY(open.Done());
        QCOMPARE(Doc().m_nodes.GetSize(), 4);
        QCOMPARE(Doc().m_circles.GetCount(), 4); // opened packed
        Write("bad.off", "OFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 7\n");
        Doc().SetModifiedFlag(false);
        CMessageCatcher messages;
        CModalScript faulty({ChooseFile(File("bad.off"))});
        Trigger(cmd::kImport);
        QVERIFY(faulty.Done());
        QCOMPARE(messages.m_texts.size(), 1);
        QVERIFY2(
            messages.m_texts[0].contains(QStringLiteral("line 6: the corner '7' is no vertex")),
            qPrintable(messages.m_texts[0]));
        QCOMPARE(Doc().m_nodes.GetSize(), 4);
    }

    void exportsCirclePackAndTikz() {
        BuildHexDisk(Doc(), 2);
        CConvergedPacking packing;
        QVERIFY(Doc().PackToConvergence(1e-12, {}, packing));
        CModalScript circlePack({ChooseFile(File("out.p"))});
        Trigger(cmd::kExportCirclePack);
        QVERIFY(circlePack.Done());
        QFile p(File("out.p"));
        QVERIFY(p.open(QIODevice::ReadOnly));
        const QByteArray text = p.readAll();
        QVERIFY(text.startsWith("NODECOUNT:  19\nGEOMETRY: hyperbolic\n"));
        QVERIFY(text.contains("\nRADII: \n"));
        const auto tick = [](QWidget* modal) {
            auto* box = modal->findChild<QCheckBox*>(QStringLiteral("document"));
            if (box == nullptr) {
                return false;
            }
            box->setChecked(true);
            ClickButton(modal, "ok");
            return true;
        };
        CModalScript tikz({ChooseFile(File("out.tex")), tick});
        Trigger(cmd::kExportTikz);
        QVERIFY(tikz.Done());
        QFile tex(File("out.tex"));
        QVERIFY(tex.open(QIODevice::ReadOnly));
        QVERIFY(tex.readAll().startsWith("\\documentclass{article}\n"));
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
