// The commands that touch the chip against the programmer's misbehaviours that are not plain
// silence: each ends with the exit code its outcome deserves. Answers in pieces with 40 ms
// pauses and late answers still program a correct chip; a dropped marker is no answer; a
// corrupted byte fails the verify; lower-case answers fail the presence test ("1e" is not
// "1E"); an unknown signature is no chip for the signature button and a failed check for
// the program sequence.
#include "support/clirun.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCliFaultMatrix : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { m_settings = m_dir.filePath(QStringLiteral("s%1.ini").arg(m_n++)); }
    void commandUnderFault_data();
    void commandUnderFault();

  private:
    QTemporaryDir m_dir;
    QString m_settings;
    int m_n = 0;
};

void TestCliFaultMatrix::commandUnderFault_data() {
    QTest::addColumn<QStringList>("fault");
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<int>("code");

    const QStringList program{QStringLiteral("program"),   QStringLiteral("--flash"),
                              testData("blink.hex"),       QStringLiteral("--eeprom"),
                              testData("blink.eep"),       QStringLiteral("--options"),
                              QStringLiteral("1110011011")};
    const QStringList commands[] = {
        {QStringLiteral("signature")},
        program,
        {QStringLiteral("read-fuses")},
        {QStringLiteral("read-cal")},
        {QStringLiteral("read-byte"), QStringLiteral("eeprom"), QStringLiteral("3")},
    };
    const char* names[] = {"signature", "program", "read-fuses", "read-cal", "read-byte"};

    struct Fault {
        const char* name;
        QStringList args;
        int codes[5]; // signature, program, read-fuses, read-cal, read-byte
    };
    const Fault faults[] = {
        {"split 4:40", {QStringLiteral("--sim-split"), QStringLiteral("4:40")}, {0, 0, 0, 0, 0}},
        {"late 30", {QStringLiteral("--sim-late"), QStringLiteral("30")}, {0, 0, 0, 0, 0}},
        {"drop marker 3",
         {QStringLiteral("--sim-drop-marker"), QStringLiteral("3")},
         {0, 3, 0, 0, 0}},
        {"corrupt flash",
         {QStringLiteral("--sim-corrupt-flash"), QStringLiteral("0x10")},
         {0, 1, 0, 0, 0}},
        {"corrupt eeprom",
         {QStringLiteral("--sim-corrupt-eeprom"), QStringLiteral("3")},
         {0, 1, 0, 0, 0}},
        // The signature bytes 93 and 07 hold no letters; byte 0 ("1e") does.
        {"lower case", {QStringLiteral("--sim-lower-case")}, {0, 3, 3, 3, 3}},
        {"unknown chip",
         {QStringLiteral("--sim-signature"), QStringLiteral("1E9587")},
         {3, 1, 0, 0, 0}},
    };
    for (const Fault& f : faults)
        for (int i = 0; i < 5; ++i)
            QTest::addRow("%s, %s", names[i], f.name) << f.args << commands[i] << f.codes[i];
}

void TestCliFaultMatrix::commandUnderFault() {
    QFETCH(QStringList, fault);
    QFETCH(QStringList, command);
    QFETCH(int, code);
    const CliRun r = runCliCaptured(simArgs(m_settings, fault) + command);
    QVERIFY2(r.code == code, qPrintable(QStringLiteral("exit %1, expected %2\n%3\n%4")
                                            .arg(r.code)
                                            .arg(code)
                                            .arg(r.out, r.err)));
    // A failure always says why on stderr; a success says nothing there.
    if (code == 0)
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    else
        QVERIFY2(!r.err.trimmed().isEmpty(), qPrintable(r.out));
}

QTEST_GUILESS_MAIN(TestCliFaultMatrix)
#include "tst_cli_faultmatrix.moc"
