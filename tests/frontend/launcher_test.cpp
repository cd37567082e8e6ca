#include <QFile>

#include "engine_launcher.hpp"
#include "window_fixture.hpp"

using namespace yinshi::frontend;
using namespace yinshi::frontend::testing;

// The launcher against stand-in terminals that write down how they were started.
class LauncherTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TempFolder> bin, work;
    QString engine, record;

    void makeTerminal(const char* name) {
        const std::string script =
            "#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$LC_ALL\" \"$LC_CTYPE\" \"$YINSHI_OWN_WINDOW\" \"$@\" > " +
            record.toStdString() + ".tmp && mv " + record.toStdString() + ".tmp " + record.toStdString() + "\n";
        bin->write(name, script);
        QFile::setPermissions(QString::fromStdString((bin->path() / name).string()),
                              QFile::ReadOwner | QFile::ExeOwner);
    }
    QStringList recorded() {
        if (!QTest::qWaitFor([&] { return QFile::exists(record); }, 10000)) return {};
        QFile f(record);
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    QString searchPath() const { return QString::fromStdString(bin->path().string()); }
    QString workPath() const { return QString::fromStdString(work->path().string()); }

private slots:
    void init() {
        bin = std::make_unique<TempFolder>();
        work = std::make_unique<TempFolder>();
        record = searchPath() + "/record";
        bin->write("yinshi-engine", "");
        engine = searchPath() + "/yinshi-engine";
        QFile::setPermissions(engine, QFile::ReadOwner | QFile::ExeOwner);
    }
    void cleanup() {
        bin.reset();
        work.reset();
    }

    void xtermAtEightyByTwentyFiveInTheFolder() {
        makeTerminal("xterm");
        makeTerminal("x-terminal-emulator");
        TerminalLauncher launcher({searchPath()});
        QCOMPARE(launcher.Launch(engine, workPath(), TerminalSpot{QPoint(560, 12), 13}), std::nullopt);
        QCOMPARE(recorded(), QStringList({workPath(), "C.UTF-8", "C.UTF-8", "1", "-geometry", "80x25+560+12", "-u8",
                                          "-fa", "DejaVu Sans Mono:pixelsize=13", "-fd",
                                          "WenQuanYi Micro Hei Mono:pixelsize=13", "-hold", "-e", engine}));
    }

    void otherTerminalWhenNoXterm() {
        makeTerminal("x-terminal-emulator");
        TerminalLauncher launcher({searchPath()});
        QCOMPARE(launcher.Launch(engine, workPath(), TerminalSpot{}), std::nullopt);
        QCOMPARE(recorded(), QStringList({workPath(), "C.UTF-8", "C.UTF-8", "1", "-e", engine}));
    }

    void missingTerminalOrEngineIsReported() {
        TerminalLauncher none({searchPath()});
        QVERIFY(none.Launch(engine, workPath(), TerminalSpot{}).value_or("").contains("xterm"));
        makeTerminal("xterm");
        TerminalLauncher launcher({searchPath()});
        const QString missing = searchPath() + "/nothing-here";
        QVERIFY(launcher.Launch(missing, workPath(), TerminalSpot{}).value_or("").contains(missing));
        QTest::qWait(200);
        QVERIFY(!QFile::exists(record));
    }

    void engineFoundBesideTheProgramElseOnThePath() {
        QCOMPARE(FindEngine(searchPath()), engine);
        const QString elsewhere = workPath();
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", searchPath().toUtf8() + ":" + path);
        QCOMPARE(FindEngine(elsewhere), engine);
        qputenv("PATH", "/nonexistent");
        QCOMPARE(FindEngine(elsewhere), elsewhere + "/yinshi-engine");  // named in the message
        qputenv("PATH", path);
    }
};

QTEST_MAIN(LauncherTest)
#include "launcher_test.moc"
