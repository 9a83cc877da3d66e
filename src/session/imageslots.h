#pragma once
// The session's two images as the loaders and the clear buttons change them.
#include "image/imagesummary.h"

class Session;

// "清空FLASH数据" / "清空EEPROM数据": empties the image and its file-name box; the size panel
// follows the image ("FLASH:0字节").
void ClearFlash(Session& session);
void ClearEeprom(Session& session);

// Logs the summary of the image the session now holds (eeprom selects the EEPROM image),
// keeps it in the session, and warns when the file was built for another chip. used: the
// map the loader made while it read the file; fileChip: what the file said of its chip.
ImageSummary logImageSummary(Session& session, bool eeprom, const QByteArray& used,
                             const ChipBytes& fileChip = ChipBytes());
