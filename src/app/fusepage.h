#pragma once
// The page "熔丝选项": bit labels, byte frames and the option tree over the fuse editor.
// The page holds no fuse state of its own: it shows the session's FuseEditor and hands
// every click to it.
#include <QWidget>
#include <array>

struct AppContext;
class FuseBitLabel;
class FuseByteFrame;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

class FusePage : public QWidget {
    Q_OBJECT
  public:
    FusePage(AppContext& app, QWidget* parent = nullptr);

    QTreeWidget* tree() const { return m_tree; }

  private:
    QWidget* buildFrame(int frame);
    void rebuildTree();
    void refreshNames();
    void refresh();
    void onItemChanged(QTreeWidgetItem* item, int column);
    void applyDefault();

    AppContext& m_app;
    std::array<FuseBitLabel*, 32> m_bits{};
    std::array<QLabel*, 32> m_names{};
    std::array<FuseByteFrame*, 4> m_frames{};
    QTreeWidget* m_tree = nullptr;
    bool m_updating = false;
};
