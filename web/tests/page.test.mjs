// The page in a real browser: Debian's chromium, driven by playwright-core.
// It must run the chain exactly as the desktop's window logic does (checked
// against tessel-sim), and behave as the desktop window does.
//
//   TESSEL_WEB_DIR   the built page (default: build/web beside this folder)
//   TESSEL_SIM       tessel-sim from a native build (required)
//   TESSEL_CHROMIUM  the browser (default: /usr/bin/chromium)

import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync, spawnSync } from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";
import { chromium } from "playwright-core";

const here = path.dirname(fileURLToPath(import.meta.url));
const root = path.resolve(here, "../..");
const pageDir = process.env.TESSEL_WEB_DIR || path.join(root, "build/web");
const sim = process.env.TESSEL_SIM;
const weatherFile = path.join(root, "data/chains/weather.tessel");
const scenarios = ["One Phone", "Receptionist", "Office", "Conversation", "Four Element Queue"];

let browser;
let server;
let served;

before(async () => {
  assert.ok(sim && fs.existsSync(sim), "TESSEL_SIM must name a built tessel-sim");
  browser = await chromium.launch({
    executablePath: process.env.TESSEL_CHROMIUM || "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  const types = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm",
    ".webmanifest": "application/manifest+json", ".svg": "image/svg+xml", ".png": "image/png" };
  server = http.createServer((request, response) => {
    const file = path.join(pageDir, new URL(request.url, "http://x").pathname);
    if (!file.startsWith(pageDir) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { "Content-Type": types[path.extname(file)] || "text/plain" });
    fs.createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  served = `http://127.0.0.1:${server.address().port}/index.html`;
});

after(async () => {
  await browser?.close();
  server?.close();
});

const singleFile = (query = "") => `${pathToFileURL(path.join(pageDir, "tessel-demo.html"))}${query}`;

// A ready page; every error it logs fails the test that opened it.
async function open(url, options = {}) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 }, locale: "en-US",
    ...options });
  const page = await context.newPage();
  const errors = [];
  page.on("pageerror", (error) => errors.push(error.message));
  page.on("console", (message) => message.type() === "error" && errors.push(message.text()));
  await page.goto(url);
  await page.waitForSelector("body[data-ready]");
  page.assertNoErrors = () => assert.deepEqual(errors, [], url);
  return page;
}

const state = (page) => page.evaluate(() => window.tesselWindow.state());
const table = (page) => page.$$eval("#counts tbody tr",
  (rows) => rows.map((row) => [...row.cells].map((cell) => cell.textContent)));

function simVisits(args, ticks = 200000) {
  const report = JSON.parse(execFileSync(sim, [...args, "--seed", "5", "--ticks", String(ticks),
    "--format", "json"], { encoding: "utf8" }));
  return report.states.map((row) => [row.state, row.name, String(row.visits)]);
}

async function countedVisits(query) {
  const page = await open(singleFile(`?${query}&seed=5&count-ticks=200000&speed=max`));
  await page.waitForSelector("body[data-count-reached]", { timeout: 60000 });
  const rows = (await table(page)).map(([colour, name, visits]) => [colour, name, visits]);
  assert.equal((await state(page)).ticksRun, 200000);
  page.assertNoErrors();
  await page.context().close();
  return rows;
}

describe("the same chain as the desktop", () => {
  for (const scenario of scenarios) {
    test(`"${scenario}", seed 5, 200000 ticks at max`, async () => {
      assert.deepEqual(await countedVisits(`scenario=${encodeURIComponent(scenario)}`),
        simVisits(["--scenario", scenario]));
    });
  }
  test("an opened chain, seed 5, 200000 ticks at max", async () => {
    const chain = encodeURIComponent(fs.readFileSync(weatherFile, "utf8"));
    assert.deepEqual(await countedVisits(`chain=${chain}`), simVisits(["--chain", weatherFile]));
  });
});

describe("the page", () => {
  test("loads as one file from file:// and as index.html from a server", async () => {
    for (const url of [singleFile(), served]) {
      const page = await open(url);
      assert.equal(await page.title(), "Orlo's Tessel Demo");
      assert.equal((await state(page)).listText, "One Phone", url);
      assert.equal(await page.$eval("#counts caption", (caption) => caption.textContent), "Counts");
      assert.deepEqual(await page.$$eval("#counts thead th", (cells) => cells.map((c) => c.textContent)),
        ["State", "Name", "Visits", "Share", "Long run"]);
      page.assertNoErrors();
      await page.context().close();
    }
  });

  test("draws each shown state in its colour where the layout puts it", async () => {
    const page = await open(singleFile("?scenario=Four%20Element%20Queue"));
    const colours = await page.evaluate(() => {
      const canvas = document.getElementById("drawing");
      const ratio = canvas.width / window.tesselWindow.layout.form[2];
      return window.tesselWindow.layout.circles.map(([left, top, width, height]) => {
        // Inside the oval, above its name.
        const x = Math.round((left + width / 2) * ratio);
        const y = Math.round((top + height * 0.12) * ratio);
        return [...canvas.getContext("2d").getImageData(x, y, 1, 1).data.slice(0, 3)];
      });
    });
    assert.deepEqual(colours, [[192, 192, 255], [255, 192, 255], [192, 255, 192], [192, 255, 255]]);
    await page.context().close();
  });

  test('says what the desktop says of "abc" in a rate box', async () => {
    const run = spawnSync(sim, ["--scenario", "Conversation", "--seed", "1", "--ticks", "1",
      "--rate", "0=abc"], { encoding: "utf8" });
    const expected = run.stderr.slice(run.stderr.indexOf("): ") + 3).trim();
    assert.match(expected, /"abc"/);
    const page = await open(singleFile("?scenario=Conversation"));
    await page.fill(".rate >> nth=0", "abc");
    await page.click("#one");
    assert.equal(await page.textContent("#strip"), expected);
    assert.equal(await page.getAttribute("#strip", "aria-live"), "polite");
    assert.equal(await page.getAttribute(".rate >> nth=0", "aria-invalid"), "true");
    await page.context().close();
  });

  test("reads rates with the decimal separator of the browser's language", async () => {
    for (const [locale, text, fails] of [["de-DE", "0,5", false], ["en-US", "0,5", true],
      ["de-DE", "0.5", false]]) {
      const page = await open(singleFile("?scenario=Conversation"), { locale });
      await page.fill(".rate >> nth=0", text);
      await page.click("#one");
      assert.equal((await state(page)).strip.problem, fails, `${text} in ${locale}`);
      await page.context().close();
    }
  });

  test("answers the desktop's keys, except in a rate box", async () => {
    const page = await open(singleFile());
    await page.keyboard.press("4");
    assert.equal((await state(page)).listText, "Conversation");
    await page.keyboard.press("s");
    assert.deepEqual((await state(page)).buttons, ["One", "Stop", "Pause"]);
    await page.keyboard.press("p");
    assert.equal((await state(page)).buttons[2], "Cont");
    await page.keyboard.press("+");
    await page.keyboard.press("=");
    assert.equal((await state(page)).speed, 2);
    await page.keyboard.press("-");
    assert.equal((await state(page)).speed, 1);
    await page.keyboard.press("l");
    assert.equal(await page.isChecked("#form input[type=checkbox]"), true);
    await page.focus(".rate >> nth=3");
    await page.keyboard.press("s");
    assert.equal((await state(page)).buttons[1], "Stop", "typed, not a key");
    assert.match(await page.inputValue(".rate >> nth=3"), /s$/);
    page.assertNoErrors();
    await page.context().close();
  });

  test("opens files, saves a download, renames, shares a link that round-trips, takes drops", async () => {
    const page = await open(served, { permissions: ["clipboard-read", "clipboard-write"] });
    await page.setInputFiles("#open-files", [
      { name: "weather.tessel", mimeType: "application/json", buffer: fs.readFileSync(weatherFile) },
      { name: "bad.tessel", mimeType: "application/json", buffer: Buffer.from("{") }]);
    // Files are read asynchronously.
    await page.waitForFunction(() => window.tesselWindow.state().listText === "Weather");
    const opened = await state(page);
    assert.match(opened.strip.text, /^Cannot open "bad\.tessel": /);
    await page.dblclick("#drawing", { position: await page.evaluate(() => {
      const [left, top, width, height] = window.tesselWindow.layout.circles[0];
      const bounds = document.getElementById("form").getBoundingClientRect();
      const scale = bounds.width / window.tesselWindow.layout.form[2];
      return { x: (left + width / 2) * scale, y: (top + height / 4) * scale };
    }) });
    await page.fill(".name-editor", "Hot");
    await page.keyboard.press("Enter");
    await page.fill(".rate >> nth=3", "2.5e-3");

    const download = page.waitForEvent("download");
    await page.keyboard.press("Control+s");
    const saved = await download;
    assert.equal(saved.suggestedFilename(), "Weather.tessel");
    const document = JSON.parse(fs.readFileSync(await saved.path(), "utf8"));
    assert.deepEqual(document.states, ["Hot", "Cloudy", "Rainy"]);

    await page.click("#share");
    await page.waitForFunction(() => window.tesselWindow.state().strip.text.startsWith("Copied"));
    const link = await page.evaluate(() => navigator.clipboard.readText());
    assert.match(link, /#chain=/);
    assert.doesNotMatch(link, /lang=/, "the language rides along only where the user picked one");
    const shared = await page.context().newPage();
    await shared.goto(link);
    await shared.waitForSelector("body[data-ready]");
    const before = await state(page);
    const after = await state(shared);
    assert.equal(after.listText, "Weather");
    assert.deepEqual(after.names, before.names);
    const rates = (shown) => shown.rates.map((rate) => [rate.visible, Number(rate.text)]);
    assert.deepEqual(rates(after), rates(before));
    assert.equal(Number(after.rates[3].text), 0.0025);

    // A file dropped anywhere on the page opens too.
    await shared.evaluate((text) => {
      const files = new DataTransfer();
      files.items.add(new File([text], "board-game.tessel"));
      document.getElementById("tools").dispatchEvent(
        new DragEvent("drop", { dataTransfer: files, bubbles: true, cancelable: true }));
    }, fs.readFileSync(path.join(root, "data/chains/board-game.tessel"), "utf8"));
    await shared.waitForFunction(() => window.tesselWindow.state().listText === "Board Game");
    await page.context().close();
  });

  test("pauses where a count ends, and runs on from there with \"Cont\"", async () => {
    const page = await open(singleFile("?scenario=Office&seed=2&count-ticks=1000&speed=100"));
    await page.waitForSelector("body[data-count-reached]");
    const counted = await state(page);
    assert.equal(counted.ticksRun, 1000);
    assert.equal(counted.buttons[2], "Cont");
    await page.click("#pause");
    await page.waitForFunction(() => window.tesselWindow.state().ticksRun > 1000);
    await page.context().close();
  });

  test("drops an edited name with Esc", async () => {
    const page = await open(singleFile());
    const names = (await state(page)).names;
    const box = await page.evaluate(() => window.tesselWindow.layout.circles[0]);
    const scale = await page.evaluate(
      () => document.getElementById("form").getBoundingClientRect().width / window.tesselWindow.layout.form[2]);
    await page.dblclick("#drawing", { position: { x: (box[0] + box[2] / 2) * scale, y: (box[1] + box[3] / 4) * scale } });
    await page.fill(".name-editor", "Dropped");
    await page.keyboard.press("Escape");
    assert.equal(await page.$(".name-editor"), null);
    assert.deepEqual((await state(page)).names, names);
    await page.context().close();
  });

  test("refuses a bad address in its strip, and stops while hidden", async () => {
    const page = await open(singleFile("?seed=-1&speed=3"));
    assert.match((await state(page)).strip.text, /seed needs a whole number from 0 to 2\^64-1, not "-1"/);
    await page.click("#start-stop");
    await page.waitForFunction(() => window.tesselWindow.state().ticksRun > 5);
    await page.evaluate(() => {
      Object.defineProperty(document, "hidden", { value: true, configurable: true });
      document.dispatchEvent(new Event("visibilitychange"));
    });
    assert.equal(await page.evaluate(() => window.tesselWindow.timerRunning()), false);
    await page.evaluate(() => {
      Object.defineProperty(document, "hidden", { value: false, configurable: true });
      document.dispatchEvent(new Event("visibilitychange"));
    });
    assert.equal(await page.evaluate(() => window.tesselWindow.timerRunning()), true);
    await page.context().close();
  });
});

// The page's words that do not fit their controls: a caption wider than its
// button or label, a list entry wider than its closed list, a message cut
// short without its whole text in the tooltip.
const misfits = (page) => page.evaluate(() => {
  const found = [];
  const scale = document.getElementById("form").getBoundingClientRect().width /
    window.tesselWindow.layout.form[2];
  const range = document.createRange();
  for (const at of document.querySelectorAll("#form button, #form label")) {
    range.selectNodeContents(at);
    if (range.getBoundingClientRect().width / scale > at.clientWidth + 0.5) found.push(at.textContent);
  }
  const measure = document.createElement("canvas").getContext("2d");
  for (const list of document.querySelectorAll("#form select")) {
    const style = getComputedStyle(list);
    measure.font = `${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
    const room = list.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight) - 20;
    for (const option of list.options) {
      if (measure.measureText(option.text).width > room + 0.5) found.push(option.text);
    }
  }
  const strip = document.getElementById("strip");
  const line = strip.firstElementChild;
  if (line.scrollHeight > line.clientHeight + 1 && !strip.title.includes(line.textContent)) {
    found.push(line.textContent);
  }
  return found;
});

describe("in every language", () => {
  // tessel-sim's text report in a language: the names of its states.
  const simNames = (language) => execFileSync(sim,
    ["--scenario", "Conversation", "--seed", "5", "--ticks", "20000"],
    { encoding: "utf8", env: { ...process.env, LANGUAGE: language, LC_ALL: "C.UTF-8" } })
    .split("\n").slice(3).filter(Boolean).map((row) => row.split(/ {2,}/)[1]);

  for (const [language, tag] of [["de", "de"], ["fr", "fr"], ["es", "es"], ["pt_BR", "pt-BR"],
    ["en@stretch", "en"]]) {
    test(`${language}: every word fits, and it counts what tessel-sim counts`, async () => {
      const page = await open(singleFile(
        `?lang=${encodeURIComponent(language)}&scenario=Conversation&seed=5&count-ticks=20000&speed=max`));
      await page.waitForSelector("body[data-count-reached]", { timeout: 60000 });
      assert.equal(await page.getAttribute("html", "lang"), tag);
      const rows = await table(page);
      assert.deepEqual(rows.map((row) => row[2]),
        simVisits(["--scenario", "Conversation"], 20000).map((row) => row[2]));
      assert.deepEqual(rows.map((row) => row[1]), simNames(language));
      await page.evaluate(() => document.fonts.ready);
      for (const scenario of [0, 1, 2, 3, 4]) {
        await page.selectOption("#scenario-list", { index: scenario });
        assert.deepEqual(await misfits(page), [], `scenario ${scenario}`);
      }
      page.assertNoErrors();
      await page.context().close();
    });
  }

  test("an unknown ?lang= falls back to the browser's languages, and says so once", async () => {
    const page = await open(singleFile("?lang=xx"), { locale: "fr-FR" });
    assert.equal(await page.getAttribute("html", "lang"), "fr");
    assert.match((await state(page)).strip.text, /"xx"/);
    await page.click("#one");
    assert.doesNotMatch((await state(page)).strip.text, /"xx"/);
    await page.context().close();
  });

  test("a language picked from the list relabels the page, keeps the run, rides in a link", async () => {
    const page = await open(singleFile("?scenario=Office&seed=2&count-ticks=1000&speed=100"),
      { permissions: ["clipboard-read", "clipboard-write"] });
    await page.waitForSelector("body[data-count-reached]");
    const before = await table(page);
    const caption = await page.textContent("#one");
    await page.selectOption("#language", "de");
    assert.equal(await page.getAttribute("html", "lang"), "de");
    assert.notEqual(await page.textContent("#one"), caption);
    assert.deepEqual((await table(page)).map((row) => row[2]), before.map((row) => row[2]));
    assert.equal((await state(page)).ticksRun, 1000);
    await page.click("#share");
    const link = await page.evaluate(() => navigator.clipboard.readText());
    assert.match(link, /[?&]lang=de\b/);
    await page.context().close();
  });
});

describe("the views in the chart's place", () => {
  const address = singleFile("?scenario=Conversation&seed=1&count-ticks=3000&speed=100");
  const counted = (page) => page.waitForSelector("body[data-count-reached]").then(() => page);
  // Digests of the drawing left of the scenario list (the chain) and right of it (the chart's place).
  const halves = (page) => page.evaluate(() => {
    const canvas = document.getElementById("drawing");
    const { scenarioList, form } = window.tesselWindow.layout;
    const split = Math.round(scenarioList[0] * canvas.width / form[2]);
    const digest = (left, width) => canvas.getContext("2d").getImageData(left, 0, width, canvas.height).data
      .reduce((hash, byte) => (Math.imul(hash, 31) + byte) >>> 0, 0);
    return [digest(0, split), digest(split, canvas.width - split)];
  });

  test("the address, V or the list puts a view in the chart's place; the count runs as in the chart",
    async () => {
      const chart = await counted(await open(address));
      const [expected, drawn] = [await table(chart), await halves(chart)];
      for (const [index, view] of [[1, "history"], [2, "chances"]]) {
        const page = await counted(await open(`${address}&view=${view}`));
        const [left, right] = await halves(page);
        const picked = await page.$eval("#view", (list) => list.selectedIndex);
        assert.deepEqual([picked, left], [index, drawn[0]], view);
        assert.notEqual(right, drawn[1], view);
        assert.deepEqual(await misfits(page), [], view);
        await page.context().close();
      }
      const page = await open(address);
      const shown = [];
      for (const key of ["v", "Alt+v", "v", "v"]) {
        await page.keyboard.press(key);
        shown.push(await page.$eval("#view", (list) => [list.selectedIndex, document.activeElement === list]));
      }
      assert.deepEqual(shown, [[1, false], [1, true], [2, true], [0, true]]);
      await page.selectOption("#view", { index: 2 });
      assert.equal((await state(page)).view, 2);
      assert.deepEqual(await table(await counted(page)), expected);
      page.assertNoErrors();
      await page.context().close();
      await chart.context().close();
    });

  test("a screen reader finds the Chances in a table, or why there are none, and the History in a sentence",
    async () => {
      const page = await counted(await open(address));
      const names = (await table(page)).map((row) => row[1]);
      const chances = () => page.$$eval("#chances tr", (rows) => rows.map((row) =>
        [...row.cells].map((cell) => cell.textContent)));
      const [head, ...rows] = await chances();
      assert.equal(await page.textContent("#chances caption"), "Chances");
      assert.deepEqual([head.slice(1), rows.map((row) => row[0])], [names, [...names, "Long run"]]);
      for (const row of rows.slice(0, -1)) {
        row.slice(1).forEach((text) => assert.match(text, /^(0|< 0\.001 %|\d+(\.\d+)? %)$/));
        const sum = row.slice(1).reduce((total, text) => total + (parseFloat(text.replace("< ", "")) || 0), 0);
        assert.ok(Math.abs(sum - 100) < 0.25, `${row[0]} adds up to ${sum} %`);
      }
      assert.match(await page.textContent("#history p"),
        new RegExp(`^After \\d+ counted ticks: ${names.map((name) => `${name} \\d+\\.\\d %`).join(", ")}$`));
      await page.fill(".rate >> nth=0", "abc");
      const [problem, ...none] = await chances();
      assert.deepEqual([problem.length, none.length], [1, 0]);
      assert.match(problem[0], /holds no number/);
      await page.context().close();
    });
});

// Chromium's phone emulation: a touch screen at three device pixels to a CSS one.
const phone = (width, height) => ({ viewport: { width, height }, isMobile: true, hasTouch: true,
  deviceScaleFactor: 3 });

// Where a finger can hit each visible control, in CSS pixels: the control's
// box, or the larger box its ::after reaches out to; a checkbox's target is
// its label, and a rate box's the target over it.
const targets = (page) => page.evaluate(() => {
  const scale = document.getElementById("form").getBoundingClientRect().width /
    document.getElementById("form").offsetWidth;
  return [...document.querySelectorAll("#form :is(button, select, input, label), #tools :is(button, select)")]
    .filter((control) => control.getClientRects().length && getComputedStyle(control).pointerEvents !== "none" &&
      control.type !== "checkbox")
    .map((control) => {
      const box = control.getBoundingClientRect();
      const after = getComputedStyle(control, "::after");
      const reach = control.closest("#form") && after.content !== "none" ? scale : 0;
      return { id: control.id || control.className,
        width: Math.max(box.width, parseFloat(after.width) * reach || 0),
        height: Math.max(box.height, parseFloat(after.height) * reach || 0),
        bottom: box.bottom, right: box.right };
    });
});

describe("on a phone", () => {
  for (const [width, height] of [[390, 844], [360, 740], [844, 390], [768, 1024]]) {
    test(`at ${width}x${height}: every target a fingertip wide, no sideways scroll, the width used`, async () => {
      const page = await open(singleFile("?scenario=Four%20Element%20Queue"), phone(width, height));
      const small = (await targets(page)).filter((target) => target.width < 43.5 || target.height < 43.5);
      assert.deepEqual(small, []);
      const { scrollWidth, clientWidth, formWidth } = await page.evaluate(() => ({
        scrollWidth: document.documentElement.scrollWidth, clientWidth: document.documentElement.clientWidth,
        formWidth: document.getElementById("form").getBoundingClientRect().width }));
      assert.ok(scrollWidth <= clientWidth, `${scrollWidth} > ${clientWidth}`);
      if (height > width) assert.ok(formWidth >= 0.9 * width, `${formWidth} of ${width}`);
      page.assertNoErrors();
      await page.context().close();
    });
  }

  test("the tools under a mouse at 1280x800 stand whole on the screen, at least 32 pixels tall", async () => {
    const page = await open(singleFile());
    const tools = (await targets(page)).filter((target) => ["open", "save", "share", "full-screen", "language"]
      .includes(target.id));
    assert.equal(tools.length, 5);
    for (const tool of tools) assert.ok(tool.height >= 32 && tool.bottom <= 800 && tool.right <= 1280, tool.id);
    await page.context().close();
  });

  test("counts as tessel-sim does", async () => {
    const page = await open(singleFile("?scenario=Office&seed=5&count-ticks=200000&speed=max"), phone(390, 844));
    await page.waitForSelector("body[data-count-reached]", { timeout: 60000 });
    assert.deepEqual((await table(page)).map((row) => row.slice(0, 3)), simVisits(["--scenario", "Office"]));
    await page.context().close();
  });

  test("taps One, Start and Pause as clicks; turning keeps the run", async () => {
    const page = await open(singleFile("?seed=3"), phone(390, 844));
    assert.ok(await page.evaluate(() => ["stacked", "coarse"].every((name) =>
      document.documentElement.classList.contains(name))));
    assert.match((await state(page)).strip.text, /tap "One".* Tap a state twice/);
    await page.tap("#one");
    await page.waitForFunction(() => window.tesselWindow.state().jumps === 1);
    await page.tap("#start-stop");
    await page.waitForFunction(() => window.tesselWindow.state().ticksRun > 10);
    await page.setViewportSize({ width: 844, height: 390 });
    await page.waitForFunction(() => !document.documentElement.classList.contains("stacked"));
    const turned = await state(page);
    assert.equal(turned.buttons[1], "Stop");
    await page.tap("#pause");
    await page.waitForFunction(() => window.tesselWindow.state().buttons[2] === "Cont");
    assert.ok((await state(page)).ticksRun >= turned.ticksRun);
    assert.equal(await page.evaluate(() => window.tesselWindow.timerRunning()), false);
    page.assertNoErrors();
    await page.context().close();
  });

  test("a tap on a rate box edits it in a larger editor; a double-tap renames", async () => {
    const page = await open(served, phone(390, 844));
    const box = (await state(page)).rates.findIndex((rate) => rate.visible);
    await page.tap(`.rate-target >> nth=${box}`);
    const editor = await page.evaluate(() => ({ open: document.getElementById("rate-editor").open,
      label: document.querySelector("#rate-editor label").textContent,
      inputMode: document.getElementById("rate-editor-field").inputMode }));
    assert.deepEqual(editor, { open: true, label: (await state(page)).rates[box].name, inputMode: "decimal" });
    await page.fill("#rate-editor-field", "2.5");
    await page.tap("#rate-editor button[value=ok]");
    // The dialog's close event comes in a task of its own.
    await page.waitForFunction((at) => window.tesselWindow.state().rates[at].text === "2.5", box);
    // The chain the page shares runs at that rate.
    await page.tap("#share");
    await page.waitForFunction(() => document.body.dataset.shareLink);
    const link = await page.evaluate(() => document.body.dataset.shareLink);
    const chain = JSON.parse(new URLSearchParams(new URL(link).hash.slice(1)).get("chain"));
    assert.ok(JSON.stringify(chain).includes("2.5"), JSON.stringify(chain));
    // Cancel keeps the rate: the editor opened again after it still shows it.
    await page.tap(`.rate-target >> nth=${box}`);
    await page.fill("#rate-editor-field", "9");
    await page.tap("#rate-editor button[value=cancel]");
    await page.tap(`.rate-target >> nth=${box}`);
    assert.equal(await page.inputValue("#rate-editor-field"), "2.5");
    assert.equal((await state(page)).rates[box].text, "2.5");
    await page.tap("#rate-editor button[value=cancel]");

    const oval = await page.evaluate(() => {
      const [left, top, width, height] = window.tesselWindow.layout.circles[0];
      const bounds = document.getElementById("form").getBoundingClientRect();
      const scale = bounds.width / document.getElementById("form").offsetWidth;
      return { x: bounds.left + (left + width / 2) * scale, y: bounds.top + (top + height / 4) * scale };
    });
    await page.touchscreen.tap(oval.x, oval.y);
    await page.touchscreen.tap(oval.x, oval.y);
    await page.waitForSelector(".name-editor");
    await page.fill(".name-editor", "Ringing");
    await page.keyboard.press("Enter");
    assert.equal((await state(page)).names[0], "Ringing");
    page.assertNoErrors();
    await page.context().close();
  });

  test("the served page installs, and opens again with the network cut", async () => {
    const page = await open(served, phone(390, 844));
    const manifest = await page.evaluate(async () =>
      (await fetch(document.querySelector('link[rel="manifest"]').href)).json());
    assert.equal(manifest.name, "Orlo's Tessel Demo");
    assert.ok(manifest.icons.some((icon) => icon.sizes === "512x512"));
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.context().setOffline(true);
    await page.reload();
    await page.waitForSelector("body[data-ready]");
    assert.equal((await state(page)).listText, "One Phone");
    await page.context().close();
    // The single file stays one file that opens from a disk.
    assert.doesNotMatch(fs.readFileSync(path.join(pageDir, "tessel-demo.html"), "utf8"),
      /rel="manifest"|serviceWorker\.register/);
  });
});
