// The first frame of the single-file page: from navigation to the frame
// painted after the page says it is ready, in ten fresh loads from file://,
// in Debian's chromium. Prints the page's marks of the first load, each
// load's time and their median. Run it on a quiet machine:
//
//   node tools/measure-first-frame.mjs build/web/tessel-demo.html
import { resolve } from "node:path";
import { createRequire } from "node:module";

const require = createRequire(new URL("../web/package.json", import.meta.url));
const { chromium } = require("playwright-core");
const file = resolve(process.argv[2] ?? "build/web/tessel-demo.html");
const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox"] });
const times = [];
for (let i = 0; i < 10; ++i) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  const page = await context.newPage();
  await page.addInitScript(() => {
    new MutationObserver((_, observer) => {
      if (document.body?.dataset.ready !== "true") return;
      observer.disconnect();
      requestAnimationFrame(() => requestAnimationFrame((t) => { window.__firstFrame = performance.now(); }));
    }).observe(document, { attributes: true, subtree: true, attributeFilter: ["data-ready"] });
  });
  await page.goto(`file://${file}`);
  await page.waitForFunction(() => window.__firstFrame !== undefined);
  const marks = await page.evaluate(() => Object.fromEntries(performance.getEntriesByType("mark").map((m) => [m.name, Math.round(m.startTime)])));
  times.push(await page.evaluate(() => window.__firstFrame));
  if (i === 0) console.log(JSON.stringify(marks));
  await context.close();
}
await browser.close();
times.sort((a, b) => a - b);
console.log("loads:", times.map((t) => t.toFixed(0)).join(" "), "median:", ((times[4] + times[5]) / 2).toFixed(1), "ms");
