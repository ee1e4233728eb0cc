#!/usr/bin/env python3
"""Writes docs/example-panel.mv100: a small arcade-panel configuration used for the README's
screenshot and as an example of the file format (UTF-16 LE, LF, 256 lines)."""
import pathlib

EMPTY = 0xFFFF
layers = [[EMPTY] * 384 for _ in range(3)]


def put(layer, x, y, code):
    layers[layer][y * 16 + x] = code


# Row 0: letters A..P; row 1: digits 1..0, Return, Escape, Backspace, Tab, Space, Minus.
for x in range(16):
    put(0, x, 0, 0x04 + x)
for x, code in enumerate([0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27,
                          0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D]):
    put(0, x, 1, code)
# Row 2: player controls: arrows, modifier + key combinations.
for x, code in enumerate([0x52, 0x51, 0x50, 0x4F, 0xE104, 0xE016, 0xE21D, 0xE51E]):
    put(0, x, 2, code)
# Row 3: media, mouse, backlight and macros.
for x, code in enumerate([0x010C, 0x010D, 0x010E, 0x0310, 0x0311, 0x0300, 0x0401, 0x0402,
                          0x0421, 0x0200, 0x0201, 0x0205]):
    put(0, x, 3, code)
# FN keys on the Default layer, mirrored on the layer they switch to.
put(0, 15, 3, 0x00FF)
put(1, 15, 3, 0x00FF)
put(0, 14, 3, 0x00FE)
put(2, 14, 3, 0x00FE)
# FN1 layer: function keys over the letters.
for x in range(12):
    put(1, x, 0, 0x3A + x)

macros = [[0xFF] * 32 for _ in range(176)]
macros[0] = [0x01] + [0x0B, 0x08, 0x0F, 0x0F, 0x12] + [0x00] * 26  # Typing "hello"
macros[1] = [0x02, 0x05] + [0x04, 0x05, 0x06] + [0x00] * 27       # Cell, 500 ms
macros[5] = [0x03, 0x0A] + [0xE1, 0x04, 0x00, 0x28] + [0x00] * 26  # Cell 16Bit

image = bytearray()
for layer in layers:
    for code in layer:
        image += bytes([code & 0xFF, code >> 8])
for macro in macros:
    image += bytes(macro)
assert len(image) == 7936

lines = [
    "3C9A71E04B5D28F6",                 # PIN
    "00112233445566778899AABBCCDDEEFF", # custom data
    "21",                               # lock keys: FN1 on Num, FN2 on Caps
    "00093CB91E0A0F0305080A0D0F1214",   # mouse: trackball, analog wheel, auto range
    "8080FF40400A0A0505050101000000",   # backlight
    "0102031011202AFF",                 # LED outputs
    "00",                               # unlocked
]
lines += [image[i:i + 32].hex().upper() for i in range(0, 7936, 32)]
lines.append("05")                      # debounce 5 ms
assert len(lines) == 256

out = pathlib.Path(__file__).resolve().parent.parent / "docs" / "example-panel.mv100"
out.write_bytes("".join(line + "\n" for line in lines).encode("utf-16-le"))
print(f"wrote {out}")
