// The firmware update: "FM000000#" hands over to the loader, a restart starts it too; it
// announces itself with "B", takes "00", erases, and stores 128-byte blocks of the new
// firmware until "!" (or gives up on "#" or silence).
#include "sim/simhex.h"
#include "sim/simmodel.h"

#include <algorithm>

bool SimModel::requestUpdate(double t) {
    m_mode = Mode::Command;
    replyText("固件升级模式:请重启编程器!", start(t));
    // The firmware hands over to its loader, which announces itself until answered.
    m_updateRequested = true;
    m_mode = Mode::LoaderAnnounce;
    m_announcements = 0;
    m_nextAnnounce = std::max(m_out.freeAt(), start(t)) + m_config.timing.loaderBootMs;
    return true;
}

void SimModel::restartProgrammer(double atMs) {
    advanceTo(atMs);
    m_out.cutAfter(atMs);
    m_frame.clear();
    m_token.clear();
    m_mode = Mode::LoaderAnnounce;
    m_announcements = 0;
    m_busyUntil = atMs;
    m_nextAnnounce = atMs + m_config.timing.loaderBootMs;
}

bool SimModel::inLoader() const {
    return m_mode == Mode::LoaderAnnounce || m_mode == Mode::LoaderReady ||
           m_mode == Mode::LoaderWaitBlock || m_mode == Mode::LoaderData;
}

void SimModel::announce(double t) {
    const int limit = m_updateRequested ? 30 : 3;
    if (m_announcements >= limit) {
        startApplication();
        return;
    }
    ++m_announcements;
    m_nextAnnounce = t + m_config.timing.loaderAnnounceMs;
    if (t < m_deadAt)
        replyMarker('B', t);
}

void SimModel::startApplication() {
    m_mode = Mode::Command;
    m_frame.clear();
    m_token.clear();
    m_nextAnnounce = never;
    m_updateRequested = false;
}

void SimModel::loaderChar(char c, double t) {
    switch (m_mode) {
    case Mode::LoaderAnnounce:
        if (c == 'B') {
            m_mode = Mode::LoaderReady;
            m_nextAnnounce = never;
            m_token.clear();
            return;
        }
        // Not the update program: the loader starts the firmware, which takes the character.
        startApplication();
        commandChar(c, t);
        return;
    case Mode::LoaderReady:
        if (c == '#') {
            startApplication();
            return;
        }
        m_token.append(c);
        if (m_token.size() > 2)
            m_token.remove(0, m_token.size() - 2);
        if (m_token == "00") {
            m_newFirmware.clear();
            m_mode = Mode::LoaderWaitBlock;
            double ready = 0;
            busyFor(t, m_config.timing.loaderEraseMs, &ready);
            replyMarker('?', ready);
        }
        return;
    case Mode::LoaderWaitBlock:
    case Mode::LoaderData:
        if (c == '#') {
            startApplication();
            return;
        }
        if (c == '!') {
            m_firmware = m_newFirmware;
            ++m_changes;
            startApplication();
            return;
        }
        if (m_mode == Mode::LoaderWaitBlock) {
            if (c == '>') {
                m_mode = Mode::LoaderData;
                m_block.clear();
            }
            return;
        }
        if (SimHex::digit(c) < 0)
            return;
        m_block.append(c);
        if (m_block.size() < 256)
            return;
        if (m_newFirmware.size() < firmwareLimit)
            m_newFirmware.append(QByteArray::fromHex(m_block));
        m_mode = Mode::LoaderWaitBlock;
        {
            double ready = 0;
            busyFor(t, m_config.timing.loaderBlockMs, &ready);
            replyMarker('?', ready);
        }
        return;
    default:
        return;
    }
}
