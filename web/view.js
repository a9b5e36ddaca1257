// The page's view of the window: it draws what the window's session (in
// WebAssembly) says on a canvas, keeps real HTML controls at the layout's
// boxes in step with it, and hands the user's input back. Every rule, text
// and place comes from the core; this file only does the DOM's work.
"use strict";

(async () => {
  performance.mark("tessel-start");
  // The page started the core while its scripts loaded, and read the number
  // rules of the browser's language meanwhile.
  const [core, separator, separatorOf] = await window.tesselCoreStarting;
  performance.mark("tessel-core-ready");
  const element = (id) => document.getElementById(id);
  const layout = JSON.parse(element("tessel-layout").textContent);
  const LONG_RUN_SETTING = "tessel-demo.longRunMarks";
  const LANGUAGE_SETTING = "tessel-demo.language";

  const form = element("form");
  const canvas = element("drawing");
  const tableBody = document.querySelector("#counts tbody");
  const [chancesHead, chancesBody] = ["thead", "tbody"].map((part) => document.querySelector(`#chances ${part}`));
  const historyText = document.querySelector("#history p");

  const freshSeed = () => crypto.getRandomValues(new BigUint64Array(1))[0].toString();
  const linkedChain = () => new URLSearchParams(location.hash.slice(1)).get("chain") || "";

  const remembered = (key) => { try { return localStorage.getItem(key); } catch { return null; } };
  const remember = (key, value) => { try { localStorage.setItem(key, value); } catch { /* private */ } };
  const win = new core.WebWindow(JSON.stringify([...new URLSearchParams(location.search)]),
    linkedChain(), freshSeed(), remembered(LONG_RUN_SETTING) === "1",
    JSON.stringify(navigator.languages || [navigator.language]), remembered(LANGUAGE_SETTING) || "");

  // ---------------------------------------------------------------------
  // The controls, placed and labelled when the page was built, in the
  // desktop's tab order: the rate boxes, the scenario list, the buttons,
  // then the strip's view, speed and long-run controls.

  const act = (handler) => (...args) => {
    handler(...args);
    sync();
  };
  const rateBoxes = [...form.querySelectorAll(".rate")];
  rateBoxes.forEach((input, index) => {
    input.addEventListener("input", act(() => win.setRateText(index, input.value)));
    // A text longer than its box reads from its beginning once left.
    input.addEventListener("blur", () => input.setSelectionRange(0, 0));
  });
  // Under a finger, a tap on a rate box opens the larger editor.
  const rateTargets = [...form.querySelectorAll(".rate-target")];
  rateTargets.forEach((target, index) => target.addEventListener("click", () => editRate(index)));
  const scenarioList = element("scenario-list");
  scenarioList.addEventListener("change", act(() => win.pickScenario(scenarioList.selectedIndex)));
  const buttons = ["one", "start-stop", "pause"].map(element);
  buttons.forEach((button, index) => button.addEventListener("click", act(() => win.click(index))));
  const strip = element("strip");
  const stripText = strip.firstElementChild;
  const viewList = element("view");
  viewList.addEventListener("change", act(() => win.setView(viewList.selectedIndex)));
  const speedList = element("speed");
  speedList.addEventListener("change", act(() => win.setSpeed(speedList.selectedIndex)));
  const longRunBox = element("long-run").firstElementChild;
  longRunBox.addEventListener("change", act(() => {
    remember(LONG_RUN_SETTING, longRunBox.checked ? "1" : "0");
    win.setLongRun(longRunBox.checked);
  }));
  const languageList = element("language");
  languageList.addEventListener("change", act(() => {
    remember(LANGUAGE_SETTING, languageList.value);
    win.setLanguage(languageList.value);
    speak();
  }));

  // The page's words and number rules in the language spoken now; the page
  // came built in English.
  let spoken = "en";
  function speak() {
    const state = JSON.parse(win.state());
    languageList.value = state.languageAsked ? state.language : "";
    const tag = state.language.replace("_", "-").split("@")[0];
    win.setDecimalSeparator(navigator.language.startsWith(tag) ? separator : separatorOf(tag));
    if (state.language === spoken) return;
    spoken = state.language;
    window.tesselWords(JSON.parse(core.texts()), core.stripBoxes, layout);
  }

  // ---------------------------------------------------------------------
  // Bringing the page in line with the window after every event.

  let shown = null;          // the window's state as last shown
  let timer = null;          // the interval that runs the frames, and its period
  let timerPeriod = 0;

  function sync() {
    const state = JSON.parse(win.state());
    if (JSON.stringify(state.entries) !== JSON.stringify(shown?.entries)) {
      scenarioList.replaceChildren(...state.entries.map(([entry, note]) =>
        Object.assign(new Option(entry), note ? { title: note } : {})));
      window.tesselFitList(scenarioList, layout.fonts.scenarioList.pixels, layout.smallestCaptionShare);
    }
    shown = state;
    if (scenarioList.selectedIndex !== state.picked) scenarioList.selectedIndex = state.picked;

    state.buttons.forEach((caption, index) => {
      const at = state.mnemonics[index];
      const button = buttons[index];
      if (button.textContent !== caption || button.dataset.at !== String(at)) {
        window.tesselUnderline(button, caption, at);
      }
    });

    state.rates.forEach((rate, index) => {
      const box = rateBoxes[index];
      if (box.value !== rate.text) box.value = rate.text;
      box.hidden = !rate.visible;
      rateTargets[index].hidden = !rate.visible;
      if (rateTargets[index].getAttribute("aria-label") !== rate.name) {
        rateTargets[index].setAttribute("aria-label", rate.name);
      }
      box.classList.toggle("marked", state.marked === index);
      box.setAttribute("aria-invalid", state.marked === index ? "true" : "false");
      if (box.title !== rate.name) {
        box.title = rate.name;
        box.setAttribute("aria-label", rate.name);
      }
    });

    if (stripText.textContent !== state.strip.text) {
      stripText.textContent = state.strip.text;
      // A hint cut short at its two lines shows whole in the tooltip too.
      const cut = stripText.scrollHeight > stripText.clientHeight + 1;
      strip.title = !state.strip.hint ? state.strip.text
        : cut ? `${state.strip.text}\n${strip.dataset.keys}` : strip.dataset.keys;
    }
    strip.classList.toggle("problem", state.strip.problem);
    if (viewList.selectedIndex !== state.view) viewList.selectedIndex = state.view;
    if (speedList.selectedIndex !== state.speed) speedList.selectedIndex = state.speed;
    longRunBox.checked = state.longRun;

    syncRows(tableBody, state.table);
    const { head, rows, problem } = state.chances;
    syncRows(chancesHead, head.length ? [head] : []);
    syncRows(chancesBody, problem ? [[problem]] : rows);
    if (historyText.textContent !== state.history) historyText.textContent = state.history;
    historyText.parentElement.hidden = !state.history;
    syncTimer();
    paint();
  }

  // A table's head or body with the texts given, row by row: a head's
  // cells head their columns, a body row's first cell heads its row (a row
  // of one cell is a plain sentence).
  function syncRows(section, rows) {
    const inHead = section.tagName === "THEAD";
    while (section.rows.length > rows.length) section.deleteRow(-1);
    rows.forEach((texts, index) => {
      const row = section.rows[index] ?? section.insertRow();
      if (row.cells.length !== texts.length) {
        row.replaceChildren(...texts.map((_, i) => {
          const heads = inHead || (i === 0 && texts.length > 1);
          const cell = document.createElement(heads ? "th" : "td");
          if (heads) cell.scope = inHead ? "col" : "row";
          return cell;
        }));
      }
      texts.forEach((text, i) => {
        if (row.cells[i].textContent !== text) row.cells[i].textContent = text;
      });
    });
  }

  // The timer runs while the window's move timer is on and the page is
  // seen; a hidden page stops the chain, which does not catch up later.
  function syncTimer() {
    const wanted = document.hidden ? 0 : shown.timer;
    if (wanted === timerPeriod) return;
    if (timer !== null) clearInterval(timer);
    timer = wanted ? setInterval(runFrame, wanted) : null;
    timerPeriod = wanted;
  }

  function runFrame() {
    const reached = win.runFrame();
    sync();
    if (reached) document.body.dataset.countReached = "true";
  }

  document.addEventListener("visibilitychange", () => {
    if (shown) syncTimer();
  });

  // ---------------------------------------------------------------------
  // Drawing: the core's canvas operations, replayed over what changed.

  let scale = 1;
  let arranged = -1;         // the arrangement shown: 0 the design's, 1 stacked
  let arrangement = null;
  let painter = null;
  const page = element("page");
  const coarse = matchMedia("(pointer: coarse)");

  // The design's arrangement, or the stacked one on a screen taller than it
  // is wide; each control moves with its part of the form.
  function arrange(index) {
    arranged = index;
    arrangement = layout.arrangements[index];
    for (const control of form.querySelectorAll("[data-part]")) {
      const [dx, dy] = arrangement.parts[control.dataset.part];
      control.style.translate = dx || dy ? `${dx}px ${dy}px` : "";
    }
    const width = arrangement.statusLineWidth;
    form.style.setProperty("--status-line-width", width === null ? "" : `${width}px`);
    document.documentElement.classList.toggle("stacked", index === 1);
    painter = window.tesselCanvas(canvas, arrangement.form, layout.smallestCaptionShare);
  }

  // Held upright, the form takes the page's width and the page scrolls down
  // through it; otherwise it takes the largest uniform scale at which it
  // fits above the tools, the two centred together.
  function layOut() {
    const tools = element("tools");
    const width = document.documentElement.clientWidth;
    const height = window.innerHeight;
    const wanted = height > width ? 1 : 0;
    if (wanted !== arranged) arrange(wanted);
    const [, , formWidth, formHeight] = arrangement.form;
    const toolsHeight = tools.offsetHeight;
    // A list grown for a finger may stand out under the form: room for it
    // too, at the scale it leaves.
    let below = 0;
    for (let pass = 0, last = 0; pass < 8; ++pass, last = scale) {
      scale = Math.max(0.05, wanted ? width / formWidth
        : Math.min(width / formWidth, (height - toolsHeight - Math.ceil(below)) / formHeight));
      below = fitFingers(formHeight) * scale;
      if (Math.abs(scale - last) < 1e-4) break;
    }
    const left = Math.floor((width - formWidth * scale) / 2);
    const top = Math.max(0, Math.floor((height - formHeight * scale - below - toolsHeight) / 2));
    Object.assign(form.style, {
      width: `${formWidth}px`, height: `${formHeight}px`,
      transform: `translate(${left}px, ${top}px) scale(${scale})`,
    });
    const toolsTop = top + Math.ceil(formHeight * scale + below);
    tools.style.top = `${toolsTop}px`;
    page.style.height = wanted ? `${toolsTop + toolsHeight}px` : "";
    const ratio = scale * (window.devicePixelRatio || 1);
    canvas.width = Math.max(1, Math.round(formWidth * ratio));
    canvas.height = Math.max(1, Math.round(formHeight * ratio));
    canvas.style.width = `${formWidth}px`;
    canvas.style.height = `${formHeight}px`;
    paint(true);
  }

  // Under a finger every target is at least as large as the core asks, on
  // the screen: buttons and labels reach out around themselves (page.css),
  // and the lists grow about their middles. How far the lists then reach
  // below the form, in design pixels.
  function fitFingers(formHeight) {
    const finger = coarse.matches ? layout.fingerTarget / scale : 0;
    form.style.setProperty("--finger", `${finger}px`);
    let below = 0;
    for (const list of form.querySelectorAll("select")) {
      const height = parseFloat(list.style.height);
      const grow = Math.max(0, finger - height);
      const [, dy] = arrangement.parts[list.dataset.part];
      const top = parseFloat(list.style.top) + dy;
      const up = Math.min(grow / 2, top);  // never above the form
      Object.assign(list.style, { minHeight: grow ? `${finger}px` : "", marginTop: up ? `${-up}px` : "" });
      below = Math.max(below, top - up + height + grow - formHeight);
    }
    return below;
  }
  // The hint speaks of taps under a finger.
  const pointWith = () => {
    document.documentElement.classList.toggle("coarse", coarse.matches);
    win.setTouch(coarse.matches);
  };
  coarse.addEventListener("change", () => {
    pointWith();
    layOut();
    sync();
  });
  pointWith();

  function paint(whole = false) {
    const drawing = JSON.parse(win.drawing(whole, arranged));
    if (drawing === null) return;
    painter.paint(drawing);
    if (!document.body.dataset.firstFrame) {
      document.body.dataset.firstFrame = performance.now().toFixed(1);
    }
  }

  // ---------------------------------------------------------------------
  // Renaming a state: double-click its oval, or tap it twice.

  function renameAt(event) {
    if (form.querySelector(".name-editor")) return;
    const bounds = form.getBoundingClientRect();
    const [left, top] = arrangement.form;
    const [dx, dy] = arrangement.parts.diagram;
    const state = win.stateAt((event.clientX - bounds.left) / scale + left - dx,
      (event.clientY - bounds.top) / scale + top - dy);
    if (state >= 0 && win.beginRename(state)) editName(state);
  }
  canvas.addEventListener("dblclick", renameAt);
  // Two taps close in time and place; the page does not zoom on them.
  let lastTap = null;
  canvas.addEventListener("pointerup", (event) => {
    if (event.pointerType !== "touch") return;
    const again = lastTap && event.timeStamp - lastTap.timeStamp < 500 &&
      Math.hypot(event.clientX - lastTap.clientX, event.clientY - lastTap.clientY) < layout.fingerTarget;
    lastTap = again ? null : event;
    if (again) renameAt(event);
  });

  function editName(state) {
    const [left, top, width, height] = layout.nameLabels[state];
    const font = layout.fonts.nameLabel;
    const editorHeight = Math.round(font.pixels * 1.5);
    const editor = form.appendChild(document.createElement("input"));
    Object.assign(editor.style, { left: `${left}px`, top: `${top + height / 2 - editorHeight / 2}px`,
      width: `${width}px`, height: `${editorHeight}px`, font: painter.cssFont(font) });
    Object.assign(editor, { className: "name-editor", value: shown.names[state], maxLength: 64 });
    editor.style.translate = form.querySelector("[data-part=diagram]").style.translate;
    editor.setAttribute("aria-label", form.dataset.nameEditor);
    paint();
    let done = false;
    const finish = (keep) => {
      if (done) return;
      done = true;
      win.finishRename(keep, editor.value);
      editor.remove();
      form.focus();
      sync();
    };
    editor.addEventListener("keydown", (event) => {
      if (event.key !== "Enter" && event.key !== "Escape") return;
      finish(event.key === "Enter");
      event.preventDefault();
      event.stopPropagation();
    });
    editor.addEventListener("blur", () => finish(true));
    editor.focus();
    editor.select();
  }

  // ---------------------------------------------------------------------
  // The rate editor a tap opens: the transition's name, its rate in a field
  // the on-screen keyboard types numbers into, OK and Cancel. It stands at
  // the top of what the screen shows, clear of that keyboard.

  const rateEditor = element("rate-editor");
  const rateField = element("rate-editor-field");
  const keepClearOfKeyboard = () => {
    const seen = window.visualViewport;
    if (seen) rateEditor.style.top = `${seen.offsetTop + 8}px`;
  };
  window.visualViewport?.addEventListener("resize", keepClearOfKeyboard);
  window.visualViewport?.addEventListener("scroll", keepClearOfKeyboard);

  function editRate(index) {
    rateEditor.querySelector("label").textContent = shown.rates[index].name;
    rateField.value = shown.rates[index].text;
    rateEditor.dataset.box = index;
    rateEditor.returnValue = "";
    keepClearOfKeyboard();
    rateEditor.showModal();
    rateField.select();
  }
  rateEditor.addEventListener("close", act(() => {
    if (rateEditor.returnValue === "ok") win.setRateText(Number(rateEditor.dataset.box), rateField.value);
  }));

  // ---------------------------------------------------------------------
  // Chains: open from files (picker or drop), save as a download, share
  // as a link that carries the chain in its fragment.

  const filePicker = element("open-files");

  async function openFiles(files) {
    const names = [];
    const contents = [];
    const problems = [];
    for (const file of files) {
      names.push(file.name);
      try {
        // One byte past the limit is enough to know the file is too large.
        contents.push(new Uint8Array(await file.slice(0, layout.mostChainFileBytes + 1).arrayBuffer()));
        problems.push("");
      } catch (error) {
        contents.push(new Uint8Array());
        problems.push(error.message || String(error));
      }
    }
    win.openFiles(names, contents, problems);
    sync();
  }

  filePicker.addEventListener("change", async () => {
    await openFiles([...filePicker.files]);
    filePicker.value = "";
  });

  function saveChain() {
    const chain = JSON.parse(win.save());
    if (chain) {
      const link = document.createElement("a");
      link.href = URL.createObjectURL(new Blob([chain.document], { type: "application/x-tessel-chain" }));
      link.download = chain.fileName;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
      win.saved(chain.fileName);
    }
    sync();
  }

  async function shareLink() {
    const chain = JSON.parse(win.save());
    if (chain) {
      // The same document on one line; every number keeps its shortest form.
      const compact = JSON.stringify(JSON.parse(chain.document));
      const lang = shown.languageAsked ? `?lang=${encodeURIComponent(shown.language)}` : "";
      const link = `${location.href.split(/[?#]/)[0]}${lang}#chain=${encodeURIComponent(compact)}`;
      document.body.dataset.shareLink = link;
      let copied = true;
      try { await navigator.clipboard.writeText(link); } catch { copied = false; }
      win.linkCopied(copied, link);
    }
    sync();
  }

  window.addEventListener("hashchange", act(() => {
    if (linkedChain()) win.openLinkedChain(linkedChain());
  }));

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

  const pageCommands = {
    open: () => filePicker.click(),
    save: saveChain,
    fullScreen: toggleFullScreen,
    chooseSpeed: () => speedList.focus(),
    chooseView: () => viewList.focus(),
  };
  element("open").addEventListener("click", pageCommands.open);
  element("save").addEventListener("click", saveChain);
  element("share").addEventListener("click", shareLink);
  element("full-screen").addEventListener("click", toggleFullScreen);

  // ---------------------------------------------------------------------
  // Keys, named as the core's command table names them; a rate box keeps
  // the ones it takes as text.

  document.addEventListener("keydown", (event) => {
    // The rate editor's keys are its own: Enter confirms, Esc cancels.
    if (rateEditor.open) return;
    const parts = [];
    if (event.ctrlKey || event.metaKey) parts.push("Ctrl");
    if (event.altKey) parts.push("Alt");
    if (event.code.startsWith("Numpad")) parts.push("Num");
    let key = event.key.length === 1 ? event.key.toUpperCase() : event.key;
    // Alt takes the letter the layout types; where Alt types another
    // character (a Mac's Option), the letter of the key's place.
    if (event.altKey && !/^[A-Z]$/.test(key) && event.code.startsWith("Key")) key = event.code.slice(3);
    parts.push(key === "Escape" ? "Esc" : key);
    const typing = event.target instanceof HTMLInputElement && event.target.type === "text";
    const longRun = shown.longRun;
    const todo = win.key(parts.join("+"), typing);
    if (!todo) return;
    event.preventDefault();
    if (todo !== "done") {
      pageCommands[todo]?.();
      return;
    }
    sync();
    if (shown.longRun !== longRun) remember(LONG_RUN_SETTING, shown.longRun ? "1" : "0");
  });

  window.addEventListener("resize", layOut);
  // A new devicePixelRatio (another screen, or zoom) redraws at its pixels.
  const watchRatio = () => matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
    .addEventListener("change", () => { layOut(); watchRatio(); }, { once: true });
  watchRatio();
  // The view list widens to its English names as far as the strip allows;
  // another language fits its lists as it relabels the page.
  window.tesselFitStrip(core.stripBoxes).then(() =>
    window.tesselFitList(viewList, layout.fonts.strip.pixels, layout.smallestCaptionShare));
  speak();
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
    state: () => JSON.parse(win.state()),
    timerRunning: () => timer !== null,
  };
})().catch((error) => {
  // A browser without WebAssembly, or a core that failed to start: say so
  // where the form would stand, in the words the page was built with.
  const message = document.createElement("p");
  message.setAttribute("role", "alert");
  message.style.margin = "2em";
  message.textContent = document.getElementById("page").dataset.cannotStart
    .replace("{reason}", error.message || error);
  document.getElementById("form").replaceChildren(message);
  throw error;
});
