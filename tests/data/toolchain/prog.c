/* A small program as avr-gcc users write one: code, initialised data, EEPROM contents
 * (unless NO_EEPROM), fuse bytes, lock bits and the chip's signature. Built by make-files.sh. */
#include <avr/eeprom.h>
#include <avr/io.h>
#include <avr/signature.h>

FUSES = {
    .low = 0xE4,
    .high = 0xD9,
};
LOCKBITS = 0xFC;

#ifndef NO_EEPROM
uint8_t EEMEM table[5] = {0xA1, 0xB2, 0xC3, 0xD4, 0xE5};
#endif
volatile uint8_t counter = 0x5A;

int main(void) {
    DDRB = 1;
    for (;;)
        PORTB ^= counter;
}
