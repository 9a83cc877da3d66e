#pragma once
// The panel "读写数据": one flash word (row 0, word addresses) or one EEPROM byte (row 1,
// byte addresses) written or read at the address in the row's box, without touching the
// images. The state lives in Session::single.
class Session;
struct OpContext;

// W_DataCommand(row): "WW" + word + address + "#" or "WE" + byte + address + "#", then up to
// 100 ms for "!" and "写入字节完毕!". An address box that is empty or holds anything but
// decimal digits (or a number above the row's range), and a data box that is not
// hexadecimal or too long, are refused with a warning; nothing is sent. Returns true when
// the frame was sent. Entry point control: "W_DataCommand_0" / "W_DataCommand_1".
bool WriteSingle(OpContext& c, int row);
// R_DataCommand(row): "RW00" / "RB00" + address + "#", a fixed 150 ms, the answer into the
// row's data box. "地址框数据格式错误!" for an address that is not decimal digits. Returns
// true when the command was sent. Entry point control: "R_DataCommand_0" / "_1".
bool ReadSingle(OpContext& c, int row);

// The address box was edited: a number above the row's range is set back to its top.
// Returns the scroll bar position (0..max) to show.
int singleAddressChanged(Session& session, int row);
// The scroll bar moved to position: the box shows it in decimal.
void singleScrollChanged(Session& session, int row, int position);
