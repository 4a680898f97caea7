// The document type as the desktop sees it: the installed MIME package recognises documents by
// their extension, and without one by the first circle's class record, as far as it can stand.
#include "ShellTestSupport.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"

#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

constexpr char kType[] = "application/x-tessel-document";

void Append(QByteArray& bytes, qint32 value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.append(char((quint32(value) >> shift) & 0xFF));
    }
}

// The start of a document whose first node has `edges` edges: the bytes up to and including
// its circle's class record, which is all the magic looks at.
QByteArray FirstNodeOf(int edges) {
    QByteArray bytes(16, '\0'); // the extents
    Append(bytes, 1);           // nodes
    Append(bytes, edges);       // edges
    bytes.append(16, '\0');     // x, y
    Append(bytes, edges);
    for (int i = 0; i < edges; ++i) {
        Append(bytes, i);
    }
    Append(bytes, 1); // kind
    bytes.append("\xff\xff\x01\x00\x09\x00"
                 "CCPCircle",
                 15);
    return bytes;
}

QByteArray Saved(int rings) {
    CTesselDoc doc;
    if (rings == 0) {
        doc.OnNewDocument();
    } else {
        BuildHexDisk(doc, rings);
    }
    const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

} // namespace

class TestMimeType : public QObject {
    Q_OBJECT

    QTemporaryDir m_data;
    QTemporaryDir m_files;

    QString TypeOf(const QString& name, const QByteArray& bytes) {
        QFile file(m_files.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        return QMimeDatabase().mimeTypeForFile(file.fileName()).name();
    }

private slots:
    // Only the package of the source tree, compiled as an install compiles it when the tool is
    // there, so that what is tested is the file that gets installed.
    void initTestCase() {
        const QString packages = m_data.filePath(QStringLiteral("mime/packages"));
        QVERIFY(QDir().mkpath(packages));
        QVERIFY(
            QFile::copy(QStringLiteral(TESSEL_SOURCE_DIR "/resources/desktop/tessel-document.xml"),
                        packages + QStringLiteral("/tessel-document.xml")));
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        if (!tool.isEmpty()) {
            QCOMPARE(QProcess::execute(tool, {m_data.filePath(QStringLiteral("mime"))}), 0);
        }
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
    }

    void documentsAreKnownByNameAndByContent() {
        struct Case {
            const char* name;
            QByteArray bytes;
            bool document;
        } cases[] = {
            {"triangle.tesl", Saved(0), true},
            {"triangle", Saved(0), true},
            {"hex3", Saved(3), true},
            {"first-node-of-1000-edges", FirstNodeOf(1000), true},
            {"first-node-of-1001-edges", FirstNodeOf(1001), false},
            {"empty.tesl", QByteArray(), true},
            {"no-nodes.tesl", QByteArray(36, '\0'), true},
            {"no-nodes", QByteArray(36, '\0'), false},
            {"text.txt", QByteArray("CCPCircle is a class name\n"), false},
            {"circle-too-early",
             QByteArray("\xff\xff\x01\x00\x09\x00"
                        "CCPCircle",
                        15),
             false},
        };
        for (const Case& c : cases) {
            QCOMPARE(TypeOf(QLatin1String(c.name), c.bytes) == QLatin1String(kType), c.document);
        }
    }
};

QTEST_MAIN(TestMimeType)
#include "tst_mimetype.moc"
