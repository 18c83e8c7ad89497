#!/usr/bin/python3
"""Makes the example package's two Vietnamese fonts from DejaVu Sans (Debian fonts-dejavu-core).

Legacy Vietnamese text is stored in 8-bit encodings whose fonts draw Vietnamese letters at the
code points Windows' code page 1252 gives to Latin-1 characters. Two such encodings are made:

- TCVN3 (TCVN 5712, "VN3"): precomposed lower-case letters with their tones, the capital base
  letters Ă Â Ê Ô Ơ Ư Đ, and five tone marks at 0xB0-0xB4.
- VNI (Windows form): a base letter followed by a mark byte (0xE0-0xFC after lower case,
  0xC0-0xDC after capitals); đ, ơ, ư and the i and y forms without a base letter are
  precomposed.

Each font keeps ASCII and the glyphs its encoding needs, drops hinting and layout tables (tens
of KB), and is renamed: the Bitstream Vera licence allows modified fonts only under a name that
contains neither "Bitstream" nor "Vera", and DejaVu is the upstream's own name. The licence
text is copied beside each font.

Usage: make_vietnamese_fonts.py [SOURCE_TTF] [PACKAGE_DIR]
(defaults: /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf, examples/package)
"""
import os
import shutil
import sys

from fontTools import subset
from fontTools.ttLib import TTFont
from fontTools.ttLib.tables._g_l_y_f import Glyph, GlyphComponent

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_SOURCE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
DEFAULT_PACKAGE = os.path.join(HERE, "..", "..", "examples", "package")
LICENCE = "/usr/share/doc/fonts-dejavu-core/copyright"

# The marks of DejaVu Sans are zero-width and drawn over the preceding letter.
GRAVE, ACUTE, TILDE, HOOK, DOT = 0x0300, 0x0301, 0x0303, 0x0309, 0x0323
CIRCUMFLEX, BREVE = 0x0302, 0x0306
# Capitals are taller than lower-case letters: marks after them are raised by the difference.
CAPITAL_RAISE = 1493 - 1120
# A tone mark above a circumflex or breve sits on top of it.
STACK_RAISE = 380

# TCVN3: byte -> Unicode character.
TCVN3 = {
    0xA1: "Ă", 0xA2: "Â", 0xA3: "Ê", 0xA4: "Ô", 0xA5: "Ơ", 0xA6: "Ư", 0xA7: "Đ",
    0xA8: "ă", 0xA9: "â", 0xAA: "ê", 0xAB: "ô", 0xAC: "ơ", 0xAD: "ư", 0xAE: "đ",
    0xB0: chr(GRAVE), 0xB1: chr(HOOK), 0xB2: chr(TILDE), 0xB3: chr(ACUTE), 0xB4: chr(DOT),
    0xB5: "à", 0xB6: "ả", 0xB7: "ã", 0xB8: "á", 0xB9: "ạ",
    0xBB: "ằ", 0xBC: "ẳ", 0xBD: "ẵ", 0xBE: "ắ", 0xC6: "ặ",
    0xC7: "ầ", 0xC8: "ẩ", 0xC9: "ẫ", 0xCA: "ấ", 0xCB: "ậ",
    0xCC: "è", 0xCE: "ẻ", 0xCF: "ẽ", 0xD0: "é", 0xD1: "ẹ",
    0xD2: "ề", 0xD3: "ể", 0xD4: "ễ", 0xD5: "ế", 0xD6: "ệ",
    0xD7: "ì", 0xD8: "ỉ", 0xDC: "ĩ", 0xDD: "í", 0xDE: "ị",
    0xDF: "ò", 0xE1: "ỏ", 0xE2: "õ", 0xE3: "ó", 0xE4: "ọ",
    0xE5: "ồ", 0xE6: "ổ", 0xE7: "ỗ", 0xE8: "ố", 0xE9: "ộ",
    0xEA: "ờ", 0xEB: "ở", 0xEC: "ỡ", 0xED: "ớ", 0xEE: "ợ",
    0xEF: "ù", 0xF1: "ủ", 0xF2: "ũ", 0xF3: "ú", 0xF4: "ụ",
    0xF5: "ừ", 0xF6: "ử", 0xF7: "ữ", 0xF8: "ứ", 0xF9: "ự",
    0xFA: "ỳ", 0xFB: "ỷ", 0xFC: "ỹ", 0xFD: "ý", 0xFE: "ỵ",
}

# VNI: the mark bytes after a lower-case letter; the byte with 0x20 cleared follows a capital.
# Each is a list of marks drawn from the bottom up.
VNI_MARKS = {
    0xF8: [GRAVE], 0xF9: [ACUTE], 0xFB: [HOOK], 0xF5: [TILDE], 0xEF: [DOT],
    0xE2: [CIRCUMFLEX], 0xEA: [BREVE],
    0xE0: [CIRCUMFLEX, GRAVE], 0xE1: [CIRCUMFLEX, ACUTE], 0xE5: [CIRCUMFLEX, HOOK],
    0xE3: [CIRCUMFLEX, TILDE], 0xE4: [CIRCUMFLEX, DOT],
    0xE8: [BREVE, GRAVE], 0xE9: [BREVE, ACUTE], 0xFA: [BREVE, HOOK],
    0xFC: [BREVE, TILDE], 0xEB: [BREVE, DOT],
}
# VNI's precomposed letters, lower case; capitals at the byte with 0x20 cleared.
VNI_LETTERS = {
    0xF1: ("đ", "Đ"), 0xF4: ("ơ", "Ơ"), 0xF6: ("ư", "Ư"),
    0xEC: ("ì", "Ì"), 0xED: ("í", "Í"), 0xE6: ("ỉ", "Ỉ"), 0xF3: ("ĩ", "Ĩ"), 0xF2: ("ị", "Ị"),
    0xEE: ("ỵ", "Ỵ"),
}


def cp1252_code_point(byte):
    """The Unicode code point Windows' code page 1252 gives a byte (its own value where undefined)."""
    try:
        return ord(bytes([byte]).decode("cp1252"))
    except UnicodeDecodeError:
        return byte


def mark_glyph(font, marks, capital):
    """A zero-width composite of the marks, stacked, raised for capitals; returns its name."""
    cmap = font.getBestCmap()
    name = "vnmark_" + "_".join("%04X" % m for m in marks) + ("_cap" if capital else "")
    glyf = font["glyf"]
    if name in glyf.glyphs:
        return name
    glyph = Glyph()
    glyph.numberOfContours = -1
    glyph.components = []
    raise_by = 0
    for mark in marks:
        component = GlyphComponent()
        component.glyphName = cmap[mark]
        component.flags = 0x4  # round to the grid
        component.x = 0
        below = mark == DOT
        component.y = (0 if below else raise_by + (CAPITAL_RAISE if capital else 0))
        glyph.components.append(component)
        if not below:
            raise_by += STACK_RAISE
    order = font.getGlyphOrder()
    order.append(name)
    font.setGlyphOrder(order)
    glyf.glyphOrder = order
    glyf[name] = glyph
    glyph.recalcBounds(glyf)
    font["hmtx"][name] = (0, getattr(glyph, "xMin", 0))
    return name


def legacy_cmap(font, table):
    """Maps every byte of the table (byte -> glyph name) and ASCII to the fonts' cmap."""
    mapping = {}
    cmap = font.getBestCmap()
    for code in range(0x20, 0x7F):
        if code in cmap:
            mapping[code] = cmap[code]
    for byte, glyph in table.items():
        mapping[cp1252_code_point(byte)] = glyph
    for sub in font["cmap"].tables:
        if sub.platformID == 3 and sub.platEncID == 1 and sub.format == 4:
            sub.cmap = dict(mapping)
    font["cmap"].tables = [s for s in font["cmap"].tables
                           if s.platformID == 3 and s.platEncID == 1 and s.format == 4]
    return mapping


def rename(font, family, postscript):
    names = font["name"]
    keep = {0, 5, 13, 14}
    names.names = [n for n in names.names if n.nameID in keep]
    for name_id, text in ((1, family), (2, "Book"), (3, postscript + "-1.0"), (4, family),
                          (6, postscript)):
        names.setName(text, name_id, 3, 1, 0x409)
        names.setName(text, name_id, 1, 0, 0)
    names.setName("Made from DejaVu Sans for legacy Vietnamese text; renamed as its "
                  "licence requires for modified fonts.", 10, 3, 1, 0x409)
    font["OS/2"].fsType = 0


def make(source, table_of, family, postscript, out_path):
    font = TTFont(source)
    table = table_of(font)
    mapping = legacy_cmap(font, table)
    options = subset.Options()
    options.hinting = False
    options.layout_features = []
    options.drop_tables += ["GSUB", "GPOS", "GDEF", "kern", "FFTM", "gasp", "prep", "fpgm",
                            "cvt "]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.glyph_names = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=sorted(mapping))
    subsetter.subset(font)
    rename(font, family, postscript)
    font.save(out_path)
    return os.path.getsize(out_path)


def tcvn3_table(font):
    cmap = font.getBestCmap()
    return {byte: cmap[ord(ch)] for byte, ch in TCVN3.items()}


def vni_table(font):
    cmap = font.getBestCmap()
    table = {}
    for byte, marks in VNI_MARKS.items():
        table[byte] = mark_glyph(font, marks, False)
        table[byte & ~0x20] = mark_glyph(font, marks, True)
    for byte, (small, capital) in VNI_LETTERS.items():
        table[byte] = cmap[ord(small)]
        table[byte & ~0x20] = cmap[ord(capital)]
    return table


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_SOURCE
    package = sys.argv[2] if len(sys.argv) > 2 else DEFAULT_PACKAGE
    fonts = [
        ("TCVN3 Font", "MKSANS3.TTF", tcvn3_table, "Mekong Sans T3", "MekongSansT3"),
        ("VNI Font", "MKSANSV.TTF", vni_table, "Mekong Sans VW", "MekongSansVW"),
    ]
    for folder, file_name, table_of, family, postscript in fonts:
        directory = os.path.join(package, folder)
        os.makedirs(directory, exist_ok=True)
        size = make(source, table_of, family, postscript, os.path.join(directory, file_name))
        shutil.copyfile(LICENCE, os.path.join(directory, "FONT-LICENSE.txt"))
        print("%s/%s: %d bytes" % (folder, file_name, size))


if __name__ == "__main__":
    main()
