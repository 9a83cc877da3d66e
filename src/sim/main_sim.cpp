// hvpp-sim: the simulated programmer on a pseudo-terminal, for hvpp and hvpp-cli to talk to
// through a real serial port.
#include "sim/simchips.h"
#include "sim/simoptions.h"
#include "sim/simpty.h"
#include "sim/simstate.h"
#include "sim/simtexts.h"

#include "chips/chiptable.h"
#include "core/language.h"
#include "core/unixsignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

#include <csignal>

namespace {

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("hvpp-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(HVPP_VERSION));
    QStringList arguments = app.arguments();
    QString language;
    QString langError;
    const qsizetype given = arguments.size();
    if (!Language::take(&arguments, &language, &langError)) {
        err() << "hvpp-sim: " << langError << Qt::endl;
        return 2;
    }
    // A tool for developers and test scripts: English unless Chinese is asked for.
    if (arguments.size() == given)
        language = QStringLiteral("en");
    Language::install(&app, language);
    using namespace SimTexts;

    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption chipOpt(
        QStringLiteral("chip"), chipOption().arg(ChipTable::names().join(QStringLiteral(", "))),
        QStringLiteral("NAME"));
    const QCommandLineOption linkOpt(QStringLiteral("link"), linkOption(), QStringLiteral("PATH"));
    const QCommandLineOption baudOpt(QStringLiteral("baud"), baudOption(), QStringLiteral("N"),
                                     QStringLiteral("115200"));
    const QCommandLineOption stateOpt(QStringLiteral("state"), stateOption(),
                                      QStringLiteral("FILE"));
    const QCommandLineOption traceOpt(QStringLiteral("trace"), traceOption(),
                                      QStringLiteral("FILE"));
    const QCommandLineOption cycleOpt(QStringLiteral("socket-cycle"), socketCycleOption(),
                                      QStringLiteral("IN:OUT"));
    // Taken before the parser sees it (Language::take); here for the help.
    const QCommandLineOption langOpt(QStringLiteral("lang"), langOption(), QStringLiteral("en|zh"));
    parser.addOptions({chipOpt, linkOpt, baudOpt, stateOpt, traceOpt, cycleOpt, langOpt});
    parser.addOptions(simFaultOptions());
    parser.process(arguments);
    if (!parser.positionalArguments().isEmpty()) {
        err() << "hvpp-sim: " << unexpectedArgument().arg(parser.positionalArguments().first())
              << Qt::endl;
        return 2;
    }

    SimConfig config;
    QString chip;
    if (parser.isSet(chipOpt)) {
        chip = parser.value(chipOpt).trimmed().toUpper();
        if (chip == u"NONE")
            chip = QStringLiteral("none");
        else if (!SimChips::byName(chip)) {
            err() << "hvpp-sim: "
                  << unknownChip().arg(parser.value(chipOpt),
                                       ChipTable::names().join(QStringLiteral(", ")))
                  << Qt::endl;
            return 2;
        }
    }
    bool baudOk = false;
    config.baud = parser.value(baudOpt).toInt(&baudOk);
    if (!baudOk || config.baud < 0) {
        err() << "hvpp-sim: " << baudNeedsNumber().arg(parser.value(baudOpt)) << Qt::endl;
        return 2;
    }
    QString error;
    if (!applySimFaultOptions(parser, config, &error)) {
        err() << "hvpp-sim: " << error << Qt::endl;
        return 2;
    }
    const SimFaults faults = config.faults;
    config.chip = chip.isEmpty() ? QStringLiteral("ATMEGA8") : chip;
    SimModel model(config);
    const QString statePath = parser.value(stateOpt);
    QJsonObject stateFaults;
    if (!statePath.isEmpty() && !loadSimState(model, statePath, chip, &error, &stateFaults))
        err() << "hvpp-sim: " << error << Qt::endl;
    // Switches given now win over the faults kept in the state file.
    if (faults.silent || faults.noChip || !faults.signature.isEmpty() || faults.lowerCaseHex ||
        faults.splitChars > 0 || faults.lateMs > 0 || faults.dropMarkerEvery > 0 ||
        faults.anyCorrupt() || faults.disconnectAfter >= 0 || !faults.noise.isEmpty())
        model.faults() = faults;

    QFile traceFile(parser.value(traceOpt));
    SimTrace trace;
    trace.setKeepLines(false);
    if (parser.isSet(traceOpt)) {
        if (!traceFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            err() << "hvpp-sim: "
                  << cannotWriteTrace().arg(traceFile.fileName(), traceFile.errorString())
                  << Qt::endl;
            return 1;
        }
        trace.setDevice(&traceFile);
    }

    SimPtyServer server(model);
    if (!server.start(&error)) {
        err() << "hvpp-sim: " << error << Qt::endl;
        return 1;
    }
    server.setTrace(parser.isSet(traceOpt) ? &trace : nullptr);

    const QString linkPath = parser.value(linkOpt);
    if (!linkPath.isEmpty()) {
        const QFileInfo info(linkPath);
        if (info.isSymLink())
            QFile::remove(linkPath);
        else if (info.exists()) {
            err() << "hvpp-sim: " << linkExists().arg(linkPath) << Qt::endl;
            return 1;
        }
        if (!QFile::link(server.slavePath(), linkPath)) {
            err() << "hvpp-sim: " << cannotLink().arg(linkPath) << Qt::endl;
            return 1;
        }
    }

    // A state file that does not exist yet is written at the first chance.
    quint64 saved = QFile::exists(statePath) ? model.changeCount() : ~quint64(0);
    auto saveState = [&] {
        if (statePath.isEmpty() || model.changeCount() == saved)
            return;
        QString why;
        if (saveSimState(model, statePath, &why, stateFaults))
            saved = model.changeCount();
        else
            err() << "hvpp-sim: " << why << Qt::endl;
    };
    QObject::connect(&server, &SimPtyServer::idle, &app, [&] {
        saveState();
        if (traceFile.isOpen())
            traceFile.flush();
    });
    QObject::connect(&server, &SimPtyServer::disconnected, &app,
                     [&] { err() << "hvpp-sim: " << lineDied() << Qt::endl; });

    // The socket: SIGUSR2 and --socket-cycle take the chip out or put one of the same type in.
    QString socketChip = model.chip() ? model.chip()->name() : QStringLiteral("ATMEGA8");
    auto toggleSocket = [&] {
        if (model.chip()) {
            socketChip = model.chip()->name();
            model.setChip(QStringLiteral("none"));
            err() << "hvpp-sim: " << chipTakenOut() << Qt::endl;
        } else {
            model.setChip(socketChip);
            err() << "hvpp-sim: " << chipPutIn().arg(socketChip) << Qt::endl;
        }
    };
    QTimer cycle;
    cycle.setSingleShot(true);
    qint64 cycleIn = 0, cycleOut = 0;
    if (parser.isSet(cycleOpt)) {
        const QStringList parts = parser.value(cycleOpt).split(u':');
        cycleIn = parseSimNumber(parts.value(0));
        cycleOut = parseSimNumber(parts.value(1));
        if (parts.size() != 2 || cycleIn <= 0 || cycleOut <= 0) {
            err() << "hvpp-sim: " << socketCycleNeeds() << Qt::endl;
            return 2;
        }
        QObject::connect(&cycle, &QTimer::timeout, &app, [&] {
            toggleSocket();
            cycle.start(int(model.chip() ? cycleIn : cycleOut));
        });
        cycle.start(int(model.chip() ? cycleIn : cycleOut));
    }

    // SIGINT and SIGTERM end the loop; the state file is written below, on the way out.
#ifdef Q_OS_UNIX
    const int restartSignal = SIGUSR1, socketSignal = SIGUSR2;
#else
    const int restartSignal = -1, socketSignal = -2; // no such signals there
#endif
    UnixSignals signalWatch(restartSignal > 0
                                ? QList<int>{SIGINT, SIGTERM, restartSignal, socketSignal}
                                : QList<int>{SIGINT, SIGTERM});
    if (!signalWatch.isActive()) {
        err() << "hvpp-sim: " << cannotWatchSignals().arg(signalWatch.errorString()) << Qt::endl;
        return 1;
    }
    QObject::connect(&signalWatch, &UnixSignals::received, &app, [&](int number) {
        if (number == restartSignal)
            server.restartProgrammer();
        else if (number == socketSignal)
            toggleSocket();
        else
            app.quit();
    });

    QTextStream out(stdout);
    out << server.slavePath() << Qt::endl;
    err() << "hvpp-sim: "
          << serving()
                 .arg(model.chip() ? model.chip()->name() : noChip(), server.slavePath(),
                      linkPath.isEmpty() ? QString() : QStringLiteral(" (") + linkPath + u')')
                 .arg(config.baud)
          << (config.latencyMs > 0 ? adapterLatency().arg(config.latencyMs) : QString())
          << Qt::endl;

    const int code = app.exec();
    // The programmer finishes what is still on the line before it is stopped: the program
    // may have closed its port a few characters before the last one arrived.
    model.advanceTo(server.nowMs() + 2000);
    saveState();
    trace.flush();
    if (traceFile.isOpen())
        traceFile.close();
    if (!linkPath.isEmpty() && QFileInfo(linkPath).symLinkTarget() == server.slavePath())
        QFile::remove(linkPath);
    return code;
}
