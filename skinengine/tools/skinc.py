#!/usr/bin/env python3
"""Compiles a skin source (skins/NN-name.skin) into the engine's binary skin file.

Source form, one setting per line, '#' starts a comment:

    name = Aurora                 # shown nowhere, kept in the file for people
    [palette]                     # free colour names used by the settings below
    accent = #2f6fd6
    face   = mix(accent, #ffffff, 0.9)
    [caption]                     # section.key is the field key of SkinFields.h
    gradient = glass
    top      = lighten(accent, 0.2)

A colour is #rrggbb, a palette name, another field's key (caption.top), or one of
mix(a, b, t), lighten(a, t), darken(a, t). A one-byte value is a number or one of the
names its range lists. Any field a skin leaves out takes its value from DEFAULTS below,
which are written in terms of the palette names accent, face, text, caption and
caption_text, so that every skin gives at least those five.

The field ids, ranges and the binary layout come from SkinFields.h and FORMAT.md.
"""
import argparse
import pathlib
import re
import struct
import sys
import zlib

FIELDS_HEADER = pathlib.Path(__file__).resolve().parent.parent / "SkinFields.h"

MAGIC = b".SHE\x00\x03"
LAYOUT_VERSION = 1
NAME_ID = 0x0001
NAME_MAX = 48

PALETTE_DEFAULTS = {
    "button": "lighten(face, 0.35)",
    "button_text": "text",
    "select": "accent",
    "select_text": "#ffffff",
    "menu": "mix(face, #ffffff, 0.6)",
}

DEFAULTS = {
    "frame.outer": "darken(caption, 0.45)",
    "frame.fill": "caption.bottom",
    "frame.inner": "darken(caption.bottom, 0.25)",
    "frame.light": "lighten(caption.top, 0.35)",
    "frame.inactive_fill": "caption.inactive_bottom",
    "caption.top": "lighten(caption, 0.18)",
    "caption.bottom": "darken(caption, 0.08)",
    "caption.inactive_top": "mix(caption.top, #c4c4c4, 0.65)",
    "caption.inactive_bottom": "mix(caption.bottom, #b0b0b0, 0.65)",
    "caption.text": "caption_text",
    "caption.inactive_text": "mix(caption.text, caption.inactive_bottom, 0.45)",
    "caption.shadow": "darken(caption.bottom, 0.5)",
    "caption.line": "frame.inner",
    "client.top": "lighten(face, 0.08)",
    "client.bottom": "darken(face, 0.03)",
    "client.pattern": "darken(face, 0.06)",
    "client.text": "text",
    "client.disabled_text": "mix(text, face, 0.6)",
    "button.top": "lighten(button, 0.25)",
    "button.bottom": "darken(button, 0.06)",
    "button.border": "darken(button, 0.4)",
    "button.text": "button_text",
    "button.hover_top": "mix(button.top, accent, 0.18)",
    "button.hover_bottom": "mix(button.bottom, accent, 0.25)",
    "button.hover_border": "mix(button.border, accent, 0.7)",
    "button.hover_text": "button.text",
    "button.pressed_top": "darken(button.bottom, 0.14)",
    "button.pressed_bottom": "darken(button.top, 0.04)",
    "button.pressed_border": "darken(button.hover_border, 0.2)",
    "button.pressed_text": "button.text",
    "button.disabled_face": "mix(button.bottom, face, 0.6)",
    "button.disabled_border": "mix(button.border, face, 0.6)",
    "button.disabled_text": "mix(button.text, button.disabled_face, 0.6)",
    "button.focus": "accent",
    "check.back": "lighten(face, 0.7)",
    "check.border": "darken(face, 0.45)",
    "check.hover_border": "accent",
    "check.mark": "accent",
    "combo.back": "lighten(face, 0.8)",
    "combo.border": "darken(face, 0.35)",
    "combo.hover_border": "accent",
    "combo.text": "text",
    "combo.button_top": "button.top",
    "combo.button_bottom": "button.bottom",
    "combo.arrow": "darken(text, 0.1)",
    "list.back": "combo.back",
    "list.text": "combo.text",
    "list.select_back": "select",
    "list.select_text": "select_text",
    "sysbutton.top": "lighten(caption.top, 0.12)",
    "sysbutton.bottom": "caption.bottom",
    "sysbutton.border": "darken(caption.bottom, 0.3)",
    "sysbutton.glyph": "caption.text",
    "sysbutton.hover_top": "lighten(sysbutton.top, 0.25)",
    "sysbutton.hover_bottom": "lighten(sysbutton.bottom, 0.2)",
    "sysbutton.hover_glyph": "sysbutton.glyph",
    "sysbutton.pressed_top": "darken(sysbutton.bottom, 0.2)",
    "sysbutton.pressed_bottom": "darken(sysbutton.top, 0.1)",
    "sysbutton.pressed_glyph": "sysbutton.glyph",
    "sysbutton.close_hover_top": "#e8554a",
    "sysbutton.close_hover_bottom": "#c42b1c",
    "sysbutton.close_pressed_top": "#9c2217",
    "sysbutton.close_pressed_bottom": "#b8281b",
    "menu.back": "menu",
    "frame.style": "flat",
    "frame.radius": "0",
    "frame.bottom_radius": "0",
    "caption.gradient": "vertical",
    "caption.align": "left",
    "caption.bold": "no",
    "caption.text_shadow": "no",
    "caption.icon": "yes",
    "client.pattern_style": "none",
    "client.pattern_spacing": "6",
    "button.style": "gradient",
    "button.radius": "3",
    "button.border_width": "1",
    "button.focus_style": "ring",
    "check.style": "classic",
    "combo.style": "button",
    "combo.radius": "2",
    "combo.arrow_style": "triangle",
    "sysbutton.shape": "rounded",
    "sysbutton.glyph_weight": "2",
}

# The system draws menu text in its own (dark) colour, so a menu background must stay light.
MENU_MIN_LUMINANCE = 0.55


class SkinSourceError(Exception):
    pass


def read_fields(header_text):
    """Returns (colours, bytes): lists of (id, key) and (id, key, range text)."""
    def block(macro):
        start = header_text.index("#define " + macro)
        end = header_text.find("\n\n", start)
        return header_text[start:end if end >= 0 else len(header_text)]

    colours = [(int(i, 16), k) for i, k in
               re.findall(r'X\((0x[0-9A-Fa-f]+), "([^"]+)", \w+\)', block("QT_SKIN_COLOURS"))]
    values = [(int(i, 16), k, r) for i, k, r in
              re.findall(r'X\((0x[0-9A-Fa-f]+), "([^"]+)", \w+, "([^"]+)"\)',
                         block("QT_SKIN_BYTES"))]
    return colours, values


def parse_source(text):
    """Returns (name, palette, settings) from the source text."""
    name, palette, settings, section = None, {}, {}, None
    for number, raw in enumerate(text.splitlines(), 1):
        # '#' also opens a colour, so only a '#' that begins the line or follows a blank
        # without six hex digits after it starts a comment.
        line = re.split(r"(?:^|\s)#(?![0-9A-Fa-f]{6}\b)", raw, 1)[0].strip()
        if not line:
            continue
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1].strip()
            continue
        if "=" not in line:
            raise SkinSourceError(f"line {number}: expected key = value")
        key, value = (part.strip() for part in line.split("=", 1))
        if section is None:
            if key != "name":
                raise SkinSourceError(f"line {number}: only 'name' may precede a section")
            name = value
        elif section == "palette":
            palette[key] = value
        else:
            full = f"{section}.{key}"
            if full in settings:
                raise SkinSourceError(f"line {number}: {full} given twice")
            settings[full] = value
    if not name:
        raise SkinSourceError("the skin has no name")
    return name, palette, settings


class Resolver:
    def __init__(self, palette, settings):
        self.palette = {**PALETTE_DEFAULTS, **palette}
        self.settings = {**DEFAULTS, **settings}
        self.cache = {}
        self.active = set()

    def colour(self, ref):
        if ref in self.cache:
            return self.cache[ref]
        if ref in self.active:
            raise SkinSourceError(f"{ref} depends on itself")
        if ref in self.palette:
            expr = self.palette[ref]
        elif ref in self.settings:
            expr = self.settings[ref]
        else:
            raise SkinSourceError(f"unknown colour name {ref!r}")
        self.active.add(ref)
        value = self.evaluate(expr)
        self.active.discard(ref)
        self.cache[ref] = value
        return value

    def evaluate(self, expr):
        tokens = re.findall(r"#[0-9A-Fa-f]{6}|[A-Za-z_][\w.]*|-?\d+(?:\.\d+)?|[(),]", expr)
        if "".join(tokens) != re.sub(r"\s+", "", expr):
            raise SkinSourceError(f"cannot read {expr!r}")
        value, rest = self.parse(tokens)
        if rest:
            raise SkinSourceError(f"trailing text in {expr!r}")
        if not isinstance(value, tuple):
            raise SkinSourceError(f"{expr!r} is not a colour")
        return value

    def parse(self, tokens):
        if not tokens:
            raise SkinSourceError("expression ends early")
        head, rest = tokens[0], tokens[1:]
        if head.startswith("#"):
            return tuple(int(head[i:i + 2], 16) for i in (1, 3, 5)), rest
        if re.fullmatch(r"-?\d+(?:\.\d+)?", head):
            return float(head), rest
        if rest and rest[0] == "(":
            args, rest = [], rest[1:]
            while True:
                arg, rest = self.parse(rest)
                args.append(arg)
                if not rest:
                    raise SkinSourceError(f"{head}( is not closed")
                if rest[0] == ")":
                    return self.call(head, args), rest[1:]
                if rest[0] != ",":
                    raise SkinSourceError(f"expected ',' in {head}(...)")
                rest = rest[1:]
        return self.colour(head), rest

    @staticmethod
    def call(function, args):
        def mix(a, b, t):
            return tuple(round(x + (y - x) * t) for x, y in zip(a, b))
        table = {
            "mix": lambda a, b, t: mix(a, b, t),
            "lighten": lambda a, t: mix(a, (255, 255, 255), t),
            "darken": lambda a, t: mix(a, (0, 0, 0), t),
        }
        if function not in table:
            raise SkinSourceError(f"unknown function {function}")
        try:
            return table[function](*args)
        except TypeError as error:
            raise SkinSourceError(f"bad arguments to {function}: {error}") from None


def byte_value(key, text, allowed):
    words = allowed.split()
    if ".." in allowed:
        lo, hi = (int(x) for x in allowed.split(".."))
        if not re.fullmatch(r"\d+", text) or not lo <= int(text) <= hi:
            raise SkinSourceError(f"{key} must be a number from {lo} to {hi}, not {text!r}")
        return int(text)
    if text not in words:
        raise SkinSourceError(f"{key} must be one of {', '.join(words)}, not {text!r}")
    return words.index(text)


def luminance(rgb):
    return (0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2]) / 255


def compile_skin(source_text, header_text):
    colours, values = read_fields(header_text)
    name, palette, settings = parse_source(source_text)
    known = {key for _, key in colours} | {key for _, key, _ in values}
    unknown = sorted(set(settings) - known)
    if unknown:
        raise SkinSourceError(f"unknown settings: {', '.join(unknown)}")
    if len(name) > NAME_MAX or not all(0x20 <= ord(c) <= 0x7E for c in name):
        raise SkinSourceError("the name must be 1 to 48 printable ASCII characters")
    resolver = Resolver(palette, settings)

    records = [struct.pack("<HH", NAME_ID, len(name)) + name.encode("ascii")]
    for field_id, key in colours:
        records.append(struct.pack("<HH3B", field_id, 3, *resolver.colour(key)))
    for field_id, key, allowed in values:
        records.append(struct.pack("<HHB", field_id, 1, byte_value(key, resolver.settings[key], allowed)))
    if luminance(resolver.colour("menu.back")) < MENU_MIN_LUMINANCE:
        raise SkinSourceError("menu.back is too dark for the system's menu text")

    payload = b"".join(records)
    header = MAGIC + struct.pack("<HII", LAYOUT_VERSION, len(payload), zlib.crc32(payload))
    return header + payload


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("source", type=pathlib.Path)
    parser.add_argument("-o", "--output", type=pathlib.Path, required=True)
    parser.add_argument("--fields", type=pathlib.Path, default=FIELDS_HEADER)
    args = parser.parse_args()
    try:
        data = compile_skin(args.source.read_text(encoding="utf-8"),
                            args.fields.read_text(encoding="utf-8"))
    except SkinSourceError as error:
        sys.exit(f"{args.source}: {error}")
    args.output.parent.mkdir(parents=True, exist_ok=True)
    args.output.write_bytes(data)


if __name__ == "__main__":
    main()
