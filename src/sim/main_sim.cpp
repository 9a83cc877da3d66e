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

// What the command line asks for.
struct SimArgs {
    SimConfig config; // the line rate and the switches
    QString chip;     // empty: the state file's, else ATMEGA8
    QString statePath;
    QString tracePath; // empty: no trace
    QString linkPath;  // empty: no link
};

// Takes --lang out of the arguments; false for a bad one.
bool installLanguage(QCoreApplication& app, QStringList* arguments) {
    QString language;
    QString langError;
    const qsizetype given = arguments->size();
    if (!Language::take(arguments, &language, &langError)) {
        err() << "hvpp-sim: " << langError << Qt::endl;
        return false;
    }
    // A tool for developers and test scripts: English unless Chinese is asked for.
    if (arguments->size() == given)
        language = QStringLiteral("en");
    Language::install(&app, language);
    return true;
}

void addOptions(QCommandLineParser& parser) {
    using namespace SimTexts;
    parser.setApplicationDescription(description());
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("chip"), chipOption().arg(ChipTable::names().join(QStringLiteral(", "))),
         QStringLiteral("NAME")},
        {QStringLiteral("link"), linkOption(), QStringLiteral("PATH")},
        {QStringLiteral("baud"), baudOption(), QStringLiteral("N"), QStringLiteral("115200")},
        {QStringLiteral("state"), stateOption(), QStringLiteral("FILE")},
        {QStringLiteral("trace"), traceOption(), QStringLiteral("FILE")},
        // Taken before the parser sees it (Language::take); here for the help.
        {QStringLiteral("lang"), langOption(), QStringLiteral("en|zh")},
    });
    parser.addOptions(simSwitchOptions());
}

// Reads the command line into *args; false with the message printed for a bad one.
bool readArguments(const QStringList& arguments, SimArgs* args) {
    using namespace SimTexts;
    QCommandLineParser parser;
    addOptions(parser);
    parser.process(arguments);
    if (!parser.positionalArguments().isEmpty()) {
        err() << "hvpp-sim: " << unexpectedArgument().arg(parser.positionalArguments().first())
              << Qt::endl;
        return false;
    }
    const QString chip = parser.value(QStringLiteral("chip"));
    args->chip = chip.trimmed().toUpper();
    if (args->chip == u"NONE") {
        args->chip = QStringLiteral("none");
    } else if (!args->chip.isEmpty() && !SimChips::byName(args->chip)) {
        err() << "hvpp-sim: "
              << unknownChip().arg(chip, ChipTable::names().join(QStringLiteral(", "))) << Qt::endl;
        return false;
    }
    const QString baud = parser.value(QStringLiteral("baud"));
    bool baudOk = false;
    args->config.baud = baud.toInt(&baudOk);
    if (!baudOk || args->config.baud < 0) {
        err() << "hvpp-sim: " << baudNeedsNumber().arg(baud) << Qt::endl;
        return false;
    }
    QString error;
    if (!applySimSwitches(parser, args->config, &error)) {
        err() << "hvpp-sim: " << error << Qt::endl;
        return false;
    }
    args->config.chip = args->chip.isEmpty() ? QStringLiteral("ATMEGA8") : args->chip;
    args->statePath = parser.value(QStringLiteral("state"));
    args->tracePath = parser.value(QStringLiteral("trace"));
    args->linkPath = parser.value(QStringLiteral("link"));
    return true;
}

// Restores the state file into the model; *stateFaults gets its faults, to be written back.
void openState(SimModel& model, const SimArgs& args, QJsonObject* stateFaults) {
    QString error;
    if (!args.statePath.isEmpty() &&
        !loadSimState(model, args.statePath, args.chip, &error, stateFaults))
        err() << "hvpp-sim: " << error << Qt::endl;
    // Switches given now win over the faults kept in the state file.
    if (simFaultsOn(args.config.faults))
        model.faults() = args.config.faults;
}

// The link to the terminal; false with the message printed when it cannot be made.
bool makeLink(const QString& linkPath, const QString& target) {
    if (linkPath.isEmpty())
        return true;
    const QFileInfo info(linkPath);
    if (info.isSymLink()) {
        QFile::remove(linkPath);
    } else if (info.exists()) {
        err() << "hvpp-sim: " << SimTexts::linkExists().arg(linkPath) << Qt::endl;
        return false;
    }
    if (!QFile::link(target, linkPath)) {
        err() << "hvpp-sim: " << SimTexts::cannotLink().arg(linkPath) << Qt::endl;
        return false;
    }
    return true;
}

// The socket: SIGUSR2 and --socket-cycle take the chip out or put one of the same type in.
class Socket {
  public:
    explicit Socket(SimModel& model)
        : m_model(model), m_chip(model.chip() ? model.chip()->name() : QStringLiteral("ATMEGA8")) {
        m_cycle.setSingleShot(true);
    }
    void toggle() {
        if (m_model.chip()) {
            m_chip = m_model.chip()->name();
            m_model.setChip(QStringLiteral("none"));
            err() << "hvpp-sim: " << SimTexts::chipTakenOut() << Qt::endl;
        } else {
            m_model.setChip(m_chip);
            err() << "hvpp-sim: " << SimTexts::chipPutIn().arg(m_chip) << Qt::endl;
        }
    }
    // Toggles on its own: inMs with a chip, outMs without (nothing when either is 0).
    void cycle(double inMs, double outMs) {
        if (inMs <= 0 || outMs <= 0)
            return;
        auto next = [this, inMs, outMs] { m_cycle.start(int(m_model.chip() ? inMs : outMs)); };
        QObject::connect(&m_cycle, &QTimer::timeout, [this, next] {
            toggle();
            next();
        });
        next();
    }

  private:
    SimModel& m_model;
    QString m_chip;
    QTimer m_cycle;
};

// The trace, when asked for (a file with no name is none); false with the message printed
// when it cannot be written.
bool openTrace(QFile& file, SimTrace& trace) {
    trace.setKeepLines(false);
    if (file.fileName().isEmpty())
        return true;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        err() << "hvpp-sim: "
              << SimTexts::cannotWriteTrace().arg(file.fileName(), file.errorString()) << Qt::endl;
        return false;
    }
    trace.setDevice(&file);
    return true;
}

// The terminal's path on stdout (the first line, for scripts), what is served on stderr.
void announce(const SimModel& model, const SimArgs& args, const QString& terminal) {
    using namespace SimTexts;
    QTextStream out(stdout);
    out << terminal << Qt::endl;
    const QString link =
        args.linkPath.isEmpty() ? QString() : QStringLiteral(" (") + args.linkPath + u')';
    err() << "hvpp-sim: "
          << serving()
                 .arg(model.chip() ? model.chip()->name() : noChip(), terminal, link)
                 .arg(args.config.baud)
          << (args.config.latencyMs > 0 ? adapterLatency().arg(args.config.latencyMs) : QString())
          << Qt::endl;
}

// Serves until SIGINT or SIGTERM; the state file is written when idle and on the way out.
int serve(QCoreApplication& app, SimModel& model, const SimArgs& args,
          const QJsonObject& stateFaults) {
    using namespace SimTexts;
    QFile traceFile(args.tracePath);
    SimTrace trace;
    if (!openTrace(traceFile, trace))
        return 1;
    SimPtyServer server(model);
    QString error;
    if (!server.start(&error)) {
        err() << "hvpp-sim: " << error << Qt::endl;
        return 1;
    }
    server.setTrace(traceFile.isOpen() ? &trace : nullptr);
    if (!makeLink(args.linkPath, server.slavePath()))
        return 1;

    // A state file that does not exist yet is written at the first chance.
    quint64 saved = QFile::exists(args.statePath) ? model.changeCount() : ~quint64(0);
    auto saveState = [&] {
        if (args.statePath.isEmpty() || model.changeCount() == saved)
            return;
        QString why;
        if (saveSimState(model, args.statePath, &why, stateFaults))
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

    Socket socket(model);
    socket.cycle(args.config.socketInMs, args.config.socketOutMs);

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
            socket.toggle();
        else
            app.quit();
    });

    announce(model, args, server.slavePath());
    const int code = app.exec();
    // The programmer finishes what is still on the line before it is stopped: the program
    // may have closed its port a few characters before the last one arrived.
    model.advanceTo(server.nowMs() + 2000);
    saveState();
    trace.flush();
    if (traceFile.isOpen())
        traceFile.close();
    if (!args.linkPath.isEmpty() && QFileInfo(args.linkPath).symLinkTarget() == server.slavePath())
        QFile::remove(args.linkPath);
    return code;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("hvpp-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(HVPP_VERSION));
    QStringList arguments = app.arguments();
    SimArgs args;
    if (!installLanguage(app, &arguments) || !readArguments(arguments, &args))
        return 2;
    SimModel model(args.config);
    QJsonObject stateFaults;
    openState(model, args, &stateFaults);
    return serve(app, model, args, stateFaults);
}
