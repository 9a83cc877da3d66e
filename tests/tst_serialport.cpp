// The serial port: settings text, status text, failures, and a real pseudo-terminal.
#include "core/messagelog.h"
#include "link/link.h"
#include "link/linkerror.h"
#include "link/serialport.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

class TestSerialPort : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingsText_data();
    void settingsText();
    void statusText();
    void absentPortSaysWhy();
    void roundTripOverAPty();
    void hangUpEndsTheWait();
};

void TestSerialPort::settingsText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("formatted");
    QTest::newRow("default") << "115200,n,8,1" << true << "115200,n,8,1";
    QTest::newRow("space parity") << "9600,s,7,2" << true << "9600,s,7,2";
    QTest::newRow("one and a half stop bits") << "4800,E,5,1.5" << true << "4800,e,5,1.5";
    QTest::newRow("blanks") << " 19200 , o , 8 , 1 " << true << "19200,o,8,1";
    QTest::newRow("unknown parity") << "9600,x,8,1" << false << "";
    QTest::newRow("bad speed") << "fast,n,8,1" << false << "";
    QTest::newRow("bad stop bits") << "9600,n,8,3" << false << "";
    QTest::newRow("data bits out of range") << "9600,n,9,1" << false << "";
    QTest::newRow("too few fields") << "9600,n,8" << false << "";
    QTest::newRow("empty") << "" << false << "";
}

void TestSerialPort::settingsText() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, formatted);
    SerialSettings s;
    QCOMPARE(SerialSettings::parse(text, &s), ok);
    if (ok)
        QCOMPARE(s.format(), formatted);
    SerialPort port(QStringLiteral("/dev/null"));
    const QString before = port.settingsText();
    QCOMPARE(port.setSettingsText(text), ok);
    if (!ok) {
        QCOMPARE(port.settingsText(), before); // a rejected text leaves the port as it was
        QVERIFY(!port.errorString().isEmpty());
    }
    // The front ends set the line through the Port: a flow control the port cannot take
    // leaves the whole line as it was, too.
    Port& any = port;
    QCOMPARE(any.setLineSettings({text, 2}), ok);
    QVERIFY(!any.setLineSettings({QStringLiteral("1200,n,8,1"), 7}));
    QCOMPARE(port.settingsText(), ok ? formatted : before);
    QCOMPARE(port.flowControl(), ok ? 2 : 0);
}

void TestSerialPort::statusText() {
    QCOMPARE(portStatusText(portNameForNumber(1), QStringLiteral("115200,n,8,1")),
             QStringLiteral("　　COM1:115200,N,8,1"));
    QCOMPARE(portStatusText(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("9600,s,7,2")),
             QStringLiteral("　　/dev/ttyUSB0:9600,S,7,2"));
}

void TestSerialPort::absentPortSaysWhy() {
    SerialPort port(QStringLiteral("/dev/hvpp-no-such-port"));
    QVERIFY(!port.open());
    QVERIFY(!port.isOpen());
    QVERIFY(port.errorString().contains(QStringLiteral("/dev/hvpp-no-such-port")));
    MessageLog log;
    Link link(&port, &log);
    QVERIFY_THROWS_EXCEPTION(LinkError, link.sendCommand(QStringLiteral("CC000000#")));
}

namespace {
int openPty(QString* slaveName) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return -1;
    *slaveName = QString::fromLocal8Bit(ptsname(master));
    termios t{};
    tcgetattr(master, &t);
    cfmakeraw(&t);
    tcsetattr(master, TCSANOW, &t);
    return master;
}
} // namespace

void TestSerialPort::roundTripOverAPty() {
    QString slave;
    const int master = openPty(&slave);
    QVERIFY(master >= 0);
    SerialPort port(slave);
    QVERIFY2(port.open(), qPrintable(port.errorString()));
    MessageLog log;
    Link link(&port, &log);
    link.sendCommand(QStringLiteral("RI00#"));
    char buf[16] = {};
    QElapsedTimer t;
    t.start();
    ssize_t n = 0;
    while (n < 5 && t.elapsed() < 2000) { // the pty delivers at once; bounded just in case
        link.delayMs(1);
        const ssize_t got = ::read(master, buf + n, sizeof(buf) - 1 - n);
        if (got > 0)
            n += got;
    }
    QCOMPARE(QByteArray(buf, int(n)), QByteArray("RI00#"));
    QVERIFY(::write(master, "1E", 2) == 2);
    QVERIFY(link.waitForMarkerResult(1000, QStringLiteral("1E")));
    // What comes during a fixed wait is all there right after it, and a wait for input
    // after that still wakes when input comes.
    QVERIFY(::write(master, "AB", 2) == 2);
    QTimer::singleShot(5, [&] { QVERIFY(::write(master, "CD", 2) == 2); });
    QTimer::singleShot(10, [&] { QVERIFY(::write(master, "EF", 2) == 2); });
    link.delayMs(30);
    QCOMPARE(link.readText(), QStringLiteral("ABCDEF"));
    QTimer::singleShot(10, [&] { QVERIFY(::write(master, "!", 1) == 1); });
    t.restart();
    QVERIFY(link.waitForMarkerResult(1000, QStringLiteral("!")));
    QVERIFY(t.elapsed() < 500);
    // A silent wait lasts its time on the wall clock, and not much longer.
    t.restart();
    QVERIFY(!link.waitForMarkerResult(30, QStringLiteral("?")));
    QVERIFY(t.elapsed() >= 29);
    ::close(master);
}

void TestSerialPort::hangUpEndsTheWait() {
    QString slave;
    const int master = openPty(&slave);
    QVERIFY(master >= 0);
    SerialPort port(slave);
    QVERIFY(port.open());
    MessageLog log;
    Link link(&port, &log);
    ::close(master); // the adapter goes away
    QElapsedTimer t;
    t.start();
    QString reason;
    try {
        link.waitForMarkerResult(3000, QStringLiteral("!"));
    } catch (const LinkError& e) {
        reason = e.text();
    }
    // The loss ends the wait at once with words for the user, not after the time-out.
    QVERIFY(!reason.isEmpty());
    QVERIFY(t.elapsed() < 1000);
    QVERIFY(port.isLost());
    QVERIFY_THROWS_EXCEPTION(LinkError, link.sendCommand(QStringLiteral("RI00#")));
}

QTEST_GUILESS_MAIN(TestSerialPort)
#include "tst_serialport.moc"
