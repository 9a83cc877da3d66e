#pragma once
// The number converter of the offline page: the initial serial number in hexadecimal
// (Text2) and in decimal (Text3), converting through a binary digit string (Text4), and the
// hexadecimal key filter of the four address boxes Text5 ... Text8.
#include <QObject>
#include <QString>
#include <array>

struct OfflinePanel;

// True for the empty text and for texts of "0123456789ABCDEF" (either case) only.
bool IsHexText(const QString& text);
// True for the empty text and for texts of "0123456789" only.
bool IsDecimalText(const QString& text);
// Four binary digits per hexadecimal digit; "" for "". Characters that are no hex digit
// give "" as a whole.
QString HexToBinary(const QString& hex);
// The number the binary digits stand for. *ok (when given) is false when the string holds
// anything but "0"/"1" or more than 64 significant digits (the result is then 0).
quint64 BinaryToDecimal(const QString& binary, bool* ok = nullptr);
// Repeated halving; 0 gives "0". A number with a fractional part (or a negative one, or one
// beyond 2^64) gives "" and sets *refused; the box shows "Only Whole Numbers can be
// converted" then.
QString DecimalToBinary(double number, bool* refused = nullptr);
QString DecimalToBinary(quint64 number);
// Left-padded with "0" to a multiple of four, each group one upper-case hex digit.
QString BinaryToHex(const QString& binary);

// The key rules of the six boxes, working on the offline page's values.
//   keyDown(box, caret)       keeps the undo copy (the box's text now) and the caret;
//   edit(box, text, caret)    the box's text changed: a text that fails the box's test
//                             (IsHexText / IsDecimalText, its length, for Text2/Text3 a
//                             value above FFFFFFFF = 4294967295) is undone: the model keeps
//                             the undo copy and emits boxChanged with it and the caret;
//   keyUp(box, caret)         Text2: decimal box = its value; Text3: hex box = its value;
//                             Text5..Text8 (and Text2): upper case, caret kept.
class NumberConverter : public QObject {
    Q_OBJECT
  public:
    enum Box { Hex = 0, Decimal, SerialFlash, SerialEeprom, CalFlash, CalEeprom, BoxCount };
    Q_ENUM(Box)

    static constexpr int MaxHexDigits = 8;      // Text2
    static constexpr int MaxDecimalDigits = 10; // Text3
    static constexpr int MaxAddressDigits = 4;  // Text5 ... Text8
    static constexpr quint64 MaxValue = 0xFFFFFFFFull;

    explicit NumberConverter(OfflinePanel& panel, QObject* parent = nullptr);

    // objectName of the box's control: "Text2", "Text3", "Text5" ... "Text8".
    static QString controlName(Box box);
    // Whether text may stand in the box (the test a change must pass).
    static bool accepts(Box box, const QString& text);

    QString text(Box box) const;
    QString binaryText() const { return m_binary; } // Text4
    int caret(Box box) const { return m_caret[box]; }

    void keyDown(Box box, int caret);
    // Returns false when the change was undone.
    bool edit(Box box, const QString& text, int caret);
    void keyUp(Box box, int caret);
    // Sets the hexadecimal value and the decimal box from it (read-back, stored settings).
    void setHex(const QString& hex);

  Q_SIGNALS:
    // The box must show text with the caret at caret (undo, conversion, upper case).
    void boxChanged(NumberConverter::Box box, const QString& text, int caret);
    // "Only Whole Numbers can be converted"
    void refused(const QString& message);

  private:
    QString& field(Box box);
    const QString& field(Box box) const;
    void show(Box box, const QString& text, int caret);

    OfflinePanel& m_panel;
    QString m_binary;
    std::array<QString, BoxCount> m_undo;
    std::array<int, BoxCount> m_caret{};
    std::array<bool, BoxCount> m_haveUndo{};
};
