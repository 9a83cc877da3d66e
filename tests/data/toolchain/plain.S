; An assembler program whose EEPROM, fuse and lock sections carry no flags, as a plain
; ".section" writes them; the .mmcu section is for a simulator, not for the chip.
#include <avr/io.h>
    .section .text
    .global main
main:
    ldi r16, 0xFF
    out _SFR_IO_ADDR(DDRB), r16
1:  rjmp 1b

    .section .eeprom
    .byte 0x10, 0x20, 0x30
    .section .fuse
    .byte 0xE1, 0xD9
    .section .lock
    .byte 0x3C
    .section .mmcu
    .asciz "atmega8"
