// The preamble every command shares: the port with its line settings, the target check,
// image loading, and the one mapping of an operation's outcome to the exit code.
#include "chips/chiptable.h"
#include "cli/cli.h"
#include "cli/clioutput.h"
#include "cli/clisupport.h"
#include "cli/clitexts.h"
#include "cli/tapport.h"
#include "core/opcontext.h"
#include "core/session.h"
#include "core/settings.h"
#include "image/imagetexts.h"
#include "image/loader.h"
#include "link/link.h"
#include "ports/portfactory.h"
#include "link/serialport.h"
#include "ops/identify.h"
#include "sim/builtin.h"
#include "sim/simoptions.h"

struct CliContext::Wire {
    std::unique_ptr<Port> port;
    std::unique_ptr<::Link> link;
    std::unique_ptr<OpContext> op;
    bool failed = false;
};

CliContext::CliContext(const QCommandLineParser& p, QStringList a, const CliGlobals& g, Session& s,
                       SettingsStore& st, CliOutput& o, CliUi& u)
    : parser(p), args(std::move(a)), globals(g), session(s), settings(st), out(o), ui(u),
      m_wire(std::make_unique<Wire>()) {}

CliContext::~CliContext() {
    if (m_wire->port)
        m_wire->port->close();
}

bool CliContext::isSet(const char* option) const {
    return parser.isSet(QString::fromLatin1(option));
}

QString CliContext::value(const char* option) const {
    return parser.value(QString::fromLatin1(option));
}

QString CliContext::portName() const {
    return globals.port.isEmpty() ? storedPortName(settings) : globals.port;
}

int CliContext::usage(const QString& text) {
    out.error(text);
    return Exit::Usage;
}

OpContext* CliContext::link() {
    Wire& w = *m_wire;
    if (w.op || w.failed)
        return w.op.get();
    w.failed = true;
    const QString name = portName();
    BuiltInSimOptions sim;
    QString error;
    parseSimArgs(globals.simArgs, &sim, &error); // checked before the command ran
    SerialSettings line;
    const QString lineText = globals.line.isEmpty() ? settings.serialSettings() : globals.line;
    if (SerialSettings::parse(lineText, &line))
        sim.baud = line.baud;
    // The line settings: the ones given for this run, else the stored ones.
    std::unique_ptr<Port> port = createPort(name, nullptr, sim, &error);
    if (auto* serial = dynamic_cast<SerialPort*>(port.get())) {
        const int flow = globals.flow.isEmpty()
                             ? int(lenientDecimal(settings.read(SettingsKeys::FlowControl)))
                             : flowMode(globals.flow);
        if (!serial->setSettingsText(lineText) || !serial->setFlowControl(flow)) {
            error = serial->errorString();
            port.reset();
        }
    }
    if (!port) {
        out.error(name + QStringLiteral(": ") + error);
        return nullptr;
    }
    w.port = std::make_unique<TapPort>(
        std::move(port),
        [this](double ms, bool sent, const QByteArray& bytes) { out.frame(ms, sent, bytes); });
    if (!w.port->open()) {
        const QString why = w.port->errorString();
        out.error(why.contains(name) ? why : name + QStringLiteral(": ") + why);
        return nullptr;
    }
    Port* raw = w.port.get();
    ui.setClock([raw] { return raw->nowMs(); });
    ui.setSubject(name);
    w.link = std::make_unique<::Link>(raw, &session.log);
    w.op = std::make_unique<OpContext>(OpContext{session, *w.link, ui});
    w.failed = false;
    return w.op.get();
}

int CliContext::run(const QString& control, Need need,
                    const std::function<Step(OpContext&)>& body) {
    OpContext* c = link();
    if (!c)
        return Exit::NoAnswer;
    const int unansweredBefore = c->link.unansweredCount();
    const int problemsBefore = out.problems();
    Step step = Step::Ok;
    bool noTarget = false;
    const bool finished = runOperation(*c, control, [&] {
        if (need == Need::Target && !PresenceTest(*c)) {
            noTarget = true;
            step = Step::NoAnswer;
            return;
        }
        step = body(*c);
    });
    if (!finished) // the warning named the port already
        return Exit::NoAnswer;
    // One mapping for every command: a link lost, a target or programmer that did not
    // answer: 3; a step that failed: 1.
    const bool missing = need != Need::Loader && c->link.unansweredCount() != unansweredBefore;
    if (step == Step::NoAnswer || missing) {
        out.error(portName() + QStringLiteral(": ") +
                  (noTarget  ? Texts::noTarget()
                   : missing ? Texts::noAnswer()
                             : CliTexts::noAnswerAsNeeded()));
        return Exit::NoAnswer;
    }
    if (step != Step::Failed)
        return Exit::Done;
    if (out.problems() == problemsBefore) // the log said what failed; stderr says it too
        out.error(portName() + QStringLiteral(": ") + CliTexts::stepFailed());
    return Exit::Failed;
}

bool CliContext::loadImage(bool eeprom, const QString& path) {
    Session& s = session;
    s.fileName[eeprom ? 1 : 0] = path;
    const QString subject = portName();
    ui.setSubject(path);
    QString copy = path;
    const int warningsBefore = ui.warnings;
    const LoadResult r = eeprom ? LoadEepromFile(s, ui, copy) : LoadFlashFile(s, ui, copy);
    ui.setSubject(subject);
    switch (r) {
    case LoadResult::Loaded:
        break;
    case LoadResult::UnknownKind:
        out.error(CliTexts::unknownKind().arg(path, eeprom ? QStringLiteral(".HEX, .BIN, .EEP")
                                                           : QStringLiteral(".HEX, .BIN")));
        return false;
    case LoadResult::NotFound:
        out.error(path + QStringLiteral(": ") +
                  (eeprom ? ImageTexts::eepromNotFound() : ImageTexts::flashNotFound()));
        return false;
    case LoadResult::ReadError:
        if (ui.warnings == warningsBefore)
            out.error(CliTexts::notLoaded().arg(path));
        return false;
    }
    if ((eeprom ? s.EepromBufferText : s.FlashBufferText).isEmpty()) {
        out.error(CliTexts::noData().arg(path));
        return false;
    }
    out.logLine(eeprom ? s.eepromSizePanel : s.flashSizePanel);
    return true;
}

QStringList simValueOptions() {
    QStringList names{QStringLiteral("chip"), QStringLiteral("state"), QStringLiteral("clock")};
    for (const QCommandLineOption& o : simFaultOptions())
        if (!o.valueName().isEmpty())
            names << o.names().first();
    return names;
}

bool parseSimArgs(const QStringList& args, BuiltInSimOptions* options, QString* error) {
    QCommandLineParser p;
    p.addOptions(simFaultOptions());
    p.addOption({QStringLiteral("chip"), QString(), QStringLiteral("NAME")});
    p.addOption({QStringLiteral("state"), QString(), QStringLiteral("FILE")});
    p.addOption({QStringLiteral("clock"), QString(), QStringLiteral("wall|virtual")});
    if (!p.parse(QStringList{QStringLiteral("sim")} + args)) {
        *error = QStringLiteral("--sim-") + p.unknownOptionNames().value(0) + QStringLiteral(": ") +
                 p.errorText();
        return false;
    }
    if (!p.positionalArguments().isEmpty()) {
        *error = p.positionalArguments().first();
        return false;
    }
    options->chip = p.value(QStringLiteral("chip")).toUpper();
    if (!options->chip.isEmpty() && options->chip != u"NONE" &&
        !ChipTable::contains(options->chip)) {
        *error = Texts::tr("模拟编程器不认识芯片 %1 (可选: none, %2)")
                     .arg(p.value(QStringLiteral("chip")),
                          ChipTable::names().join(QStringLiteral(", ")));
        return false;
    }
    options->stateFile = p.value(QStringLiteral("state"));
    const QString clock = p.value(QStringLiteral("clock"));
    if (!clock.isEmpty() && clock != u"wall" && clock != u"virtual") {
        *error = QStringLiteral("--sim-clock: wall | virtual");
        return false;
    }
    options->virtualClock = clock == u"virtual";
    SimConfig config;
    if (!applySimFaultOptions(p, config, error)) {
        *error = QStringLiteral("--sim-") + error->mid(2);
        return false;
    }
    options->faults = config.faults;
    options->latencyMs = config.latencyMs;
    return true;
}

QString simOptionsHelp() {
    QString h = Texts::tr("内置模拟编程器 (--port sim) 的选项:\n");
    auto line = [&h](const QString& name, const QString& value, const QString& text) {
        h += QStringLiteral("  --sim-") +
             (name + (value.isEmpty() ? QString() : u' ' + value)).leftJustified(22) + text + u'\n';
    };
    line(QStringLiteral("chip"), QStringLiteral("NAME"),
         Texts::tr("座上的芯片 (型号或 none), 默认 ATMEGA8"));
    line(QStringLiteral("state"), QStringLiteral("FILE"),
         Texts::tr("状态文件 (JSON), 启动时读取, 结束时写回"));
    line(QStringLiteral("clock"), QStringLiteral("wall|virtual"),
         Texts::tr("virtual: 等待不耗费实际时间"));
    for (const QCommandLineOption& o : simFaultOptions())
        line(o.names().first(), o.valueName(), o.description());
    return h;
}

int flowMode(const QString& word) {
    const QString w = word.trimmed().toLower();
    if (w == u"none")
        return 0;
    if (w == u"software")
        return 1;
    if (w == u"hardware")
        return 2;
    return -1;
}

QString storedPortName(const SettingsStore& settings) {
    const QString name = settings.read(SettingsKeys::PortName);
    if (!name.isEmpty())
        return name;
    const QString number = settings.read(SettingsKeys::PortNumber);
#ifdef Q_OS_WIN
    return number.isEmpty() ? QStringLiteral("COM1") : QStringLiteral("COM") + number;
#else
    (void)number;
    return QStringLiteral("/dev/ttyUSB0");
#endif
}
