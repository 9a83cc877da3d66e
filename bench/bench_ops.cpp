// How long a whole job takes over a real line, against the line's floor. ATMEGA32: erase,
// a 29,864-byte flash image and a 1 KB EEPROM image written and both verified, through the
// serial port to hvpp-sim on a pseudo-terminal, the line at the given rate both ways and the
// adapter's latency timer as given.
//
// For each line it prints wall time, this process's CPU time and wake-ups, and the floor: what a
// host that waits for nothing but the line, the programmer and the fixed waits no host may shorten
// (the 100 ms after "WF#") would need. The floor is found by running such a host against the same
// simulated programmer on its virtual clock: every frame goes out as soon as the previous answer is
// in, flash words back to back at the line rate, each answer taken at the adapter's tick that hands
// it on.
//
// usage: bench_ops [--sim PATH-TO-HVPP-SIM] [--line BAUD:LATENCY]... [--phases]
//        default lines: 115200:0 115200:16 115200:1 57600:0 9600:0
#include "core/ui.h"
#include "countingport.h"
#include "link/frames.h"
#include "link/link.h"
#include "link/serialport.h"
#include "ops/eepromops.h"
#include "ops/flashops.h"
#include "session/opcontext.h"
#include "session/selectchip.h"
#include "session/session.h"
#include "sim/simmodel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextStream>
#include <ctime>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

constexpr int FlashBytes = 29864;
constexpr int EepromBytes = 1024;

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

class PrintingUi : public NullUi {
  public:
    void warning(const QString&, const QString& text) override {
        out() << "  warning: " << text << "\n";
    }
};

QString image(int bytes, quint32 seed) {
    QRandomGenerator g(seed);
    QByteArray b(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        b[i] = char(g.bounded(256));
    return QString::fromLatin1(b.toHex().toUpper());
}

struct Line {
    int baud;
    double latencyMs;
};

// The floor: the ideal host against the simulated programmer on its virtual clock. Each
// part of the job's floor goes to *parts, in the order the job runs them.
double floorMs(const Line& line, const QString& flash, const QString& eeprom,
               QList<double>* parts) {
    SimConfig config;
    config.chip = QStringLiteral("ATMEGA32");
    config.baud = line.baud;
    config.latencyMs = line.latencyMs;
    SimModel m(config);
    double t = 0;
    auto send = [&](const QString& frame) {
        m.advanceTo(t);
        t = m.receive(frame.toLatin1(), t); // the line has carried it
    };
    auto awaitAnswers = [&] { // until the programmer is done and all it said is handed on
        for (;;) {
            m.advanceTo(t);
            m.takeOutput(t);
            const double next = m.nextEventMs();
            if (next == SimModel::never)
                break;
            t = std::max(t, next);
        }
    };
    double partFrom = 0;
    auto partDone = [&] {
        parts->append(t - partFrom);
        partFrom = t;
    };
    send(Frames::chipErase());
    awaitAnswers();
    partDone();
    send(Frames::flashWriteMode());
    t += 100;
    const int pageWords = 64;
    const int words = int(flash.size() / 4);
    for (int w = 0; w < words; ++w) {
        const QString word = flash.mid(qsizetype(w) * 4, 4);
        if (word != u"FFFF")
            send(Frames::flashWord(word, w));
        if (w == words - 1 || (w + 1) % pageWords == 0) {
            send(Frames::flashPageCommit(w));
            awaitAnswers();
        }
    }
    send(Frames::flashWriteEnd());
    awaitAnswers();
    partDone();
    for (int a = 0; a < eeprom.size() / 2; ++a) {
        send(Frames::writeEepromByte(eeprom.mid(qsizetype(a) * 2, 2), a));
        awaitAnswers();
    }
    partDone();
    send(Frames::readFlash(int(flash.size() / 2)));
    awaitAnswers();
    partDone();
    send(Frames::readEeprom(int(eeprom.size() / 2)));
    awaitAnswers();
    partDone();
    return t;
}

// The times this process went to sleep and was woken (voluntary context switches); -1
// where the system does not count them.
qint64 wakeUps() {
#ifdef Q_OS_UNIX
    rusage u{};
    return ::getrusage(RUSAGE_SELF, &u) == 0 ? qint64(u.ru_nvcsw) : -1;
#else
    return -1;
#endif
}

// Wall time, CPU time, wake-ups and the port's waits of one stretch of the job.
struct Usage {
    double wallMs = 0;
    double cpuMs = 0;
    qint64 wakes = 0;
    qint64 waits = 0;
    double replyUs = 0; // the host's time from an answer to the next frame, on average
};

class Meter {
  public:
    explicit Meter(const CountingPort& port) : m_port(port) { m_wall.start(); }
    Usage since() const {
        const LineCounts& c = m_port.counts;
        const qint64 replies = c.replies - m_replies;
        return {m_wall.nsecsElapsed() / 1e6,
                double(std::clock() - m_cpu) * 1000.0 / CLOCKS_PER_SEC,
                wakeUps() - m_wakes,
                c.waits - m_waits,
                replies ? 1000 * (c.replyMs - m_replyMs) / double(replies) : 0};
    }

  private:
    const CountingPort& m_port;
    QElapsedTimer m_wall;
    std::clock_t m_cpu = std::clock();
    qint64 m_wakes = wakeUps();
    qint64 m_waits = m_port.counts.waits;
    qint64 m_replies = m_port.counts.replies;
    double m_replyMs = m_port.counts.replyMs;
};

struct Run {
    Usage total;
    QList<QPair<QString, Usage>> phases;
    bool ok = false;
    int unanswered = 0;
};

Run runJob(Port& inner, const QString& flash, const QString& eeprom) {
    Session session;
    SelectChip(session, QStringLiteral("ATMEGA32"));
    session.FlashBufferText = flash;
    session.EepromBufferText = eeprom;
    CountingPort port(&inner);
    Link link(&port, &session.log);
    PrintingUi ui;
    OpContext c{session, link, ui};
    Run r;
    const Meter whole(port);
    auto phase = [&](const char* name, bool (*op)(OpContext&)) {
        const Meter m(port);
        const bool ok = op(c);
        r.phases.append({QString::fromLatin1(name), m.since()});
        return ok;
    };
    const bool finished = runOperation(c, OpId::None, [&] {
        phase("erase", [](OpContext& c) { return EraseChip(c), true; });
        r.ok = phase("write flash", WriteFlash) && phase("write EEPROM", WriteEeprom) &&
               phase("verify flash", VerifyFlash) && phase("verify EEPROM", VerifyEeprom);
    });
    r.ok = r.ok && finished;
    r.total = whole.since();
    r.unanswered = link.unansweredCount();
    return r;
}

bool benchLine(const QString& simPath, const Line& line, const QString& flash,
               const QString& eeprom, bool phases) {
    QList<double> floorParts;
    const double floor = floorMs(line, flash, eeprom, &floorParts);
    QProcess sim;
    sim.start(simPath, {QStringLiteral("--chip"), QStringLiteral("ATMEGA32"),
                        QStringLiteral("--baud"), QString::number(line.baud),
                        QStringLiteral("--latency"), QString::number(line.latencyMs)});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        out() << "cannot start " << simPath << ": " << sim.errorString() << "\n";
        return false;
    }
    const QString pty = QString::fromLocal8Bit(sim.readLine()).trimmed();
    SerialPort serial(pty);
    serial.setSettingsText(QString::number(line.baud) + QStringLiteral(",n,8,1"));
    if (!serial.open()) {
        out() << "cannot open " << pty << ": " << serial.errorString() << "\n";
        return false;
    }
    const Run r = runJob(serial, flash, eeprom);
    serial.close();
    sim.terminate();
    sim.waitForFinished(3000);
    out() << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8  %9\n")
                 .arg(line.baud, 7)
                 .arg(line.latencyMs, 5, 'f', 0)
                 .arg(r.total.wallMs / 1000, 8, 'f', 2)
                 .arg(r.total.cpuMs / 1000, 7, 'f', 2)
                 .arg(100 * r.total.cpuMs / r.total.wallMs, 6, 'f', 2)
                 .arg(r.total.wakes, 7)
                 .arg(floor / 1000, 8, 'f', 2)
                 .arg(100 * (r.total.wallMs / floor - 1), 7, 'f', 1)
                 .arg(r.ok ? (r.unanswered
                                  ? QStringLiteral("passes, %1 waits ran out").arg(r.unanswered)
                                  : QStringLiteral("passes"))
                           : QStringLiteral("FAILED"))
          << Qt::flush;
    if (phases) {
        for (qsizetype i = 0; i < r.phases.size(); ++i) {
            const auto& [name, u] = r.phases[i];
            out() << QStringLiteral(
                         "    %1 %2 s (floor %3 s)  cpu %4 s  %5 wakes  %6 waits  reply %7 us\n")
                         .arg(name, -14)
                         .arg(u.wallMs / 1000, 7, 'f', 2)
                         .arg(floorParts.value(i) / 1000, 7, 'f', 2)
                         .arg(u.cpuMs / 1000, 5, 'f', 2)
                         .arg(u.wakes, 6)
                         .arg(u.waits, 6)
                         .arg(u.replyUs, 4, 'f', 0);
        }
    }
    return r.ok;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString simPath = QStringLiteral(HVPP_BIN_DIR "/hvpp-sim");
    QList<Line> lines;
    bool phases = false;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == u"--phases")
            phases = true;
        else if (i + 1 == args.size())
            break;
        else if (args[i] == u"--sim")
            simPath = args[++i];
        else if (args[i] == u"--line") {
            const QStringList p = args[++i].split(u':');
            lines << Line{p.value(0).toInt(), p.value(1).toDouble()};
        }
    }
    if (lines.isEmpty())
        lines = {{115200, 0}, {115200, 16}, {115200, 1}, {57600, 0}, {9600, 0}};
    const QString flash = image(FlashBytes, 1);
    const QString eeprom = image(EepromBytes, 2);
    out() << "ATMEGA32: erase, " << FlashBytes << " B flash, " << EepromBytes
          << " B EEPROM, both verified; hvpp-sim on a pty\n"
          << "   baud   lat   wall s   cpu s  cpu %   wakes  floor s  over %\n";
    bool ok = true;
    for (const Line& line : lines)
        ok = benchLine(simPath, line, flash, eeprom, phases) && ok;
    return ok ? 0 : 1;
}
