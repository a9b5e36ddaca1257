// The page's words in another language: each element names the texts it
// shows by data- attributes, as the page's build labelled it in English
// (make_page.py): data-title and data-label (its aria-label) an attribute's,
// data-text and data-mnemonic its content's.
"use strict";

// A caption with the letter Alt takes with it underlined.
window.tesselUnderline = (target, caption, at) => {
  const letter = document.createElement("u");
  letter.textContent = caption[at] ?? "";
  target.replaceChildren(caption.slice(0, Math.max(at, 0)), letter, caption.slice(at + 1));
  target.dataset.at = at;
};

// Writes the page's texts (web/page_data.h's pageTexts) where they belong,
// then fits the strip and the speed and view lists to them.
window.tesselWords = (texts, stripBoxes, layout) => {
  const text = (path) => path.split(".").reduce((value, key) => value?.[key], texts);
  const each = (selector, write) => document.querySelectorAll(selector).forEach(write);
  document.documentElement.lang = texts.lang;
  document.querySelector('meta[name="description"]').content = texts.description;
  each("[data-title]", (at) => { at.title = text(at.dataset.title); });
  each("[data-label]", (at) => at.setAttribute("aria-label", text(at.dataset.label)));
  each("[data-text]", (at) => { at.textContent = text(at.dataset.text); });
  each("[data-mnemonic]", (at) => {
    const { text: caption, at: letter } = text(at.dataset.mnemonic);
    window.tesselUnderline(at, caption, letter);
  });
  const lists = [["speed", texts.speeds], ["view", texts.views]];
  for (const [id, words] of lists) {
    document.querySelectorAll(`#${id} option`).forEach((option, i) => { option.text = words[i]; });
  }
  document.querySelector("#language option").text = texts.languages[0][1];
  document.getElementById("strip").dataset.keys = texts.fullScreenKeys;
  document.getElementById("form").dataset.nameEditor = texts.nameEditor;
  // The lists fit the boxes the strip gives them.
  window.tesselFitStrip(stripBoxes).then(() => lists.forEach(([id]) =>
    window.tesselFitList(document.getElementById(id), layout.fonts.strip.pixels, layout.smallestCaptionShare)));
};

// The speed label and the long-run box as wide as their captions need,
// measured once the page's fonts are in; the core places the strip's
// controls for those widths (at the design's boxes where the captions fit).
window.tesselFitStrip = (stripBoxes) => document.fonts.ready.then(() => {
  const needs = (id) => {
    const at = document.getElementById(id);
    at.style.width = "max-content";
    return at.offsetWidth + 2;
  };
  const boxes = JSON.parse(stripBoxes(needs("speed-label"), needs("long-run"), needs("view")));
  const controls = { strip: "statusLine", view: "viewList", "speed-label": "speedLabel", speed: "speedList",
    "long-run": "longRun" };
  for (const [id, name] of Object.entries(controls)) {
    const [left, , width] = boxes[name];
    Object.assign(document.getElementById(id).style, { left: `${left}px`, width: `${width}px` });
  }
});

// A list whose widest entry does not fit its closed box shows its entries
// smaller, a pixel at a time, as far as the core allows (its font's size at
// `pixels`; the browser's arrow takes about 20 pixels of the box).
window.tesselFitList = (list, pixels, smallestShare) => document.fonts.ready.then(() => {
  const style = getComputedStyle(list);
  const room = list.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight) - 20;
  const measure = document.createElement("canvas").getContext("2d");
  let size = pixels;
  for (;;) {
    measure.font = `${style.fontStyle} ${style.fontWeight} ${size}px ${style.fontFamily}`;
    const widest = Math.max(0, ...[...list.options].map((option) => measure.measureText(option.text).width));
    if (widest <= room || size - 1 < pixels * smallestShare) break;
    size -= 1;
  }
  list.style.fontSize = `${size}px`;
});
