#!/usr/bin/env python3
"""Writes the translations as C++ data (toolkit/catalogue.h) that every build
compiles alike, native and WebAssembly: one catalogue for each compiled
catalogue given (msgfmt's .mo, which msgfmt --check has made from a .po).

    make_catalogues.py --out catalogues.cpp de=de.mo fr=fr.mo ...

A catalogue's language is named, in its own words, by the X-Language-Name
field of its header; its plural rule is its Plural-Forms' plural=.
"""
import argparse
import pathlib
import re
import struct


def read_mo(path: pathlib.Path) -> dict:
    """The entries of a compiled catalogue: msgid (with \\0 and the plural
    where it has one) to its msgstr (the forms joined by \\0)."""
    data = path.read_bytes()
    magic = struct.unpack("<I", data[:4])[0]
    order = "<" if magic == 0x950412DE else ">"
    _, count, ids, strs = struct.unpack(order + "4I", data[4:20])
    entries = {}
    for i in range(count):
        id_length, id_offset = struct.unpack(order + "2I", data[ids + 8 * i:ids + 8 * i + 8])
        str_length, str_offset = struct.unpack(order + "2I", data[strs + 8 * i:strs + 8 * i + 8])
        msgid = data[id_offset:id_offset + id_length].decode("utf-8")
        entries[msgid] = data[str_offset:str_offset + str_length].decode("utf-8")
    return entries


def cpp(text: str) -> str:
    escaped = text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n")
    escaped = escaped.replace("\t", "\\t")
    return f'"{escaped}"'


def header_field(header: str, name: str) -> str:
    for line in header.splitlines():
        if line.startswith(name + ":"):
            return line[len(name) + 1:].strip()
    return ""


def catalogue(code: str, name: str, plural: str, entries: list) -> tuple:
    """The C++ of one catalogue: its entries' array and its row."""
    symbol = "k" + re.sub(r"[^A-Za-z0-9]", "_", code)
    rows = []
    for msgid, msgid_plural, forms in sorted(entries, key=lambda e: e[0].encode("utf-8")):
        forms = (forms + ["", "", "", ""])[:4]
        rows.append(f"    {{{cpp(msgid)}, {cpp(msgid_plural)}, {{{', '.join(cpp(f) for f in forms)}}}}},")
    array = (f"constexpr std::array<CatalogueEntry, {len(rows)}> {symbol}{{{{\n" + "\n".join(rows) +
             "\n}};\n")
    return array, f"    {{{cpp(code)}, {cpp(name)}, {cpp(plural)}, {symbol}}},"


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--out", type=pathlib.Path, required=True)
    parser.add_argument("catalogues", nargs="*", help="CODE=compiled.mo")
    args = parser.parse_args()

    arrays, rows = [], []
    for given in args.catalogues:
        code, path = given.split("=", 1)
        mo = read_mo(pathlib.Path(path))
        header = mo.pop("", "")
        rule = re.search(r"plural=([^;]*)", header_field(header, "Plural-Forms"))
        entries = []
        for key, value in mo.items():
            msgid, _, msgid_plural = key.partition("\0")
            entries.append((msgid, msgid_plural, value.split("\0")))
        array, row = catalogue(code, header_field(header, "X-Language-Name"),
                               rule.group(1).strip() if rule else "n != 1", entries)
        arrays.append(array)
        rows.append(row)

    args.out.write_text(
        "// Written by po/make_catalogues.py from the catalogues in po/; do not edit.\n\n"
        '#include "toolkit/catalogue.h"\n\nnamespace tessel {\nnamespace {\n\n' +
        "\n".join(arrays) + f"\nconstexpr std::array<Catalogue, {len(rows)}> kCatalogues{{{{\n" +
        "\n".join(rows) + "\n}};\n\n}  // namespace\n\nstd::span<const Catalogue> catalogues() {\n"
        "  return kCatalogues;\n}\n\n}  // namespace tessel\n", encoding="utf-8")


if __name__ == "__main__":
    main()
