#include "app/serialdialog.h"

#include "core/texts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

using Texts::tr;

int SerialDialog::parityIndex(QChar letter) {
    switch (letter.toLower().unicode()) {
    case u'm':
        return 1;
    case u'n':
        return 2;
    case u'o':
        return 3;
    case u's':
        return 4;
    default:
        return 0;
    }
}

static QComboBox* combo(QWidget* parent, const QString& name, const QStringList& items,
                        bool editable) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    c->setEditable(editable);
    return c;
}

SerialDialog::SerialDialog(const SerialChoices& current, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SerialDialog"));
    setWindowTitle(tr("串口设置"));
    setModal(true);

    m_port = buildPortList();
    auto* form = buildLineForm();

    auto* options = new QHBoxLayout;
    options->addWidget(buildFlowBox(), 3);
    options->addWidget(buildEchoBox(), 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(options);
    layout->addWidget(buttons);

    showChoices(current);
}

// "sim" first, then (on Windows) COM1..COM16, then the ports the system lists.
QComboBox* SerialDialog::buildPortList() {
    auto* port = new QComboBox(this);
    port->setObjectName(QStringLiteral("PortList"));
    port->setEditable(true);
    port->setMinimumContentsLength(24);
    port->addItem(tr("sim　(内置模拟编程器)"), QStringLiteral("sim"));
#ifdef Q_OS_WIN
    for (int n = 1; n <= 16; ++n)
        port->addItem(QStringLiteral("COM") + QString::number(n),
                      QStringLiteral("COM") + QString::number(n));
#endif
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString location = info.systemLocation();
        const QString desc =
            info.description().isEmpty() ? info.manufacturer() : info.description();
        QString shown = location;
        if (!desc.isEmpty())
            shown += QStringLiteral("　(") + desc + u')';
        const int existing = port->findData(info.portName());
        if (existing >= 0)
            port->setItemText(existing, info.portName() + QStringLiteral("　(") + desc + u')');
        else
            port->addItem(shown, location);
    }
    port->setToolTip(tr("也可以直接输入设备路径，如 /dev/ttyUSB0 或 COM3"));
    return port;
}

// The port and the line settings, one row each.
QFormLayout* SerialDialog::buildLineForm() {
    m_speed = combo(this, QStringLiteral("SpeedList"),
                    {QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
                     QStringLiteral("9600"), QStringLiteral("14400"), QStringLiteral("19200"),
                     QStringLiteral("38400"), QStringLiteral("57600"), QStringLiteral("115200"),
                     QStringLiteral("230400"), QStringLiteral("460800"), QStringLiteral("921600")},
                    true);
    m_dataBits = combo(this, QStringLiteral("DataBitsList"),
                       {QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                        QStringLiteral("7"), QStringLiteral("8")},
                       false);
    m_parity = combo(this, QStringLiteral("ParityList"),
                     {QStringLiteral("Even"), QStringLiteral("Mark"), QStringLiteral("None"),
                      QStringLiteral("Odd"), QStringLiteral("Space")},
                     false);
    m_stopBits = combo(this, QStringLiteral("StopBitsList"),
                       {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")}, false);

    auto* form = new QFormLayout;
    form->addRow(tr("端口:"), m_port);
    form->addRow(tr("波特率:"), m_speed);
    form->addRow(tr("数据位:"), m_dataBits);
    form->addRow(tr("校验:"), m_parity);
    form->addRow(tr("停止位:"), m_stopBits);
    return form;
}

QGroupBox* SerialDialog::buildFlowBox() {
    auto* flowBox = new QGroupBox(tr("握手"), this);
    auto* flowLayout = new QVBoxLayout(flowBox);
    m_flow = new QButtonGroup(this);
    const QStringList flowNames{tr("无"), tr("XON/XOFF"), tr("RTS/CTS"), tr("XON/XOFF 和 RTS/CTS")};
    for (int i = 0; i < flowNames.size(); ++i) {
        auto* b = new QRadioButton(flowNames[i], flowBox);
        b->setObjectName(QStringLiteral("FlowOption_") + QString::number(i));
        m_flow->addButton(b, i);
        flowLayout->addWidget(b);
    }
    return flowBox;
}

QGroupBox* SerialDialog::buildEchoBox() {
    auto* echoBox = new QGroupBox(tr("回应"), this);
    auto* echoLayout = new QVBoxLayout(echoBox);
    m_echo = new QButtonGroup(this);
    auto* echoOff = new QRadioButton(tr("关闭"), echoBox);
    echoOff->setObjectName(QStringLiteral("EchoOption_0"));
    auto* echoOn = new QRadioButton(tr("打开"), echoBox);
    echoOn->setObjectName(QStringLiteral("EchoOption_1"));
    m_echo->addButton(echoOff, 0);
    m_echo->addButton(echoOn, 1);
    echoLayout->addWidget(echoOff);
    echoLayout->addWidget(echoOn);
    echoLayout->addStretch();
    return echoBox;
}

// Sets the lists and the options to the current values.
void SerialDialog::showChoices(const SerialChoices& current) {
    selectPort(current.portName);
    const QStringList parts = current.settingsText.split(u',');
    const QString speed = parts.value(0).trimmed();
    const int speedAt = m_speed->findText(speed);
    if (speedAt >= 0)
        m_speed->setCurrentIndex(speedAt);
    else
        m_speed->setEditText(speed);
    m_parity->setCurrentIndex(parityIndex(
        parts.value(1).trimmed().isEmpty() ? QChar(u'e') : parts.value(1).trimmed().at(0)));
    const int bitsAt = m_dataBits->findText(parts.value(2).trimmed());
    m_dataBits->setCurrentIndex(bitsAt >= 0 ? bitsAt : 4);
    const int stopAt = m_stopBits->findText(parts.value(3).trimmed());
    m_stopBits->setCurrentIndex(stopAt >= 0 ? stopAt : 0);
    if (QAbstractButton* b = m_flow->button(qBound(0, current.flowControl, 3)))
        b->setChecked(true);
    m_echo->button(current.echo ? 1 : 0)->setChecked(true);
}

void SerialDialog::selectPort(const QString& name) {
    int at = m_port->findData(name);
    if (at < 0)
        at = m_port->findText(name);
    if (at >= 0)
        m_port->setCurrentIndex(at);
    else
        m_port->setEditText(name);
}

SerialChoices SerialDialog::choices() const {
    SerialChoices c;
    // A typed path has no item data; an item chosen from the list carries its port name.
    const int at = m_port->currentIndex();
    if (at >= 0 && m_port->itemText(at) == m_port->currentText())
        c.portName = m_port->itemData(at).toString();
    else
        c.portName = m_port->currentText().trimmed();
    c.settingsText = m_speed->currentText().trimmed() + u',' + m_parity->currentText().left(1) +
                     u',' + m_dataBits->currentText().trimmed() + u',' +
                     m_stopBits->currentText().trimmed();
    c.flowControl = m_flow->checkedId() < 0 ? 0 : m_flow->checkedId();
    c.echo = m_echo->checkedId() == 1;
    return c;
}
