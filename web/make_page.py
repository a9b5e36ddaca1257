#!/usr/bin/env python3
"""Writes the page twice from its sources: index.html beside tessel-core.js
and tessel-core.wasm, for a web server; and tessel-demo.html, one file with
the core, the view, the style and the fonts inside, that opens from file://
(where a page cannot load a separate .wasm).
"""
import argparse
import base64
import hashlib
import html
import json
import pathlib
import re
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


FACE = '"Liberation Sans Narrow", "Arial Narrow", sans-serif'


def number(value: float) -> str:
    return str(int(value)) if float(value).is_integer() else repr(value)


def style(box: list, font: dict = None) -> str:
    """A control's place on the form, and its font, in design pixels."""
    left, top, width, height = (number(v) for v in box)
    css = f"left: {left}px; top: {top}px; width: {width}px; height: {height}px;"
    if font:
        css += (f" font: {'italic ' if font['italic'] else ''}"
                f"{'bold ' if font['weight'] >= 700 else ''}{number(font['pixels'])}px {FACE};")
    return html.escape(css, quote=True)


def underlined(mnemonic: dict) -> str:
    """A caption, escaped, with the letter Alt takes with it underlined."""
    caption, at = mnemonic["text"], mnemonic["at"]
    if at < 0:
        return html.escape(caption)
    return html.escape(caption[:at]) + "<u>" + html.escape(caption[at]) + "</u>" + html.escape(caption[at + 1:])


def fill_page(page: str, data: dict) -> str:
    """Fills the page's places from the core's data:
    {{place:BOX:FONT}}   a control's style: the layout's BOX (buttons.0) and FONT,
                         {{place:BOX:FONT:MARGIN}} with the layout's MARGIN left and right;
    {{rateBoxes}}        the rate boxes, placed;
    {{layoutJson}}       the layout, as JSON for the view;
    {{name}}, {{name.key}}, {{name.0}}   a text, escaped;
    {{name.mnemonic}}    a caption with the letter Alt takes with it underlined;
    {{name.options}}     a list's options;
    {{name.choices}}     a list's options from [value, label] pairs."""
    texts, layout = data["texts"], data["layout"]

    def find(tree, path):
        for part in path:
            tree = tree[int(part)] if isinstance(tree, list) else tree[part]
        return tree

    def fill(match: re.Match) -> str:
        name = match.group(1)
        if name.startswith("place:"):
            _, box, font, *margin = name.split(":")
            css = style(find(layout, box.split(".")), layout["fonts"][font])
            return css + "".join(f" padding: 0 {number(layout[m])}px;" for m in margin)
        if name == "layoutJson":
            # Data for the view; "<" never appears raw, so no "</script" can.
            return json.dumps(layout).replace("<", "\\u003c")
        if name == "rateBoxes":
            return "".join(
                f'<input class="rate" type="text" spellcheck="false" autocomplete="off" '
                f'data-part="diagram" style="{style(box, layout["fonts"]["rateBox"])}">'
                f'<button type="button" class="rate-target" tabindex="-1" data-part="diagram" '
                f'style="{style(box)}"></button>' for box in layout["rateBoxes"])
        *path, last = name.split(".")
        value = find(texts, path)
        if last == "mnemonic":
            return underlined(value)
        if last == "options":
            return "".join(f"<option>{html.escape(option)}</option>" for option in value)
        if last == "choices":
            return "".join(f'<option value="{html.escape(code, quote=True)}">{html.escape(name)}</option>'
                           for code, name in value)
        return html.escape(find(value, [last]), quote=True)

    page = re.sub(r"\{\{([A-Za-z0-9_.:]+)\}\}", fill, page)
    return re.sub(r'<(\w+)([^>]*\bdata-(?:text|title|label|mnemonic)="[^"]*"[^>]*)>(</\1>)?',
                  lambda match: labelled(match, texts, find), page)


def labelled(match: re.Match, texts: dict, find) -> str:
    """An element labelled by its data- attributes, as view.js labels it
    again in another language: data-title and data-label (aria-label) name a
    text for the attribute, data-text and data-mnemonic one for its content."""
    tag, attributes, closing = match.group(1), match.group(2), match.group(3)
    keys = dict(re.findall(r'\bdata-(text|title|label|mnemonic)="([^"]*)"', attributes))
    value = lambda kind: find(texts, keys[kind].split("."))
    for kind, attribute in (("title", "title"), ("label", "aria-label")):
        if kind in keys:
            attributes += f' {attribute}="{html.escape(value(kind), quote=True)}"'
    content = ""
    if "text" in keys:
        content = html.escape(value("text"))
    elif "mnemonic" in keys:
        content = underlined(value("mnemonic"))
    return f"<{tag}{attributes}>" + (content + closing if closing else "")


# What only the served page has: its web app manifest and icons, and the
# worker that lets it open without a network once it has been visited.
SERVED_HEAD = """<link rel="manifest" href="tessel-demo.webmanifest">
<link rel="apple-touch-icon" href="tessel-demo-192.png">
<meta name="theme-color" content="#efefef">"""
SERVED_REGISTRATION = """<script>
if ("serviceWorker" in navigator) {
  addEventListener("load", () => navigator.serviceWorker.register("service-worker.js").catch(() => {}));
}
</script>
"""
ICONS = ["tessel-demo.svg", "tessel-demo-192.png", "tessel-demo-512.png"]


def write_installable(args, texts: dict) -> None:
    """The manifest, the icons and the worker, beside index.html."""
    for icon in ICONS:
        shutil.copyfile(args.icons / icon, args.out / icon)
    icons = [{"src": ICONS[0], "sizes": "any", "type": "image/svg+xml"}]
    icons += [{"src": icon, "sizes": f"{size}x{size}", "type": "image/png"}
              for icon, size in zip(ICONS[1:], (192, 512))]
    manifest = {"name": texts["caption"], "short_name": texts["caption"],
                "description": texts["description"], "lang": texts["lang"], "start_url": "index.html",
                "scope": "./", "display": "standalone", "background_color": "#efefef",
                "theme_color": "#efefef", "icons": icons}
    (args.out / "tessel-demo.webmanifest").write_text(json.dumps(manifest, indent=1), encoding="utf-8")
    files = ["index.html", "tessel-core.js", "tessel-core.wasm", "tessel-demo.webmanifest", *ICONS]
    version = hashlib.sha256(b"".join((args.out / name).read_bytes() for name in files)).hexdigest()[:16]
    worker = (args.sources / "service-worker.js").read_text(encoding="utf-8")
    worker = worker.replace("/*VERSION*/", version).replace("/*FILES*/", json.dumps(files))
    (args.out / "service-worker.js").write_text(worker, encoding="utf-8")


def inline_script(text: str) -> str:
    # A script element ends at the first "</script" whatever the script says.
    if "</script" in text.lower():
        raise SystemExit("a script holds </script and cannot be inlined")
    return text


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--sources", type=pathlib.Path, required=True)
    parser.add_argument("--data", type=pathlib.Path, required=True)
    parser.add_argument("--fonts", type=pathlib.Path, required=True)
    parser.add_argument("--core", type=pathlib.Path, required=True)
    parser.add_argument("--icons", type=pathlib.Path, required=True)
    parser.add_argument("--out", type=pathlib.Path, required=True)
    args = parser.parse_args()

    page = fill_page((args.sources / "page.html").read_text(encoding="utf-8"),
                     json.loads(args.data.read_text(encoding="utf-8")))
    page = page.replace("/*FONTS*/", font_faces(args.fonts))
    page = page.replace("/*STYLE*/", (args.sources / "page.css").read_text(encoding="utf-8"))
    for name in ("canvas", "words", "view"):
        script = (args.sources / f"{name}.js").read_text(encoding="utf-8")
        page = page.replace(f"/*{name.upper()}*/", inline_script(script))

    args.out.mkdir(parents=True, exist_ok=True)
    served = page.replace("<!--CORE-WASM-->\n", "")
    served = served.replace("<!--CORE-->", '<script src="tessel-core.js"></script>')
    served = served.replace("<!--SERVED-HEAD-->", SERVED_HEAD)
    served = served.replace("</body>", SERVED_REGISTRATION + "</body>")
    (args.out / "index.html").write_text(served, encoding="utf-8")
    for name in ("tessel-core.js", "tessel-core.wasm"):
        shutil.copyfile(args.core / name, args.out / name)
    write_installable(args, json.loads(args.data.read_text(encoding="utf-8"))["texts"])
    page = page.replace("<!--SERVED-HEAD-->\n", "")

    # The single file carries the WebAssembly as base64 in a data block that
    # no script engine parses; the page decodes and compiles it first thing.
    core = inline_script((args.core / "tessel-core.js").read_text(encoding="utf-8"))
    wasm = base64.b64encode((args.core / "tessel-core.wasm").read_bytes()).decode()
    single = page.replace(
        "<!--CORE-WASM-->",
        f'<script type="application/octet-stream" id="tessel-core-wasm">{wasm}</script>')
    single = single.replace("<!--CORE-->", f"<script>\n{core}\n</script>")
    (args.out / "tessel-demo.html").write_text(single, encoding="utf-8")


if __name__ == "__main__":
    main()
