#include "fuses/fuseeditor.h"

#include "core/messagelog.h"
#include "fuses/fusedescription.h"
#include "fuses/fusetexts.h"

#include <QFile>
#include <QFileInfo>

namespace {

// "1" and "*" count as 1; anything else as 0.
bool readsAsOne(QChar c) {
    return c == u'1' || c == u'*';
}

// The bits of text (most significant first) as a number, "*" read as 1.
uint bitsValue(QStringView text) {
    uint v = 0;
    for (QChar c : text)
        v = (v << 1) | (readsAsOne(c) ? 1u : 0u);
    return v;
}

QString binaryDigits(uint value, int width) {
    return QString::number(value, 2).rightJustified(width, u'0');
}

QString hex4(uint value) {
    return QString::number(value, 16).toUpper().rightJustified(4, u'0');
}

QChar charAt(const QString& text, int index) {
    return index >= 0 && index < text.size() ? text[index] : QChar();
}

} // namespace

FuseEditor::FuseEditor(QObject* parent) : QObject(parent) {
    m_captions.fill(QStringLiteral("1"));
    m_enabled.fill(true);
    ComputeFuseBytes();
}

bool FuseEditor::isFuseBitText(const QString& text) {
    if (text.size() != 32)
        return false;
    for (QChar c : text)
        if (c != u'0' && c != u'1' && c != u'*')
            return false;
    return true;
}

bool FuseEditor::LoadFuseDescription(const QString& fileName, MessageLog* log) {
    m_options.clear();
    m_pendingIndex = 0;
    m_selectedNode = -1;
    // Nothing of the previous chip's file may stay: its default would be offered (and
    // written) as this chip's, its names would label this chip's bits.
    m_hasDescription = false;
    m_descriptionFile = fileName;
    m_default = QString(32, u'1');
    m_names.fill(QString());
    auto report = [&](const QString& what) {
        if (log)
            log->logMessage(FuseTexts::fileProblem(fileName, what));
    };
    auto done = [&](bool loaded) {
        Q_EMIT optionsReset();
        Q_EMIT changed();
        return loaded;
    };

    const QString path = m_setFolder + u'/' + fileName;
    const QFileInfo info(path);
    if (!info.isFile())
        return done(false);
    if (info.size() > MaxFileBytes) {
        report(FuseTexts::tooLarge(info.size()));
        return done(false);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report(FuseTexts::unreadable(file.errorString()));
        return done(false);
    }
    const FuseDescription d = parseFuseDescription(file.read(MaxFileBytes + 1));
    for (const QString& problem : d.problems)
        report(problem);
    if (d.refused)
        return done(false);
    if (d.hasDefault) {
        m_default = d.defaultText;
        m_hasDescription = true;
    }
    for (int i = 0; i < d.names.size(); ++i)
        m_names[31 - i] = d.names[i];
    m_options = d.options;
    for (int i = 0; i < m_options.size(); ++i) {
        m_options[i].shaded = i % 2 == 0; // the 1st, 3rd, ... node
        m_options[i].checked = false;
    }
    return done(true);
}

bool FuseEditor::ApplyDefault(MessageLog* log) {
    if (!m_hasDescription) {
        if (log)
            log->logMessage(FuseTexts::noDescription(m_descriptionFile));
        return false;
    }
    ApplyFuseText(m_default);
    return true;
}

QString FuseEditor::fuseText() const {
    QString t;
    for (int p = 31; p >= 0; --p)
        t += m_captions[p];
    return t;
}

void FuseEditor::setCaption(int position, const QString& caption) {
    m_captions[position] = caption;
    m_red[position] = caption != u"1";
}

void FuseEditor::finishChange() {
    ComputeFuseBytes();
    SyncTreeFromBits();
    Q_EMIT changed();
}

void FuseEditor::ApplyFuseText(const QString& text) {
    for (int p = 31; p >= 0; --p) {
        const QChar c = charAt(text, 31 - p);
        setCaption(p, c.isNull() ? QString() : QString(c));
        const bool missing = charAt(m_default, 31 - p) == u'*';
        if (missing)
            m_captions[p] = QStringLiteral("*"); // keeps the colour of the text's character
        m_enabled[p] = !missing;
    }
    finishChange();
}

void FuseEditor::ComputeFuseBytes() {
    const QString prefix[4] = {FuseTexts::lowFrame(), FuseTexts::highFrame(), FuseTexts::extFrame(),
                               FuseTexts::lockFrame()};
    for (int b = 0; b < 4; ++b) {
        uint v = 0;
        for (int k = 7; k >= 0; --k) {
            const QString& c = m_captions[b * 8 + k];
            v = (v << 1) | (c.size() == 1 && readsAsOne(c[0]) ? 1u : 0u);
        }
        m_bytes[b] = quint8(v);
        m_frames[b] = prefix[b] + QString::number(v, 16).toUpper().rightJustified(2, u'0') + u']';
    }
}

QString FuseEditor::frameDigits(int frame) const {
    // The two digits stand right after the "[" of the caption.
    const QString& caption = m_frames[frame];
    const qsizetype bracket = caption.indexOf(u'[');
    return caption.mid(bracket + 1, 2);
}

int FuseEditor::nodeForSingleBit(const QString& kind, const QString& maskText) const {
    for (int i = 0; i < m_options.size(); ++i) {
        const QString& key = m_options[i].key;
        if (key.left(3) == kind && key.mid(5, 4) == maskText)
            return i;
    }
    return -1;
}

void FuseEditor::SyncTreeFromBits() {
    // Single bits: the first node with the bit's mask is checked when the bit is programmed.
    for (int n = 0; n < 24; ++n) {
        const bool word = n < 16;
        const QString mask = hex4(word ? 0xFFFFu - (1u << n) : 0xFFu - (1u << (n - 16)));
        const int node =
            nodeForSingleBit(word ? QStringLiteral("FSB") : QStringLiteral("FSE"), mask);
        if (node >= 0)
            m_options[node].checked = m_captions[n] == u"0";
    }

    // Groups: a choice is checked when the field's bits equal its value.
    struct GroupKind {
        const char16_t* kind;
        int width;
        int top;
    };
    static const GroupKind kinds[3] = {{u"FDB", 16, 15}, {u"FDE", 8, 23}, {u"FDL", 8, 31}};
    for (const GroupKind& g : kinds) {
        const QString kind = QString::fromUtf16(g.kind);
        QStringList masks;
        for (const FuseOption& o : m_options) {
            if (o.key.left(3) != kind || masks.size() >= MaxGroupChoices)
                continue;
            const QString m = o.key.mid(5, 4);
            masks << (masks.contains(m) ? QString() : m);
        }
        for (const QString& m : masks) {
            if (m.isEmpty())
                continue;
            const QString maskBits = binaryDigits(m.toUInt(nullptr, 16), g.width);
            QString field(maskBits.size(), u'0');
            for (int d = 0; d < maskBits.size(); ++d) {
                const int position = g.top - d;
                if (maskBits[d] == u'0' && position >= 0 && position < 32 &&
                    !m_captions[position].isEmpty())
                    field[d] = m_captions[position][0];
            }
            bool plain = true;
            for (QChar c : field)
                plain = plain && (c == u'0' || c == u'1');
            const uint v = plain ? field.toUInt(nullptr, 2) : 0;
            const QString choice = m + u'/' + hex4(v);
            for (FuseOption& o : m_options) {
                if (!o.key.contains(m))
                    continue;
                o.checked = o.key.contains(choice);
            }
        }
    }
}

void FuseEditor::ToggleBit(int position) {
    if (position < 0 || position > 31 || !m_enabled[position])
        return;
    setCaption(position, m_captions[position] == u"1" ? QStringLiteral("0") : QStringLiteral("1"));
    finishChange();
}

void FuseEditor::ApplyOption(int nodeIndex) {
    if (nodeIndex < 0 || nodeIndex >= m_options.size())
        return;
    const QString key = m_options[nodeIndex].key;
    const QString kind = key.left(3);
    const qsizetype slash = key.indexOf(u'/');
    const QString maskText = key.mid(5, slash - 5);
    const uint mask = maskText.toUInt(nullptr, 16);
    const uint value = key.right(4).toUInt(nullptr, 16);
    // Positions that have no caption read as 0, so every range below has its full width.
    QString bits;
    for (int p = 31; p >= 0; --p)
        bits += m_captions[p].isEmpty() ? QChar(u'0') : m_captions[p][0];
    uint w = bitsValue(QStringView(bits).mid(16, 16));
    uint e = bitsValue(QStringView(bits).mid(8, 8));
    const bool checked = m_options[nodeIndex].checked;

    auto selectInGroup = [&] {
        m_options[nodeIndex].checked = true;
        for (int j = 0; j < m_options.size(); ++j)
            if (m_options[j].key.mid(5, maskText.size()) == maskText)
                m_options[j].checked = j == m_selectedNode;
    };

    QString next;
    if (kind == u"FSB") {
        w &= mask;
        if (!checked)
            w |= mask ^ 0xFFFFu;
        next = bits.left(16) + binaryDigits(w & 0xFFFFu, 16);
    } else if (kind == u"FSE") {
        e &= mask;
        if (!checked)
            e |= mask ^ 0xFFu;
        next = bits.left(8) + binaryDigits(e & 0xFFu, 8) + bits.mid(16);
    } else if (kind == u"FDB") {
        selectInGroup();
        w = (w & mask) | value;
        next = bits.left(16) + binaryDigits(w & 0xFFFFu, 16);
    } else if (kind == u"FDE") {
        selectInGroup();
        e = (e & mask) | value;
        next = bits.left(8) + binaryDigits(e & 0xFFu, 8) + bits.mid(16);
    } else if (kind == u"FDL") {
        uint l = bitsValue(QStringView(bits).mid(2, 6));
        for (int j = 0; j < m_options.size(); ++j) {
            FuseOption& o = m_options[j];
            if (j != nodeIndex && o.key.left(3) == kind && o.key.mid(5, 4) == maskText &&
                o.checked) {
                o.checked = false;
                break;
            }
        }
        l = (l & mask) | value;
        next = binaryDigits(l & 0xFFu, 8) + bits.mid(8);
    } else {
        Q_EMIT changed();
        return;
    }
    for (int i = 0; i < 32; ++i)
        if (bits[i] == u'*')
            next[i] = u'*';
    ApplyFuseText(next);
}

void FuseEditor::checkEvent(int nodeIndex, bool checked) {
    if (nodeIndex < 0 || nodeIndex >= m_options.size())
        return;
    m_options[nodeIndex].checked = checked;
    m_selectedNode = nodeIndex;
    m_pendingIndex = nodeIndex + 1;
    ApplyOption(nodeIndex);
}

void FuseEditor::clickEvent(int nodeIndex) {
    (void)nodeIndex; // the node of the check event that went before decides
    const int pending = m_pendingIndex;
    m_pendingIndex = 0;
    if (pending == 0 || pending > m_options.size())
        return;
    FuseOption& o = m_options[pending - 1];
    if (o.key.size() >= 2 && o.key[1] == u'D' && !o.checked) {
        o.checked = true;
        Q_EMIT changed();
    }
}
