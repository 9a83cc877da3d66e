#pragma once
// The simulated programmer: its firmware's command set, its settings memory, the offline
// images and firmware it keeps, its loader, and the target chip in its socket, on a serial
// line with timing. It has no clock of its own: the owner feeds what the program sends
// with receive(), lets time pass with advanceTo() and collects the answers with
// takeOutput(). SimPort runs it on a virtual clock, the built-in demo programmer and
// hvpp-sim on the wall clock.
#include "sim/simchip.h"
#include "sim/simconfig.h"
#include "sim/simline.h"

#include <QByteArray>
#include <QString>
#include <memory>

class SimModel {
  public:
    static constexpr double never = SimLine::never;
    static constexpr int settingsSize = 4096;
    static constexpr int offlineFlashLimit = 20480;
    static constexpr int offlineEepromLimit = 2048;
    static constexpr int firmwareLimit = 32768;

    explicit SimModel(const SimConfig& config = {});

    // --- the line ---
    // What the program sent at atMs; it reaches the programmer at the line rate, the last
    // character at the time returned.
    double receive(const QByteArray& bytes, double atMs);
    // Lets the programmer act on everything that has happened up to ms.
    void advanceTo(double ms);
    // Answer characters that have arrived at the program's end by ms.
    qint64 outputAvailable(double ms) const;
    QByteArray takeOutput(double ms);
    // The next moment at which an answer character arrives, the programmer acts on input
    // or on its own (loader), or the line dies. never when nothing is pending.
    double nextEventMs() const;
    // The next moment the programmer acts (input reaches it, the loader announces itself,
    // the line dies): the owner must call advanceTo() then for new answers to appear.
    double nextActionMs() const;
    // When the next answer character not yet arrived will arrive (never when none is due).
    double nextOutputMs() const { return m_out.nextArrival(); }
    // The line died (disconnect fault) at this time; never while it lives.
    double lineDeadAtMs() const { return m_deadAt; }
    // Nothing pending in either direction and no timed action due.
    bool idle() const;

    // --- the programmer ---
    // A restart (power cycle): its loader announces itself with "B" (repeated until the
    // program answers "B"; given up after three announcements unless "FM000000#" asked for
    // the update). Output still on its way is lost.
    void restartProgrammer(double atMs);
    bool inLoader() const;
    QByteArray& settingsMemory() { return m_settings; }
    QByteArray& offlineFlash() { return m_offlineFlash; }
    QByteArray& offlineEeprom() { return m_offlineEeprom; }
    QByteArray& firmware() { return m_firmware; }
    const QByteArray& settingsMemory() const { return m_settings; }
    const QByteArray& offlineFlash() const { return m_offlineFlash; }
    const QByteArray& offlineEeprom() const { return m_offlineEeprom; }
    const QByteArray& firmware() const { return m_firmware; }

    // --- the target chip ---
    // null when the socket is empty.
    SimChip* chip() { return m_chip.get(); }
    const SimChip* chip() const { return m_chip.get(); }
    // Puts a fresh chip of the table into the socket ("none" or an unknown name empties it).
    // Returns false for an unknown name other than "none".
    bool setChip(const QString& name);
    // From now on takes the chip out and puts a fresh one of the same type in, over and
    // over: inMs in the socket, outMs empty (production runs). Zero for either stops it.
    void setSocketCycle(double inMs, double outMs);

    // --- set-up ---
    SimFaults& faults() { return m_config.faults; }
    const SimFaults& faults() const { return m_config.faults; }
    SimTiming& timing() { return m_config.timing; }
    const SimConfig& config() const { return m_config; }
    void setBaud(int baud);
    double charMs() const { return m_charMs; }
    // The USB adapter's latency timer on the answers (0: none).
    void setLatencyMs(double ms);
    double latencyMs() const { return m_out.latencyMs(); }

    // Grows on every change of a memory (chip, settings, images, firmware): for saving.
    quint64 changeCount() const { return m_changes; }
    void markChanged() { ++m_changes; }
    // Frames the firmware dropped as malformed or unknown.
    int droppedFrames() const { return m_dropped; }
    int handledFrames() const { return m_handled; }

  private:
    enum class Mode {
        Command,
        FlashWrite,     // between "WF#" and "!#"
        BulkWaitD,      // "B" sent after "RT000000#"
        BulkSelect,     // "D" seen, expecting "68" or "60"
        BulkWaitBlock,  // "?" sent, expecting ">" or "!"
        BulkData,       // collecting 128 pairs
        LoaderAnnounce, // "B" announced, expecting "B"
        LoaderReady,    // expecting "00"
        LoaderWaitBlock,
        LoaderData,
    };

    // The line and the framing (simmodel.cpp).
    void processChar(char c, double t);
    void commandChar(char c, double t);
    void handleFrame(const QByteArray& frame, double t);
    bool tryFrame(const QByteArray& f, double t);
    bool command(const QByteArray& f, double t);
    int pageWords() const;

    // The flash-write stream and page commits (simflashwrite.cpp). p points past the
    // frame's leading characters; each returns false for a frame it does not take.
    bool beginFlashWrite();
    bool endFlashWrite(double t);
    bool latchWord(const char* p);
    bool commitPage(const char* p, double t);
    bool writeFlashWord(const char* p, double t);

    // Memories, fuses, lock, signature and calibration (simmemory.cpp).
    bool readSignatureShort(const char* p, double t);
    bool memoryCommand(const QByteArray& letters, const char* a, double t);
    bool fuseCommand(const QByteArray& letters, const char* a, double t);
    bool readCommand(const QByteArray& letters, const char* a, double t);
    bool writeCommand(const QByteArray& letters, const char* a, double t);
    quint8 signatureByte(int index) const;
    QByteArray readMemory(bool flash, int count) const;

    // The settings memory and the bulk upload (simsettings.cpp).
    bool settingsCommand(const QByteArray& letters, const char* a, double t);
    void bulkChar(char c, double t);

    // The loader and the firmware update (simloader.cpp).
    bool requestUpdate(double t);
    void loaderChar(char c, double t);
    void startApplication();
    void announce(double t);

    // Replies, with the reply faults applied. Each returns when the programmer is done.
    double start(double t) const;
    void reply(const QByteArray& bytes, double readyAt);
    void replyData(const QByteArray& bytes, double readyAt); // as hexadecimal text
    void replyHex(QByteArray hex, double readyAt);
    void replyMarker(char marker, double readyAt);
    void replyText(const char* utf8, double readyAt);
    void busyFor(double t, double ms, double* readyAt);
    bool countChar(double t); // false once the line is dead

    void toggleSocket(double t);
    bool chipPresent() const { return m_chip && !m_config.faults.noChip; }

    SimConfig m_config;
    double m_charMs = 0;
    SimLine m_in;  // program -> programmer
    SimLine m_out; // programmer -> program
    std::unique_ptr<SimChip> m_chip;
    QByteArray m_settings;
    QByteArray m_offlineFlash;
    QByteArray m_offlineEeprom;
    QByteArray m_firmware;

    Mode m_mode = Mode::Command;
    QByteArray m_frame;
    double m_busyUntil = 0;
    double m_lastInput = 0;
    double m_now = 0;
    // flash-write stream
    QByteArray m_page;
    int m_latchedLow = 0;
    // bulk upload and loader
    bool m_bulkFlash = true;
    QByteArray m_token;
    QByteArray m_block;
    QByteArray m_bulkImage;
    bool m_updateRequested = false;
    int m_announcements = 0;
    double m_nextAnnounce = never;
    QByteArray m_newFirmware;
    // the socket cycle
    double m_socketIn = 0;
    double m_socketOut = 0;
    double m_nextToggle = never;
    QString m_socketChip;

    int m_markers = 0;
    qint64 m_charsCrossed = 0;
    double m_deadAt = never;
    quint64 m_changes = 0;
    int m_dropped = 0;
    int m_handled = 0;
};
