#include "app/imagetab.h"

#include "app/appcontext.h"
#include "app/apptexts.h"
#include "app/filechooser.h"
#include "app/fonts.h"
#include "app/hexlinedelegate.h"
#include "app/hexlinemodel.h"
#include "image/hexview.h"
#include "image/images.h"
#include "image/saver.h"
#include "ops/compare.h"
#include "session/imageslots.h"
#include "session/loader.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

using AppTexts::tr;

namespace {
// A list view whose lines can start a little to the right, under the header's digits.
class HexListView : public QListView {
  public:
    using QAbstractScrollArea::setViewportMargins;
    using QListView::QListView;
};
} // namespace

// Sets each header digit over its byte. The header starts with four U+3000, a line with
// the address and one U+3000; the item draws its text a style margin in from the left.
// Measured in the font at hand, so it holds wherever U+3000 is not two digits wide.
void ImageTab::alignHeader(QLabel* header) {
    const QFontMetrics fm(hexViewFont());
    const int headerLead = fm.horizontalAdvance(QString(4, QChar(0x3000)));
    const int lineLead = fm.horizontalAdvance(QStringLiteral("0000") + QChar(0x3000));
    const int textMargin =
        m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 1;
    const int frame = m_view->frameWidth();
    // Header digit 0 at frame + headerLead; byte 0 at frame + indent + textMargin + lineLead.
    const int indent = headerLead - textMargin - lineLead;
    static_cast<HexListView*>(m_view)->setViewportMargins(qMax(indent, 0), 0, 0, 0);
    header->setContentsMargins(frame + qMax(-indent, 0), 0, 0, 0);
}

bool isImageFileName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toUpper();
    return suffix == u"HEX" || suffix == u"BIN" || suffix == u"EEP" || suffix == u"ELF";
}

static QPushButton* button(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

ImageTab::ImageTab(AppContext& app, Which which, FileChooser& files, QWidget* parent)
    : QWidget(parent), m_app(app), m_which(which), m_files(files) {
    const bool flash = which == Flash;
    setObjectName(flash ? QStringLiteral("FlashTab") : QStringLiteral("EepromTab"));
    setAcceptDrops(true);

    auto* header = new QLabel(hexViewHeader(), this);
    header->setObjectName(flash ? QStringLiteral("FlashHeader") : QStringLiteral("EepromHeader"));
    header->setFont(hexViewFont());
    header->setTextInteractionFlags(Qt::NoTextInteraction);

    buildView();
    alignHeader(header);

    buildFileName();
    QLayout* buttons = buildButtons();

    auto* fileRow = new QHBoxLayout;
    auto* fileLabel = new QLabel(tr("文件:"), this);
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(m_fileName, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(header);
    layout->addWidget(m_view, 1);
    layout->addLayout(fileRow);
    layout->addLayout(buttons);

    connect(&m_app.session, flash ? &Session::flashChanged : &Session::eepromChanged, this,
            &ImageTab::refresh);
    connect(&m_app.session, &Session::verifyReported, this, [this](int memory) {
        if (memory == m_which)
            showDiff();
    });
    refresh();
}

void ImageTab::buildView() {
    const bool flash = m_which == Flash;
    m_model = new HexLineModel(this);
    m_view = new HexListView(this);
    m_view->setObjectName(flash ? QStringLiteral("RichTextFLASH")
                                : QStringLiteral("RichTextEEPROM"));
    m_view->setModel(m_model);
    m_view->setItemDelegate(new HexLineDelegate(m_view));
    m_view->setFont(hexViewFont());
    m_view->setUniformItemSizes(true); // every line is as high as the first: no measuring
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setAlternatingRowColors(true);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void ImageTab::buildFileName() {
    const bool flash = m_which == Flash;
    m_fileName = new QLineEdit(this);
    m_fileName->setObjectName(flash ? QStringLiteral("FileNameText_0")
                                    : QStringLiteral("FileNameText_1"));
    m_fileName->setPlaceholderText(flash ? tr("FLASH 文件 (也可把文件拖到这里)")
                                         : tr("EEPROM 文件 (也可把文件拖到这里)"));
    m_fileName->setClearButtonEnabled(false);
    connect(m_fileName, &QLineEdit::textEdited, this, &ImageTab::fileNameEdited);
}

// Open, save as, compare and next difference on the left, clear on the right.
QLayout* ImageTab::buildButtons() {
    const bool flash = m_which == Flash;
    auto* open = button(this, flash ? QStringLiteral("OpenFFile") : QStringLiteral("OpenEFile"),
                        flash ? tr("打开FLASH") : tr("打开EEPROM"));
    auto* save = button(this, flash ? QStringLiteral("SaveFlash") : QStringLiteral("SaveEEPROM"),
                        tr("另存为"));
    auto* clear = button(this, flash ? QStringLiteral("ClearFLASH") : QStringLiteral("ClearEEPROM"),
                         flash ? tr("清空FLASH数据") : tr("清空EEPROM数据"));
    connect(open, &QPushButton::clicked, this, &ImageTab::openClicked);
    connect(save, &QPushButton::clicked, this, &ImageTab::saveClicked);
    connect(clear, &QPushButton::clicked, this, &ImageTab::clearClicked);
    auto* compare =
        button(this, flash ? QStringLiteral("CompareFLASH") : QStringLiteral("CompareEEPROM"),
               tr("与芯片比较"));
    compare->setToolTip(tr("读出芯片并与缓冲区比较, 不写入"));
    auto* next =
        button(this, flash ? QStringLiteral("NextDiffFLASH") : QStringLiteral("NextDiffEEPROM"),
               tr("下一处不同"));
    next->setToolTip(tr("转到下一处与芯片不同的数据 (F3)"));
    connect(compare, &QPushButton::clicked, this, &ImageTab::compareClicked);
    connect(next, &QPushButton::clicked, this, [this] { nextDiff(); });
    auto* key = new QShortcut(QKeySequence(Qt::Key_F3), this);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    connect(key, &QShortcut::activated, this, [this] { nextDiff(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addWidget(save);
    buttons->addWidget(compare);
    buttons->addWidget(next);
    buttons->addStretch();
    buttons->addWidget(clear);
    return buttons;
}

void ImageTab::refresh() {
    const Session& s = m_app.session;
    const QString& image = m_which == Flash ? s.FlashBufferText : s.EepromBufferText;
    // Hidden while it is refilled, shown again after the last line.
    m_view->setUpdatesEnabled(false);
    m_model->setLines(hexViewLines(image));
    m_view->setUpdatesEnabled(true);
    if (m_fileName->text() != s.fileName[m_which])
        m_fileName->setText(s.fileName[m_which]);
}

void ImageTab::showDiff() {
    const ImageDiff& d = m_app.session.lastVerify[m_which];
    m_model->setDiff(d.ranges, d.chipText);
    m_view->viewport()->update();
    const int first = m_model->nextDiffLine(-1);
    if (first >= 0) {
        m_view->setCurrentIndex(m_model->index(first));
        m_view->scrollTo(m_model->index(first), QAbstractItemView::PositionAtCenter);
    }
}

bool ImageTab::nextDiff() {
    const int line =
        m_model->nextDiffLine(m_view->currentIndex().isValid() ? m_view->currentIndex().row() : -1);
    if (line < 0)
        return false;
    const QModelIndex at = m_model->index(line);
    m_view->setCurrentIndex(at);
    m_view->scrollTo(at, QAbstractItemView::PositionAtCenter);
    return true;
}

void ImageTab::compareClicked() {
    OpContext c = m_app.op();
    const bool flash = m_which == Flash;
    runOperation(c, flash ? OpId::CompareFlash : OpId::CompareEeprom,
                 [&] { CompareChip(c, flash, !flash); });
}

void ImageTab::fileNameEdited(const QString& text) {
    m_app.session.fileName[m_which] = text;
}

void ImageTab::loadFile(const QString& path) {
    Session& s = m_app.session;
    QString copy = path; // the loader upper-cases its copy; the box keeps the path as chosen
    const LoadResult result =
        m_which == Flash ? LoadFlashFile(s, m_app.ui, copy) : LoadEepromFile(s, m_app.ui, copy);
    // A load that failed changed nothing: the view, the box and the size panel go on showing
    // the image that is still there.
    if (result != LoadResult::Loaded) {
        refresh();
        return;
    }
    s.fileName[m_which] = path;
    if (m_which == Flash)
        s.notifyFlash();
    else
        s.notifyEeprom();
}

void ImageTab::openClicked() {
    const QString path =
        m_files.open(window(), m_which == Flash ? tr("打开FLASH") : tr("打开EEPROM"),
                     m_which == Flash ? AppTexts::flashOpenFilter() : AppTexts::eepromOpenFilter());
    if (path.isEmpty())
        return;
    loadFile(path);
}

void ImageTab::saveClicked() {
    const QString path = m_files.save(window(), tr("另存为"), AppTexts::saveFilter());
    if (path.isEmpty())
        return;
    const Session& s = m_app.session;
    const QString SaveBufferText = m_which == Flash ? s.FlashBufferText : s.EepromBufferText;
    QString error;
    // A file that could not be written is worth a word: the user would otherwise think the
    // image safe on disk.
    if (!WriteImageFile(path, SaveBufferText, &error)) {
        m_app.ui.warning(Texts::warningTitle(),
                         tr("文件无法写入: %1").arg(QDir::toNativeSeparators(path)) +
                             (error.isEmpty() ? QString() : u'\n' + error));
        return;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool hex = suffix == u"hex" || suffix == u"eep";
    m_app.session.log.logMessage(
        tr("%1已另存为 %2 (%3 字节, %4)")
            .arg(m_which == Flash ? QStringLiteral("FLASH") : QStringLiteral("EEPROM"),
                 QFileInfo(path).fileName())
            .arg(SaveBufferText.size() / 2)
            .arg(hex ? QStringLiteral("Intel HEX") : tr("二进制")));
}

void ImageTab::clearClicked() {
    if (m_which == Flash)
        ClearFlash(m_app.session);
    else
        ClearEeprom(m_app.session);
    m_fileName->clear();
    refresh();
}

void ImageTab::dragEnterEvent(QDragEnterEvent* event) {
    // An operation may be writing or comparing this image: no new one meanwhile.
    if (m_app.link.busy())
        return;
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile() &&
        isImageFileName(urls.first().toLocalFile()))
        event->acceptProposedAction();
}

void ImageTab::dropEvent(QDropEvent* event) {
    if (m_app.link.busy())
        return;
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return;
    const QString path = urls.first().toLocalFile();
    if (!isImageFileName(path))
        return;
    event->acceptProposedAction();
    if (m_which == Flash && QFileInfo(path).suffix().toUpper() == u"EEP")
        Q_EMIT eepromFileDropped(path);
    else
        loadFile(path);
}
