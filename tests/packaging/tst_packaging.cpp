// The tree "cmake --install" puts in place, checked as the desktop checks it
// (desktop-file-validate, appstreamcli), and the Debian package made from it,
// unpacked into an empty folder and used from there.

#include "app/language/LanguageTable.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString AppId = u"org.corvane.Corvane"_s;

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
    bool finished = false;
};

Run run(const QString &program, const QStringList &args, int timeoutMs = 300000)
{
    QProcess p;
    p.start(program, args);
    Run r;
    if (!p.waitForStarted(30000))
        return r;
    r.finished = p.waitForFinished(timeoutMs) && p.exitStatus() == QProcess::NormalExit;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString sampleFile(const QString &name)
{
    return qEnvironmentVariable("CORVANE_SOURCE_DIR") + u"/data/samples/"_s + name;
}

} // namespace

class TestPackaging : public QObject
{
    Q_OBJECT

    QTemporaryDir m_prefix;
    QString m_installLog;

    QString installed(const QString &relative) const { return m_prefix.filePath(relative); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        const Run r =
            run(QStringLiteral(CORVANE_CMAKE), {u"--install"_s, QStringLiteral(CORVANE_BUILD_DIR),
                                                u"--prefix"_s, m_prefix.path()});
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.out + r.err));
    }

    void installedFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("window program") << u"bin/corvane"_s;
        QTest::newRow("terminal program") << u"bin/corvane-list"_s;
        QTest::newRow("language file") << u"share/corvane/lang.fil"_s;
        QTest::newRow("folder icon") << u"share/corvane/icons/folder-16.png"_s;
        QTest::newRow("folder icon 2x") << u"share/corvane/icons/folder-32.png"_s;
        QTest::newRow("sample list") << u"share/corvane/samples/recovered-disk.csv"_s;
        QTest::newRow("sample zip") << u"share/corvane/samples/recovered-disk.zip"_s;
        QTest::newRow("desktop entry") << u"share/applications/"_s + AppId + u".desktop"_s;
        QTest::newRow("metainfo") << u"share/metainfo/"_s + AppId + u".metainfo.xml"_s;
        QTest::newRow("scalable icon")
            << u"share/icons/hicolor/scalable/apps/"_s + AppId + u".svg"_s;
        QTest::newRow("man corvane") << u"share/man/man1/corvane.1.gz"_s;
        QTest::newRow("man corvane-list") << u"share/man/man1/corvane-list.1.gz"_s;
    }
    void installedFiles()
    {
        QFETCH(QString, path);
        if (path == u"bin/corvane"_s &&
            !QFileInfo::exists(QStringLiteral(CORVANE_BUILD_DIR) + u"/src/app/corvane"_s))
            QSKIP("the window program is not part of this build");
        QVERIFY2(QFileInfo(installed(path)).isFile(), qPrintable(installed(path)));
    }

    // Every size a desktop asks for, drawn sharp at that size.
    void iconSizes_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%dpx", size) << size;
    }
    void iconSizes()
    {
        QFETCH(int, size);
        const QString path =
            installed(u"share/icons/hicolor/%1x%1/apps/"_s.arg(size) + AppId + u".png"_s);
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY(image.hasAlphaChannel());
        // Transparent corners, an opaque middle.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }

    // What the desktop's own tools say of the installed entry and metainfo.
    void validates_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::newRow("desktop entry") << u"desktop-file-validate"_s << QStringList()
                                       << u"share/applications/"_s + AppId + u".desktop"_s;
        QTest::newRow("metainfo") << u"appstreamcli"_s << QStringList{u"validate"_s, u"--no-net"_s}
                                  << u"share/metainfo/"_s + AppId + u".metainfo.xml"_s;
    }
    void validates()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        const QString program = QStandardPaths::findExecutable(tool);
        if (program.isEmpty())
            QSKIP(qPrintable(tool + u" is not installed (scripts/corvane-setup installs it)"_s));
        const Run r = run(program, args << installed(file));
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.out + r.err));
        QVERIFY2(!r.out.contains(u"warning"_s, Qt::CaseInsensitive) &&
                     !r.err.contains(u"warning"_s, Qt::CaseInsensitive),
                 qPrintable(r.out + r.err));
    }

    // The entry offers the program for lists and zips and takes every file
    // it is handed; it does not claim to be the default for either.
    void desktopEntryKeys_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("exec") << u"Exec=corvane %F"_s;
        QTest::newRow("mime types") << u"MimeType=text/csv;application/zip;"_s;
        QTest::newRow("icon") << u"Icon="_s + AppId;
    }
    void desktopEntryKeys()
    {
        QFETCH(QString, line);
        QFile f(installed(u"share/applications/"_s + AppId + u".desktop"_s));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
        QVERIFY2(lines.contains(line), qPrintable(line));
        QVERIFY(!lines.contains(u"InitialPreference"_s, Qt::CaseInsensitive));
    }

    // The installed programs find their own data, wherever the tree is.
    void installedTreeFindsItsLanguageFile()
    {
        QCOMPARE(corvane::findLanguageFile(installed(u"bin"_s)),
                 QDir::cleanPath(installed(u"share/corvane/lang.fil"_s)));
    }

    void installedProgramOptions_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("expected");
        for (const QString &program : {u"corvane"_s, u"corvane-list"_s}) {
            QTest::addRow("%s --version", qPrintable(program))
                << program << u"--version"_s << program + u' ' + QStringLiteral(CORVANE_VERSION);
            QTest::addRow("%s --help", qPrintable(program))
                << program << u"--help"_s << u"Usage: "_s + program;
        }
    }
    void installedProgramOptions()
    {
        QFETCH(QString, program);
        QFETCH(QString, option);
        QFETCH(QString, expected);
        const QString path = installed(u"bin/"_s + program);
        if (!QFileInfo::exists(path))
            QSKIP("the window program is not part of this build");
        // No display needed for either: both answer before any window exists.
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"DISPLAY"_s);
        env.remove(u"WAYLAND_DISPLAY"_s);
        env.remove(u"QT_QPA_PLATFORM"_s);
        p.setProcessEnvironment(env);
        p.start(path, {option});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(QString::fromUtf8(p.readAllStandardOutput()).contains(expected),
                 qPrintable(expected));
    }

    // The Debian package: built by CPack with its library dependencies from
    // dpkg-shlibdeps, unpacked with dpkg -x into an empty folder, and its
    // corvane-list reading the bundled samples from there as the build's does.
    void debianPackage_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("sample");
        QTest::newRow("summary of the list") << u"summary"_s << u"recovered-disk.csv"_s;
        QTest::newRow("tree of the list") << u"tree"_s << u"recovered-disk.csv"_s;
        QTest::newRow("members of the zip") << u"members"_s << u"recovered-disk.zip"_s;
    }
    void debianPackage()
    {
        QFETCH(QString, command);
        QFETCH(QString, sample);
        for (const QString &tool : {u"dpkg-deb"_s, u"dpkg-shlibdeps"_s, u"dpkg"_s}) {
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(
                    qPrintable(tool + u" is not installed (scripts/corvane-setup installs it)"_s));
        }
        static QTemporaryDir work;
        static QString root;
        if (root.isEmpty()) {
            QVERIFY(work.isValid());
            const Run packed =
                run(QStringLiteral(CORVANE_CPACK),
                    {u"--config"_s, QStringLiteral(CORVANE_BUILD_DIR) + u"/CPackConfig.cmake"_s,
                     u"-G"_s, u"DEB"_s, u"-B"_s, work.path()});
            QVERIFY2(packed.finished && packed.exitCode == 0, qPrintable(packed.out + packed.err));
            const QStringList debs = QDir(work.path()).entryList({u"corvane_*.deb"_s});
            QCOMPARE(debs.size(), 1);
            const QString deb = work.filePath(debs.first());

            const Run depends = run(u"dpkg-deb"_s, {u"-f"_s, deb, u"Depends"_s});
            QCOMPARE(depends.exitCode, 0);
            QVERIFY2(depends.out.contains(u"libqt6core6"_s), qPrintable(depends.out));
            QVERIFY2(depends.out.contains(u"libzip"_s), qPrintable(depends.out));

            const QString unpacked = work.filePath(u"root"_s);
            const Run extracted = run(u"dpkg"_s, {u"-x"_s, deb, unpacked});
            QVERIFY2(extracted.exitCode == 0, qPrintable(extracted.err));
            root = unpacked;
        }
        Run fromPackage = run(root + u"/usr/bin/corvane-list"_s,
                              {command, root + u"/usr/share/corvane/samples/"_s + sample});
        QVERIFY2(fromPackage.finished && fromPackage.exitCode == 0, qPrintable(fromPackage.err));
        Run fromBuild = run(QStringLiteral(CORVANE_LIST_PROGRAM), {command, sampleFile(sample)});
        QCOMPARE(fromBuild.exitCode, 0);
        QVERIFY(!fromPackage.out.isEmpty());
        // The same rows; a path the program prints names where it read from.
        QCOMPARE(fromPackage.out.replace(root + u"/usr/share/corvane/samples/"_s, QString()),
                 fromBuild.out.replace(
                     qEnvironmentVariable("CORVANE_SOURCE_DIR") + u"/data/samples/"_s, QString()));
    }
};

QTEST_GUILESS_MAIN(TestPackaging)
#include "tst_packaging.moc"
