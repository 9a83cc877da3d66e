#pragma once
// The page "脱机选项": stand-alone programming settings, upload, fuse table, serial number.
// The page shows the session's OfflinePanel and writes every change back into it; the
// number boxes go through the number converter's key rules.
#include "core/ui.h"

#include <QWidget>
#include <array>
#include <functional>

#include "offline/numberconverter.h"

struct AppContext;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

class OfflinePage : public QWidget {
    Q_OBJECT
  public:
    OfflinePage(AppContext& app, QWidget* parent = nullptr);

    NumberConverter& converter() { return m_converter; }

  Q_SIGNALS:
    // "试验": the chip menu of the toolbar gets this entry.
    void chipMenuEntryRequested(const QString& name);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* buildSteps();
    QWidget* buildCalibration();
    QWidget* buildSerial();
    QWidget* buildButtons();
    QLineEdit* numberBox(NumberConverter::Box box, int maxLength);
    QPushButton* button(const QString& name, const QString& caption, const QString& tip);
    void refresh();
    void setIncrement(int value);
    void onBoxChanged(NumberConverter::Box box, const QString& text, int caret);
    void onBoxEdited(NumberConverter::Box box, const QString& text);
    void runOp(OpId id, const std::function<void()>& body);

    AppContext& m_app;
    NumberConverter m_converter;
    std::array<QCheckBox*, 8> m_steps{};
    QRadioButton* m_calFlash = nullptr;       // Option7
    QRadioButton* m_calEeprom = nullptr;      // Option8
    std::array<QRadioButton*, 4> m_calSlot{}; // LeavePC_OA(0..3)
    QRadioButton* m_serialFlash = nullptr;    // Option5
    QRadioButton* m_serialEeprom = nullptr;   // Option6
    std::array<QLineEdit*, NumberConverter::BoxCount> m_boxes{};
    std::array<bool, NumberConverter::BoxCount> m_keyHeld{};
    QLineEdit* m_increment = nullptr;     // Text9
    QScrollBar* m_incrementBar = nullptr; // VScroll4
    bool m_updating = false;
};
