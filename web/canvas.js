// The page's canvas for the window's drawing: it replays the operations the
// core records (display/recording_canvas.h) in design pixels at the form's
// scale, crisp at any devicePixelRatio, as the desktop's QPainter canvas
// draws them; the text in the faces the desktop draws with.
"use strict";

window.tesselCanvas = (canvas, [formLeft, formTop, formWidth], smallestShare) => {
  const FACE = '"Liberation Sans Narrow", "Arial Narrow", sans-serif';
  const context = canvas.getContext("2d");
  const caps = ["butt", "square", "round"];

  const cssFont = (font) =>
    `${font.italic ? "italic " : ""}${font.weight >= 700 ? "bold " : ""}${font.pixels}px ${FACE}`;
  const colour = (value) => `rgb(${value & 255}, ${(value >> 8) & 255}, ${(value >> 16) & 255})`;

  // Lines broken between words, each as long as fits `width`; a word
  // longer than the width stands alone.
  function wrap(text, width) {
    const lines = [];
    let line = "";
    for (const word of text.split(/ +/)) {
      const tried = line ? `${line} ${word}` : word;
      if (line && context.measureText(tried).width > width) {
        lines.push(line);
        line = word;
      } else {
        line = tried;
      }
    }
    lines.push(line);
    return lines;
  }

  function ellipse(left, top, width, height, fill, border, borderWidth) {
    context.beginPath();
    context.ellipse(left + width / 2, top + height / 2, width / 2, height / 2, 0, 0, 2 * Math.PI);
    context.fillStyle = colour(fill);
    context.fill();
    context.lineWidth = borderWidth;
    context.strokeStyle = colour(border);
    context.stroke();
  }

  function line(x1, y1, x2, y2, lineColour, width, cap, antialiased, ratio) {
    if (!antialiased) {
      // A stroke that must stay sharp: its ends on the device's pixel
      // centres (an odd width) or edges (an even one).
      const device = Math.max(1, Math.round(width * ratio));
      const snap = (v) => (Math.round(v * ratio - (device % 2) / 2) + (device % 2) / 2) / ratio;
      [x1, y1, x2, y2] = [snap(x1), snap(y1), snap(x2), snap(y2)];
      width = device / ratio;
    }
    context.beginPath();
    context.moveTo(x1, y1);
    context.lineTo(x2, y2);
    context.lineWidth = width;
    context.lineCap = caps[cap] || "square";
    context.strokeStyle = colour(lineColour);
    context.stroke();
  }

  function text(left, top, width, height, words, font, textColour, wrapped) {
    context.fillStyle = colour(textColour);
    context.textBaseline = "alphabetic";
    context.textAlign = wrapped ? "center" : "left";
    // A wrapped caption too long for its box is drawn smaller, a pixel at a
    // time, as far as the core allows.
    let size = font.pixels;
    let ascent;
    let descent;
    let lines;
    let room = height;  // a box lower than a line of its font still holds one line
    for (;;) {
      context.font = cssFont({ ...font, pixels: size });
      const metrics = context.measureText("Mg");
      ascent = metrics.fontBoundingBoxAscent ?? size * 0.905;
      descent = metrics.fontBoundingBoxDescent ?? size * 0.212;
      if (!wrapped) break;
      room = Math.max(room, ascent + descent);
      lines = wrap(words, width);
      const fits = lines.length * (ascent + descent) <= room &&
        lines.every((shown) => context.measureText(shown).width <= width);
      if (fits || size - 1 < font.pixels * smallestShare) break;
      size -= 1;
    }
    if (!wrapped) {
      context.fillText(words, left, top + (height - ascent - descent) / 2 + ascent);
      return;
    }
    lines.forEach((shown, index) => {
      context.fillText(shown, left + width / 2, top + ascent + index * (ascent + descent));
    });
  }

  const operations = {
    ellipse,
    line,
    rect: (left, top, width, height, fill) => {
      context.fillStyle = colour(fill);
      context.fillRect(left, top, width, height);
    },
    text,
  };

  return {
    cssFont,
    // Clears the drawing's changed boxes, on whole device pixels, and
    // replays its operations there.
    paint({ operations: drawn, region }) {
      const ratio = canvas.width / formWidth;
      context.save();
      context.setTransform(1, 0, 0, 1, 0, 0);
      context.beginPath();
      for (const [left, top, width, height] of region) {
        const x = Math.floor((left - formLeft) * ratio);
        const y = Math.floor((top - formTop) * ratio);
        context.rect(x, y, Math.ceil((left - formLeft + width) * ratio) - x,
          Math.ceil((top - formTop + height) * ratio) - y);
      }
      context.clip();
      context.clearRect(0, 0, canvas.width, canvas.height);
      context.setTransform(ratio, 0, 0, ratio, -formLeft * ratio, -formTop * ratio);
      for (const [kind, ...values] of drawn) operations[kind]?.(...values, ratio);
      context.restore();
    },
  };
};
