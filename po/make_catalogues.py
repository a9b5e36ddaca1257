#!/usr/bin/env python3
"""Writes the translations as C++ data (toolkit/catalogue.h) that every build
compiles alike, native and WebAssembly: the English texts the programs show
(not the desktop entry's or the metadata's) once, and one
catalogue for each compiled catalogue given (msgfmt's .mo, which msgfmt
--check has made from a .po), its translations in the texts' order.

    make_catalogues.py --out catalogues.cpp --template tessel-demo.pot
        [--leave-out sim/ app/ ...] -- de=de.mo fr=fr.mo ...

A catalogue's language is named, in its own words, by the X-Language-Name
field of its header; its plural rule is its Plural-Forms' plural=.
"""
import argparse
import ast
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


def program_texts(template: pathlib.Path, left_out: list) -> set:
    """The texts the programs show: the template's entries found in C++
    sources (not the desktop entry's or the metadata's) other than those
    `left_out` names (folders or files), as .mo keys."""
    texts, entry, places, field = set(), {}, [], None
    for line in template.read_text(encoding="utf-8").splitlines() + [""]:
        if line.startswith("#:"):
            places += line[2:].split()
        elif line.startswith(("msgid ", "msgid_plural ")):
            field, _, quoted = line.partition(" ")
            entry[field] = ast.literal_eval(quoted)
        elif line.startswith("msgstr"):
            field = None
        elif line.startswith('"') and field:
            entry[field] += ast.literal_eval(line)
        elif not line.strip():
            if entry.get("msgid") and any(place.endswith((".cpp", ".h")) and
                                          not place.startswith(tuple(left_out)) for place in places):
                texts.add(entry["msgid"] + ("\0" + entry["msgid_plural"] if "msgid_plural" in entry else ""))
            entry, places, field = {}, [], None
    return texts


def forms_literal(forms: list) -> str:
    """A translation's forms joined by \\0, as one string_view literal."""
    return " \"\\0\" ".join(cpp(form) for form in forms) + "sv"


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--out", type=pathlib.Path, required=True)
    parser.add_argument("--template", type=pathlib.Path, required=True,
                        help="po/tessel-demo.pot, which tells the programs' texts from the others")
    parser.add_argument("--leave-out", nargs="*", default=[], metavar="PLACE",
                        help="leave out the texts found only in these folders or files")
    parser.add_argument("catalogues", nargs="*", help="CODE=compiled.mo")
    args = parser.parse_args()

    # Every catalogue's texts, each English text once, sorted as the core
    # looks them up (by their UTF-8 bytes).
    read = []
    for given in args.catalogues:
        code, path = given.split("=", 1)
        mo = read_mo(pathlib.Path(path))
        header = mo.pop("", "")
        rule = re.search(r"plural=([^;]*)", header_field(header, "Plural-Forms"))
        read.append((code, header_field(header, "X-Language-Name"),
                     rule.group(1).strip() if rule else "n != 1", mo))
    shown = program_texts(args.template, args.leave_out)
    keys = sorted({key for *_, mo in read for key in mo if key in shown},
                  key=lambda key: key.encode("utf-8"))

    texts = []
    for key in keys:
        msgid, _, msgid_plural = key.partition("\0")
        texts.append(f"    {{{cpp(msgid)}sv, {cpp(msgid_plural)}sv}},")
    arrays = [f"constexpr std::array<CatalogueText, {len(keys)}> kTexts{{{{\n" + "\n".join(texts) +
              "\n}};\n"]
    rows = []
    for code, name, plural, mo in read:
        symbol = "k" + re.sub(r"[^A-Za-z0-9]", "_", code)
        forms = [f"    {forms_literal(mo[key].split(chr(0))) if key in mo else 'std::string_view()'},"
                 for key in keys]
        arrays.append(f"constexpr std::array<std::string_view, {len(keys)}> {symbol}{{{{\n" +
                      "\n".join(forms) + "\n}};\n")
        rows.append(f"    {{{cpp(code)}, {cpp(name)}, {cpp(plural)}, kTexts, {symbol}}},")

    args.out.write_text(
        "// Written by po/make_catalogues.py from the catalogues in po/; do not edit.\n\n"
        '#include "toolkit/catalogue.h"\n\n#include <array>\n#include <string_view>\n\n'
        "namespace tessel {\nnamespace {\n\n"
        "using namespace std::string_view_literals;\n\n" +
        "\n".join(arrays) + f"\nconstexpr std::array<Catalogue, {len(rows)}> kCatalogues{{{{\n" +
        "\n".join(rows) + "\n}};\n\n}  // namespace\n\nstd::span<const Catalogue> catalogues() {\n"
        "  return kCatalogues;\n}\n\n}  // namespace tessel\n", encoding="utf-8")


if __name__ == "__main__":
    main()
