#include "app/optionspage.h"

#include "app/appcontext.h"
#include "app/apptexts.h"
#include "app/interlock.h"
#include "core/settings.h"
#include "ops/calibration.h"
#include "ops/singlebyte.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QVBoxLayout>

using AppTexts::tr;

QStringList programOptionCaptions() {
    // A free function: lupdate needs the namespace to file these under the right context.
    return {AppTexts::tr("擦除芯片"),   AppTexts::tr("编程FLASH"),  AppTexts::tr("编程EEPROM"),
            AppTexts::tr("编程熔丝位"), AppTexts::tr("编程锁定位"), AppTexts::tr("文件重载"),
            AppTexts::tr("校验标识字"), AppTexts::tr("写校准字节"), AppTexts::tr("校验FLASH"),
            AppTexts::tr("校验EEPROM")};
}

static QString indexed(const char* name, int i) {
    return QString::fromLatin1(name) + u'_' + QString::number(i);
}

// A scroll bar beside a text box, as small as a spin button.
static QScrollBar* spinBar(QWidget* parent, const QString& name) {
    auto* bar = new QScrollBar(Qt::Vertical, parent);
    bar->setObjectName(name);
    bar->setFixedWidth(16);
    bar->setFixedHeight(24);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    return bar;
}

OptionsPage::OptionsPage(AppContext& app, QWidget* parent) : QWidget(parent), m_app(app) {
    setObjectName(QStringLiteral("OptionsPage"));
    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    top->addWidget(buildOptions(), 1);
    top->addWidget(buildCalibration(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(top);
    layout->addWidget(buildSingleBytes());
    layout->addStretch(1);

    connect(&m_app.session, &Session::panelsChanged, this, &OptionsPage::refresh);
    connect(&m_app.session, &Session::chipChanged, this, &OptionsPage::refresh);
    refresh();
}

QWidget* OptionsPage::buildOptions() {
    auto* box = new QGroupBox(tr("编程选项"), this);
    box->setObjectName(QStringLiteral("ProgramOptionsFrame"));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(3);
    grid->setHorizontalSpacing(4);
    grid->setContentsMargins(6, 4, 4, 4);
    const QStringList captions = programOptionCaptions();
    // The steps in the order the program button runs them, in two columns.
    for (int i = 0; i < 10; ++i) {
        auto* c = new QCheckBox(captions[i], box);
        c->setObjectName(indexed("CheckPRO", i));
        connect(c, &QCheckBox::toggled, this, [this, i](bool on) {
            if (!m_refreshing)
                m_app.session.options[size_t(i)] = on;
        });
        m_options[size_t(i)] = c;
        grid->addWidget(c, i % 5, i / 5);
    }
    grid->setHorizontalSpacing(4);
    box->setMinimumWidth(box->sizeHint().width()); // the captions stay whole
    return box;
}

QWidget* OptionsPage::buildCalibration() {
    auto* box = new QGroupBox(tr("校准选项"), this);
    box->setObjectName(QStringLiteral("CalibrationFrame"));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(3);
    grid->setHorizontalSpacing(4);
    auto* slots = new QButtonGroup(this);
    const QStringList freq{QStringLiteral("1MHz"), QStringLiteral("2MHz"), QStringLiteral("4MHz"),
                           QStringLiteral("8MHz")};
    for (int k = 0; k < 4; ++k) {
        auto* label = new QLabel(box);
        label->setObjectName(indexed("Label_OAnum", k));
        label->setFixedWidth(22);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* radio = new QRadioButton(freq[k], box);
        radio->setObjectName(indexed("Sel_OA", k));
        slots->addButton(radio, k);
        connect(radio, &QRadioButton::toggled, this, [this, k](bool on) {
            if (on && !m_refreshing)
                m_app.session.cal.pickedSlot = k;
        });
        m_slotLabel[size_t(k)] = label;
        m_slot[size_t(k)] = radio;
        grid->addWidget(label, k / 2, (k % 2) * 2);
        grid->addWidget(radio, k / 2, (k % 2) * 2 + 1);
    }

    auto* targets = new QButtonGroup(this);
    const QStringList targetCaptions{QStringLiteral("Flash"), QStringLiteral("Eeprom")};
    for (int t = 0; t < 2; ++t) {
        auto* radio = new QRadioButton(targetCaptions[t], box);
        radio->setObjectName(indexed("Sel_FE", t));
        targets->addButton(radio, t);
        connect(radio, &QRadioButton::toggled, this, [this, t](bool on) {
            if (on && !m_refreshing)
                m_app.session.cal.target = t;
        });
        m_target[size_t(t)] = radio;

        auto* address = new QLineEdit(box);
        address->setObjectName(t == 0 ? QStringLiteral("Flash_Address")
                                      : QStringLiteral("Eeprom_Address"));
        address->setMaxLength(6);
        address->setFixedWidth(54);
        address->setToolTip(tr("写入地址 (十进制)"));
        auto* bar = spinBar(box, t == 0 ? QStringLiteral("VScroll1") : QStringLiteral("VScroll2"));
        m_calAddress[size_t(t)] = address;
        m_calBar[size_t(t)] = bar;
        connect(address, &QLineEdit::textEdited, this, [this, t] { calAddressEdited(t); });
        connect(bar, &QScrollBar::valueChanged, this, [this, t](int v) { calBarMoved(t, v); });

        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(radio);
        row->addStretch();
        row->addWidget(new QLabel(tr("地址"), box));
        row->addWidget(address);
        row->addWidget(bar);
        grid->addLayout(row, 2 + t, 0, 1, 4);
    }

    auto* read = new QPushButton(tr("读校准字节"), box);
    read->setObjectName(QStringLiteral("ReadOA"));
    read->setAutoDefault(false);
    m_writeOA = new QPushButton(tr("写 入"), box);
    m_writeOA->setObjectName(QStringLiteral("WriteOA_Command"));
    m_writeOA->setAutoDefault(false);
    connect(read, &QPushButton::clicked, this, &OptionsPage::readCalibrationRequested);
    connect(m_writeOA, &QPushButton::clicked, this, &OptionsPage::writeCalibrationRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(read);
    buttons->addWidget(m_writeOA);
    grid->addLayout(buttons, 4, 0, 1, 4);
    return box;
}

QWidget* OptionsPage::buildSingleBytes() {
    auto* box = new QGroupBox(tr("读写数据"), this);
    box->setObjectName(QStringLiteral("SingleByteFrame"));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(3);
    grid->addWidget(new QLabel(tr("地址DEC"), box), 0, 1, 1, 2);
    grid->addWidget(new QLabel(tr("数据HEX"), box), 0, 3);
    const QStringList rows{tr("FLASH(字)"), tr("EEPROM(字节)")};
    for (int i = 0; i < 2; ++i) {
        grid->addWidget(new QLabel(rows[i], box), i + 1, 0);
        auto* address = new QLineEdit(box);
        address->setObjectName(indexed("W_AddressText", i));
        address->setFixedWidth(64);
        address->setMaxLength(6);
        auto* bar = spinBar(box, indexed("VScroll3", i));
        auto* data = new QLineEdit(box);
        data->setObjectName(indexed("W_DataText", i));
        data->setFixedWidth(54);
        const int digits = i == 0 ? 4 : 2;
        data->setMaxLength(digits);
        data->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,%1}").arg(digits)), data));
        auto* write = new QPushButton(tr("写入"), box);
        write->setObjectName(indexed("W_DataCommand", i));
        write->setAutoDefault(false);
        auto* read = new QPushButton(tr("读出"), box);
        read->setObjectName(indexed("R_DataCommand", i));
        read->setAutoDefault(false);
        m_address[size_t(i)] = address;
        m_addressBar[size_t(i)] = bar;
        m_data[size_t(i)] = data;
        connect(address, &QLineEdit::textEdited, this, [this, i] { singleAddressEdited(i); });
        connect(bar, &QScrollBar::valueChanged, this, [this, i](int v) { singleBarMoved(i, v); });
        connect(data, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            m_app.session.single.data[size_t(i)] = text.toUpper();
        });
        connect(write, &QPushButton::clicked, this, [this, i] { Q_EMIT writeSingleRequested(i); });
        connect(read, &QPushButton::clicked, this, [this, i] { Q_EMIT readSingleRequested(i); });
        grid->addWidget(address, i + 1, 1);
        grid->addWidget(bar, i + 1, 2);
        grid->addWidget(data, i + 1, 3);
        grid->addWidget(write, i + 1, 4);
        grid->addWidget(read, i + 1, 5);
    }
    grid->setColumnStretch(6, 1);
    auto* note = new QLabel(tr("注:只有原地址数据为FF时,才能正确写入数据。"), box);
    note->setObjectName(QStringLiteral("SingleByteNote"));
    note->setStyleSheet(QStringLiteral("color: #8a4b00;"));
    grid->addWidget(note, 3, 0, 1, 7);
    return box;
}

// The calibration address boxes run their scroll bars upside down (value -n shows address
// n, so that the upper arrow raises the address); the rules live with the calibration
// operations, the boxes only show what they leave in the session.
void OptionsPage::calAddressEdited(int which) {
    CalibrationPanel& cal = m_app.session.cal;
    QString& text = which == 0 ? cal.flashAddress : cal.eepromAddress;
    text = m_calAddress[size_t(which)]->text();
    const int barValue = calibrationAddressChanged(m_app.session, which);
    if (m_calAddress[size_t(which)]->text() != text)
        m_calAddress[size_t(which)]->setText(text);
    m_calBar[size_t(which)]->setValue(barValue);
}

void OptionsPage::calBarMoved(int which, int value) {
    if (m_refreshing)
        return;
    calibrationScrollChanged(m_app.session, which, value);
    const CalibrationPanel& cal = m_app.session.cal;
    const QString& text = which == 0 ? cal.flashAddress : cal.eepromAddress;
    if (m_calAddress[size_t(which)]->text() != text)
        m_calAddress[size_t(which)]->setText(text);
}

void OptionsPage::singleAddressEdited(int row) {
    m_app.session.single.address[size_t(row)] = m_address[size_t(row)]->text();
    const int position = singleAddressChanged(m_app.session, row);
    const QString& text = m_app.session.single.address[size_t(row)];
    if (m_address[size_t(row)]->text() != text)
        m_address[size_t(row)]->setText(text);
    m_addressBar[size_t(row)]->setValue(position);
}

void OptionsPage::singleBarMoved(int row, int value) {
    if (m_refreshing)
        return;
    singleScrollChanged(m_app.session, row, value);
    const QString& text = m_app.session.single.address[size_t(row)];
    if (m_address[size_t(row)]->text() != text)
        m_address[size_t(row)]->setText(text);
}

void OptionsPage::refresh() {
    m_refreshing = true;
    const Session& s = m_app.session;
    for (int i = 0; i < 10; ++i)
        m_options[size_t(i)]->setChecked(s.options[size_t(i)]);

    const CalibrationPanel& cal = s.cal;
    for (int k = 0; k < 4; ++k) {
        const bool shown = cal.slotVisible[size_t(k)];
        m_slotLabel[size_t(k)]->setText(shown ? cal.slotText[size_t(k)] : QStringLiteral("--"));
        m_slot[size_t(k)]->setEnabled(cal.slotEnabled[size_t(k)]);
    }
    if (cal.pickedSlot >= 0 && cal.pickedSlot < 4) {
        m_slot[size_t(cal.pickedSlot)]->setChecked(true);
    } else {
        // No slot picked: clear the group without letting it force one.
        auto* group = m_slot[0]->group();
        group->setExclusive(false);
        for (QRadioButton* r : m_slot)
            r->setChecked(false);
        group->setExclusive(true);
    }
    m_target[size_t(qBound(0, cal.target, 1))]->setChecked(true);
    const std::array<qint32, 2> calMax{cal.flashMax, cal.eepromMax};
    const std::array<QString, 2> calText{cal.flashAddress, cal.eepromAddress};
    for (int t = 0; t < 2; ++t) {
        QScrollBar* bar = m_calBar[size_t(t)];
        bar->setRange(calibrationScrollMinimum(s, t), 0);
        bar->setValue(int(
            qBound<qint64>(-qint64(calMax[size_t(t)]), -lenientDecimal(calText[size_t(t)]), 0)));
        if (m_calAddress[size_t(t)]->text() != calText[size_t(t)])
            m_calAddress[size_t(t)]->setText(calText[size_t(t)]);
    }
    // Through the window's interlock: a calibration read inside the program sequence
    // decides the button's state after the sequence, not in its middle.
    if (m_app.lock)
        m_app.lock->setEnabled(m_writeOA, cal.writeEnabled);
    else
        m_writeOA->setEnabled(cal.writeEnabled);

    const SingleBytePanel& single = s.single;
    for (int i = 0; i < 2; ++i) {
        QScrollBar* bar = m_addressBar[size_t(i)];
        bar->setRange(0, single.max[size_t(i)]);
        bar->setValue(int(qBound<qint64>(0, lenientDecimal(single.address[size_t(i)]),
                                         qint64(single.max[size_t(i)]))));
        if (m_address[size_t(i)]->text() != single.address[size_t(i)])
            m_address[size_t(i)]->setText(single.address[size_t(i)]);
        if (m_data[size_t(i)]->text() != single.data[size_t(i)])
            m_data[size_t(i)]->setText(single.data[size_t(i)]);
    }
    m_refreshing = false;
}
