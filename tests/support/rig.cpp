#include "support/rig.h"

#include "chips/chiptable.h"
#include "session/selectchip.h"

#include <QTest>

SimConfig simConfig(const QString& chip, const SimFaults& faults, int baud) {
    SimConfig config;
    config.chip = chip;
    config.faults = faults;
    config.baud = baud;
    return config;
}

SessionRig::SessionRig(Port& port, const QString& chip, int setup)
    : link(&port, &session.log), c{session, link, ui}, m_setup(setup) {
    if (setup & FixedClock)
        session.log.setClock([] { return QStringLiteral("t"); });
    session.fuses.setSetFolder(QStringLiteral(HVPP_SET_DIR));
    if (ChipTable::contains(chip))
        select(chip);
}

void SessionRig::select(const QString& chip) {
    SelectChip(session, chip);
    if (!(m_setup & WithFuses))
        return;
    session.fuses.LoadFuseDescription(chip + QStringLiteral(".FUS"));
    session.fuses.ApplyFuseText(session.fuses.defaultFuseText());
}

QString SessionRig::ask(const QString& frame, double ms) {
    link.drainInput();
    link.sendCommand(frame);
    return link.readAfterDelay(ms);
}

QString SessionRig::pollRead(const QString& frame) {
    link.drainInput();
    link.sendCommand(frame);
    link.delayMs(50);
    QString text;
    do {
        text += link.readText();
        link.delayMs(50);
    } while (link.bytesAvailable() != 0);
    return text;
}

QStringList SessionRig::logLines() const {
    QStringList out;
    for (const QString& l : session.log.text().split(QStringLiteral("\r\n")))
        if (!l.isEmpty() && l != u"[t]")
            out << l;
    return out;
}

SimRig::SimRig(const QString& chip, const SimFaults& faults, int setup)
    : SimRig(simConfig(chip, faults), setup) {}

SimRig::SimRig(const SimConfig& config, int setup)
    : PortHolder(config), SessionRig(port, config.chip, setup) {
    port.open();
}

SimRig::~SimRig() {
    if (!QTest::currentTestFailed())
        return;
    const QStringList lines = trace();
    const int from = std::max(0, int(lines.size()) - 40);
    qWarning("the last %d lines with the simulated programmer:", int(lines.size()) - from);
    for (int i = from; i < lines.size(); ++i)
        qWarning("  %s", qPrintable(lines[i]));
}

QString builtExecutable(const char* name) {
    return QStringLiteral(HVPP_BIN_DIR "/") + QLatin1String(name);
}

SimProcess::SimProcess(const QString& chip, int baud, const QStringList& more) {
    start(QStringList{QStringLiteral("--chip"), chip, QStringLiteral("--baud"),
                      QString::number(baud)} +
          more);
}

SimProcess::SimProcess(const QStringList& arguments) {
    start(arguments);
}

void SimProcess::start(const QStringList& arguments) {
    m_proc.start(builtExecutable("hvpp-sim"), arguments);
    if (!m_proc.waitForStarted(5000))
        return;
    QByteArray line;
    while (!line.contains('\n') && m_proc.waitForReadyRead(5000))
        line += m_proc.readAllStandardOutput();
    m_pty = QString::fromLocal8Bit(line.left(line.indexOf('\n'))).trimmed();
}

SimProcess::~SimProcess() {
    if (m_proc.state() == QProcess::NotRunning)
        return;
    m_proc.terminate();
    if (!m_proc.waitForFinished(3000)) {
        m_proc.kill();
        m_proc.waitForFinished(3000);
    }
}

QString SimProcess::errors() {
    return QString::fromLocal8Bit(m_proc.readAllStandardError());
}

bool SimProcess::stop() {
    if (m_proc.state() == QProcess::NotRunning)
        return true;
    m_proc.terminate();
    return m_proc.waitForFinished(5000);
}
