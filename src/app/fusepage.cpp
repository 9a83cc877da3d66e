#include "app/fusepage.h"

#include "app/appcontext.h"
#include "app/fusebitlabel.h"
#include "app/fusebyteframe.h"
#include "app/fuseicons.h"
#include "app/fuseoptiontree.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QColor kShadedRow(205, 218, 204);
const QColor kMarkedOption(205, 0, 0);
} // namespace

FusePage::FusePage(AppContext& app, QWidget* parent) : QWidget(parent), m_app(app) {
    setObjectName(QStringLiteral("FusePage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto* frames = new QHBoxLayout;
    frames->setSpacing(4);
    for (int i = 0; i < 4; ++i)
        frames->addWidget(buildFrame(i), 1);
    layout->addLayout(frames);

    m_tree = new FuseOptionTree(this);
    layout->addWidget(m_tree, 1);

    FuseEditor& fuses = m_app.session.fuses;
    connect(m_tree, &QTreeWidget::itemChanged, this, &FusePage::onItemChanged);
    connect(&fuses, &FuseEditor::changed, this, &FusePage::refresh);
    connect(&fuses, &FuseEditor::optionsReset, this, &FusePage::rebuildTree);

    rebuildTree();
}

QWidget* FusePage::buildFrame(int frame) {
    auto* box = new FuseByteFrame(frame, this);
    box->setToolTip(tr("双击恢复芯片默认熔丝位"));
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 4, 4, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(0);
    // Bit 7 on top, as the data sheets draw a byte.
    for (int row = 0; row < 8; ++row) {
        const int position = frame * 8 + 7 - row;
        auto* name = new QLabel(box);
        name->setObjectName(QStringLiteral("Label1Name_%1").arg(position));
        name->setTextFormat(Qt::PlainText);
        auto* bit = new FuseBitLabel(position, box);
        connect(bit, &FuseBitLabel::clicked, this,
                [this](int p) { m_app.session.fuses.ToggleBit(p); });
        grid->addWidget(name, row, 0);
        grid->addWidget(bit, row, 1);
        m_names[position] = name;
        m_bits[position] = bit;
    }
    grid->setColumnStretch(0, 1);
    connect(box, &FuseByteFrame::doubleClicked, this, [this](int) { applyDefault(); });
    m_frames[frame] = box;
    return box;
}

void FusePage::applyDefault() {
    m_app.session.fuses.ApplyDefault(&m_app.session.log);
}

void FusePage::rebuildTree() {
    m_updating = true;
    m_tree->clear();
    const QIcon icon = fuseOptionIcon();
    QList<QTreeWidgetItem*> items;
    for (const FuseOption& o : m_app.session.fuses.options()) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, o.text);
        item->setToolTip(0, o.text);
        item->setIcon(0, icon);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, o.checked ? Qt::Checked : Qt::Unchecked);
        if (o.shaded)
            item->setBackground(0, kShadedRow);
        if (o.red)
            item->setForeground(0, kMarkedOption);
        items.append(item);
    }
    m_tree->addTopLevelItems(items);
    m_updating = false;
    refreshNames();
    refresh();
}

void FusePage::refreshNames() {
    const FuseEditor& fuses = m_app.session.fuses;
    for (int p = 0; p < 32; ++p) {
        const QString name = fuses.bitName(p);
        m_names[p]->setText(name);
        m_names[p]->setToolTip(name.trimmed());
    }
}

void FusePage::refresh() {
    const FuseEditor& fuses = m_app.session.fuses;
    for (int p = 0; p < 32; ++p) {
        const bool enabled = fuses.bitEnabled(p);
        m_bits[p]->showBit(fuses.bitCaption(p), enabled);
        m_names[p]->setEnabled(enabled);
    }
    for (int i = 0; i < 4; ++i)
        m_frames[i]->setTitle(fuses.frameCaption(i));

    const QVector<FuseOption>& options = fuses.options();
    if (options.size() != m_tree->topLevelItemCount()) {
        rebuildTree();
        return;
    }
    m_updating = true;
    for (int i = 0; i < options.size(); ++i) {
        QTreeWidgetItem* item = m_tree->topLevelItem(i);
        const Qt::CheckState want = options[i].checked ? Qt::Checked : Qt::Unchecked;
        if (item->checkState(0) != want)
            item->setCheckState(0, want);
    }
    m_updating = false;
}

void FusePage::onItemChanged(QTreeWidgetItem* item, int column) {
    if (m_updating || column != 0)
        return;
    const int index = m_tree->indexOfTopLevelItem(item);
    if (index < 0)
        return;
    // One click on a check box is, for the editor, its check event followed by its click
    // event; the keyboard's space bar toggles the same way, so both go through here.
    m_tree->setCurrentItem(item);
    FuseEditor& fuses = m_app.session.fuses;
    fuses.checkEvent(index, item->checkState(0) == Qt::Checked);
    fuses.clickEvent(index);
    refresh();
}
