// hvpp-cli's info, compare, verify lists, HEX out and program with ELF files, in-process
// against the built-in simulated programmer (its state file shows what the chip holds).
#include "cli/cli.h"
#include "session/loader.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Run {
    int code = -1;
    QString out;
    QString err;
    // The JSON events of one type.
    QList<QJsonObject> events(const char* type) const {
        QList<QJsonObject> list;
        for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts)) {
            const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
            if (o.value(QStringLiteral("type")).toString() == QLatin1String(type))
                list << o;
        }
        return list;
    }
};

QString data(const char* name) {
    return QStringLiteral(HVPP_TEST_DATA "/") + QString::fromLatin1(name);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestCliFeatures : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_n = 0;

    Run cli(QStringList args) {
        Run r;
        QTextStream out(&r.out);
        QTextStream err(&r.err);
        // The built-in programmer on its virtual clock: no run costs real time.
        if (args.contains(QStringLiteral("sim")))
            args = QStringList{QStringLiteral("--sim-clock"), QStringLiteral("virtual")} + args;
        args.prepend(m_dir.filePath(QStringLiteral("s%1.ini").arg(m_n++)));
        args.prepend(QStringLiteral("--settings"));
        args.prepend(QStringLiteral("hvpp-cli"));
        r.code = runCli(args, out, err);
        out.flush();
        err.flush();
        return r;
    }
    QString file(const char* name) { return m_dir.filePath(QString::fromLatin1(name)); }

  private Q_SLOTS:
    void info_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("says");
        QTest::newRow("gapped HEX")
            << QStringList{QStringLiteral("info"), data("gap.hex")} << 0
            << QStringList{QStringLiteral("0000–000F, 0020–002F"), QStringLiteral("已用 32/8192")};
        QTest::newRow("too large for the chip")
            << QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA8"),
                           QStringLiteral("info"), data("full32k.bin")}
            << 1 << QStringList{QStringLiteral("已用 32768/8192"), QStringLiteral("无法写入")};
        QTest::newRow("fits the larger chip")
            << QStringList{QStringLiteral("--chip"), QStringLiteral("ATMEGA32"),
                           QStringLiteral("info"), data("full32k.bin")}
            << 0 << QStringList{QStringLiteral("已用 32768/32768")};
        QTest::newRow("EEPROM file")
            << QStringList{QStringLiteral("info"), QStringLiteral("--eeprom"), data("blink.eep")}
            << 0 << QStringList{QStringLiteral("EEPROM映像")};
        QTest::newRow("ELF job") << QStringList{QStringLiteral("info"), data("elf/app.elf")} << 0
                                 << QStringList{QStringLiteral("FLASH映像"),
                                                QStringLiteral("EEPROM映像: 数据 0000–0005"),
                                                QStringLiteral("ELF 熔丝位"),
                                                QStringLiteral("锁定位 FC")};
        QTest::newRow("ELF for another machine")
            << QStringList{QStringLiteral("info"), data("elf/other.o")} << 1
            << QStringList{QStringLiteral("不是 ELF")};
    }
    void info() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QStringList, says);
        if (args.last().endsWith(u".o")) { // the kind is taken from the name
            QFile::copy(args.last(), file("other.elf"));
            args.last() = file("other.elf");
            says = QStringList{QStringLiteral("不是 AVR")};
        }
        const Run r = cli(args);
        QCOMPARE(r.code, code);
        for (const QString& s : says)
            QVERIFY2((r.out + r.err).contains(s), qPrintable(s + u'\n' + r.out + r.err));
    }

    void infoJson() {
        const Run r = cli({QStringLiteral("--json"), QStringLiteral("info"), data("gap.hex")});
        QCOMPARE(r.code, 0);
        const QList<QJsonObject> results = r.events("result");
        QCOMPARE(results.size(), 1);
        const QJsonObject flash = results[0].value(QStringLiteral("flash")).toObject();
        QCOMPARE(flash.value(QStringLiteral("ranges")).toArray(),
                 (QJsonArray{QJsonArray{0, 15}, QJsonArray{32, 47}}));
        QCOMPARE(flash.value(QStringLiteral("used")).toInt(), 32);
        QCOMPARE(flash.value(QStringLiteral("fits")).toBool(), true);
        QCOMPARE(flash.value(QStringLiteral("crc32")).toString().size(), 8);
    }

    // An ELF job programmed through the built-in programmer: flash, EEPROM, fuses, lock.
    void programElf() {
        const QString state = file("chip.json");
        const Run r =
            cli({QStringLiteral("--port"), QStringLiteral("sim"), QStringLiteral("--sim-state"),
                 state, QStringLiteral("program"), QStringLiteral("--flash"), data("elf/app.elf"),
                 QStringLiteral("--options"), QStringLiteral("1111100011"),
                 QStringLiteral("--force")}); // the ELF's lock byte FC is a marked mode
        QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
        const QJsonObject chip = QJsonDocument::fromJson(readAll(state)).object();
        const QJsonObject fuses = chip.value(QStringLiteral("fuses")).toObject();
        QCOMPARE(fuses.value(QStringLiteral("low")).toString().toUpper(), QStringLiteral("E4"));
        QCOMPARE(fuses.value(QStringLiteral("high")).toString().toUpper(), QStringLiteral("D9"));
        QCOMPARE(chip.value(QStringLiteral("lock")).toString().toUpper(), QStringLiteral("FC"));
        // The EEPROM of the ELF file went in too.
        QVERIFY(chip.value(QStringLiteral("eeprom"))
                    .toString()
                    .toUpper()
                    .startsWith(QStringLiteral("112233445566FF")));
    }

    // compare lists every differing range and writes nothing; --json gives the list as one
    // event per memory.
    void compareLists() {
        const Run r =
            cli({QStringLiteral("--json"), QStringLiteral("--port"), QStringLiteral("sim"),
                 QStringLiteral("--sim-corrupt-flash"), QStringLiteral("0x10,0x11,0x200-0x20F"),
                 QStringLiteral("compare"), QStringLiteral("--flash"), data("full32k.bin"),
                 QStringLiteral("--chip"), QStringLiteral("ATMEGA32")});
        QCOMPARE(r.code, 1);
        const QList<QJsonObject> verify = r.events("verify");
        QCOMPARE(verify.size(), 1);
        QCOMPARE(verify[0].value(QStringLiteral("memory")).toString(), QStringLiteral("FLASH"));
        // The chip is blank: every byte differs that is not FF in the image, and the
        // corrupted ones read 0xFE (differ as well).
        QVERIFY(verify[0].value(QStringLiteral("differing")).toInt() > 30000);
        QCOMPARE(verify[0].value(QStringLiteral("first")).toInt(), 0);
        bool logged = false;
        for (const QJsonObject& l : r.events("log"))
            logged =
                logged ||
                l.value(QStringLiteral("text")).toString().contains(QStringLiteral("字节不符"));
        QVERIFY(logged);
    }

    // read-flash and convert write Intel HEX for .hex names; it loads back the same.
    void hexOut() {
        const QString hex = file("app.hex");
        Run r =
            cli({QStringLiteral("convert"), QStringLiteral("--flash"), data("elf/app.elf"), hex});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(readAll(hex).startsWith(":10000000"));
        QString a, b;
        QVERIFY(ReadImageFile(hex, QStringLiteral("HEX"), a));
        QVERIFY(ReadImageFile(data("elf/app.hex"), QStringLiteral("HEX"), b));
        QCOMPARE(a, b);

        const QString state = file("read.json");
        const QString readHex = file("chip.hex");
        const QString readBin = file("chip.bin");
        for (const QString& out : {readHex, readBin}) {
            r = cli({QStringLiteral("--port"), QStringLiteral("sim"), QStringLiteral("--sim-state"),
                     state, QStringLiteral("read-eeprom"), out});
            QVERIFY2(r.code == 0, qPrintable(r.err));
        }
        QVERIFY(readAll(readHex).startsWith(':'));
        QString fromHex;
        QVERIFY(ReadImageFile(readHex, QStringLiteral("HEX"), fromHex));
        QCOMPARE(fromHex, QString::fromLatin1(readAll(readBin).toHex().toUpper()));
    }
};

QTEST_GUILESS_MAIN(TestCliFeatures)
#include "tst_cli_features.moc"
