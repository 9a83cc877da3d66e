#!/usr/bin/env python3
"""Writes the Intel HEX corpus of the loader tests.

valid/NAME.hex   files a strict reader must take, each with valid/NAME.bin: what srec_cat
                 makes of it (gaps filled with FF from address 0), the independent reference.
damaged/NAME.hex files with one fault each; damaged/FAULTS lists NAME, the loaders that
                 must refuse it (flash, eeprom or both), the line the loader must name and a
                 word of the reason.

Needs python3 and srecord (srec_cat); the generated files are committed, so the tests need
neither.  Run from anywhere: python3 tests/data/hex/make-corpus.py
"""
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def record(rtype, address, data=b"", count=None, checksum=None):
    n = len(data) if count is None else count
    body = bytes([n, (address >> 8) & 0xFF, address & 0xFF, rtype]) + data
    ck = (-sum(body)) & 0xFF if checksum is None else checksum
    return ":" + (body + bytes([ck])).hex().upper()


def data(address, payload):
    return record(0, address, payload)


def pattern(n, seed):
    return bytes((seed * 37 + i * 11) & 0xFF for i in range(n))


END = record(1, 0)


def lines(*items, eol="\n"):
    return (eol.join(items) + eol).encode("ascii")


VALID = {
    # Records from the top down: each lands at its own address.
    "descending": lines(data(0x0040, pattern(16, 1)), data(0x0020, pattern(16, 2)),
                        data(0x0000, pattern(16, 3)), END),
    # No end record: read to the end of the file.
    "no_end_record": lines(data(0x0000, pattern(16, 4)), data(0x0010, pattern(7, 5))),
    # Extended address records of value 0 in front, and a start address record.
    "extended_zero": lines(record(4, 0, b"\x00\x00"), record(2, 0, b"\x00\x00"),
                           data(0x0000, pattern(32, 6)), record(5, 0, b"\x00\x00\x00\x00"),
                           record(3, 0, b"\x00\x00\x00\x00"), END),
    # DOS line ends, lower-case digits, blank lines between records.
    "crlf_lower": (data(0x0000, pattern(16, 7)).lower() + "\r\n\r\n" +
                   data(0x0010, pattern(16, 8)).lower() + "\r\n" + END + "\r\n").encode(),
    # A gap, records out of order, and the last byte below the flash limit (0x7FFF).
    "top_of_flash": lines(data(0x7FF0, pattern(16, 9)), data(0x0000, pattern(2, 10)), END),
    # A record of 255 bytes, the largest there is.
    "long_record": lines(data(0x0100, pattern(255, 11)), END),
    # The last line of the file has no line end.
    "no_final_newline": (data(0x0000, pattern(8, 12)) + "\n" + END).encode(),
    # Text after the end record is not read.
    "after_end": lines(data(0x0000, pattern(4, 13)), END, "anything at all"),
    # A segment address record (type 02) that is not 0: its data lies at 0x1000.
    "segment": lines(record(2, 0, b"\x01\x00"), data(0x0000, pattern(16, 14)), END),
}

# name: (content, loaders that refuse it, line, reason word)
good = data(0x0000, pattern(16, 20))
DAMAGED = {
    "checksum": (lines(good, record(0, 0x0010, pattern(16, 21), checksum=0x00), END),
                 "both", 2, "checksum"),
    "no_colon": (lines(good, data(0x0010, pattern(4, 22))[1:], END), "both", 2, "colon"),
    "not_hex_digit": (lines(good, data(0x0010, pattern(4, 22))[:12] + "G" +
                            data(0x0010, pattern(4, 22))[13:], END), "both", 2, "digit"),
    "count_too_large": (lines(good, record(0, 0x0010, pattern(4, 23), count=5), END),
                        "both", 2, "count"),
    "count_too_small": (lines(good, record(0, 0x0010, pattern(4, 23), count=3), END),
                        "both", 2, "count"),
    "type_06": (lines(good, record(6, 0x0000, b"\x01"), END), "both", 2, "type"),
    "trailing_text": (lines(good, data(0x0010, pattern(4, 24)) + " ;x", END),
                      "both", 2, "trailing"),
    "truncated_line": (lines(good, data(0x0010, pattern(16, 25))[:20], END),
                       "both", 2, "count"),
    "truncated_file": (lines(good)[:-1] + b"\n" + data(0x0010, pattern(16, 26))[:30].encode(),
                       "both", 2, "count"),
    "overlap": (lines(good, data(0x0008, pattern(16, 27)), END), "both", 2, "overlap"),
    "overlap_descending": (lines(data(0x0020, pattern(16, 28)), data(0x0011, pattern(16, 29)),
                                 END), "both", 2, "overlap"),
    "beyond_7fff": (lines(good, data(0x8000, pattern(2, 30)), END), "both", 2, "limit"),
    "straddles_8000": (lines(good, data(0x7FF8, pattern(16, 31)), END), "both", 2, "limit"),
    "extended_nonzero": (lines(record(4, 0, b"\x00\x01"), good, END), "both", 2, "64 KB"),
    "extended_short": (lines(record(4, 0, b"\x01"), good, END), "both", 1, "extended"),
    "empty": (b"", "both", 0, "no data"),
    "only_end_record": (lines(END), "flash", 0, "no data"),
    # avr-gcc's address spaces where the file may not have them.
    "eeprom_in_flash": (lines(good, record(4, 0, b"\x00\x81"), data(0, pattern(4, 35)), END),
                        "flash", 3, "eeprom space"),
    "fuse_in_eeprom": (lines(record(4, 0, b"\x00\x82"), data(0, b"\xE4\xD9"), END),
                       "eeprom", 2, "fuse space"),
    "four_fuse_bytes": (lines(good, record(4, 0, b"\x00\x82"), data(0, pattern(4, 36)), END),
                        "flash", 3, "beyond space"),
    "ram_space": (lines(good, record(4, 0, b"\x00\x80"), data(0x60, pattern(4, 37)), END),
                  "both", 3, "no memory"),
    "signature_short": (lines(good, record(4, 0, b"\x00\x84"), data(0, b"\x07\x93"), END),
                        "flash", 0, "signature"),
    "short_record": (lines(good, ":0000", END), "both", 2, "short"),
    "odd_digits": (lines(good, data(0x0010, pattern(4, 32)) + "0", END), "both", 2, "trailing"),
    "eeprom_beyond_1k": (lines(data(0x0400, pattern(1, 33)), END), "eeprom", 1, "limit"),
    "eeprom_straddles_1k": (lines(data(0x03F8, pattern(16, 34)), END), "eeprom", 1, "limit"),
}


def main():
    srec = shutil.which("srec_cat")
    if not srec:
        sys.exit("srec_cat (package srecord) is needed to write the references")
    for sub in ("valid", "damaged"):
        os.makedirs(os.path.join(HERE, sub), exist_ok=True)
    for name, content in VALID.items():
        hexpath = os.path.join(HERE, "valid", name + ".hex")
        with open(hexpath, "wb") as f:
            f.write(content)
        binpath = os.path.join(HERE, "valid", name + ".bin")
        subprocess.run([srec, hexpath, "-intel", "-fill", "0xFF", "0", "-maximum-address",
                        hexpath, "-intel", "-o", binpath, "-binary"], check=True,
                       stderr=subprocess.DEVNULL)
    faults = []
    for name, (content, memory, line, word) in DAMAGED.items():
        with open(os.path.join(HERE, "damaged", name + ".hex"), "wb") as f:
            f.write(content)
        faults.append(f"{name} {memory} {line} {word}")
    with open(os.path.join(HERE, "damaged", "FAULTS"), "w") as f:
        f.write("\n".join(faults) + "\n")


if __name__ == "__main__":
    main()
