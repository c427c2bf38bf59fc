// The campaign report in a real browser (Debian's Chromium, headless):
//   node report.test.js WORK_DIR
// WORK_DIR holds example.html, seeded.html (one unresolved px_ reference seeded into
// RRCConnectionSetup.xml) and large.html (a generated framework of 3,000 templates).
"use strict";
const assert = require("node:assert/strict");
const path = require("node:path");
const { test, after, before } = require("node:test");
const puppeteer = require("puppeteer-core");

const work = process.argv[2];
const chromium = process.env.L3XML_CHROMIUM || "/usr/bin/chromium";
let browser;

before(async () => {
  browser = await puppeteer.launch({ executablePath: chromium, headless: true, args: ["--no-sandbox"] });
});
after(async () => { if (browser) await browser.close(); });

// Opens a report and collects its console errors.
async function open(name, trees = true) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 900 });
  const errors = [];
  page.on("console", (message) => { if (message.type() === "error") errors.push(message.text()); });
  page.on("pageerror", (error) => errors.push(String(error)));
  const start = Date.now();
  // Timed to the drawn template list; the trees may still be on their way.
  const loaded = page.goto("file://" + path.join(work, name), { waitUntil: "load", timeout: 120000 });
  await page.waitForSelector("html[data-ready=true]", { polling: "mutation", timeout: 120000 });
  const answered = (Date.now() - start) / 1000;
  await loaded;
  // When the page's script had drawn the template list, from the start of the navigation. The page
  // answers a little later, once the browser has read the trees behind the list (logged, not judged:
  // it swings with the machine's load).
  const seconds = Number(await page.$eval("html", (h) => h.dataset.drawnAt)) / 1000;
  console.log(`${name}: template list drawn after ${seconds.toFixed(2)} s, page answering after ${answered.toFixed(2)} s`);
  // The page's own data, with every tree read as the page reads it.
  const data = await page.evaluate((all) => {
    const data = JSON.parse(document.getElementById("l3xml-data").textContent);
    if (all) data.templates = data.templates.map((t, i) => window.l3xmlTemplate(i));
    return data;
  }, trees);
  return { page, errors, data, seconds };
}

// Points at the first token of template t whose node satisfies wanted; returns the node's index.
async function pointAtToken(report, wanted) {
  const { page, data } = report;
  const t = data.templates.findIndex((tpl) => (tpl.tokens || []).some((k) => k[2] != null && wanted(tpl.nodes[k[2]])));
  assert.ok(t >= 0, "a template with such a token");
  const token = data.templates[t].tokens.findIndex((k) => k[2] != null && wanted(data.templates[t].nodes[k[2]]));
  await page.$eval(`#t${t}`, (d) => { d.open = true; });
  await page.waitForSelector(`#t${t} .tok[data-j="${token}"]`);
  // A token that wraps over two lines has its middle on another token: it is pointed at where it starts.
  const box = await (await page.$(`#t${t} .tok[data-j="${token}"]`)).evaluate((k) => {
    k.scrollIntoView({ block: "center" });
    const r = k.getClientRects()[0];
    return { x: r.left + Math.min(3, r.width / 2), y: r.top + r.height / 2 };
  });
  await page.mouse.move(box.x, box.y);
  const node = data.templates[t].tokens[token][2];
  const lit = await page.$$eval(`#t${t} .node.hl`, (nodes) => nodes.map((n) => Number(n.dataset.i)));
  assert.deepEqual(lit, [node], `${data.templates[t].label}: the token lights its field only`);
  return { t, node };
}

test("the example framework's report", async () => {
  const report = await open("example.html");
  const { page, data } = report;
  const labels = await page.$$eval("details.tpl", (all) => all.map((d) => d.dataset.label));
  assert.equal(labels.length, data.counts.templates);
  assert.deepEqual(labels, data.templates.map((t) => t.label));
  assert.ok(labels.includes("PrimaryCell/RRCConnectionSetup.xml") && labels.includes("SecondaryCell/ActiveSetUpdate.xml") &&
    labels.includes("NASMessage/AttachAccept.xml"), "both cells and the NAS messages");

  // Tokens of three kinds of field: a SEQUENCE run, an absent optional part, a PIXIT field.
  await pointAtToken(report, (n) => n.k === "s");
  await pointAtToken(report, (n) => n.k === "o" && n.t === "");
  const pixit = await pointAtToken(report, (n) => n.x !== undefined);
  const field = await page.$eval(`#t${pixit.t} .node[data-i="${pixit.node}"]`, (n) => n.textContent);
  assert.ok(field.includes(data.templates[pixit.t].nodes[pixit.node].x), "the PIXIT field shows its parameter");

  // The other way: a field lights its tokens.
  await page.hover(`#t${pixit.t} .node[data-i="${pixit.node}"]`);
  const tokens = await page.$$eval(`#t${pixit.t} .tok.hl`, (all) => all.map((k) => Number(k.dataset.i)));
  assert.ok(tokens.length > 0 && tokens.every((i) => i === pixit.node), "the field lights its token");

  const absent = await page.$$eval(".node .absent", (all) => all.length);
  assert.ok(absent > 0, "absent optional parts are shown as absent");

  // The tree of one template, for a reviewer to look at.
  await page.$eval("#tools", (t) => { t.style.position = "static"; });
  await page.$eval(`#t${pixit.t}`, (d) => d.scrollIntoView({ block: "start" }));
  const box = await page.$eval(`#t${pixit.t}`, (d) => {
    const r = d.getBoundingClientRect();
    return { x: r.left + window.scrollX, y: r.top + window.scrollY, width: r.width, height: Math.min(r.height, 620) };
  });
  await page.screenshot({ path: path.join(work, "report-tree.png"), clip: box, captureBeyondViewport: true });

  // The search finds a field, and its link opens it.
  await page.type("#search", "primaryScramblingCode");
  await page.waitForSelector("#results a[data-node]");
  await page.click("#results a[data-node]");
  assert.equal(await page.$$eval(".node.target", (all) => all.length), 1, "the search result opens its field");

  assert.deepEqual(report.errors, [], "no console error");
  await page.close();
});

test("a seeded check error shows at its field", async () => {
  const report = await open("seeded.html");
  const { page, data } = report;
  const d = data.diagnostics.findIndex((x) => x.code === "unresolved-reference" && x.node != null);
  assert.ok(d >= 0, "check's unresolved reference is tied to its field");
  const { template, node } = data.diagnostics[d];
  assert.equal(data.templates[template].name, "RRCConnectionSetup.xml");
  await page.click(`#diagnostics a[data-template="${template}"][data-node="${node}"]`);
  const text = await page.$eval(`#t${template} .node.diag[data-i="${node}"]`, (n) => n.textContent);
  assert.ok(text.includes("px_NoSuchParameter") && text.includes("unresolved-reference"), text);
  assert.match(await page.$eval("#campaign", (h) => h.textContent), /[1-9]\d* errors?/);
  assert.deepEqual(report.errors, [], "no console error");
  await page.close();
});

test("3,000 templates open in under two seconds", async () => {
  const report = await open("large.html", false);
  const count = await report.page.$$eval("details.tpl", (all) => all.length);
  assert.ok(count >= 3000, `${count} templates`);
  assert.ok(report.seconds < 2, `${report.seconds} s`);
  // A template opened last in the list is built on demand.
  await report.page.$eval(`#t${count - 1}`, (d) => { d.open = true; });
  await report.page.waitForSelector(`#t${count - 1} .tree`);
  assert.deepEqual(report.errors, [], "no console error");
  await report.page.close();
});
