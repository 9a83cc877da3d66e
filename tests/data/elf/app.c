/* A small AVR program that carries its whole job: code, initialised data, EEPROM
 * contents, fuse bytes and lock bits. Built by make-elf.sh. */
#include <avr/eeprom.h>
#include <avr/fuse.h>
#include <avr/io.h>
#include <avr/lock.h>

#ifdef WITH_FUSES
FUSES = {
    .low = 0xE4,
    .high = 0xD9,
#ifdef EXTENDED_FUSE
    .extended = 0xF9,
#endif
};
LOCKBITS = 0xFC;
#endif

uint8_t EEMEM table[6] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
volatile uint8_t counter = 0x5A;

int main(void) {
    DDRB = 1;
    for (;;)
        PORTB ^= counter + eeprom_read_byte(&table[1]);
}
