#include "offline/numberconverter.h"

#include "offline/offlinetexts.h"
#include "session/session.h"

#include <cmath>

namespace {
int hexDigitValue(QChar ch) {
    const char16_t u = ch.toUpper().unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}
} // namespace

bool IsHexText(const QString& text) {
    for (QChar ch : text)
        if (hexDigitValue(ch) < 0)
            return false;
    return true;
}

bool IsDecimalText(const QString& text) {
    for (QChar ch : text)
        if (ch < u'0' || ch > u'9')
            return false;
    return true;
}

QString HexToBinary(const QString& hex) {
    QString out;
    out.reserve(hex.size() * 4);
    for (QChar ch : hex) {
        const int v = hexDigitValue(ch);
        if (v < 0)
            return {};
        for (int bit = 3; bit >= 0; --bit)
            out += (v >> bit) & 1 ? u'1' : u'0';
    }
    return out;
}

quint64 BinaryToDecimal(const QString& binary, bool* ok) {
    quint64 value = 0;
    int significant = 0;
    for (QChar ch : binary) {
        if (ch != u'0' && ch != u'1') {
            if (ok)
                *ok = false;
            return 0;
        }
        if (significant > 0 || ch == u'1')
            ++significant;
        if (significant > 64) {
            if (ok)
                *ok = false;
            return 0;
        }
        value = (value << 1) | (ch == u'1' ? 1u : 0u);
    }
    if (ok)
        *ok = true;
    return value;
}

QString DecimalToBinary(quint64 number) {
    if (number == 0)
        return QStringLiteral("0");
    QString out;
    while (number > 0) {
        out.prepend(number % 2 ? u'1' : u'0');
        number /= 2;
    }
    return out;
}

QString DecimalToBinary(double number, bool* refused) {
    // 2^64 is the first value a quint64 cannot hold.
    const bool whole = std::isfinite(number) && number >= 0 && std::floor(number) == number &&
                       number < 18446744073709551616.0;
    if (refused)
        *refused = !whole;
    if (!whole)
        return {};
    return DecimalToBinary(static_cast<quint64>(number));
}

QString BinaryToHex(const QString& binary) {
    QString padded = binary;
    if (padded.size() % 4)
        padded.prepend(QString(4 - padded.size() % 4, u'0'));
    QString out;
    for (int i = 0; i < padded.size(); i += 4) {
        int v = 0;
        for (int k = 0; k < 4; ++k)
            v = v * 2 + (padded.at(i + k) == u'1' ? 1 : 0);
        out += QChar(u"0123456789ABCDEF"[v]);
    }
    return out;
}

NumberConverter::NumberConverter(OfflinePanel& panel, QObject* parent)
    : QObject(parent), m_panel(panel) {
    m_binary = HexToBinary(m_panel.initialHex);
}

QString NumberConverter::controlName(Box box) {
    static const char* const names[BoxCount] = {"Text2", "Text3", "Text5",
                                                "Text6", "Text7", "Text8"};
    return QString::fromLatin1(names[box]);
}

bool NumberConverter::accepts(Box box, const QString& text) {
    switch (box) {
    case Hex: {
        if (!IsHexText(text) || text.size() > MaxHexDigits)
            return false;
        return true; // eight hex digits never exceed FFFFFFFF
    }
    case Decimal:
        return IsDecimalText(text) && text.size() <= MaxDecimalDigits &&
               (text.isEmpty() || text.toULongLong() <= MaxValue);
    default:
        return IsHexText(text) && text.size() <= MaxAddressDigits;
    }
}

QString& NumberConverter::field(Box box) {
    switch (box) {
    case Hex:
        return m_panel.initialHex;
    case Decimal:
        return m_panel.initialDecimal;
    case SerialFlash:
        return m_panel.serialFlashAddress;
    case SerialEeprom:
        return m_panel.serialEepromAddress;
    case CalFlash:
        return m_panel.calFlashAddress;
    default:
        return m_panel.calEepromAddress;
    }
}

const QString& NumberConverter::field(Box box) const {
    return const_cast<NumberConverter*>(this)->field(box);
}

QString NumberConverter::text(Box box) const {
    return field(box);
}

void NumberConverter::show(Box box, const QString& text, int caret) {
    field(box) = text;
    m_caret[box] = qBound(0, caret, int(text.size()));
    Q_EMIT boxChanged(box, text, m_caret[box]);
}

void NumberConverter::keyDown(Box box, int caret) {
    m_undo[box] = field(box);
    m_caret[box] = caret;
    m_haveUndo[box] = true;
}

bool NumberConverter::edit(Box box, const QString& text, int caret) {
    if (accepts(box, text)) {
        field(box) = text;
        m_caret[box] = caret;
        // The number is the one typed, whichever box it was typed in: the other box follows
        // at once, not only at the key's release (which a paste, an input method or a
        // release that lands elsewhere never brings).
        if (box == Hex) {
            m_binary = HexToBinary(text);
            show(Decimal, text.isEmpty() ? QString() : QString::number(BinaryToDecimal(m_binary)),
                 m_caret[Decimal]);
        } else if (box == Decimal) {
            m_binary = text.isEmpty() ? QString() : DecimalToBinary(text.toULongLong());
            show(Hex, BinaryToHex(m_binary), m_caret[Hex]);
        }
        return true;
    }
    // A change without a key down before it (pasted text) goes back to the last good text.
    const QString undo = m_haveUndo[box] ? m_undo[box] : field(box);
    const int undoCaret = m_haveUndo[box] ? m_caret[box] : int(undo.size());
    if (!accepts(box, undo))
        show(box, QString(), 0);
    else
        show(box, undo, undoCaret);
    return false;
}

void NumberConverter::keyUp(Box box, int caret) {
    m_haveUndo[box] = false;
    switch (box) {
    case Hex: {
        m_binary = HexToBinary(m_panel.initialHex);
        const QString dec = QString::number(BinaryToDecimal(m_binary));
        show(Decimal, dec, int(dec.size()));
        show(Hex, m_panel.initialHex.toUpper(), caret);
        break;
    }
    case Decimal: {
        const QString dec = m_panel.initialDecimal;
        if (dec.isEmpty()) {
            m_binary.clear();
            show(Hex, QString(), 0);
            break;
        }
        bool notWhole = false;
        m_binary = DecimalToBinary(dec.toDouble(), &notWhole);
        if (notWhole) {
            Q_EMIT refused(OfflineTexts::wholeNumbersOnly());
            break;
        }
        show(Hex, BinaryToHex(m_binary), m_caret[Hex]);
        break;
    }
    default:
        show(box, field(box).toUpper(), caret);
        break;
    }
}

void NumberConverter::setHex(const QString& hex) {
    const QString h = accepts(Hex, hex) ? hex.toUpper() : QString();
    m_binary = HexToBinary(h);
    show(Hex, h, int(h.size()));
    show(Decimal, QString::number(BinaryToDecimal(m_binary)), 0);
}
