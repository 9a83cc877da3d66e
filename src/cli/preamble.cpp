// The preamble every command shares: the port with its line settings, the target check,
// image loading, and the one mapping of an operation's outcome to the exit code.
#include "chips/chiptable.h"
#include "cli/cli.h"
#include "cli/clioutput.h"
#include "cli/clistreams.h"
#include "cli/clisupport.h"
#include "cli/clitexts.h"
#include "cli/tapport.h"
#include "core/settings.h"
#include "image/imagetexts.h"
#include "link/link.h"
#include "link/linkerror.h"
#include "link/serialport.h"
#include "ops/identify.h"
#include "ports/portfactory.h"
#include "session/filechip.h"
#include "session/loader.h"
#include "session/opcontext.h"
#include "session/session.h"
#include "sim/builtin.h"
#include "sim/simoptions.h"

#include <QFileInfo>

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
    out.error(ErrorCode::usage, text);
    return Exit::Usage;
}

int CliContext::portError(const char* errorCode, const QString& text, int code) {
    out.error(errorCode, text, portName());
    return code;
}

bool CliContext::stopRequested() const {
    return m_wire->link && m_wire->link->stopRequested();
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
        sim.config.baud = line.baud;
    // The line settings: the ones given for this run, else the stored ones.
    std::unique_ptr<Port> port = createPort(name, sim, &error);
    const int flow = globals.flow.isEmpty()
                         ? int(lenientDecimal(settings.read(SettingsKeys::FlowControl)))
                         : flowMode(globals.flow);
    if (port && !port->setLineSettings({lineText, flow})) {
        error = port->errorString();
        port.reset();
    }
    if (!port) {
        out.error(ErrorCode::portMissing, error, name);
        return nullptr;
    }
    w.port = std::make_unique<TapPort>(
        std::move(port),
        [this](double ms, bool sent, const QByteArray& bytes) { out.frame(ms, sent, bytes); });
    if (!w.port->open()) {
        // A device that is there but does not open is held by another program (or barred).
        const bool there =
            QFileInfo::exists(name) || QFileInfo::exists(QStringLiteral("/dev/") + name);
        out.error(there ? ErrorCode::portBusy : ErrorCode::portMissing, w.port->errorString(),
                  name);
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

bool CliContext::simArgsFitPort() {
    // The simulator's switches with a real programmer would be silently ignored.
    const QString name = portName();
    if (globals.simArgs.isEmpty() || name.compare(QLatin1String("sim"), Qt::CaseInsensitive) == 0)
        return true;
    out.error(ErrorCode::usage,
              CliTexts::simArgsNeedSim().arg(
                  QStringLiteral("--sim-") + globals.simArgs.first().mid(2), name));
    return false;
}

int CliContext::run(OpId id, Need need,
                    const std::function<Step(OpContext&)>& body) {
    if (!simArgsFitPort())
        return Exit::Usage;
    OpContext* c = link();
    if (!c)
        return Exit::NoAnswer;
    const int unansweredBefore = c->link.unansweredCount();
    const int problemsBefore = out.problems();
    Step step = Step::Ok;
    bool noTarget = false;
    ui.setCode(ErrorCode::refused);
    const bool finished = runOperation(*c, id, [&] {
        try {
            if (need == Need::Target && !PresenceTest(*c)) {
                noTarget = true;
                step = Step::NoAnswer;
                return;
            }
            step = body(*c);
        } catch (const LinkStopped&) {
            throw;
        } catch (const LinkError&) {
            ui.setNextCode(ErrorCode::linkLost); // the box the entry point shows
            throw;
        }
    });
    if (!finished) // the warning named the port already
        return Exit::NoAnswer;
    // One mapping for every command: a link lost, a target or programmer that did not
    // answer: 3; a step that failed: 1.
    const bool missing = need != Need::Loader && need != Need::ProgrammerJudged &&
                         c->link.unansweredCount() != unansweredBefore;
    if (step == Step::NoAnswer || missing)
        return portError(noTarget ? ErrorCode::noTarget : ErrorCode::noAnswer,
                         noTarget  ? Texts::noTarget()
                         : missing ? Texts::noAnswer()
                                   : CliTexts::noAnswerAsNeeded(),
                         Exit::NoAnswer);
    if (step != Step::Failed)
        return Exit::Done;
    if (out.problems() == problemsBefore) // the log said what failed; stderr says it too
        out.error(ErrorCode::stepFailed, CliTexts::stepFailed(), portName());
    return Exit::Failed;
}

bool CliContext::imageForChip(bool eeprom) {
    const Session& s = session;
    const QString otherChip =
        imageChipRefusal(s, eeprom ? 1 : 0, eeprom ? s.EepromBufferText : s.FlashBufferText);
    if (otherChip.isEmpty())
        return true;
    out.error(ErrorCode::fileRefused, otherChip, s.fileName[eeprom ? 1 : 0]);
    return false;
}

bool CliContext::loadImage(bool eeprom, const QString& given, bool emptyIsData) {
    Session& s = session;
    const QString path = streamInput(*this, given); // "-": standard input
    if (path.isEmpty())
        return false;
    s.fileName[eeprom ? 1 : 0] = path;
    QString copy = path;
    // The loader's box says that the file was refused, its log line says where and why:
    // both go to stderr, as one error about the file.
    QStringList why;
    const QMetaObject::Connection logged = QObject::connect(
        &s.log, &MessageLog::messageLogged, &s.log, [&why](const QString& t) { why << t; });
    ui.collect(true);
    const LoadResult r = eeprom ? LoadEepromFile(s, ui, copy) : LoadFlashFile(s, ui, copy);
    const QStringList boxes = ui.collected();
    ui.collect(false);
    QObject::disconnect(logged);
    switch (r) {
    case LoadResult::Loaded:
        break;
    case LoadResult::UnknownKind:
        out.error(
            ErrorCode::fileRefused,
            CliTexts::unknownKind().arg(path, eeprom ? QStringLiteral("Intel HEX, ELF, .BIN, .EEP")
                                                     : QStringLiteral("Intel HEX, ELF, .BIN")));
        return false;
    case LoadResult::NotFound:
        out.error(ErrorCode::fileNotFound,
                  eeprom ? ImageTexts::eepromNotFound() : ImageTexts::flashNotFound(), path);
        return false;
    case LoadResult::ReadError: {
        QStringList text = boxes.isEmpty() ? QStringList{CliTexts::notLoaded().arg(path)} : boxes;
        for (const QString& line : why)
            if (!text.contains(line))
                text << line;
        out.error(ErrorCode::fileRefused, text.join(QStringLiteral(" ")), path);
        return false;
    }
    }
    for (const QString& box : boxes) // a warning of a load that still gave data
        out.error(ErrorCode::fileRefused, box, path);
    if (!emptyIsData && (eeprom ? s.EepromBufferText : s.FlashBufferText).isEmpty()) {
        out.error(ErrorCode::fileRefused, CliTexts::noData().arg(path));
        return false;
    }
    out.logLine(eeprom ? s.eepromSizePanel : s.flashSizePanel);
    return true;
}

QStringList simValueOptions() {
    QStringList names{QStringLiteral("chip"), QStringLiteral("state"), QStringLiteral("clock")};
    for (const QCommandLineOption& o : simSwitchOptions())
        if (!o.valueName().isEmpty())
            names << o.names().first();
    return names;
}

bool parseSimArgs(const QStringList& args, BuiltInSimOptions* options, QString* error) {
    QCommandLineParser p;
    p.addOptions(simSwitchOptions());
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
    if (!applySimSwitches(p, options->config, error)) {
        *error = QStringLiteral("--sim-") + error->mid(2);
        return false;
    }
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
    for (const QCommandLineOption& o : simSwitchOptions())
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
