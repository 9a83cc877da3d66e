#pragma once
// The page "编程选项": the ten program options CheckPRO, the calibration panel "校准选项"
// and the single-byte panel "读写数据". It shows the session's panel values and writes the
// user's edits back into them; the buttons' operations run through the window.
#include <QWidget>
#include <array>

struct AppContext;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

class OptionsPage : public QWidget {
    Q_OBJECT
public:
    OptionsPage(AppContext& app, QWidget* parent = nullptr);
    // Shows the session's options, calibration and single-byte values.
    void refresh();

Q_SIGNALS:
    void readCalibrationRequested();  // ReadOA
    void writeCalibrationRequested(); // WriteOA_Command
    void writeSingleRequested(int row);
    void readSingleRequested(int row);

private:
    QWidget* buildOptions();
    QWidget* buildCalibration();
    QWidget* buildSingleBytes();
    void calAddressEdited(int which);
    void calBarMoved(int which, int value);
    void singleAddressEdited(int row);
    void singleBarMoved(int row, int value);

    AppContext& m_app;
    std::array<QCheckBox*, 10> m_options{};
    std::array<QLabel*, 4> m_slotLabel{};
    std::array<QRadioButton*, 4> m_slot{};
    std::array<QRadioButton*, 2> m_target{};
    std::array<QLineEdit*, 2> m_calAddress{};
    std::array<QScrollBar*, 2> m_calBar{};
    QPushButton* m_writeOA = nullptr;
    std::array<QLineEdit*, 2> m_address{};
    std::array<QScrollBar*, 2> m_addressBar{};
    std::array<QLineEdit*, 2> m_data{};
    bool m_refreshing = false;
};

// The program options' captions, CheckPRO(0) first.
QStringList programOptionCaptions();
