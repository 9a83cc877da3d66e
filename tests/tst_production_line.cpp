// Production runs a line can trust, on the simulated programmer's virtual clock: they end by
// count and by failures, serial numbers go on per job and are never taken twice nor by a
// failed chip, a failed verify ends the chip, a silent programmer or an unwritable record
// ends the run, the CSV does not change with the language, locked schemes refuse changed
// files, and several processes share one CSV.
#include "ops/production.h"
#include "ops/stepcode.h"
#include "support/clirun.h"
#include "support/rig.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

namespace {

// Puts a chip into the empty socket on the third look and takes a programmed one out on the
// second; bad(n) says whether chip n (from 0) reads its flash back wrong.
struct Line {
    SimRig& rig;
    ProductionRun& run;
    std::function<bool(int)> bad;
    int inserted = 0;
    int looks = 0;
    bool inSocket = false;
    Line(SimRig& r, ProductionRun& p, std::function<bool(int)> b)
        : rig(r), run(p), bad(std::move(b)) {
        rig.model().setChip(QStringLiteral("none"));
        QObject::connect(&run, &ProductionRun::polled, &run,
                         [this](bool present) { look(present); });
    }
    void look(bool present) {
        if (++looks < (inSocket ? 2 : 3) || (inSocket && !present))
            return;
        looks = 0;
        if (inSocket) {
            rig.model().setChip(QStringLiteral("none"));
        } else if (inserted == 20) {
            run.stop(); // a run that does not end by itself
        } else {
            rig.model().setChip(QStringLiteral("ATMEGA8"));
            rig.model().faults().corruptFlashAddress = bad(inserted) ? 0x21 : -1;
            ++inserted;
        }
        inSocket = !inSocket;
    }
};

struct Rig : SimRig {
    QTemporaryDir dir;
    Rig() {
        session.FlashBufferText = QStringLiteral("0102030405060708").repeated(40);
        session.EepromBufferText = QStringLiteral("A1B2C3D4E5");
        session.setOptionsText(QStringLiteral("0100000010")); // write and verify flash
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

struct Outcome {
    RunEnd end = RunEnd::Stopped;
    QList<ChipRecord> chips;
};

Outcome runLine(Rig& r, const ProductionSettings& ps, std::function<bool(int)> bad) {
    ProductionRun run(r.c, ps);
    Line line(r, run, std::move(bad));
    Outcome o;
    QObject::connect(&run, &ProductionRun::chipDone, &run,
                     [&o](const ChipRecord& rec) { o.chips << rec; });
    runOperation(r.c, OpId::Program, [&] { o.end = run.run(); });
    return o;
}

QString readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TestProductionLine : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void endsByCountAndFailures_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("maxFail");
        QTest::addColumn<QString>("bad"); // "x" for each chip that fails
        QTest::addColumn<int>("passed");
        QTest::addColumn<int>("failed");
        QTest::addColumn<int>("end");
        QTest::newRow("count 3") << 3 << 0 << "...." << 3 << 0 << int(RunEnd::Count);
        QTest::newRow("count 2, first fails") << 2 << 0 << "x..." << 1 << 1 << int(RunEnd::Count);
        QTest::newRow("max-fail 2") << 0 << 2 << ".x.x.." << 2 << 2 << int(RunEnd::MaxFail);
        QTest::newRow("both, failures first")
            << 5 << 1 << ".x..." << 1 << 1 << int(RunEnd::MaxFail);
    }
    void endsByCountAndFailures() {
        QFETCH(int, count);
        QFETCH(int, maxFail);
        QFETCH(QString, bad);
        QFETCH(int, passed);
        QFETCH(int, failed);
        QFETCH(int, end);
        Rig r;
        ProductionSettings ps;
        ps.count = count;
        ps.maxFail = maxFail;
        const Outcome o = runLine(r, ps, [&](int n) { return n < bad.size() && bad[n] == u'x'; });
        QCOMPARE(int(o.end), end);
        QCOMPARE(o.chips.size(), passed + failed);
        int p = 0;
        for (const ChipRecord& c : o.chips)
            p += c.passed ? 1 : 0;
        QCOMPARE(p, passed);
    }

    // Three runs of one job: numbers go on where the last run stopped, a failed chip takes
    // none, --serial-initial starts elsewhere; the job's record counts every chip.
    void serialNumbersGoOnPerJob() {
        Rig r;
        ProductionSettings ps;
        ps.jobFile = r.path("job.job");
        ps.serial.enabled = true;
        ps.serial.toFlash = false;
        ps.serial.address = 0x10;
        ps.serial.next = 0x100;
        ps.count = 3;
        Outcome o = runLine(r, ps, [](int n) { return n == 1; });
        QCOMPARE(o.chips.size(), 3);
        QCOMPARE(o.chips[0].serial, QStringLiteral("00000100"));
        QCOMPARE(o.chips[1].serial, QString());
        QCOMPARE(o.chips[1].failedStep, StepCode::verifyFlash);
        QCOMPARE(o.chips[2].serial, QStringLiteral("00000101"));
        ps.count = 1;
        ps.serial.next = 0; // what the page says: the job's record wins
        o = runLine(r, ps, [](int) { return false; });
        QCOMPARE(o.chips.value(0).serial, QStringLiteral("00000102"));
        ps.serial.next = 0x500;
        ps.serialGiven = true;
        o = runLine(r, ps, [](int) { return false; });
        QCOMPARE(o.chips.value(0).serial, QStringLiteral("00000500"));
        QCOMPARE(readAll(ps.jobFile), QStringLiteral("next=00000501\npassed=4\nfailed=1\n"));
    }

    // A chip that fails its verify gets no fuse, lock or calibration frame and no number.
    void failedVerifyEndsTheChip() {
        Rig r;
        r.session.fuses.setSetFolder(QStringLiteral(HVPP_SET_DIR));
        r.session.fuses.LoadFuseDescription(QStringLiteral("ATMEGA8.FUS"), &r.session.log);
        r.session.fuses.ApplyFuseText(r.session.fuses.defaultFuseText());
        // Write flash, fuses, lock bits, calibration byte, verify flash.
        QVERIFY(r.session.setOptionsText(QStringLiteral("0101100110")));
        ProductionSettings ps;
        ps.count = 1;
        ps.serial.enabled = true;
        ps.serial.toFlash = false;
        const Outcome o = runLine(r, ps, [](int) { return true; });
        QCOMPARE(o.chips.size(), 1);
        QCOMPARE(o.chips[0].failedStep, StepCode::verifyFlash);
        QCOMPARE(o.chips[0].result(), QStringLiteral("FAIL"));
        for (const QByteArray& w : r.port.writes())
            QVERIFY2(!w.startsWith("WS") && !w.startsWith("WL") && !w.startsWith("WE"),
                     w.constData());
    }

    // The programmer answers nothing: no chip is waited for forever. A record that cannot be
    // written, or a CSV with other columns: not one frame is sent.
    void runsThatCannotGoOn_data() {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<int>("end");
        QTest::newRow("silent programmer") << QString() << true << int(RunEnd::NoAnswer);
        QTest::newRow("CSV folder missing")
            << "missing/run.csv" << false << int(RunEnd::RecordFailed);
        QTest::newRow("CSV of other columns") << "old.csv" << false << int(RunEnd::RecordFailed);
    }
    void runsThatCannotGoOn() {
        QFETCH(QString, csv);
        QFETCH(bool, silent);
        QFETCH(int, end);
        Rig r;
        QFile old(r.dir.filePath(QStringLiteral("old.csv")));
        QVERIFY(old.open(QIODevice::WriteOnly) &&
                old.write("time,signature,serial,result\r\n") > 0);
        old.close();
        ProductionSettings ps;
        ps.csvPath = csv.isEmpty() ? QString() : r.dir.filePath(csv);
        r.model().faults().silent = silent;
        const Outcome o = runLine(r, ps, [](int) { return false; });
        QCOMPARE(int(o.end), end);
        QVERIFY(o.chips.isEmpty());
        if (!silent)
            QVERIFY(r.port.writes().isEmpty());
        QCOMPARE(readAll(old.fileName()), QStringLiteral("time,signature,serial,result\r\n"));
    }

    // The record of the same chips is the same file in Chinese and in English, but for the
    // times.
    void csvIsTheSameInBothLanguages() {
        QStringList files;
        for (const bool english : {false, true}) {
            QTranslator t;
            if (english) {
                QVERIFY(t.load(QStringLiteral("hvpp_en"),
                               QStringLiteral(HVPP_BIN_DIR "/translations")));
                QCoreApplication::installTranslator(&t);
            }
            Rig r;
            ProductionSettings ps;
            ps.csvPath = r.path("run.csv");
            ps.count = 3;
            ps.job = QStringLiteral("job");
            ps.station = QStringLiteral("A");
            ps.port = QStringLiteral("sim");
            runLine(r, ps, [](int n) { return n == 1; });
            QCoreApplication::removeTranslator(&t);
            files << readAll(ps.csvPath)
                         .replace(
                             QRegularExpression(QStringLiteral("\\n\\d{4}-\\d\\d-\\d\\dT[\\d:]+,")),
                             QStringLiteral("\nTIME,"));
        }
        QCOMPARE(files[0].count(u'\n'), 4);
        QVERIFY(files[0].contains(QStringLiteral(",FAIL,verify_flash,")));
        QCOMPARE(files[1], files[0]);
    }

    // scheme-save --lock records the files; a changed file refuses the run, naming it and
    // both CRCs; a scheme saved without --lock still runs.
    void lockedSchemeRefusesChangedFiles() {
        QTemporaryDir dir;
        const QString app = dir.filePath(QStringLiteral("app.hex"));
        QVERIFY(QFile::copy(testData("blink.hex"), app));
        QFile::setPermissions(app, QFile::ReadOwner | QFile::WriteOwner);
        const QString ini = dir.filePath(QStringLiteral("s.ini"));
        for (const bool lock : {true, false}) {
            const QString set =
                dir.filePath(lock ? QStringLiteral("locked.SET") : QStringLiteral("open.SET"));
            QStringList save{QStringLiteral("--settings"), ini, QStringLiteral("scheme-save"), set,
                             QStringLiteral("--flash"),    app};
            if (lock)
                save << QStringLiteral("--lock");
            QCOMPARE(cli(save).code, 0);
        }
        const QStringList run =
            simArgs(ini) + QStringList{QStringLiteral("--json"), QStringLiteral("program"),
                                       QStringLiteral("--scheme")};
        QCOMPARE(cli(run + QStringList{dir.filePath(QStringLiteral("locked.SET"))}).code, 0);
        QFile f(app);
        QVERIFY(f.open(QIODevice::Append) && f.write(":00000001FF\r\n") > 0);
        f.close();
        const CliRun refused = cli(run + QStringList{dir.filePath(QStringLiteral("locked.SET"))});
        QCOMPARE(refused.code, 1);
        QVERIFY2(refused.out.contains(QStringLiteral("\"code\":\"scheme_changed\"")) &&
                     refused.out.contains(QRegularExpression(
                         QStringLiteral("app.hex 已改变: 方案 [0-9A-F]{8}, 文件 [0-9A-F]{8}"))),
                 qPrintable(refused.out));
        QVERIFY(!refused.out.contains(QStringLiteral("\"type\":\"progress\""))); // nothing sent
        QCOMPARE(cli(run + QStringList{dir.filePath(QStringLiteral("open.SET"))}).code, 0);
    }

    // Six stations append to one CSV at once: every line whole, none lost.
    void stationsShareOneCsv() {
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("line.csv"));
        QList<QProcess*> stations;
        for (int i = 0; i < 6; ++i) {
            auto* p = new QProcess(this);
            p->start(builtExecutable("hvpp-cli"),
                     simArgs(dir.filePath(QStringLiteral("s%1.ini").arg(i))) +
                         QStringList{QStringLiteral("-q"), QStringLiteral("program"),
                                     QStringLiteral("--repeat"), QStringLiteral("--count"),
                                     QStringLiteral("1"), QStringLiteral("--options"),
                                     QStringLiteral("0000000000"), QStringLiteral("--csv"), csv,
                                     QStringLiteral("--station"), QStringLiteral("S%1").arg(i)});
            stations << p;
        }
        for (QProcess* p : stations) {
            QVERIFY(p->waitForFinished(60000));
            QCOMPARE(p->exitCode(), 0);
        }
        const QStringList lines = readAll(csv).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[0], csvHeader());
        QStringList seen;
        for (int i = 1; i < lines.size(); ++i) {
            const QStringList f = lines[i].split(u',');
            QCOMPARE(f.size(), 11);
            QCOMPARE(f[3], QStringLiteral("PASS"));
            seen << f[9];
        }
        seen.sort();
        QCOMPARE(seen,
                 (QStringList{QStringLiteral("S0"), QStringLiteral("S1"), QStringLiteral("S2"),
                              QStringLiteral("S3"), QStringLiteral("S4"), QStringLiteral("S5")}));
    }
};

QTEST_GUILESS_MAIN(TestProductionLine)
#include "tst_production_line.moc"
