#include "app/offlinepage.h"

#include "app/appcontext.h"
#include "app/colours.h"
#include "app/offlinepagetexts.h"
#include "offline/fusetable.h"
#include "offline/offlinerecord.h"
#include "offline/upload.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace T = OfflinePageTexts;

namespace {
constexpr int kMaxIncrement = 255; // item 0028 holds one byte

QRadioButton* radio(const QString& name, const QString& caption, QWidget* parent) {
    auto* r = new QRadioButton(caption, parent);
    r->setObjectName(name);
    return r;
}
} // namespace

OfflinePage::OfflinePage(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_converter(app.session.offline) {
    setObjectName(QStringLiteral("OfflinePage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    layout->addWidget(buildSteps());
    auto* middle = new QHBoxLayout;
    middle->setSpacing(6);
    middle->addWidget(buildCalibration(), 1);
    middle->addWidget(buildSerial(), 1);
    layout->addLayout(middle);
    layout->addStretch(1);
    auto* hint = new QLabel(T::workflowHint(), this);
    hint->setObjectName(QStringLiteral("LeavePcHint"));
    hint->setWordWrap(true);
    // A note's muted colour, still dark enough to read (contrast above 4.5:1).
    QPalette notePalette = hint->palette();
    notePalette.setColor(QPalette::WindowText, mutedTextColor(notePalette));
    hint->setPalette(notePalette);
    layout->addWidget(hint);
    layout->addStretch(1);
    layout->addWidget(buildButtons());

    connect(&m_converter, &NumberConverter::boxChanged, this, &OfflinePage::onBoxChanged);
    connect(&m_converter, &NumberConverter::refused, this,
            [this](const QString& message) { m_app.ui.warning(T::converterError(), message); });
    connect(&m_app.session, &Session::panelsChanged, this, &OfflinePage::refresh);
    refresh();
}

QWidget* OfflinePage::buildSteps() {
    auto* box = new QGroupBox(T::stepsGroup(), this);
    box->setObjectName(QStringLiteral("FrameLeavePc"));
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(2);
    // The boxes in the order the programmer runs the steps: erase first, enable last.
    static const int order[8] = {6, 0, 1, 2, 3, 4, 5, 7};
    for (int i = 0; i < 8; ++i) {
        const int n = order[i];
        auto* check = new QCheckBox(T::step(n), box);
        check->setObjectName(QStringLiteral("LeavePcCheck_%1").arg(n));
        connect(check, &QCheckBox::toggled, this, [this, n](bool on) {
            if (!m_updating)
                m_app.session.offline.steps[n] = on;
        });
        grid->addWidget(check, i / 4, i % 4);
        m_steps[n] = check;
    }
    QFont f = m_steps[7]->font();
    f.setBold(true);
    m_steps[7]->setFont(f);
    return box;
}

QLineEdit* OfflinePage::numberBox(NumberConverter::Box box, int maxLength) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(NumberConverter::controlName(box));
    edit->setMaxLength(maxLength);
    const int digits = qMax(maxLength, 4);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(digits, u'D')) + 12);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this,
            [this, box](const QString& text) { onBoxEdited(box, text); });
    m_boxes[box] = edit;
    return edit;
}

QWidget* OfflinePage::buildCalibration() {
    auto* box = new QGroupBox(T::calGroup(), this);
    box->setObjectName(QStringLiteral("FrameLeavePcOA"));
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setVerticalSpacing(4);

    grid->addWidget(new QLabel(T::calAddress(), box), 0, 1);
    m_calFlash = radio(QStringLiteral("Option7"), T::flash(), box);
    m_calEeprom = radio(QStringLiteral("Option8"), T::eeprom(), box);
    auto* target = new QButtonGroup(box);
    target->addButton(m_calFlash);
    target->addButton(m_calEeprom);
    grid->addWidget(m_calFlash, 1, 0);
    grid->addWidget(numberBox(NumberConverter::CalFlash, NumberConverter::MaxAddressDigits), 1, 1);
    grid->addWidget(m_calEeprom, 2, 0);
    grid->addWidget(numberBox(NumberConverter::CalEeprom, NumberConverter::MaxAddressDigits), 2, 1);
    connect(m_calFlash, &QRadioButton::toggled, this, [this](bool on) {
        if (!m_updating)
            m_app.session.offline.calToFlash = on;
    });

    grid->addWidget(new QLabel(T::calSlot(), box), 3, 0, 1, 2);
    auto* slots = new QGridLayout;
    slots->setHorizontalSpacing(8);
    auto* slotGroup = new QButtonGroup(box);
    for (int k = 0; k < 4; ++k) {
        auto* r =
            radio(QStringLiteral("LeavePC_OA_%1").arg(k), QStringLiteral("OA%1").arg(k + 1), box);
        slotGroup->addButton(r, k);
        slots->addWidget(r, k / 2, k % 2);
        m_calSlot[k] = r;
        connect(r, &QRadioButton::toggled, this, [this, k](bool on) {
            if (on && !m_updating)
                m_app.session.offline.calSlot = k;
        });
    }
    grid->addLayout(slots, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    return box;
}

QWidget* OfflinePage::buildSerial() {
    auto* box = new QGroupBox(T::serialGroup(), this);
    box->setObjectName(QStringLiteral("FrameLeavePcSerial"));
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setVerticalSpacing(4);

    grid->addWidget(new QLabel(T::serialAddress(), box), 0, 1, 1, 2);
    m_serialFlash = radio(QStringLiteral("Option5"), T::flash(), box);
    m_serialEeprom = radio(QStringLiteral("Option6"), T::eeprom(), box);
    auto* target = new QButtonGroup(box);
    target->addButton(m_serialFlash);
    target->addButton(m_serialEeprom);
    grid->addWidget(m_serialFlash, 1, 0);
    grid->addWidget(numberBox(NumberConverter::SerialFlash, NumberConverter::MaxAddressDigits), 1,
                    1, 1, 2);
    grid->addWidget(m_serialEeprom, 2, 0);
    grid->addWidget(numberBox(NumberConverter::SerialEeprom, NumberConverter::MaxAddressDigits), 2,
                    1, 1, 2);
    connect(m_serialFlash, &QRadioButton::toggled, this, [this](bool on) {
        if (!m_updating)
            m_app.session.offline.serialToFlash = on;
    });

    grid->addWidget(new QLabel(T::increment(), box), 3, 0);
    auto* inc = new QHBoxLayout;
    inc->setSpacing(0);
    m_increment = new QLineEdit(box);
    m_increment->setObjectName(QStringLiteral("Text9"));
    m_increment->setMaxLength(3);
    m_increment->setValidator(new QIntValidator(0, kMaxIncrement, m_increment));
    m_increment->setMaximumWidth(
        m_increment->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    m_incrementBar = new QScrollBar(Qt::Vertical, box);
    m_incrementBar->setObjectName(QStringLiteral("VScroll4"));
    // Text9 shows minus the bar's value: the up arrow counts up.
    m_incrementBar->setRange(-kMaxIncrement, 0);
    m_incrementBar->setFixedHeight(m_increment->sizeHint().height());
    inc->addWidget(m_increment);
    inc->addWidget(m_incrementBar);
    inc->addStretch(1);
    grid->addLayout(inc, 3, 1, 1, 2);
    connect(m_incrementBar, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_updating)
            setIncrement(-v);
    });
    connect(m_increment, &QLineEdit::textEdited, this, [this](const QString& text) {
        bool ok = false;
        const int v = text.toInt(&ok);
        if (ok)
            setIncrement(v);
    });
    connect(m_increment, &QLineEdit::editingFinished, this, [this] { refresh(); });

    grid->addWidget(new QLabel(T::initialNumber(), box), 4, 0);
    grid->addWidget(numberBox(NumberConverter::Hex, NumberConverter::MaxHexDigits), 4, 1);
    grid->addWidget(new QLabel(T::hexUnit(), box), 4, 2);
    grid->addWidget(numberBox(NumberConverter::Decimal, NumberConverter::MaxDecimalDigits), 5, 1);
    grid->addWidget(new QLabel(T::decUnit(), box), 5, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(6, 1);
    return box;
}

QPushButton* OfflinePage::button(const QString& name, const QString& caption, const QString& tip) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setToolTip(tip);
    return b;
}

QWidget* OfflinePage::buildButtons() {
    auto* row = new QWidget(this);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(4);
    auto* write =
        button(QStringLiteral("WriteLeaveSet"), T::writeSettings(), T::writeSettingsTip());
    auto* read = button(QStringLiteral("ReadLeaveSet"), T::readSettings(), T::readSettingsTip());
    auto* upload = button(QStringLiteral("Upload_leaveDATA"), T::uploadData(), T::uploadTip());
    auto* table = button(QStringLiteral("Command1"), T::storeFuseTable(), T::storeFuseTableTip());
    auto* test = button(QStringLiteral("Command2"), T::testEntry(), T::testEntryTip());
    for (QPushButton* b : {write, read, upload, table, test})
        h->addWidget(b, 1);

    connect(write, &QPushButton::clicked, this, [this] {
        runOp(OpId::WriteOfflineSettings, [this] {
            OpContext c = m_app.op();
            WriteOfflineSettings(c);
        });
    });
    connect(read, &QPushButton::clicked, this, [this] {
        runOp(OpId::ReadOfflineSettings, [this] {
            OpContext c = m_app.op();
            ReadOfflineSettings(c);
        });
    });
    connect(upload, &QPushButton::clicked, this, [this] {
        runOp(OpId::UploadOffline, [this] {
            OpContext c = m_app.op();
            UploadOfflineImages(c);
        });
    });
    connect(table, &QPushButton::clicked, this, [this] {
        runOp(OpId::ProgrammerCommand, [this] {
            OpContext c = m_app.op();
            StoreFuseTable(c);
        });
    });
    connect(test, &QPushButton::clicked, this,
            [this] { Q_EMIT chipMenuEntryRequested(testChipMenuEntry()); });
    return row;
}

void OfflinePage::runOp(OpId id, const std::function<void()>& body) {
    // The waits keep the window live: the core refuses a second operation on the link,
    // and the window's interlock keeps the buttons of the others off meanwhile.
    OpContext c = m_app.op();
    runOperation(c, id, body);
    refresh();
}

void OfflinePage::setIncrement(int value) {
    m_app.session.offline.increment = qBound(0, value, kMaxIncrement);
    refresh();
}

bool OfflinePage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        for (int b = 0; b < NumberConverter::BoxCount; ++b) {
            if (watched != m_boxes[b])
                continue;
            const auto box = NumberConverter::Box(b);
            if (event->type() == QEvent::KeyPress) {
                m_keyHeld[b] = true;
                m_converter.keyDown(box, m_boxes[b]->cursorPosition());
            } else if (m_keyHeld[b]) {
                m_keyHeld[b] = false;
                m_converter.keyUp(box, m_boxes[b]->cursorPosition());
            }
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void OfflinePage::onBoxEdited(NumberConverter::Box box, const QString& text) {
    const bool accepted = m_converter.edit(box, text, m_boxes[box]->cursorPosition());
    // Text that came without a key (pasted with the mouse, an input method) is converted
    // at once, as a key up would.
    if (accepted && !m_keyHeld[box])
        m_converter.keyUp(box, m_boxes[box]->cursorPosition());
}

void OfflinePage::onBoxChanged(NumberConverter::Box box, const QString& text, int caret) {
    QLineEdit* edit = m_boxes[box];
    if (edit->text() != text)
        edit->setText(text);
    edit->setCursorPosition(caret);
}

void OfflinePage::refresh() {
    const OfflinePanel& p = m_app.session.offline;
    m_updating = true;
    for (int n = 0; n < 8; ++n)
        m_steps[n]->setChecked(p.steps[n]);
    (p.calToFlash ? m_calFlash : m_calEeprom)->setChecked(true);
    if (p.calSlot >= 0 && p.calSlot < 4)
        m_calSlot[p.calSlot]->setChecked(true);
    (p.serialToFlash ? m_serialFlash : m_serialEeprom)->setChecked(true);
    const QString inc = QString::number(p.increment);
    if (m_increment->text() != inc)
        m_increment->setText(inc);
    m_incrementBar->setValue(-p.increment);
    m_updating = false;

    // A hexadecimal value set from outside (read-back, stored settings) brings its decimal
    // box along.
    const QString dec = p.initialHex.isEmpty()
                            ? QString()
                            : QString::number(BinaryToDecimal(HexToBinary(p.initialHex)));
    if (!p.initialHex.isEmpty() && dec != p.initialDecimal &&
        NumberConverter::accepts(NumberConverter::Hex, p.initialHex))
        m_converter.setHex(p.initialHex);
    for (int b = 0; b < NumberConverter::BoxCount; ++b) {
        const QString t = m_converter.text(NumberConverter::Box(b));
        if (m_boxes[b]->text() != t)
            m_boxes[b]->setText(t);
    }
}
