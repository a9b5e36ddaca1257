#!/usr/bin/env python3
"""Writes the page twice from its sources: index.html beside tessel-core.js
and tessel-core.wasm, for a web server; and tessel-demo.html, one file with
the core, the view, the style and the fonts inside, that opens from file://
(where a page cannot load a separate .wasm).
"""
import argparse
import base64
import pathlib
import shutil

FACES = [("Regular", "normal", "normal"), ("Bold", "bold", "normal"), ("Italic", "normal", "italic")]


def font_faces(fonts: pathlib.Path) -> str:
    rules = []
    for face, weight, style in FACES:
        data = base64.b64encode((fonts / f"LiberationSansNarrow-{face}.woff2").read_bytes())
        rules.append(
            '@font-face { font-family: "Liberation Sans Narrow"; '
            f"font-weight: {weight}; font-style: {style}; font-display: block; "
            f'src: url(data:font/woff2;base64,{data.decode()}) format("woff2"); }}')
    return "\n".join(rules)


def inline_script(text: str) -> str:
    # A script element ends at the first "</script" whatever the script says.
    if "</script" in text.lower():
        raise SystemExit("a script holds </script and cannot be inlined")
    return text


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--sources", type=pathlib.Path, required=True)
    parser.add_argument("--fonts", type=pathlib.Path, required=True)
    parser.add_argument("--core", type=pathlib.Path, required=True)
    parser.add_argument("--out", type=pathlib.Path, required=True)
    args = parser.parse_args()

    page = (args.sources / "page.html").read_text()
    page = page.replace("/*FONTS*/", font_faces(args.fonts))
    page = page.replace("/*STYLE*/", (args.sources / "page.css").read_text())
    page = page.replace("/*VIEW*/", inline_script((args.sources / "view.js").read_text()))

    args.out.mkdir(parents=True, exist_ok=True)
    served = page.replace("<!--CORE-WASM-->\n", "")
    served = served.replace("<!--CORE-->", '<script src="tessel-core.js"></script>')
    (args.out / "index.html").write_text(served)
    for name in ("tessel-core.js", "tessel-core.wasm"):
        shutil.copyfile(args.core / name, args.out / name)

    # The single file carries the WebAssembly as base64 in a data block that
    # no script engine parses; the page decodes and compiles it first thing.
    core = inline_script((args.core / "tessel-core.js").read_text())
    wasm = base64.b64encode((args.core / "tessel-core.wasm").read_bytes()).decode()
    single = page.replace(
        "<!--CORE-WASM-->",
        f'<script type="application/octet-stream" id="tessel-core-wasm">{wasm}</script>')
    single = single.replace("<!--CORE-->", f"<script>\n{core}\n</script>")
    (args.out / "tessel-demo.html").write_text(single)


if __name__ == "__main__":
    main()
