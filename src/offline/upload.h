#pragma once
// "写入数据": copies the flash and EEPROM images into the programmer for stand-alone
// programming: the four length bytes (settings memory 0003-0006), then each image as
// 128-byte blocks with the "?" / ">" handshake, the last block padded with FF.
struct OpContext;

namespace OfflineUpload {
constexpr int MaxFlashChars = 40960; // 20480 bytes
constexpr int MaxEepromChars = 4096; // 2048 bytes
constexpr int BlockChars = 256;      // 128 bytes
} // namespace OfflineUpload

// An image over its limit is refused with its warning and announced with length 0.
// Returns false when the programmer did not announce itself with "B" (the warning box has
// then been shown and the rest was not sent) or an image was over its limit.
bool UploadOfflineImages(OpContext& c);
