#pragma once
// The fuse editor as a model: the 32 bit labels (the master copy of the fuse image), their
// names, the four byte frames and the option list with its check marks.
// Positions: 0-7 low fuse, 8-15 high fuse, 16-23 extended fuse, 24-31 lock byte.
#include <QObject>
#include <QString>
#include <QVector>
#include <array>

class MessageLog;

struct FuseOption {
    QString key;         // 14 characters, e.g. "FSB01FEFF/0000"
    QString text;        // caption, without the red mark
    bool red = false;    // marked risky: shown in RGB(205,0,0)
    bool shaded = false; // odd rows (1st, 3rd, ...) get the background RGB(205,218,204)
    bool checked = false;
};

class FuseEditor : public QObject {
    Q_OBJECT
  public:
    explicit FuseEditor(QObject* parent = nullptr);

    // Folder that holds the description files (the program folder + "/Set").
    void setSetFolder(const QString& folder) { m_setFolder = folder; }
    const QString& setFolder() const { return m_setFolder; }
    // fileName: chip name + ".FUS". Clears the option list, the default and the bit names
    // first: a missing or refused file leaves them empty (the default reads all 1) and
    // hasDescription() false. Malformed option lines and repeated keys are skipped and, when
    // log is given, logged. Returns false when the file is missing or refused.
    bool LoadFuseDescription(const QString& fileName, MessageLog* log = nullptr);
    // True when the current chip's description file was read: only then is there a default
    // to apply or write.
    bool hasDescription() const { return m_hasDescription; }
    const QString& descriptionFile() const { return m_descriptionFile; }
    // Shows the chip's default fuse bits; without a description says so in the log and
    // changes nothing (false).
    bool ApplyDefault(MessageLog* log);

    const QString& defaultFuseText() const { return m_default; }
    QString bitName(int position) const { return m_names[position]; }
    QString bitCaption(int position) const { return m_captions[position]; }
    bool bitEnabled(int position) const { return m_enabled[position]; }
    // Text colour of a bit value label: red RGB(240,0,0) when its character read as 0.
    bool bitRed(int position) const { return m_red[position]; }
    // The captions of Label1(31) ... Label1(0) joined.
    QString fuseText() const;

    void ApplyFuseText(const QString& text);
    void ComputeFuseBytes();
    void SyncTreeFromBits();
    void ToggleBit(int position);
    void ApplyOption(int nodeIndex); // 0-based node index

    // The tree's events for one click on a check box: first the check event (the mark has
    // already changed), then the click event.
    void checkEvent(int nodeIndex, bool checked);
    void clickEvent(int nodeIndex);

    // Frame captions: 0 low "熔丝低字节[XX]", 1 high "熔丝高字节[XX]", 2 extended
    // "扩展熔丝位[XX]", 3 lock "锁定位[XX]".
    QString frameCaption(int frame) const { return m_frames[frame]; }
    // The two digits the frame caption shows (what the write operations send).
    QString frameDigits(int frame) const;
    quint8 byteValue(int frame) const { return m_bytes[frame]; }

    const QVector<FuseOption>& options() const { return m_options; }

    // True for a text of exactly 32 characters, each "0", "1" or "*": what callers should
    // check before they apply a fuse bit text taken from a file or the settings store.
    static bool isFuseBitText(const QString& text);
    // The limits the description files must keep: option lines in all, and choices of one
    // group kind.
    static constexpr int MaxOptions = 255;
    static constexpr int MaxGroupChoices = 200;
    // Description files larger than this are refused whole.
    static constexpr qint64 MaxFileBytes = 256 * 1024;

  Q_SIGNALS:
    // Bits, frames or check marks changed.
    void changed();
    // The option list was rebuilt (a description file was loaded).
    void optionsReset();

  private:
    void setCaption(int position, const QString& caption);
    void finishChange();
    int nodeForSingleBit(const QString& kind, const QString& maskText) const;

    QString m_setFolder;
    bool m_hasDescription = false;
    QString m_descriptionFile;
    QString m_default = QString(32, u'1');
    std::array<QString, 32> m_names;
    std::array<QString, 32> m_captions;
    std::array<bool, 32> m_enabled{};
    std::array<bool, 32> m_red{};
    std::array<QString, 4> m_frames;
    std::array<quint8, 4> m_bytes{};
    QVector<FuseOption> m_options;
    int m_pendingIndex = 0; // 1-based node index between check and click event, 0 = none
    int m_selectedNode = -1;
};
