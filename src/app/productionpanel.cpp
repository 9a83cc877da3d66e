#include "app/productionpanel.h"

#include "app/appcontext.h"
#include "app/apptexts.h"
#include "ops/production.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(m_passLabel);
    row->addWidget(m_failLabel);
    row->addStretch();
    row->addWidget(m_setup);
    row->addWidget(m_stop);
    connect(m_setup, &QPushButton::clicked, this, &ProductionPanel::editSettings);
    connect(m_stop, &QPushButton::clicked, this, &ProductionPanel::stop);
    showCounts();
}

bool ProductionPanel::continuous() const {
    return m_continuous->isChecked();
}

void ProductionPanel::showCounts() {
    m_passLabel->setText(tr("通过: %1").arg(m_passed));
    m_failLabel->setText(tr("失败: %1").arg(m_failed));
    m_failLabel->setStyleSheet(m_failed > 0 ? QStringLiteral("color: rgb(205,0,0);") : QString());
}

void ProductionPanel::stop() {
    if (m_run)
        m_run->stop();
}

void ProductionPanel::run(OpContext& c, const ProgramJob& job) {
    ProductionSettings ps;
    ps.csvPath = m_csvPath;
    ps.serial = job.serial;
    ps.job = job;
    ProductionRun run(c, ps);
    m_run = &run;
    m_passed = m_failed = 0;
    showCounts();
    connect(&run, &ProductionRun::chipDone, this, [this](const ChipRecord& r) {
        ++(r.passed ? m_passed : m_failed);
        showCounts();
    });
    m_stop->setEnabled(true);
    m_setup->setEnabled(false);
    struct Reset { // also when the run ends with a failure of the link
        ProductionPanel* p;
        ~Reset() {
            p->m_run = nullptr;
            p->m_stop->setEnabled(false);
            p->m_setup->setEnabled(true);
        }
    } reset{this};
    run.run();
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
    auto* serial = new QCheckBox(tr("每片写入序列号 (“脱机选项”页的序列号设置)"), &dialog);
    serial->setObjectName(QStringLiteral("SerialStampCheck"));
    serial->setChecked(m_serial);
    auto* csvRow = new QHBoxLayout;
    csvRow->addWidget(csv, 1);
    csvRow->addWidget(browse);
    auto* form = new QFormLayout(&dialog);
    form->addRow(tr("记录文件:"), csvRow);
    form->addRow(serial);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(box);
    connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_csvPath = csv->text().trimmed();
    m_serial = serial->isChecked();
}
