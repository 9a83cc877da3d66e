#pragma once
// The option tree of the fuse page (TreeView1): a flat list of check boxes whose long
// captions wrap at the tree's width instead of running off its edge, so every option of
// every chip can be read at the window's size.
#include <QTreeWidget>

class QStyleOptionViewItem;

// Where the style draws a row's caption, and how tall the caption is when wrapped at width.
QRect fuseOptionTextRect(const QStyleOptionViewItem& option, const QWidget* widget);
int wrappedTextHeight(const QString& text, const QFont& font, int width);

class FuseOptionTree : public QTreeWidget {
    Q_OBJECT
  public:
    explicit FuseOptionTree(QWidget* parent = nullptr);

  protected:
    void resizeEvent(QResizeEvent* event) override;
};
