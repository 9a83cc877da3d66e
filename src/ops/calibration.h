#pragma once
// The calibration panel ("校准选项"): reading the factory oscillator calibration bytes into
// the four slots and storing the picked one into flash or EEPROM. The state lives in
// Session::cal.
#include <QString>
#include <QVector>

class Session;
struct OpContext;

// The signature-row indexes read for a chip (0x80 upward; none for ATMEGA161).
QVector<int> calibrationIndexes(const QString& chipName);
// "读校准字节" (ReadOA). Each slot takes its answer only when it is exactly two hex digits
// and every earlier answer came; a slot without one stays hidden and cannot be written (the
// log names it). Returns true when every slot of the chip was filled.
bool ReadOA(OpContext& c);
// "写 入" (WriteOA_Command). Refuses, with a warning and nothing sent, when no slot is
// picked, the picked slot holds no byte, or the address box is empty or not all decimal
// digits ("地址框数据格式错误!"). Returns true when the frame was sent.
bool WriteOA(OpContext& c);
// The same with the choice taken before (a program run's job): slot, target (0 flash, 1
// EEPROM) and the address box's text. The byte is the one the last read put in the slot.
bool WriteCalibrationByte(OpContext& c, int slot, int target, const QString& addressBox);
// The slot a read picks by itself on chip (ATMEGA48 ...: 8 MHz), -1 when the user picks.
int calibrationFixedSlot(const QString& chipName);

// The address boxes and their scroll bars (VScroll1 flash, VScroll2 EEPROM). The bars run
// from -max to 0 so that the upper arrow raises the address.
// target 0: Flash_Address, 1: Eeprom_Address.
// The box was edited: a number above the range is set back to the largest address.
// Returns the bar value to show (minus the box's number, clamped to the bar).
int calibrationAddressChanged(Session& session, int target);
// The bar moved to value (<= 0): the box shows -value.
void calibrationScrollChanged(Session& session, int target, int value);
// The bar's range minimum (-max) for a target.
int calibrationScrollMinimum(const Session& session, int target);
