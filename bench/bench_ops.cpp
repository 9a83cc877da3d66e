// How long the long operations take against the simulated programmer, compared with the
// time the protocol itself needs. ATMEGA32, a full 32 KB flash image and a 1 KB EEPROM
// image: erase, flash write, EEPROM write, flash verify, EEPROM verify.
//
//   (a) the in-process model on the wall clock (as "--port sim"), line paced at 115200 baud;
//   (b) hvpp-sim on a pseudo-terminal at 115200 baud, through the serial port.
//
// For each step it prints wall time, this process's CPU time, and the protocol time:
//   sum   = characters on the line both ways at 10 bits each + the chip's own times (erase,
//           page, EEPROM byte, the firmware's reaction per frame) + the fixed waits the
//           operation prescribes (its delays, counted as asked for);
//   exact = the same run on the model's virtual clock, where every wait ends exactly when
//           the answer arrives or its time is up (the waits overlap the line there, so
//           exact <= sum).
// Targets: wall / protocol <= 1.05 on the pty, CPU <= 5 % of wall.
//
// usage: bench_ops [--skip-model] [--skip-pty] [--sim PATH-TO-HVPP-SIM]
#include "chips/selectchip.h"
#include "core/opcontext.h"
#include "core/session.h"
#include "core/ui.h"
#include "countingport.h"
#include "link/link.h"
#include "link/serialport.h"
#include "ops/eepromops.h"
#include "ops/flashops.h"
#include "sim/simport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextStream>
#include <ctime>
#include <functional>
#include <memory>

namespace {

constexpr int Baud = 115200;
constexpr double CharMs = 10.0 * 1000.0 / Baud;

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

// Warnings are printed: a step that fails says why.
class PrintingUi : public NullUi {
public:
    void warning(const QString&, const QString& text) override { out() << "  warning: " << text << "\n"; }
};

struct Step {
    const char* name;
    std::function<bool(OpContext&)> run;
    double chipMs; // the chip's own time for this step
};

QString image(int bytes, quint32 seed) {
    QRandomGenerator g(seed);
    QByteArray b(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        b[i] = char(g.bounded(256));
    return QString::fromLatin1(b.toHex().toUpper());
}

QList<Step> steps(const SimTiming& t, const ChipInfo& chip) {
    const int pages = chip.FlashSize / 2 / chip.PageWords;
    return {
        {"erase",
         [](OpContext& c) {
             EraseChip(c);
             return true;
         },
         t.chipEraseMs},
        {"write flash", [](OpContext& c) { return WriteFlash(c); }, pages * t.flashPageMs},
        {"write EEPROM", [](OpContext& c) { return WriteEeprom(c); },
         chip.EepromSize * t.eepromByteMs},
        {"verify flash", [](OpContext& c) { return VerifyFlash(c); }, 0},
        {"verify EEPROM", [](OpContext& c) { return VerifyEeprom(c); }, 0},
    };
}

struct Result {
    double wallMs = 0;
    double cpuMs = 0;
    double portMs = 0; // on the port's clock (virtual for the exact run)
    LineCounts counts;
    bool ok = false;
};

// Runs every step once over port, each on a fresh count.
QList<Result> runSteps(Port& inner, const SimTiming& timing) {
    Session session;
    SelectChip(session, QStringLiteral("ATMEGA32"));
    session.FlashBufferText = image(session.chip.FlashSize, 1);
    session.EepromBufferText = image(session.chip.EepromSize, 2);
    CountingPort port(&inner);
    Link link(&port, &session.log);
    PrintingUi ui;
    OpContext c{session, link, ui};
    QList<Result> results;
    for (const Step& s : steps(timing, session.chip)) {
        port.counts = LineCounts();
        Result r;
        QElapsedTimer wall;
        const std::clock_t cpu0 = std::clock();
        const double port0 = port.nowMs();
        wall.start();
        const bool ok = runOperation(c, QString(), [&] { r.ok = s.run(c); });
        r.ok = r.ok && ok;
        r.wallMs = wall.nsecsElapsed() / 1e6;
        r.cpuMs = double(std::clock() - cpu0) * 1000.0 / CLOCKS_PER_SEC;
        r.portMs = port.nowMs() - port0;
        r.counts = port.counts;
        results << r;
    }
    return results;
}

double sumMs(const Result& exact, const Step& s, const SimTiming& t) {
    const LineCounts& n = exact.counts;
    return (n.sentChars + n.receivedChars) * CharMs + s.chipMs + n.writes * t.commandMs +
           n.fixedWaitMs;
}

void report(const char* title, const QList<Result>& runs, const QList<Result>& exact,
            const SimTiming& t) {
    const ChipInfo chip = ChipTable::byName(QStringLiteral("ATMEGA32"));
    const QList<Step> st = steps(t, chip);
    out() << "\n" << title << "\n";
    out() << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9\n")
                 .arg(QStringLiteral("step"), -14)
                 .arg(QStringLiteral("wall s"), 8)
                 .arg(QStringLiteral("cpu s"), 7)
                 .arg(QStringLiteral("cpu %"), 6)
                 .arg(QStringLiteral("chars"), 8)
                 .arg(QStringLiteral("sum s"), 8)
                 .arg(QStringLiteral("exact s"), 8)
                 .arg(QStringLiteral("w/sum"), 6)
                 .arg(QStringLiteral("w/exact"), 7);
    double wall = 0, cpu = 0, sum = 0, ex = 0;
    for (int i = 0; i < runs.size(); ++i) {
        const Result& r = runs[i];
        const double s = sumMs(exact[i], st[i], t);
        wall += r.wallMs;
        cpu += r.cpuMs;
        sum += s;
        ex += exact[i].portMs;
        out() << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9%10\n")
                     .arg(QString::fromLatin1(st[i].name), -14)
                     .arg(r.wallMs / 1000, 8, 'f', 3)
                     .arg(r.cpuMs / 1000, 7, 'f', 3)
                     .arg(100 * r.cpuMs / r.wallMs, 6, 'f', 1)
                     .arg(exact[i].counts.sentChars + exact[i].counts.receivedChars, 8)
                     .arg(s / 1000, 8, 'f', 3)
                     .arg(exact[i].portMs / 1000, 8, 'f', 3)
                     .arg(r.wallMs / s, 6, 'f', 3)
                     .arg(r.wallMs / exact[i].portMs, 7, 'f', 3)
                     .arg(r.ok ? QString() : QStringLiteral("  FAILED"));
    }
    out() << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9\n")
                 .arg(QStringLiteral("total"), -14)
                 .arg(wall / 1000, 8, 'f', 3)
                 .arg(cpu / 1000, 7, 'f', 3)
                 .arg(100 * cpu / wall, 6, 'f', 1)
                 .arg(QString(), 8)
                 .arg(sum / 1000, 8, 'f', 3)
                 .arg(ex / 1000, 8, 'f', 3)
                 .arg(wall / sum, 6, 'f', 3)
                 .arg(wall / ex, 7, 'f', 3);
    out() << QStringLiteral(
                 "targets: wall/protocol <= 1.05 (sum %1, exact %2); cpu <= 5 % of wall (%3 %)\n")
                 .arg(wall / sum <= 1.05 ? QStringLiteral("met") : QStringLiteral("MISSED"),
                      wall / ex <= 1.05 ? QStringLiteral("met") : QStringLiteral("missed"))
                 .arg(100 * cpu / wall, 0, 'f', 1)
          << Qt::flush;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString simPath = QStringLiteral(HVPP_BIN_DIR "/hvpp-sim");
    const int simAt = int(args.indexOf(QStringLiteral("--sim")));
    if (simAt > 0 && simAt + 1 < args.size())
        simPath = args[simAt + 1];
    const SimTiming timing;

    // The reference: the same runs on the virtual clock, with the program's characters
    // taking line time too (a real serial line both ways).
    SimConfig config;
    config.chip = QStringLiteral("ATMEGA32");
    config.baud = Baud;
    SimPort virt(config, SimPort::Clock::Virtual);
    virt.open();
    const QList<Result> exact = runSteps(virt, timing);
    out() << "ATMEGA32, 32768-byte flash image, 1024-byte EEPROM image, " << Baud << " baud\n";

    if (!args.contains(QStringLiteral("--skip-model"))) {
        SimPort model(config, SimPort::Clock::Wall);
        model.open();
        report("(a) in-process model, wall clock", runSteps(model, timing), exact, timing);
    }
    if (!args.contains(QStringLiteral("--skip-pty"))) {
        QProcess sim;
        sim.start(simPath, {QStringLiteral("--chip"), QStringLiteral("ATMEGA32"),
                            QStringLiteral("--baud"), QString::number(Baud)});
        if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
            out() << "\n(b) cannot start " << simPath << ": " << sim.errorString() << "\n";
            return 1;
        }
        const QString pty = QString::fromLocal8Bit(sim.readLine()).trimmed();
        SerialPort serial(pty);
        serial.setSettingsText(QStringLiteral("115200,n,8,1"));
        if (!serial.open()) {
            out() << "\n(b) cannot open " << pty << ": " << serial.errorString() << "\n";
            return 1;
        }
        const QList<Result> runs = runSteps(serial, timing);
        serial.close();
        report(qPrintable(QStringLiteral("(b) hvpp-sim on %1, serial port").arg(pty)), runs, exact,
               timing);
        sim.terminate();
        sim.waitForFinished(3000);
    }
    return 0;
}
