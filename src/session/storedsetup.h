#pragma once
// The working setup as the program starts with it from the stored settings: the chip, its
// fuse bits, the ten program options (the designed ones when none are stored), the file
// names (with "文件重载" ticked) and the calibration choices. The window starts from it;
// hvpp-cli saves schemes from it, so that both write the same scheme from the same settings.
#include <QString>

class MessageLog;
class Session;
class SettingsStore;

// The options as designed: erase, write and verify flash, reload the files, check the
// signature.
QString designedProgramOptions();

// chipOverride: a chip named for this run instead of the stored one (its default fuse bits
// then take the place of the stored ones). The images are not loaded. log: where a missing
// or refused fuse description file is told, if anywhere.
void LoadStoredSetup(Session& session, const SettingsStore& settings,
                     const QString& chipOverride = QString(), MessageLog* log = nullptr);
