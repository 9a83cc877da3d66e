#include "app/productionpanel.h"

#include "app/appcontext.h"
#include "app/apptexts.h"
#include "core/settings.h"
#include "ops/production.h"
#include "scheme/schemelock.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QSysInfo>
#include <QVBoxLayout>

using AppTexts::tr;

ProductionPanel::ProductionPanel(AppContext& app, QWidget* parent) : QWidget(parent), m_app(app) {
    setObjectName(QStringLiteral("ProductionPanel"));
    m_continuous = new QCheckBox(tr("连续编程"), parent);
    m_continuous->setObjectName(QStringLiteral("ContinuousCheck"));
    m_continuous->setToolTip(tr("编程后等待取出芯片, 再等待下一片, 直到按“停止”"));
    m_setup = new QPushButton(tr("设置..."), this);
    m_setup->setObjectName(QStringLiteral("ProductionSetup"));
    m_setup->setToolTip(tr("记录文件 (CSV) 与序列号"));
    m_stop = new QPushButton(tr("停止"), this);
    m_stop->setObjectName(QStringLiteral("StopProduction"));
    m_stop->setEnabled(false);
    for (QPushButton* b : {m_setup, m_stop}) {
        b->setAutoDefault(false);
        b->setStyleSheet(QStringLiteral("QPushButton { padding: 2px 4px; }"));
    }
    m_passLabel = new QLabel(this);
    m_passLabel->setObjectName(QStringLiteral("PassCount"));
    m_failLabel = new QLabel(this);
    m_failLabel->setObjectName(QStringLiteral("FailCount"));
    // The operator's view: a word that can be read across the bench.
    m_verdict = new QLabel(this);
    m_verdict->setObjectName(QStringLiteral("ProductionVerdict"));
    m_verdict->setAlignment(Qt::AlignCenter);
    m_verdict->setMinimumHeight(56);
    QFont big = m_verdict->font();
    big.setPointSize(26);
    big.setBold(true);
    m_verdict->setFont(big);
    m_verdict->setToolTip(tr("日志文件: %1").arg(QDir::toNativeSeparators(logFilePath())));
    m_jobLabel = new QLabel(this);
    m_jobLabel->setObjectName(QStringLiteral("JobCounts"));
    m_jobLabel->setWordWrap(true);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(m_verdict);
    column->addWidget(m_jobLabel);
    auto* row = new QHBoxLayout;
    column->addLayout(row);
    row->setSpacing(4);
    row->addWidget(m_passLabel);
    row->addWidget(m_failLabel);
    row->addStretch();
    row->addWidget(m_setup);
    row->addWidget(m_stop);
    connect(m_setup, &QPushButton::clicked, this, &ProductionPanel::editSettings);
    connect(m_stop, &QPushButton::clicked, this, &ProductionPanel::stop);
    connect(m_continuous, &QCheckBox::toggled, this, [this](bool on) {
        m_verdict->setVisible(on);
        m_jobLabel->setVisible(on);
    });
    m_verdict->setVisible(false);
    m_jobLabel->setVisible(false);
    showVerdict(Verdict::Idle);
    showCounts();
}

QString ProductionPanel::logFilePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("production.log"));
}

void ProductionPanel::setScheme(const QString& path) {
    m_schemePath = path;
    m_job = JobTotals();
    showCounts();
}

QString ProductionPanel::jobName() const {
    return m_schemePath.isEmpty() ? m_app.session.chip.ChipName
                                  : QFileInfo(m_schemePath).completeBaseName();
}

void ProductionPanel::showVerdict(Verdict v) {
    static const struct {
        const char* text;
        const char* style;
    } looks[] = {
        {"", "background: palette(window);"},
        {QT_TRANSLATE_NOOP("hvpp", "等待芯片"), "background: rgb(255,215,0); color: black;"},
        {"PASS", "background: rgb(0,150,60); color: white;"},
        {"FAIL", "background: rgb(205,0,0); color: white;"},
    };
    const auto& look = looks[int(v)];
    m_verdict->setText(v == Verdict::Waiting ? tr(look.text) : QString::fromLatin1(look.text));
    m_verdict->setStyleSheet(
        QStringLiteral("QLabel { border-radius: 4px; %1 }").arg(QString::fromLatin1(look.style)));
}

bool ProductionPanel::continuous() const {
    return m_continuous->isChecked();
}

void ProductionPanel::showCounts() {
    m_passLabel->setText(tr("通过: %1").arg(m_passed));
    m_failLabel->setText(tr("失败: %1").arg(m_failed));
    m_failLabel->setStyleSheet(m_failed > 0 ? QStringLiteral("color: rgb(205,0,0);") : QString());
    QString job =
        tr("作业 %1 累计: 通过 %2, 失败 %3").arg(jobName()).arg(m_job.passed).arg(m_job.failed);
    if (m_target > 0)
        job += u'\n' + tr("本次: %1 / 目标 %2 片").arg(m_passed + m_failed).arg(m_target);
    m_jobLabel->setText(job);
}

void ProductionPanel::stop() {
    if (m_run)
        m_run->stop();
}

// The run's settings from the dialog, the job and the stand-alone page; false (after a
// box) when a locked scheme's file changed.
bool ProductionPanel::prepare(OpContext& c, ProductionSettings& ps) {
    Session& s = c.session;
    QString error;
    if (!m_schemePath.isEmpty() && !CheckSchemeLock(s, m_schemePath, &error)) {
        c.ui.warning(Texts::warningTitle(), error);
        return false;
    }
    ps.csvPath = m_csvPath;
    ps.count = m_target;
    ps.job = jobName();
    ps.station = QSysInfo::machineHostName();
    ps.jobFile = !m_schemePath.isEmpty() ? JobRecord::besideScheme(m_schemePath)
                 : m_settings ? JobRecord::inSettingsFolder(m_settings->fileName(), ps.job)
                              : QString();
    if (m_settings)
        ps.port = m_settings->read(SettingsKeys::PortName);
    return true;
}

void ProductionPanel::run(OpContext& c, const ProgramJob& job) {
    ProductionSettings ps;
    if (!prepare(c, ps))
        return;
    ps.serial = job.serial; // the job's plan, checked with the job
    ps.programJob = job;
    ProductionRun run(c, ps);
    m_run = &run;
    m_passed = m_failed = 0;
    showCounts();
    // The log panel trims its oldest lines; the file keeps every line of every run.
    QDir().mkpath(QFileInfo(logFilePath()).absolutePath());
    m_logFile.setFileName(logFilePath());
    m_logFile.open(QIODevice::Append | QIODevice::Text);
    const auto logged =
        connect(&c.session.log, &MessageLog::messageLogged, this, [this](const QString& text) {
            if (!m_logFile.isOpen())
                return;
            m_logFile.write(QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + ' ' +
                            text.toUtf8() + '\n');
            m_logFile.flush();
        });
    connect(&run, &ProductionRun::chipDone, this, [this](const ChipRecord& r) {
        ++(r.passed ? m_passed : m_failed);
        showVerdict(r.passed ? Verdict::Pass : Verdict::Fail);
        showCounts();
    });
    connect(&run, &ProductionRun::waitingForChip, this, [this] { showVerdict(Verdict::Waiting); });
    connect(&run, &ProductionRun::jobTotalsChanged, this, [this](const JobTotals& t) {
        m_job = t;
        showCounts();
    });
    m_stop->setEnabled(true);
    m_setup->setEnabled(false);
    struct Reset { // also when the run ends with a failure of the link
        ProductionPanel* p;
        QMetaObject::Connection logged;
        ~Reset() {
            QObject::disconnect(logged);
            p->m_logFile.close();
            p->m_run = nullptr;
            p->m_stop->setEnabled(false);
            p->m_setup->setEnabled(true);
        }
    } reset{this, logged};
    const RunEnd end = run.run();
    m_job = run.jobTotals();
    showCounts();
    if (end == RunEnd::RecordFailed)
        c.ui.warning(Texts::warningTitle(), run.recordError());
    else if (end == RunEnd::NoAnswer)
        c.ui.warning(Texts::warningTitle(), Texts::noAnswer());
}

void ProductionPanel::editSettings() {
    QDialog dialog(window());
    dialog.setObjectName(QStringLiteral("ProductionDialog"));
    dialog.setWindowTitle(tr("连续编程设置"));
    auto* csv = new QLineEdit(m_csvPath, &dialog);
    csv->setObjectName(QStringLiteral("CsvLogPath"));
    csv->setPlaceholderText(tr("不记录"));
    auto* browse = new QPushButton(tr("浏览..."), &dialog);
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, &dialog, [&dialog, csv] {
        const QString path = QFileDialog::getSaveFileName(&dialog, tr("记录文件"), csv->text(),
                                                          tr("CSV 文件 (*.csv)"), nullptr,
                                                          QFileDialog::DontConfirmOverwrite);
        if (!path.isEmpty())
            csv->setText(path);
    });
    auto* target = new QSpinBox(&dialog);
    target->setObjectName(QStringLiteral("TargetCount"));
    target->setRange(0, 1000000);
    target->setSpecialValueText(tr("不限"));
    target->setValue(m_target);
    auto* serial = new QCheckBox(tr("每片写入序列号 (“脱机选项”页的序列号设置)"), &dialog);
    serial->setObjectName(QStringLiteral("SerialStampCheck"));
    serial->setChecked(m_serial);
    auto* csvRow = new QHBoxLayout;
    csvRow->addWidget(csv, 1);
    csvRow->addWidget(browse);
    auto* form = new QFormLayout(&dialog);
    form->addRow(tr("记录文件:"), csvRow);
    form->addRow(tr("目标数量:"), target);
    form->addRow(serial);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(box);
    connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_csvPath = csv->text().trimmed();
    m_serial = serial->isChecked();
    m_target = target->value();
    showCounts();
}
