// The handover report in the browser, with the network cut: it asks for nothing but itself, shows the
// findings and their drawings, and no two labels of a drawing overlap as the browser lays them out.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { spawnSync } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { chromium } = require("playwright-core");
const { sorgente, bin, uscita, apri } = require("./aiuto.js");

test("the report of samples/tolleranze opens offline, whole, with labels apart", async t => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "pregeo-rapporto-"));
  const file = path.join(dir, "r.html");
  const r = spawnSync(path.join(bin, "pregeo-host"),
    ["--project", path.join(sorgente, "samples/tolleranze"), "rapporto", file], { encoding: "utf8" });
  assert.equal(r.status, 0, r.stderr);

  const profilo = fs.mkdtempSync(path.join(os.tmpdir(), "pregeo-chromium-"));
  const b = await chromium.launchPersistentContext(profilo, {
    executablePath: process.env.PREGEO_CHROMIUM || "/usr/bin/chromium",
    headless: true,
    viewport: { width: 1100, height: 900 },
    offline: true,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  t.after(async () => {
    await b.close();
    fs.rmSync(profilo, { recursive: true, force: true });
    fs.rmSync(dir, { recursive: true, force: true });
  });
  const richieste = [];
  await b.route("**/*", route => {
    richieste.push(route.request().url());
    return route.request().url().startsWith("file://") ? route.continue() : route.abort();
  });
  const page = b.pages()[0] || await b.newPage();
  const fallite = [];
  page.on("requestfailed", q => fallite.push(q.url()));
  await page.goto("file://" + file);
  await page.waitForLoadState("load");
  assert.deepEqual(richieste, ["file://" + file], "nothing but the file itself");
  assert.deepEqual(fallite, []);

  assert.equal(await page.locator("svg").count(), 5);
  for (const testo of ["Intestazione del libretto", "Controllo del libretto", "Stazioni fuori dalla maglia",
    "Stazione 500", "Riga 7 B", "Riga 5 35", "Stazioni: 400 - 500", "Riga 7 C"])
    assert.ok(await page.getByText(testo).first().isVisible(), testo);
  assert.ok(await page.locator("td.fuori").count() >= 5);
  assert.ok(await page.locator("td.in").count() >= 5);

  // Every drawing's labels as the browser lays them out: no two intersect.
  const sovrapposte = await page.evaluate(() => {
    const out = [];
    for (const svg of document.querySelectorAll("svg")) {
      const testi = [...svg.querySelectorAll("text")].filter(t => !t.closest("g.cornice"));
      const r = testi.map(t => t.getBoundingClientRect());
      for (let i = 0; i < r.length; ++i)
        for (let j = i + 1; j < r.length; ++j)
          if (r[i].left < r[j].right - 0.5 && r[j].left < r[i].right - 0.5 &&
              r[i].top < r[j].bottom - 0.5 && r[j].top < r[i].bottom - 0.5)
            out.push(testi[i].textContent + " / " + testi[j].textContent);
    }
    return out;
  });
  assert.deepEqual(sovrapposte, []);
  await page.screenshot({ path: path.join(uscita, "rapporto-tolleranze.png"), fullPage: true });
});

test("the page saves the same report as the command writes", async t => {
  const { page, progetto } = await apri(t, { campione: "tolleranze" });
  const salva = page.locator("#salva-rapporto");
  await salva.waitFor();
  const [scaricato] = await Promise.all([page.waitForEvent("download"), salva.click()]);
  assert.equal(scaricato.suggestedFilename(), "rapporto.html");
  const dallaPagina = fs.readFileSync(await scaricato.path(), "utf8");
  const file = path.join(progetto, "..", "r.html");
  const r = spawnSync(path.join(bin, "pregeo-host"), ["--project", progetto, "rapporto", file], { encoding: "utf8" });
  assert.equal(r.status, 0, r.stderr);
  assert.equal(dallaPagina, fs.readFileSync(file, "utf8"));
});
