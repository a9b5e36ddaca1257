// The page's view of the window: it draws what the window's logic (in
// WebAssembly) says on a canvas, keeps real HTML controls at the layout's
// boxes in step with it, and sends the user's input back. Everything the
// window knows, and where everything stands, comes from the core.
"use strict";

(async () => {
  performance.mark("tessel-start");
  const FACE = '"Liberation Sans Narrow", "Arial Narrow", sans-serif';
  // The page started compiling the core's WebAssembly before this script.
  const options = {
    instantiateWasm(imports, receive) {
      window.tesselCoreCompiling
        .then((module) => WebAssembly.instantiate(module, imports)
          .then((instance) => receive(instance, module)))
        .catch((error) => failed(error));
      return {};
    },
  };
  let failed;
  const coreFailed = new Promise((resolve, reject) => { failed = reject; });
  const starting = createTesselCore(options);
  // The browser's number rules load while the core compiles.
  const separator = decimalSeparator();
  const core = await Promise.race([starting, coreFailed]);
  performance.mark("tessel-core-ready");
  const layout = core.layout();
  const HINT = 'Pick a scenario, then click "One" for a single jump or "Start" to run and count. ' +
    "Double-click a state to rename it.";
  const LONG_RUN_SETTING = "tessel-demo.longRunMarks";

  const form = document.getElementById("form");
  const canvas = document.getElementById("drawing");
  const context = canvas.getContext("2d");
  const tableBody = document.querySelector("#counts tbody");
  const [formLeft, formTop, formWidth, formHeight] = layout.form;
  document.title = layout.caption;

  // ---------------------------------------------------------------------
  // The window, seeded and numbering as this browser's user does.

  const address = new URLSearchParams(location.search);
  const problems = [];

  function decimalSeparator() {
    try {
      const parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
      const decimal = parts.find((part) => part.type === "decimal");
      return decimal ? decimal.value : ".";
    } catch {
      return ".";
    }
  }

  function freshSeed() {
    const words = crypto.getRandomValues(new Uint32Array(2));
    return ((BigInt(words[0]) << 32n) | BigInt(words[1])).toString();
  }

  let seed = freshSeed();
  if (address.has("seed")) {
    const asked = address.get("seed");
    if (core.seedIsValid(asked)) seed = asked;
    else problems.push(`seed needs a whole number from 0 to 2^64-1, not ${core.quoted(asked)}`);
  }
  const win = new core.WebWindow(seed, separator);
  win.load();

  // ---------------------------------------------------------------------
  // The controls, created in the desktop's tab order: the rate boxes, the
  // scenario list, the buttons, then the strip's speed and long-run controls.

  function place(element, box, font) {
    const [left, top, width, height] = box;
    Object.assign(element.style, {
      left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px`,
    });
    if (font) element.style.font = cssFont(font);
    form.appendChild(element);
    return element;
  }

  function cssFont(font, pixels = font.pixels) {
    return `${font.italic ? "italic " : ""}${font.weight >= 700 ? "bold " : ""}${pixels}px ${FACE}`;
  }

  const rateBoxes = layout.rateBoxes.map((box, index) => {
    const input = place(document.createElement("input"), box, layout.fonts.rateBox);
    input.className = "rate";
    input.type = "text";
    input.spellcheck = false;
    input.autocomplete = "off";
    input.addEventListener("input", () => {
      win.setRateText(index, input.value);
      sync();
    });
    // A text longer than its box reads from its beginning once left.
    input.addEventListener("blur", () => input.setSelectionRange(0, 0));
    return input;
  });

  const scenarioList = place(document.createElement("select"), layout.scenarioList,
    layout.fonts.scenarioList);
  scenarioList.setAttribute("aria-label", "Scenario");
  scenarioList.title = "Scenario (keys 1 to 5 pick them in list order)";
  scenarioList.addEventListener("change", () => pickScenario(scenarioList.selectedIndex));

  const buttonKeys = [
    { letter: "O", title: "One jump of the chain (O, or Alt+O)" },
    { letter: "S", title: "Start or stop running and counting (S, or Alt+S)" },
    { letter: "P", title: "Pause or continue the animation (P, or Alt with the underlined letter)" },
  ];
  const buttons = layout.buttons.map((box, index) => {
    const button = place(document.createElement("button"), box, layout.fonts.button);
    button.type = "button";
    button.id = ["one", "start-stop", "pause"][index];
    button.title = buttonKeys[index].title;
    button.addEventListener("click", () => {
      win.click(index);
      sync();
    });
    return button;
  });

  const strip = place(document.createElement("div"), layout.statusLine, layout.fonts.strip);
  strip.id = "strip";
  strip.setAttribute("role", "status");
  strip.setAttribute("aria-live", "polite");
  strip.style.padding = `0 ${layout.statusMargin}px`;
  const stripText = strip.appendChild(document.createElement("span"));

  const speedLabel = place(document.createElement("label"), layout.speedLabel, layout.fonts.strip);
  speedLabel.className = "speed";
  speedLabel.htmlFor = "speed";
  speedLabel.innerHTML = "<span>Spee<u>d</u></span>";
  const speedList = place(document.createElement("select"), layout.speedList, layout.fonts.strip);
  speedList.id = "speed";
  speedList.style.padding = "0 2px";
  for (const [label] of layout.speeds) speedList.add(new Option(label));
  speedList.title = speedLabel.title =
    "Ticks run for each of the timer's events: \u00d71 is the demonstration's own pace, " +
    '"Max" as many as fit in half of it. The chain is the same at every speed. ' +
    "(+ or = faster, - slower; Alt+D)";
  speedList.addEventListener("change", () => {
    win.setSpeed(speedList.selectedIndex);
    sync();
  });

  const longRunLabel = place(document.createElement("label"), layout.longRun, layout.fonts.strip);
  const longRunBox = longRunLabel.appendChild(document.createElement("input"));
  longRunBox.type = "checkbox";
  longRunBox.setAttribute("aria-label", "Long-run marks");
  longRunLabel.append(" ");
  longRunLabel.insertAdjacentHTML("beforeend", "<span><u>L</u>ong run</span>");
  longRunLabel.title = "Mark on each bar the share it settles to in the long run (L, or Alt+L)";
  longRunBox.addEventListener("change", () => setLongRun(longRunBox.checked, true));

  function setLongRun(shown, remember) {
    if (remember) {
      try { localStorage.setItem(LONG_RUN_SETTING, shown ? "1" : "0"); } catch { /* private */ }
    }
    win.setLongRun(shown);
    sync();
  }

  function pickScenario(index) {
    win.pickScenario(index);
    sync();
  }

  // ---------------------------------------------------------------------
  // Bringing the page in line with the window after every event.

  let shown = null;          // the window's state as last shown
  let renamed = -1;          // the state whose name editor is open
  let timer = null;          // the interval that runs the frames, and its period
  let timerPeriod = 0;

  // A caption with its key letter underlined: the letter where the caption
  // has it, otherwise its first.
  function withMnemonic(caption, letter) {
    let at = caption.toUpperCase().indexOf(letter);
    if (at < 0) at = 0;
    const escape = (text) => text.replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
    if (!caption) return "";
    return `${escape(caption.slice(0, at))}<u>${escape(caption[at])}</u>${escape(caption.slice(at + 1))}`;
  }

  function sync() {
    const state = win.state(HINT);
    const before = shown;
    shown = state;

    if (!before || before.entries.join("\n") !== state.entries.join("\n") ||
        before.notes.join("\n") !== state.notes.join("\n")) {
      scenarioList.replaceChildren(...state.entries.map((entry, index) => {
        const option = new Option(entry);
        if (state.notes[index]) option.title = state.notes[index];
        return option;
      }));
    }
    const listIndex = state.entries.indexOf(state.listText);
    if (scenarioList.selectedIndex !== listIndex) scenarioList.selectedIndex = listIndex;

    state.buttons.forEach((caption, index) => {
      const html = withMnemonic(caption, buttonKeys[index].letter);
      if (buttons[index].innerHTML !== html) buttons[index].innerHTML = html;
    });

    state.rates.forEach((rate, index) => {
      const box = rateBoxes[index];
      if (box.value !== rate.text) box.value = rate.text;
      box.hidden = !rate.visible;
      box.classList.toggle("marked", state.marked === index);
      box.setAttribute("aria-invalid", state.marked === index ? "true" : "false");
      if (box.title !== rate.name) {
        box.title = rate.name;
        box.setAttribute("aria-label", rate.name);
      }
    });

    if (stripText.textContent !== state.strip.text) {
      stripText.textContent = state.strip.text;
      strip.title = state.strip.hint ? "F11: full screen (Esc leaves it)" : state.strip.text;
    }
    strip.classList.toggle("problem", state.strip.problem);
    if (speedList.selectedIndex !== state.speed) speedList.selectedIndex = state.speed;
    longRunBox.checked = state.longRun;

    syncTable(state.table);
    syncTimer();
    paint();
  }

  function syncTable(rows) {
    while (tableBody.rows.length > rows.length) tableBody.deleteRow(-1);
    while (tableBody.rows.length < rows.length) {
      const row = tableBody.insertRow();
      row.appendChild(document.createElement("th")).scope = "row";
      for (let i = 0; i < 4; ++i) row.insertCell();
    }
    rows.forEach((row, index) => {
      const cells = tableBody.rows[index].cells;
      const percent = (caption) => (caption.trim() ? `${caption.trim()}%` : "");
      const texts = [row.state, row.name, row.visits.trim(), percent(row.share),
        percent(row.longRun)];
      texts.forEach((text, i) => {
        if (cells[i].textContent !== text) cells[i].textContent = text;
      });
    });
  }

  // The timer runs while the window's move timer is on and the page is
  // seen; a hidden page stops the chain, which does not catch up later.
  function syncTimer() {
    const wanted = shown.timer.enabled && !document.hidden ? shown.timer.interval : 0;
    if (wanted === timerPeriod) return;
    if (timer !== null) clearInterval(timer);
    timer = wanted ? setInterval(runFrame, wanted) : null;
    timerPeriod = wanted;
  }

  function runFrame() {
    win.runFrame();
    const reached = win.takeCountReached();
    sync();
    if (reached) document.body.dataset.countReached = "true";
  }

  document.addEventListener("visibilitychange", () => {
    if (shown) syncTimer();
  });

  // ---------------------------------------------------------------------
  // Drawing: the core's canvas operations replayed at the form's scale,
  // crisp at any devicePixelRatio.

  let scale = 1;

  function colour(value) {
    return `rgb(${value & 255}, ${(value >> 8) & 255}, ${(value >> 16) & 255})`;
  }

  const caps = ["butt", "square", "round"];

  // The form at the largest uniform scale at which it fits above the tools,
  // the two centred together.
  function layOut() {
    const tools = document.getElementById("tools");
    const width = document.documentElement.clientWidth;
    const height = document.documentElement.clientHeight;
    const toolsHeight = tools.offsetHeight;
    scale = Math.max(0.05, Math.min(width / formWidth, (height - toolsHeight) / formHeight));
    const left = Math.floor((width - formWidth * scale) / 2);
    const top = Math.max(0, Math.floor((height - formHeight * scale - toolsHeight) / 2));
    Object.assign(form.style, {
      width: `${formWidth}px`, height: `${formHeight}px`,
      transform: `translate(${left}px, ${top}px) scale(${scale})`,
    });
    tools.style.top = `${top + Math.ceil(formHeight * scale)}px`;
    const ratio = scale * (window.devicePixelRatio || 1);
    canvas.width = Math.max(1, Math.round(formWidth * ratio));
    canvas.height = Math.max(1, Math.round(formHeight * ratio));
    canvas.style.width = `${formWidth}px`;
    canvas.style.height = `${formHeight}px`;
    win.forgetDrawing();
    paint();
  }

  function paint() {
    const operations = win.drawing(renamed);
    if (operations === null) return;
    const ratio = canvas.width / formWidth;
    context.setTransform(1, 0, 0, 1, 0, 0);
    context.clearRect(0, 0, canvas.width, canvas.height);
    context.setTransform(ratio, 0, 0, ratio, -formLeft * ratio, -formTop * ratio);
    for (const operation of operations) draw(operation, ratio);
    if (!document.body.dataset.firstFrame) {
      document.body.dataset.firstFrame = performance.now().toFixed(1);
    }
  }

  function draw([kind, ...a], ratio) {
    switch (kind) {
      case "ellipse": {
        const [left, top, width, height, fill, border, borderWidth] = a;
        context.beginPath();
        context.ellipse(left + width / 2, top + height / 2, width / 2, height / 2, 0, 0, 2 * Math.PI);
        context.fillStyle = colour(fill);
        context.fill();
        context.lineWidth = borderWidth;
        context.strokeStyle = colour(border);
        context.stroke();
        break;
      }
      case "line": {
        let [x1, y1, x2, y2, lineColour, width, cap, antialiased] = a;
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
        break;
      }
      case "rect": {
        const [left, top, width, height, fill] = a;
        context.fillStyle = colour(fill);
        context.fillRect(left, top, width, height);
        break;
      }
      case "text": {
        const [left, top, width, height, text, font, textColour, wrapped] = a;
        context.font = cssFont(font);
        context.fillStyle = colour(textColour);
        const metrics = context.measureText("Mg");
        const ascent = metrics.fontBoundingBoxAscent ?? font.pixels * 0.905;
        const descent = metrics.fontBoundingBoxDescent ?? font.pixels * 0.212;
        context.textBaseline = "alphabetic";
        if (wrapped) {
          context.textAlign = "center";
          wrap(text, width).forEach((line, index) => {
            context.fillText(line, left + width / 2, top + ascent + index * (ascent + descent));
          });
        } else {
          context.textAlign = "left";
          context.fillText(text, left, top + (height - ascent - descent) / 2 + ascent);
        }
        break;
      }
      default:
        break;
    }
  }

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

  // ---------------------------------------------------------------------
  // Renaming a state: double-click its oval.

  function designPoint(event) {
    const bounds = form.getBoundingClientRect();
    return [(event.clientX - bounds.left) / scale + formLeft,
      (event.clientY - bounds.top) / scale + formTop];
  }

  function stateAt([x, y]) {
    return layout.circles.findIndex(([left, top, width, height], state) =>
      shown.shown[state] && x >= left && x < left + width && y >= top && y < top + height);
  }

  canvas.addEventListener("dblclick", (event) => {
    const state = stateAt(designPoint(event));
    if (state >= 0) editName(state);
  });

  function editName(state) {
    if (!shown.shown[state]) return;
    const [left, top, width, height] = layout.nameLabels[state];
    const font = layout.fonts.nameLabel;
    const editorHeight = Math.round(font.pixels * 1.5);
    const editor = place(document.createElement("input"),
      [left, top + height / 2 - editorHeight / 2, width, editorHeight], font);
    editor.className = "name-editor";
    editor.value = shown.names[state];
    editor.maxLength = 64;
    editor.setAttribute("aria-label", "Name of the state");
    renamed = state;
    paint();
    let done = false;
    const finish = (keep) => {
      if (done) return;
      done = true;
      if (keep) win.renameState(state, editor.value);
      renamed = -1;
      editor.remove();
      form.focus();
      sync();
    };
    editor.addEventListener("keydown", (event) => {
      if (event.key === "Enter") finish(true);
      else if (event.key === "Escape") finish(false);
      else return;
      event.preventDefault();
      event.stopPropagation();
    });
    editor.addEventListener("blur", () => finish(true));
    editor.focus();
    editor.select();
  }

  // ---------------------------------------------------------------------
  // Chains: open from files (picker or drop), save as a download, share
  // as a link that carries the chain in its fragment.

  const filePicker = document.getElementById("open-files");

  async function openFiles(files) {
    const names = new core.StringList();
    const documents = new core.StringList();
    for (const file of files) {
      // One byte past the limit is enough to know the file is too large.
      const bytes = await file.slice(0, layout.mostChainFileBytes + 1).arrayBuffer();
      names.push_back(file.name);
      documents.push_back(new TextDecoder().decode(bytes));
    }
    win.openChains(names, documents);
    names.delete();
    documents.delete();
    sync();
  }

  filePicker.addEventListener("change", async () => {
    await openFiles([...filePicker.files]);
    filePicker.value = "";
  });

  function saveChain() {
    const document_ = win.chainDocument();
    if (document_) {
      const name = `${win.chainTitle()}${layout.chainExtension}`;
      const link = document.createElement("a");
      link.href = URL.createObjectURL(new Blob([document_], { type: "application/x-tessel-chain" }));
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
      win.setNotice(`Saved the chain as ${core.quoted(name)}.`, false);
    }
    sync();
  }

  async function shareLink() {
    const written = win.chainDocument();
    if (written) {
      // The same document on one line; every number keeps its shortest form.
      const chain = JSON.stringify(JSON.parse(written));
      const link = `${location.href.split(/[?#]/)[0]}#chain=${encodeURIComponent(chain)}`;
      document.body.dataset.shareLink = link;
      try {
        await navigator.clipboard.writeText(link);
        win.setNotice("Copied a link to this chain; it opens the page with the chain picked.", false);
      } catch {
        win.setNotice(`Could not copy the link; here it is: ${link}`, false);
      }
    }
    sync();
  }

  // A chain a link or the address carries, by the same reader as files.
  function openLinkedChain() {
    const fragment = new URLSearchParams(location.hash.slice(1));
    if (fragment.has("chain")) win.openLinkedChain(fragment.get("chain"), "link");
  }
  window.addEventListener("hashchange", () => {
    openLinkedChain();
    sync();
  });

  // Files dropped anywhere on the page open as chains; the browser would
  // otherwise leave the page to show them.
  document.addEventListener("dragover", (event) => {
    if (![...event.dataTransfer.types].includes("Files")) return;
    event.preventDefault();
    form.classList.add("dropping");
  });
  document.addEventListener("dragleave", (event) => {
    if (event.relatedTarget === null) form.classList.remove("dropping");
  });
  document.addEventListener("drop", (event) => {
    event.preventDefault();
    form.classList.remove("dropping");
    if (event.dataTransfer.files.length) openFiles([...event.dataTransfer.files]);
  });

  function toggleFullScreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen?.().catch(() => {});
  }

  document.getElementById("open").addEventListener("click", () => filePicker.click());
  document.getElementById("save").addEventListener("click", saveChain);
  document.getElementById("share").addEventListener("click", shareLink);
  document.getElementById("full-screen").addEventListener("click", toggleFullScreen);

  // ---------------------------------------------------------------------
  // Keys, as on the desktop: each works wherever the focus is except in a
  // text box, where it is typed instead.

  document.addEventListener("keydown", (event) => {
    const key = event.key;
    const control = event.ctrlKey || event.metaKey;
    if (control && !event.altKey && (key === "o" || key === "O")) {
      event.preventDefault();
      filePicker.click();
      return;
    }
    if (control && !event.altKey && (key === "s" || key === "S")) {
      event.preventDefault();
      saveChain();
      return;
    }
    if (key === "F11") {
      event.preventDefault();
      toggleFullScreen();
      return;
    }
    if (control) return;
    const typing = event.target instanceof HTMLInputElement && event.target.type === "text";
    if (event.altKey) {
      const letter = event.code.startsWith("Key") ? event.code.slice(3) : "";
      const action = { O: () => buttons[0].click(), S: () => buttons[1].click(),
        P: () => buttons[2].click(), C: () => buttons[2].click(), L: () => longRunBox.click(),
        D: () => speedList.focus() }[letter];
      if (action) {
        event.preventDefault();
        action();
      }
      return;
    }
    if (typing) return;
    const upper = key.length === 1 ? key.toUpperCase() : key;
    let handled = true;
    if (upper === "O") buttons[0].click();
    else if (upper === "S") buttons[1].click();
    else if (upper === "P") buttons[2].click();
    else if (upper === "L") longRunBox.click();
    else if (key >= "1" && key <= "5" && event.code !== "Numpad" + key) pickScenario(Number(key) - 1);
    else if (key === "+" || key === "=") stepSpeed(1);
    else if (key === "-") stepSpeed(-1);
    else handled = false;
    if (handled) event.preventDefault();
  });

  function stepSpeed(by) {
    win.stepSpeed(by);
    sync();
  }

  // ---------------------------------------------------------------------
  // The address: scenario, seed, speed, long-run (0/1), count-ticks, chain.

  function readAddress() {
    const known = new Set(["scenario", "seed", "speed", "long-run", "count-ticks", "chain"]);
    for (const name of address.keys()) {
      if (!known.has(name)) {
        problems.push(`${core.quoted(name)} is not one of ${[...known].join(", ")}`);
      }
    }
    let longRun = false;
    try { longRun = localStorage.getItem(LONG_RUN_SETTING) === "1"; } catch { /* private */ }
    if (address.has("long-run")) {
      const asked = address.get("long-run");
      if (asked === "0" || asked === "1") longRun = asked === "1";
      else problems.push(`long-run needs 0 or 1, not ${core.quoted(asked)}`);
    }
    win.setLongRun(longRun);
    if (address.has("scenario")) {
      const asked = address.get("scenario");
      if (core.isScenarioName(asked)) win.pickScenario(win.state("").entries.indexOf(asked));
      else problems.push(`scenario needs one of ${core.scenarioChoices()}, not ${core.quoted(asked)}`);
    }
    if (address.has("chain")) win.openLinkedChain(address.get("chain"), "address");
    openLinkedChain();
    if (address.has("speed")) {
      const asked = address.get("speed");
      const speed = core.speedNamed(asked);
      if (speed >= 0) win.setSpeed(speed);
      else problems.push(`speed needs one of ${core.speedChoices()}, not ${core.quoted(asked)}`);
    }
    if (address.has("count-ticks")) {
      const asked = address.get("count-ticks");
      const ticks = core.tickCountOf(asked);
      if (ticks > 0) {
        win.countTicks(ticks);
        win.click(1);
      } else {
        problems.push(`count-ticks needs a whole number from 1 to 1000000000, not ${core.quoted(asked)}`);
      }
    }
    if (problems.length) {
      win.setNotice(`The page's address is not understood: ${problems[0]}.`, true);
    }
  }

  readAddress();
  window.addEventListener("resize", layOut);
  // A new devicePixelRatio (another screen, or zoom) redraws at its pixels.
  const watchRatio = () => matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
    .addEventListener("change", () => { layOut(); watchRatio(); }, { once: true });
  watchRatio();
  performance.mark("tessel-controls");
  // The first frame waits for the faces the page started loading.
  await window.tesselFacesLoading;
  performance.mark("tessel-faces");
  layOut();
  performance.mark("tessel-laid-out");
  sync();
  document.body.dataset.ready = "true";
  // For the page's own tests and measurements.
  window.tesselWindow = {
    layout,
    state: () => win.state(HINT),
    timerRunning: () => timer !== null,
  };
})().catch((error) => {
  // A browser without WebAssembly, or a core that failed to start: say so
  // where the form would stand.
  const message = document.createElement("p");
  message.setAttribute("role", "alert");
  message.style.margin = "2em";
  message.textContent = `The demonstration cannot start in this browser: ${error.message || error}`;
  document.getElementById("form").replaceChildren(message);
  throw error;
});
