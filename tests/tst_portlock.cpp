// One programmer, one program: two hvpp-cli processes on one hvpp-sim pseudo-terminal, the
// second through a symlink, while the first writes flash. The second is refused and the
// chip holds exactly the first one's image. And a reader that goes away (| head) does not
// end a run halfway. (Wall clock: the one test of real processes on a real terminal.)
#include "support/clirun.h"
#include "support/rig.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

class TestPortLock : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void secondProgramOnOneProgrammerIsRefused();
    void closedPipeDoesNotEndTheRun();
};

void TestPortLock::secondProgramOnOneProgrammerIsRefused() {
    QTemporaryDir dir;
    SimProcess sim(QStringLiteral("ATMEGA8"), 115200);
    QVERIFY2(!sim.pty().isEmpty(), qPrintable(sim.errors()));
    const QString link = dir.filePath(QStringLiteral("programmer"));
    QVERIFY(QFile::link(sim.pty(), link));
    QByteArray image(4096, 0); // long enough to be still writing when the second one starts
    QRandomGenerator gen(18);
    for (char& b : image)
        b = char(gen.bounded(256));
    const QString file = dir.filePath(QStringLiteral("app.bin"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(image) == image.size());
    out.close();
    const QString ini = dir.filePath(QStringLiteral("s.ini"));

    QProcess first;
    first.setProcessChannelMode(QProcess::MergedChannels);
    first.start(builtExecutable("hvpp-cli"),
                {QStringLiteral("--settings"), ini, QStringLiteral("--port"), sim.pty(),
                 QStringLiteral("write-flash"), file});
    QByteArray seen;
    while (!seen.contains("FLASH......") && first.waitForReadyRead(10000))
        seen += first.readAll();
    QVERIFY2(seen.contains("FLASH......"), seen.constData()); // it is writing now

    const CliRun second = cliProcess({QStringLiteral("--settings"), ini, QStringLiteral("--port"),
                                      link, QStringLiteral("write-flash"), testData("blink.bin")});
    QCOMPARE(second.code, int(Exit::NoAnswer));
    QVERIFY2(second.out.contains(QStringLiteral("正被另一程序使用")), qPrintable(second.out));

    QVERIFY(first.waitForFinished(60000));
    QCOMPARE(first.exitCode(), 0);
    const CliRun check = cliProcess({QStringLiteral("--settings"), ini, QStringLiteral("--port"),
                                     link, QStringLiteral("verify-flash"), file});
    QVERIFY2(check.code == 0, qPrintable(check.out));
}

void TestPortLock::closedPipeDoesNotEndTheRun() {
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("chip.json"));
    const QStringList global{QStringLiteral("--settings"),  dir.filePath(QStringLiteral("s.ini")),
                             QStringLiteral("--port"),      QStringLiteral("sim"),
                             QStringLiteral("--sim-clock"), QStringLiteral("virtual"),
                             QStringLiteral("--sim-state"), state,
                             QStringLiteral("--sim-chip"),  QStringLiteral("ATMEGA32"),
                             QStringLiteral("--chip"),      QStringLiteral("ATMEGA32")};
    QStringList run = global + QStringList{QStringLiteral("-v"), QStringLiteral("program"),
                                           QStringLiteral("--flash"), testData("full32k.bin")};
    for (QString& a : run)
        a = u'\'' + a + u'\'';
    QProcess sh;
    sh.start(
        QStringLiteral("bash"),
        {QStringLiteral("-c"), builtExecutable("hvpp-cli") + u' ' + run.join(u' ') +
                                   QStringLiteral(" | head -2 >/dev/null; exit ${PIPESTATUS[0]}")});
    QVERIFY(sh.waitForFinished(60000));
    QCOMPARE(sh.exitCode(), 0); // not 141
    const CliRun check =
        cli(global + QStringList{QStringLiteral("verify-flash"), testData("full32k.bin")});
    QVERIFY2(check.code == 0, qPrintable(check.err));
}

QTEST_GUILESS_MAIN(TestPortLock)
#include "tst_portlock.moc"
