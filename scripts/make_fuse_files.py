#!/usr/bin/env python3
"""Writes Set/<CHIP>.FUS, the fuse description files of the fourteen chips, in Chinese, and
the same set in English under Set/en/ (same keys, marks and bit names; only the option texts
and the comment differ). The window and the command line take the set of their language.

Each file: line 1 the factory fuse bit text ("*" where the chip has no bit), lines 2-33 the
bit names (lock bit 7 first), a comment, "##", one option line per tree node ("text{KEY>",
a final "*" marks it red), "##". GBK text (the English set is plain ASCII), CR LF line ends.

Bit positions: 0-7 low fuse, 8-15 high fuse, 16-23 extended fuse, 24-31 lock byte.
Run from anywhere: python3 scripts/make_fuse_files.py
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
SET_DIR = os.path.join(os.path.dirname(HERE), "Set")
FOLDERS = {"zh": SET_DIR, "en": os.path.join(SET_DIR, "en")}

LANG = "zh"  # the language build() writes its texts in


class Tx:
    """A text in both languages; formatting with "%s" takes the one of LANG."""

    def __init__(self, zh, en):
        self.zh, self.en = zh, en

    def __str__(self):
        return self.zh if LANG == "zh" else self.en


def t(zh, en):
    return str(Tx(zh, en))

LOW, HIGH, EXT, LOCK = 0, 8, 16, 24


class Chip:
    def __init__(self, name):
        self.name = name
        self.bits = {}      # position -> name
        self.factory = {}   # byte offset -> value
        self.options = []   # (text, key, red)
        self.free = {}      # mask -> next free index

    def byte(self, offset, names, factory):
        """names: bit 7 first, None for a bit the chip does not have."""
        for i, n in enumerate(names):
            if n:
                self.bits[offset + 7 - i] = n
        self.factory[offset] = factory

    def _key(self, kind, mask, value):
        index = self.free.get((kind, mask), 0)
        self.free[(kind, mask)] = index + 1
        return "%s%02d%04X/%04X" % (kind, index, mask, value)

    def single(self, position, text, red=False):
        name = self.bits[position]
        if position < 16:
            kind, mask = "FSB", 0xFFFF - (1 << position)
        elif position < 24:
            kind, mask = "FSE", 0xFF - (1 << (position - 16))
        else:
            raise ValueError("lock bits are groups")
        self.options.append(("%s: %s" % (name, text), "%s%02d%04X/0000" % (kind, position, mask), red))

    def group(self, positions, choices):
        """positions: the field's bit positions; choices: (raw value in the byte or word,
        text, red)."""
        base = min(positions) // 8 * 8
        if base < 16:
            kind, width, base = "FDB", 16, 0
        elif base == 16:
            kind, width = "FDE", 8
        else:
            kind, width = "FDL", 8
        field = 0
        for p in positions:
            field |= 1 << (p - base)
        full = (1 << width) - 1
        mask = full & ~field
        for value, text, red in choices:
            assert value & mask == 0, (self.name, text)
            self.options.append((text, self._key(kind, mask, value), red))

    def default_text(self):
        out = ""
        for p in range(31, -1, -1):
            if p in self.bits:
                out += "1" if (self.factory.get(p // 8 * 8, 0xFF) >> (p % 8)) & 1 else "0"
            else:
                out += "*"
        return out

    def write(self):
        lines = [self.default_text()]
        for p in range(31, -1, -1):
            lines.append(self.bits.get(p, "-"))
        lines.append(t("%s 熔丝描述文件: 第1行为出厂默认熔丝位 (\"*\"为芯片没有的位), 第2-33行为位名称,",
                       "%s fuse description file: line 1 the factory fuse bits (\"*\" where the chip "
                       "has no bit), lines 2-33 the bit names,") % self.name)
        lines.append(t("以下为熔丝选项, 每行一项: 选项文字{选项键>, 行末\"*\"表示红色 (危险选项)。",
                       "then the fuse options, one a line: option text{option key>, a final \"*\" "
                       "shows it in red (a dangerous option)."))
        lines.append("##")
        for text, key, red in self.options:
            lines.append("%s{%s>%s" % (text, key, "*" if red else ""))
        lines.append("##")
        data = ("\r\n".join(lines) + "\r\n").encode("gbk")
        with open(os.path.join(FOLDERS[LANG], self.name + ".FUS"), "wb") as f:
            f.write(data)


def sut(code):
    return "SUT=%s" % format(code, "02b")


def cksel(code, bits=4):
    return "CKSEL=%s" % format(code, "0%db" % bits)


# ---- clock tables -------------------------------------------------------------------

FAST = Tx("电源快速上升", "fast rising power")
SLOW = Tx("电源缓慢上升", "slowly rising power")
BOD = Tx("已开BOD", "BOD enabled")
FAST_OR_BOD = Tx("电源快速上升或已开BOD", "fast rising power or BOD enabled")
STABLE = Tx("启动时频率稳定", "stable frequency at start-up")
CERAMIC = Tx("陶瓷谐振器", "ceramic resonator")
CRYSTAL = Tx("石英晶体", "crystal")
LOW_CRYSTAL = Tx("外部低频晶体 32.768kHz", "external low-frequency crystal 32.768kHz")
EXT_CLOCK = Tx("外部时钟", "external clock")
EXT_RC = Tx("外部RC振荡器", "external RC oscillator")
ABOUT = Tx("约", "about ")

CRYSTAL_STARTUPS = [  # (CKSEL0, SUT, oscillator kind, start-up)
    (0, 0, CERAMIC, ("258 CK + 4.1 ms", FAST)),
    (0, 1, CERAMIC, ("258 CK + 65 ms", SLOW)),
    (0, 2, CERAMIC, ("1K CK + 0 ms", BOD)),
    (0, 3, CERAMIC, ("1K CK + 4.1 ms", FAST)),
    (1, 0, CERAMIC, ("1K CK + 65 ms", SLOW)),
    (1, 1, CRYSTAL, ("16K CK + 0 ms", BOD)),
    (1, 2, CRYSTAL, ("16K CK + 4.1 ms", FAST)),
    (1, 3, CRYSTAL, ("16K CK + 65 ms", SLOW)),
]


def startup(pair):
    return "%s, %s" % pair


def crystal_choices(ranges, extra_ck="", note=""):
    """ranges: (CKSEL3..1, frequency text)."""
    out = []
    for top, freq in ranges:
        for ck0, s, kind, start in CRYSTAL_STARTUPS:
            code = top << 1 | ck0
            start = startup(start).replace(" CK + ", " CK%s + " % extra_ck, 1)
            out.append((s << 4 | code,
                        t("时钟源: 外部%s %s%s; 启动时间 %s [%s %s]", "Clock: external %s %s%s; start-up %s [%s %s]")
                        % (kind, freq, note, start, cksel(code), sut(s)),
                        True))
    return out


def three_sut(code, source, cycles, red, extra=""):
    starts = ["%s + 0 ms, %s" % (cycles, BOD), "%s + 4.1 ms, %s" % (cycles, FAST),
              "%s + 65 ms, %s" % (cycles, SLOW)]
    return [(s << 4 | code, t("时钟源: %s; 启动时间 %s%s [%s %s]", "Clock: %s; start-up %s%s [%s %s]")
             % (source, starts[s], extra, cksel(code), sut(s)), red)
            for s in range(3)]


def mega8_clock(pll=False):
    """ATmega8/16/32/8515/8535 and ATtiny26: CKSEL3..0 and SUT1..0 (with PLLCK on the tiny)."""
    c = []
    c += three_sut(0, EXT_CLOCK, "6 CK", True)
    for i, mhz in enumerate(["1", "2", "4", "8"]):
        c += three_sut(1 + i, t("内部RC振荡器 %sMHz", "internal RC oscillator %sMHz") % mhz, "6 CK", False)
    rc = ["0.1-0.9MHz", "0.9-3.0MHz", "3.0-8.0MHz", "8.0-12.0MHz"]
    rc_start = ["18 CK + 0 ms, %s" % BOD, "18 CK + 4.1 ms, %s" % FAST, "18 CK + 65 ms, %s" % SLOW,
                "6 CK + 4.1 ms, %s" % FAST_OR_BOD]
    for i, freq in enumerate(rc):
        for s in range(4):
            c.append((s << 4 | 5 + i, t("时钟源: %s %s; 启动时间 %s [%s %s]", "Clock: %s %s; start-up %s [%s %s]")
                      % (EXT_RC, freq, rc_start[s], cksel(5 + i), sut(s)), True))
    lf = ["1K CK + 4.1 ms, %s" % FAST_OR_BOD, "1K CK + 65 ms, %s" % SLOW, "32K CK + 65 ms, %s" % STABLE]
    for s in range(3):
        c.append((s << 4 | 9, t("时钟源: %s; 启动时间 %s [%s %s]", "Clock: %s; start-up %s [%s %s]")
                  % (LOW_CRYSTAL, lf[s], cksel(9), sut(s)), True))
    c += crystal_choices([(5, "0.4-0.9MHz"), (6, "0.9-3.0MHz"), (7, "3.0-8.0MHz")],
                         note=t(" (CKOPT=0时1MHz以上)", " (above 1MHz with CKOPT=0)"))
    if not pll:
        return c
    # ATtiny26: PLLCK (low bit 7) belongs to the clock field; it is 1 for every source but
    # the PLL.
    c = [(v | 0x80, t.replace(" [", " [PLLCK=1 ", 1), r) for v, t, r in c]
    pll_start = ["14 CK + 1K CK + 4 ms, %s" % BOD, "14 CK + 16K CK + 4 ms, %s" % FAST,
                 "14 CK + 1K CK + 64 ms, %s" % SLOW, "14 CK + 16K CK + 64 ms, %s" % SLOW]
    for s in range(4):
        c.append((s << 4 | 1, t("时钟源: 内部PLL 16MHz; 启动时间 %s [PLLCK=0 %s %s]",
                                "Clock: internal PLL 16MHz; start-up %s [PLLCK=0 %s %s]")
                  % (pll_start[s], cksel(1), sut(s)), False))
    return c


INT_RC8 = Tx("内部RC振荡器 8MHz", "internal RC oscillator 8MHz")
ABOVE_8 = Tx("8.0MHz以上", "above 8.0MHz")


def mega48_clock():
    """ATmega48/88/168."""
    c = []
    c += crystal_choices([(4, "0.4-0.9MHz"), (5, "0.9-3.0MHz"), (6, "3.0-8.0MHz"), (7, "8.0-16.0MHz")],
                         extra_ck=" + 14 CK")
    full = []
    for ck0, s, kind, start in CRYSTAL_STARTUPS:
        code = 6 | ck0
        start = startup(start).replace(" CK + ", " CK + 14 CK + ", 1)
        full.append((s << 4 | code, t("时钟源: 外部满幅%s 0.4-20MHz; 启动时间 %s [%s %s]",
                                      "Clock: external full-swing %s 0.4-20MHz; start-up %s [%s %s]")
                     % (kind, start, cksel(code), sut(s)), True))
    c += full
    lf = ["4 CK, %s" % FAST_OR_BOD, "4 CK + 4.1 ms, %s" % SLOW, "4 CK + 65 ms, %s" % STABLE]
    for code, cycles in ((4, "1K CK"), (5, "32K CK")):
        for s in range(3):
            c.append((s << 4 | code, t("时钟源: %s; 启动时间 %s + %s [%s %s]", "Clock: %s; start-up %s + %s [%s %s]")
                      % (LOW_CRYSTAL, cycles, lf[s], cksel(code), sut(s)), True))
    c += three_sut(3, t("内部128kHz振荡器", "internal 128kHz oscillator"), "6 CK + 14 CK", False)
    c += three_sut(2, INT_RC8, "6 CK + 14 CK", False)
    c += three_sut(0, EXT_CLOCK, "6 CK + 14 CK", True)
    return c


def tiny2313_clock():
    c = []
    c += three_sut(0, EXT_CLOCK, "6 CK + 14 CK", True)
    c += three_sut(2, t("内部RC振荡器 4MHz", "internal RC oscillator 4MHz"), "6 CK + 14 CK", False)
    c += three_sut(4, INT_RC8, "6 CK + 14 CK", False)
    c += three_sut(6, t("内部128kHz看门狗振荡器", "internal 128kHz watchdog oscillator"), "6 CK + 14 CK", False)
    c += crystal_choices([(4, "0.4-0.9MHz"), (5, "0.9-3.0MHz"), (6, "3.0-8.0MHz"), (7, ABOVE_8)],
                         extra_ck=" + 14 CK")
    return c


def mega162_clock():
    c = []
    c += crystal_choices([(4, "0.4-0.9MHz"), (5, "0.9-3.0MHz"), (6, "3.0-8.0MHz"), (7, ABOVE_8)])
    lf = ["4 CK, %s" % FAST_OR_BOD, "4 CK + 4.1 ms, %s" % SLOW, "4 CK + 65 ms, %s" % STABLE]
    caps = t(", 内部负载电容", ", internal load capacitors")
    for code, cycles, caps in ((4, "1K CK", ""), (5, "32K CK", ""), (6, "1K CK", caps), (7, "32K CK", caps)):
        for s in range(3):
            c.append((s << 4 | code, t("时钟源: %s%s; 启动时间 %s + %s [%s %s]", "Clock: %s%s; start-up %s + %s [%s %s]")
                      % (LOW_CRYSTAL, caps, cycles, lf[s], cksel(code), sut(s)), True))
    c += three_sut(2, INT_RC8, "6 CK", False)
    c += three_sut(0, EXT_CLOCK, "6 CK", True)
    return c


# Reset delays of the chips whose start-up time is part of CKSEL: short (BOD enabled),
# about 4 ms (fast rising power) or about 64 ms (slowly rising power).
def cksel_only_clock():
    """ATmega163/323: CKSEL3..0."""
    rc1 = Tx("内部RC振荡器 1MHz", "internal RC oscillator 1MHz")
    xtal = Tx("外部石英晶体", "external crystal")
    ceramic = Tx("外部陶瓷谐振器", "external ceramic resonator")
    ms4 = "%s4 ms, %s" % (ABOUT, FAST)
    ms64 = "%s64 ms, %s" % (ABOUT, SLOW)
    rows = [
        (0, EXT_CLOCK, "6 CK + " + ms4, True),
        (1, EXT_CLOCK, "6 CK, %s" % BOD, True),
        (2, rc1, "6 CK + " + ms64, False),
        (3, rc1, "6 CK + " + ms4, False),
        (4, rc1, "6 CK, %s" % BOD, False),
        (5, EXT_RC, "18 CK + " + ms64, True),
        (6, EXT_RC, "18 CK + " + ms4, True),
        (7, EXT_RC, "18 CK, %s" % BOD, True),
        (8, LOW_CRYSTAL, "32K CK + %s64 ms, %s" % (ABOUT, STABLE), True),
        (9, LOW_CRYSTAL, "1K CK + %s64 ms" % ABOUT, True),
        (10, xtal, "16K CK + " + ms64, True),
        (11, xtal, "16K CK + " + ms4, True),
        (12, xtal, "16K CK, %s" % BOD, True),
        (13, ceramic, "1K CK + " + ms64, True),
        (14, ceramic, "1K CK + " + ms4, True),
        (15, ceramic, "1K CK, %s" % BOD, True),
    ]
    return [(code, t("时钟源: %s; 启动时间 %s [%s]", "Clock: %s; start-up %s [%s]") % (src, start, cksel(code)), red)
            for code, src, start, red in rows]


def mega161_clock():
    xtal = Tx("外部石英晶体", "external crystal")
    ceramic = Tx("外部陶瓷谐振器", "external ceramic resonator")
    ms4 = "%s4 ms, %s" % (ABOUT, FAST)
    ms64 = "%s64 ms, %s" % (ABOUT, SLOW)
    rows = [
        (0, EXT_CLOCK, "6 CK + " + ms4),
        (1, EXT_CLOCK, "6 CK, %s" % BOD),
        (2, xtal, "16K CK + " + ms64),
        (3, xtal, "16K CK + " + ms4),
        (4, xtal, "16K CK, %s" % BOD),
        (5, ceramic, "1K CK + " + ms64),
        (6, ceramic, "1K CK + " + ms4),
        (7, ceramic, "1K CK, %s" % BOD),
    ]
    return [(code, t("时钟源: %s; 启动时间 %s [%s]", "Clock: %s; start-up %s [%s]") % (src, start, cksel(code, 3)), True)
            for code, src, start in rows]


# ---- other fields ---------------------------------------------------------------------

def boot_sizes(first_bit, flash_words, smallest, names="BOOTSZ1..0"):
    """Choices for BOOTSZ1..0 at bits first_bit+1, first_bit of the byte or word."""
    out = []
    for code, scale in ((3, 1), (2, 2), (1, 4), (0, 8)):
        words = smallest * scale
        out.append((code << first_bit, t("%s=%s: 引导区%d字, 起始地址$%04X", "%s=%s: boot section %d words, start address $%04X")
                    % (names, format(code, "02b"), words, flash_words - words), False))
    return out


def bod_levels(first_bit):
    return [
        (7 << first_bit, t("BODLEVEL2..0=111: 禁止掉电检测", "BODLEVEL2..0=111: brown-out detection off"), False),
        (6 << first_bit, t("BODLEVEL2..0=110: 掉电检测电平1.8V", "BODLEVEL2..0=110: brown-out level 1.8V"), False),
        (5 << first_bit, t("BODLEVEL2..0=101: 掉电检测电平2.7V", "BODLEVEL2..0=101: brown-out level 2.7V"), False),
        (4 << first_bit, t("BODLEVEL2..0=100: 掉电检测电平4.3V", "BODLEVEL2..0=100: brown-out level 4.3V"), False),
    ]


def lock_modes(chip, boot_locks):
    chip.group([LOCK + 1, LOCK + 0], [
        (0x03, t("LB2..1=11: 无锁定 (模式1)", "LB2..1=11: no lock (mode 1)"), False),
        (0x02, t("LB2..1=10: 禁止再编程Flash和EEPROM (模式2)",
                 "LB2..1=10: further programming of flash and EEPROM disabled (mode 2)"), True),
        (0x00, t("LB2..1=00: 禁止编程和校验 (加密, 模式3)",
                 "LB2..1=00: programming and verification disabled (locked, mode 3)"), True),
    ])
    if not boot_locks:
        return
    chip.group([LOCK + 3, LOCK + 2], [
        (0x0C, t("BLB02..01=11: 应用区无保护 (模式1)", "BLB02..01=11: application section unprotected (mode 1)"), False),
        (0x08, t("BLB02..01=10: 禁止SPM写应用区 (模式2)",
                 "BLB02..01=10: SPM may not write the application section (mode 2)"), True),
        (0x00, t("BLB02..01=00: 禁止SPM写应用区, 禁止引导区的LPM读应用区 (模式3)",
                 "BLB02..01=00: SPM may not write the application section, LPM in the boot section "
                 "may not read it (mode 3)"), True),
        (0x04, t("BLB02..01=01: 禁止引导区的LPM读应用区 (模式4)",
                 "BLB02..01=01: LPM in the boot section may not read the application section (mode 4)"), True),
    ])
    chip.group([LOCK + 5, LOCK + 4], [
        (0x30, t("BLB12..11=11: 引导区无保护 (模式1)", "BLB12..11=11: boot section unprotected (mode 1)"), False),
        (0x20, t("BLB12..11=10: 禁止SPM写引导区 (模式2)", "BLB12..11=10: SPM may not write the boot section (mode 2)"),
         True),
        (0x00, t("BLB12..11=00: 禁止SPM写引导区, 禁止应用区的LPM读引导区 (模式3)",
                 "BLB12..11=00: SPM may not write the boot section, LPM in the application section "
                 "may not read it (mode 3)"), True),
        (0x10, t("BLB12..11=01: 禁止应用区的LPM读引导区 (模式4)",
                 "BLB12..11=01: LPM in the application section may not read the boot section (mode 4)"), True),
    ])


LOCK6 = [None, None, "BLB12", "BLB11", "BLB02", "BLB01", "LB2", "LB1"]
LOCK2 = [None, None, None, None, None, None, "LB2", "LB1"]
NONE8 = [None] * 8

T = {
    "RSTDISBL": (Tx("禁止外部复位 (复位脚用作I/O口)", "external reset disabled (reset pin used as I/O)"), True),
    "WDTON": (Tx("看门狗定时器始终开启", "watchdog timer always on"), False),
    "SPIEN": (Tx("允许串行编程 (ISP下载)", "serial programming enabled (ISP download)"), True),
    "CKOPT": (Tx("振荡器全幅输出 (晶振高于8MHz时须选)", "oscillator full swing (needed for crystals above 8MHz)"),
              False),
    "EESAVE": (Tx("擦除芯片时保留EEPROM内容", "EEPROM kept through chip erase"), False),
    "BOOTRST": (Tx("复位后从引导区(Boot)启动", "start from the boot section after reset"), False),
    "BODEN": (Tx("允许掉电检测 (BOD)", "brown-out detection enabled (BOD)"), False),
    "BODLEVEL": (Tx("掉电检测电平4.0V (不选为2.7V)", "brown-out level 4.0V (unticked: 2.7V)"), False),
    "OCDEN": (Tx("允许片上调试 (OCD)", "on-chip debugging enabled (OCD)"), False),
    "JTAGEN": (Tx("允许JTAG接口", "JTAG interface enabled"), False),
    "DWEN": (Tx("允许debugWIRE调试 (复位脚用作调试口)", "debugWIRE enabled (reset pin used for debugging)"), True),
    "CKDIV8": (Tx("系统时钟8分频", "system clock divided by 8"), False),
    "CKOUT": (Tx("系统时钟从CLKO脚输出", "system clock output on the CLKO pin"), False),
    "SELFPRGEN": (Tx("允许自编程 (SPM指令)", "self-programming enabled (SPM instruction)"), False),
    "M161C": (Tx("ATmega161兼容模式", "ATmega161 compatibility mode"), False),
    "S8515C": (Tx("AT90S8515兼容模式", "AT90S8515 compatibility mode"), False),
    "S8535C": (Tx("AT90S4434/8535兼容模式", "AT90S4434/8535 compatibility mode"), False),
    "SUT": (Tx("启动时间选择位 (见数据手册的复位延时表)", "start-up time select (see the datasheet's reset delay table)"),
            False),
}


def singles(chip, positions):
    for p in positions:
        text, red = T[chip.bits[p]]
        chip.single(p, text, red)


def clock_field(chip, choices, positions=(5, 4, 3, 2, 1, 0)):
    chip.group(list(positions), choices)


def mega8_like(name, high7, high6, flash_words, boot_smallest, low=0xE1, high=0xD9):
    c = Chip(name)
    c.byte(LOCK, LOCK6, 0xFF)
    c.byte(EXT, NONE8, 0xFF)
    c.byte(HIGH, [high7, high6, "SPIEN", "CKOPT", "EESAVE", "BOOTSZ1", "BOOTSZ0", "BOOTRST"], high)
    c.byte(LOW, ["BODLEVEL", "BODEN", "SUT1", "SUT0", "CKSEL3", "CKSEL2", "CKSEL1", "CKSEL0"], low)
    clock_field(c, mega8_clock())
    singles(c, [7, 6])
    singles(c, [HIGH + 7, HIGH + 6, HIGH + 5, HIGH + 4, HIGH + 3])
    c.group([HIGH + 2, HIGH + 1], boot_sizes(9, flash_words, boot_smallest))
    singles(c, [HIGH + 0])
    lock_modes(c, True)
    return c


def mega48_like(name, ext_names, ext_default, flash_words, boot):
    c = Chip(name)
    c.byte(LOCK, LOCK6 if boot else LOCK2, 0xFF)
    c.byte(EXT, ext_names, ext_default)
    c.byte(HIGH, ["RSTDISBL", "DWEN", "SPIEN", "WDTON", "EESAVE", "BODLEVEL2", "BODLEVEL1", "BODLEVEL0"], 0xDF)
    c.byte(LOW, ["CKDIV8", "CKOUT", "SUT1", "SUT0", "CKSEL3", "CKSEL2", "CKSEL1", "CKSEL0"], 0x62)
    clock_field(c, mega48_clock())
    singles(c, [7, 6])
    singles(c, [HIGH + 7, HIGH + 6, HIGH + 5, HIGH + 4, HIGH + 3])
    c.group([HIGH + 2, HIGH + 1, HIGH + 0], bod_levels(8))
    if boot:
        c.group([EXT + 2, EXT + 1], boot_sizes(1, flash_words, 128))
        singles(c, [EXT + 0])
    else:
        singles(c, [EXT + 0])
    lock_modes(c, boot)
    return c


def build():
    chips = []
    chips.append(mega48_like("ATMEGA48", [None] * 7 + ["SELFPRGEN"], 0xFF, 2048, False))
    chips.append(mega48_like("ATMEGA88", [None] * 5 + ["BOOTSZ1", "BOOTSZ0", "BOOTRST"], 0xF9, 4096, True))
    chips.append(mega8_like("ATMEGA16", "OCDEN", "JTAGEN", 8192, 128, high=0x99))
    chips.append(mega48_like("ATMEGA168", [None] * 5 + ["BOOTSZ1", "BOOTSZ0", "BOOTRST"], 0xF9, 8192, True))
    chips.append(mega8_like("ATMEGA32", "OCDEN", "JTAGEN", 16384, 256, high=0x99))
    # The datasheet's factory low fuse of the ATmega8535 is E1 (internal RC 1 MHz, SUT=10).
    chips.append(mega8_like("ATMEGA8535", "S8535C", "WDTON", 4096, 128))

    c = Chip("ATMEGA163")
    c.byte(LOCK, LOCK6, 0xFF)
    c.byte(EXT, NONE8, 0xFF)
    c.byte(HIGH, [None] * 5 + ["BOOTSZ1", "BOOTSZ0", "BOOTRST"], 0xFF)
    c.byte(LOW, ["BODLEVEL", "BODEN", "SPIEN", None, "CKSEL3", "CKSEL2", "CKSEL1", "CKSEL0"], 0xD2)
    clock_field(c, cksel_only_clock(), (3, 2, 1, 0))
    singles(c, [7, 6, 5])
    c.group([HIGH + 2, HIGH + 1], boot_sizes(9, 8192, 128))
    singles(c, [HIGH + 0])
    lock_modes(c, True)
    chips.append(c)

    c = Chip("ATMEGA323")
    c.byte(LOCK, LOCK6, 0xFF)
    c.byte(EXT, NONE8, 0xFF)
    c.byte(HIGH, ["OCDEN", "JTAGEN", "SPIEN", None, "EESAVE", "BOOTSZ1", "BOOTSZ0", "BOOTRST"], 0x9F)
    c.byte(LOW, ["BODLEVEL", "BODEN", None, None, "CKSEL3", "CKSEL2", "CKSEL1", "CKSEL0"], 0xF2)
    clock_field(c, cksel_only_clock(), (3, 2, 1, 0))
    singles(c, [7, 6])
    singles(c, [HIGH + 7, HIGH + 6, HIGH + 5, HIGH + 3])
    c.group([HIGH + 2, HIGH + 1], boot_sizes(9, 16384, 256))
    singles(c, [HIGH + 0])
    lock_modes(c, True)
    chips.append(c)

    chips.append(mega8_like("ATMEGA8515", "S8515C", "WDTON", 4096, 128))

    c = Chip("ATMEGA161")
    c.byte(LOCK, LOCK6, 0xFF)
    c.byte(EXT, NONE8, 0xFF)
    c.byte(HIGH, NONE8, 0xFF)
    c.byte(LOW, [None, "BOOTRST", "SPIEN", "SUT", None, "CKSEL2", "CKSEL1", "CKSEL0"], 0xDA)
    clock_field(c, mega161_clock(), (2, 1, 0))
    singles(c, [6, 5, 4])
    lock_modes(c, True)
    chips.append(c)

    c = Chip("ATMEGA162")
    c.byte(LOCK, LOCK6, 0xFF)
    c.byte(EXT, [None, None, None, "M161C", "BODLEVEL2", "BODLEVEL1", "BODLEVEL0", None], 0xFF)
    c.byte(HIGH, ["OCDEN", "JTAGEN", "SPIEN", "WDTON", "EESAVE", "BOOTSZ1", "BOOTSZ0", "BOOTRST"], 0x99)
    c.byte(LOW, ["CKDIV8", "CKOUT", "SUT1", "SUT0", "CKSEL3", "CKSEL2", "CKSEL1", "CKSEL0"], 0x62)
    clock_field(c, mega162_clock())
    singles(c, [7, 6])
    singles(c, [HIGH + 7, HIGH + 6, HIGH + 5, HIGH + 4, HIGH + 3])
    c.group([HIGH + 2, HIGH + 1], boot_sizes(9, 8192, 128))
    singles(c, [HIGH + 0])
    singles(c, [EXT + 4])
    c.group([EXT + 3, EXT + 2, EXT + 1], bod_levels(1))
    lock_modes(c, True)
    chips.append(c)

    c = Chip("ATTINY26")
    c.byte(LOCK, LOCK2, 0xFF)
    c.byte(EXT, NONE8, 0xFF)
    c.byte(HIGH, [None, None, None, "RSTDISBL", "SPIEN", "EESAVE", "BODLEVEL", "BODEN"], 0xF7)
    c.byte(LOW, ["PLLCK", "CKOPT", "SUT1", "SUT0", "CKSEL3", "CKSEL2", "CKSEL1", "CKSEL0"], 0xE1)
    clock_field(c, mega8_clock(pll=True), (7, 5, 4, 3, 2, 1, 0))
    singles(c, [6])
    singles(c, [HIGH + 4, HIGH + 3, HIGH + 2, HIGH + 1, HIGH + 0])
    lock_modes(c, False)
    chips.append(c)

    c = Chip("ATTINY2313")
    c.byte(LOCK, LOCK2, 0xFF)
    c.byte(EXT, [None] * 7 + ["SELFPRGEN"], 0xFF)
    c.byte(HIGH, ["DWEN", "EESAVE", "SPIEN", "WDTON", "BODLEVEL2", "BODLEVEL1", "BODLEVEL0", "RSTDISBL"], 0xDF)
    c.byte(LOW, ["CKDIV8", "CKOUT", "SUT1", "SUT0", "CKSEL3", "CKSEL2", "CKSEL1", "CKSEL0"], 0x64)
    clock_field(c, tiny2313_clock())
    singles(c, [7, 6])
    singles(c, [HIGH + 7, HIGH + 6, HIGH + 5, HIGH + 4])
    c.group([HIGH + 3, HIGH + 2, HIGH + 1], bod_levels(9))
    singles(c, [HIGH + 0])
    singles(c, [EXT + 0])
    lock_modes(c, False)
    chips.append(c)

    chips.append(mega8_like("ATMEGA8", "RSTDISBL", "WDTON", 4096, 128))
    return chips


if __name__ == "__main__":
    for LANG in ("zh", "en"):
        os.makedirs(FOLDERS[LANG], exist_ok=True)
        for chip in build():
            chip.write()
            if LANG == "zh":
                print("%-11s %s  %3d options" % (chip.name, chip.default_text(), len(chip.options)))
