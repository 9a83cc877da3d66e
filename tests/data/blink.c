/* A small program with EEPROM data, for the loader tests. */
#include <avr/eeprom.h>
#include <avr/io.h>
#include <util/delay.h>

uint8_t EEMEM table[5] = {0x11, 0x22, 0x33, 0x44, 0x55};
uint16_t EEMEM counter = 0x1234;

int main(void) {
    DDRB = 0xFF;
    for (;;) {
        PORTB ^= 0x01;
        _delay_ms(100);
        eeprom_write_word(&counter, eeprom_read_word(&counter) + eeprom_read_byte(&table[2]));
    }
}
