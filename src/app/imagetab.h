#pragma once
// The "FLASH" and "EEPROM" tabs: the header label, the hex view, the file-name box and
// the open, save-as and clear buttons. A .hex/.bin/.eep/.elf file dropped on the tab is
// loaded. After a verify or compare that found differences the view marks them; "下一处不同"
// (F3) moves to the next one.
#include <QWidget>

struct AppContext;
struct FileChooser;
class HexLineModel;
class QLabel;
class QLayout;
class QLineEdit;
class QListView;

class ImageTab : public QWidget {
    Q_OBJECT
  public:
    enum Which { Flash = 0, Eeprom = 1 };
    ImageTab(AppContext& app, Which which, FileChooser& files, QWidget* parent = nullptr);

    // Loads path into this tab's image as the open button does (box keeps the path as given).
    void loadFile(const QString& path);
    // Shows the image, the file name and the size as the session holds them.
    void refresh();
    // Marks the differences of the session's last verify of this memory and scrolls to
    // the first.
    void showDiff();
    // Selects the next line with a differing byte (wrapping round); false when none.
    bool nextDiff();

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  Q_SIGNALS:
    // An EEP file was dropped on the flash tab: it belongs to the EEPROM image.
    void eepromFileDropped(const QString& path);

  private:
    void buildView();
    void buildFileName();
    QLayout* buildButtons();
    void alignHeader(QLabel* header);
    void openClicked();
    void saveClicked();
    void clearClicked();
    void compareClicked();
    void fileNameEdited(const QString& text);

    AppContext& m_app;
    Which m_which;
    FileChooser& m_files;
    HexLineModel* m_model;
    QListView* m_view;
    QLineEdit* m_fileName;
};

// True for the file kinds the tabs take: .hex, .bin, .eep and .elf, in any letter case.
bool isImageFileName(const QString& path);
