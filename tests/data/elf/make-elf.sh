#!/bin/sh
# Rebuilds the ELF test files from app.c. Needs gcc-avr, avr-libc and binutils-avr (and a
# host C compiler for the ELF of another architecture); the generated files are committed
# so that the tests need none of them.
set -e
cd "$(dirname "$0")"
# The whole job for an ATMEGA8 (two fuse bytes and the lock byte) ...
avr-gcc -mmcu=atmega8 -Os -DWITH_FUSES -o app.elf app.c
# ... what avr-objcopy makes of it, to compare the loader with an independent tool.
avr-objcopy -O ihex -R .eeprom -R .fuse -R .lock -R .signature app.elf app.hex
avr-objcopy -O ihex -j .eeprom --change-section-lma .eeprom=0 app.elf app.eep
# An ATMEGA168 build: three fuse bytes.
avr-gcc -mmcu=atmega168 -Os -DWITH_FUSES -DEXTENDED_FUSE -o app168.elf app.c
# No fuse or lock section at all.
avr-gcc -mmcu=atmega8 -Os -o nofuse.elf app.c
# Code placed across 0x7FFF (a chip with more flash): no chip of the table has that much.
avr-gcc -mmcu=atmega128 -Os -Wl,--section-start=.text=0x7FC0 -o beyond.elf app.c
# An ELF file for another machine.
printf 'int answer(void) { return 42; }\n' > other.c
cc -Os -c -o other.o other.c
rm -f other.c
avr-strip --strip-debug app.elf app168.elf nofuse.elf beyond.elf
