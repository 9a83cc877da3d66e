// Scheme files from the command line: the scheme file is never taken for an image (nor an
// image for the scheme), paths are stored absolute and read relative to the scheme, a
// scheme that loads saves again, and program runs the designed options from fresh settings.
#include "scheme/scheme.h"
#include "session/session.h"
#include "support/clirun.h"
#include "support/recordingui.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
bool copyFile(const QString& from, const QString& to) {
    QFile::remove(to);
    return QFile::copy(from, to);
}
QStringList schemeLines(const QString& path) {
    QStringDecoder gbk("GBK");
    const QString text = gbk.decode(bytesOf(path));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}
} // namespace

class TestCliScheme : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { m_settings = m_dir.filePath(QStringLiteral("s%1.ini").arg(m_n++)); }
    void argumentOrders_data();
    void argumentOrders();
    void neverOverwritesAnotherFile();
    void movedSchemeFindsItsImages();
    void loadedSchemeSavesAgain();
    void programFromFreshSettings();

  private:
    QTemporaryDir m_dir;
    QString m_settings;
    int m_n = 0;
};

void TestCliScheme::argumentOrders_data() {
    QTest::addColumn<QStringList>("args"); // JOB, FLASH and EEPROM stand for the three files
    const QString j = QStringLiteral("JOB"), fl = QStringLiteral("--flash"),
                  ee = QStringLiteral("--eeprom");
    const QString f = QStringLiteral("FLASH"), e = QStringLiteral("EEPROM");
    QTest::newRow("scheme first") << QStringList{j, fl, f, ee, e};
    QTest::newRow("scheme last") << QStringList{fl, f, ee, e, j};
    QTest::newRow("scheme between") << QStringList{ee, e, j, fl, f};
    QTest::newRow("option=value") << QStringList{QStringLiteral("--eeprom=EEPROM"), j,
                                                 QStringLiteral("--flash=FLASH")};
}

void TestCliScheme::argumentOrders() {
    QFETCH(QStringList, args);
    const QString job = m_dir.filePath(QStringLiteral("job.SET"));
    const QString flash = m_dir.filePath(QStringLiteral("app.hex"));
    const QString eeprom = m_dir.filePath(QStringLiteral("data.eep"));
    QVERIFY(copyFile(testData("blink.hex"), flash) && copyFile(testData("blink.eep"), eeprom));
    QFile::remove(job);
    for (QString& a : args)
        a.replace(QStringLiteral("JOB"), job)
            .replace(QStringLiteral("FLASH"), flash)
            .replace(QStringLiteral("EEPROM"), eeprom);
    const CliRun r = runCliCaptured(
        QStringList{QStringLiteral("--settings"), m_settings, QStringLiteral("scheme-save")} +
        args);
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QStringList lines = schemeLines(job);
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines[3], flash);
    QCOMPARE(lines[4], eeprom);
    QCOMPARE(bytesOf(flash), bytesOf(testData("blink.hex")));
    QCOMPARE(bytesOf(eeprom), bytesOf(testData("blink.eep")));
}

void TestCliScheme::neverOverwritesAnotherFile() {
    const QString eeprom = m_dir.filePath(QStringLiteral("keep.eep"));
    QVERIFY(copyFile(testData("blink.eep"), eeprom));
    // The old mistake: the EEPROM file named where the scheme goes.
    for (const QStringList& args :
         {QStringList{QStringLiteral("--flash"), testData("blink.hex"), eeprom},
          QStringList{eeprom, QStringLiteral("--eeprom"), eeprom}}) {
        const CliRun r = runCliCaptured(
            QStringList{QStringLiteral("--settings"), m_settings, QStringLiteral("scheme-save")} +
            args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(eeprom), qPrintable(r.err));
        QCOMPARE(bytesOf(eeprom), bytesOf(testData("blink.eep")));
    }
    // A scheme is replaced.
    const QString job = m_dir.filePath(QStringLiteral("again.SET"));
    for (const char* options : {"1000000000", "0100000000"})
        QCOMPARE(
            runCliCaptured({QStringLiteral("--settings"), m_settings, QStringLiteral("scheme-save"),
                            job, QStringLiteral("--options"), QLatin1String(options)})
                .code,
            0);
    QCOMPARE(schemeLines(job).value(2), QStringLiteral("0100000000"));
}

void TestCliScheme::movedSchemeFindsItsImages() {
    // A scheme written by hand with names relative to its folder, moved with its images.
    QDir root(m_dir.path());
    QVERIFY(root.mkpath(QStringLiteral("a/img")));
    QVERIFY(copyFile(testData("blink.hex"), root.filePath(QStringLiteral("a/img/app.hex"))));
    QFile f(root.filePath(QStringLiteral("a/job.SET")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("ATMEGA8\r\n11111111111111111101100111100001\r\n1100011010\r\nimg/app.hex\r\n\r\n "
            "0\r\n 0\r\n8191\r\n511\r\n");
    f.close();
    QVERIFY(root.rename(QStringLiteral("a"), QStringLiteral("moved")));
    const QString job = root.filePath(QStringLiteral("moved/job.SET"));
    const QString state = m_dir.filePath(QStringLiteral("moved.json"));
    const QStringList sim = simArgs(m_settings, {QStringLiteral("--sim-state"), state});
    CliRun r = runCliCaptured(
        sim + QStringList{QStringLiteral("program"), QStringLiteral("--scheme"), job});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    r = runCliCaptured(sim + QStringList{QStringLiteral("verify-flash"),
                                         root.filePath(QStringLiteral("moved/img/app.hex"))});
    QCOMPARE(r.code, 0);

    // Saved again, the names are absolute: the copy works from anywhere.
    Session s;
    RecordingUi ui;
    QCOMPARE(LoadSet(s, ui, job), 9);
    QCOMPARE(s.fileName[0], root.filePath(QStringLiteral("moved/img/app.hex")));
    const QString copy = m_dir.filePath(QStringLiteral("elsewhere.SET"));
    QVERIFY(SaveSet(s, copy));
    QCOMPARE(schemeLines(copy).value(3), root.filePath(QStringLiteral("moved/img/app.hex")));
}

void TestCliScheme::loadedSchemeSavesAgain() {
    const QString job = m_dir.filePath(QStringLiteral("cr.SET"));
    QFile f(job);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("ATMEGA8\r\n11111111111111111101100111100001\r\n0000000000\r\n/x/a\rb.hex\r\n/x/"
            "e.eep\r\r\n 1\r\n 0\r\n100\r\n10\r\n");
    f.close();
    Session s;
    RecordingUi ui;
    QCOMPARE(LoadSet(s, ui, job), 9);
    QCOMPARE(s.fileName[0], QStringLiteral("/x/a\rb.hex"));
    QCOMPARE(s.fileName[1], QStringLiteral("/x/e.eep\r"));
    const QString again = m_dir.filePath(QStringLiteral("cr2.SET"));
    QString error;
    QVERIFY2(SaveSet(s, again, &error), qPrintable(error));
    QCOMPARE(bytesOf(again), bytesOf(job));
    // A line feed inside a value would split its line: refused, nothing written.
    s.fileName[0] = QStringLiteral("/x/a\nb.hex");
    QVERIFY(!SaveSet(s, m_dir.filePath(QStringLiteral("lf.SET"))));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("lf.SET"))));
}

void TestCliScheme::programFromFreshSettings() {
    // The designed options: signature check, erase, reload, write and verify flash.
    CliRun r = runCliCaptured(simArgs(m_settings) + QStringList{QStringLiteral("program"),
                                                                QStringLiteral("--flash"),
                                                                testData("blink.hex")});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    QVERIFY2(r.out.contains(
                 QStringLiteral("编程步骤: 校验标识字, 擦除芯片, 文件重载, 编程FLASH, 校验FLASH")),
             qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("校验FLASH通过。")));
    QVERIFY(r.out.contains(QStringLiteral("编程完成。")));
    // A write step without data is found before anything is sent.
    const QString empty = m_dir.filePath(QStringLiteral("empty.hex"));
    QFile e(empty);
    QVERIFY(e.open(QIODevice::WriteOnly));
    e.close();
    for (const QStringList& args :
         {QStringList{}, QStringList{QStringLiteral("--flash"), empty},
          QStringList{QStringLiteral("--flash"), m_dir.filePath(QStringLiteral("none.hex"))},
          QStringList{QStringLiteral("--flash"), testData("blink.hex"),
                      QStringLiteral("--write-eeprom")}}) {
        r = runCliCaptured(simArgs(m_settings) +
                           QStringList{QStringLiteral("-v"), QStringLiteral("program")} + args);
        QCOMPARE(r.code, 1);
        QVERIFY2(!r.out.contains(QStringLiteral("ms] >")), qPrintable(r.out)); // no frame sent
        QVERIFY(!r.err.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestCliScheme)
#include "tst_cli_scheme.moc"
