#!/bin/sh
# Rebuilds the files that common AVR toolchains write, and what avr-objcopy and srec_cat read
# from them (the references the loader tests compare with). Needs gcc-avr, avr-libc,
# binutils-avr and srecord; the generated files are committed so that the tests need none.
set -e
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
flags='-mmcu=atmega8 -Os'

# The program for an ATMEGA8: code, data, EEPROM, fuses, lock bits and signature.
avr-gcc $flags -o prog.elf prog.c
avr-strip --strip-debug prog.elf

# The EEPROM file without --change-section-lma: its data lies at 0x810000.
avr-objcopy -j .eeprom -O ihex prog.elf lma.eep
srec_cat lma.eep -intel -offset -0x810000 -o lma.eep.bin -binary

# The flash file of the usual recipe: flash, then the fuse, lock and signature records.
avr-objcopy -O ihex -R .eeprom prog.elf recipe.hex
srec_cat recipe.hex -intel -crop 0 0x10000 -o recipe.flash.bin -binary
srec_cat recipe.hex -intel -crop 0x820000 0x830000 -offset -0x820000 -o recipe.fuse.bin -binary
srec_cat recipe.hex -intel -crop 0x830000 0x840000 -offset -0x830000 -o recipe.lock.bin -binary

# A program without EEPROM data: its .eep holds the end record alone.
avr-gcc $flags -DNO_EEPROM -o "$tmp/noee.elf" prog.c
avr-objcopy -j .eeprom --change-section-lma .eeprom=0 -O ihex "$tmp/noee.elf" nodata.eep

# The flash file as a Windows editor saves it: a byte-order mark and CR LF line ends. The
# reference is read from the file without the mark (srec_cat 1.64 drops the whole first line
# with a warning, record and all; python3-intelhex refuses the file).
printf '\357\273\277' > bom.hex
avr-objcopy -O ihex -R .eeprom -R .fuse -R .lock -R .signature prog.elf "$tmp/flash.hex"
sed 's/\r*$/\r/' "$tmp/flash.hex" >> bom.hex
srec_cat "$tmp/flash.hex" -intel -o bom.bin -binary

# The same program for a chip that is none of the fourteen.
avr-gcc -mmcu=attiny13 -Os -o tiny13.elf prog.c
avr-strip --strip-debug tiny13.elf
# The program as an older toolchain wrote it: no device note.
avr-objcopy -R .note.gnu.avr.deviceinfo prog.elf nonote.elf

# Assembler: .eeprom, .fuse and .lock without flags, and a .mmcu section for a simulator.
# The references use the usual --set-section-flags recipe.
avr-gcc -mmcu=atmega8 -o plain.elf plain.S
avr-strip --strip-debug plain.elf
avr-objcopy -O binary -j .text -j .data plain.elf plain.flash.bin
for s in eeprom fuse lock; do
    avr-objcopy -j .$s --set-section-flags=.$s=alloc,load --change-section-lma .$s=0 \
        -O binary plain.elf plain.$s.bin
done

# A relocatable object (avr-gcc -c): not a linked program.
avr-gcc $flags -c -o prog.o prog.c

# A simulator's firmware file: an ELF named .axf, with its debug sections.
avr-gcc -mmcu=atmega8 -g -o sim.axf plain.S
avr-objcopy -O binary -j .text -j .data sim.axf sim.flash.bin
