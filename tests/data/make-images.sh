#!/bin/sh
# Rebuilds the test images from blink.c. Needs gcc-avr, avr-libc, binutils-avr and srecord;
# the generated files are committed so that the tests need none of them.
set -e
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
avr-gcc -mmcu=atmega8 -Os -DF_CPU=1000000UL -o "$tmp/blink.elf" blink.c
avr-objcopy -O ihex -R .eeprom "$tmp/blink.elf" blink.hex
avr-objcopy -O binary -R .eeprom "$tmp/blink.elf" blink.bin
avr-objcopy -O ihex -j .eeprom --change-section-lma .eeprom=0 "$tmp/blink.elf" blink.eep
avr-objcopy -O binary -j .eeprom --change-section-lma .eeprom=0 "$tmp/blink.elf" blink_eeprom.bin
# The same program in 32-byte records with lower-case digits ... srec_cat writes upper case,
# so the lower-case copy is made with tr.
srec_cat blink.bin -binary -o "$tmp/blink32.hex" -intel -obs=32
tr 'A-F' 'a-f' < "$tmp/blink32.hex" > blink_lower.hex
# Two blocks with a gap between them, and an extended linear address record in front.
srec_cat blink.bin -binary -crop 0 0x10 blink.bin -binary -crop 0x10 0x20 -offset 0x10 \
    -o gap.hex -intel -address-length=4
# A binary of odd length, and its HEX form.
srec_cat blink.bin -binary -crop 0 0x21 -o odd.bin -binary
srec_cat odd.bin -binary -o odd.hex -intel
# A full ATMEGA32 flash image and a full 1 KB EEPROM image, for the long runs.
srec_cat -generate 0 0x8000 -repeat-string "hvpp flash image " -o full32k.bin -binary
srec_cat -generate 0 0x400 -repeat-data 0x5A 0xA5 0x00 0xFF -o full1k.eep -intel
