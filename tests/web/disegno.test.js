// The survey drawn in the page: the tolerance tools worked by clicking in the drawing, each ending as its
// script scenario does.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const { sorgente, apri, strumento, esito } = require("./aiuto.js");

const scenario = nome => path.join(sorgente, "tests/scenarios", nome);
const pulsante = (page, testo) => page.locator("button.c", { hasText: testo }).first();

// What the view said about the picks: the lines are the same whether a point was named or clicked.
const righeCad = testo => testo.split("\n").filter(r => r.startsWith("cad: ") || /^dialog \d+ ".*" (opened|closed)/.test(r));
function trascrizione(progetto) {
  const dir = path.join(progetto, "sessioni");
  const txt = fs.readdirSync(dir).filter(n => n.endsWith(".txt")).sort().pop();
  return fs.readFileSync(path.join(dir, txt), "utf8");
}

// Waits until every action sent has its answer and the drawing the state names is the one shown.
async function calma(page) {
  await page.evaluate(() => coda);
  await page.waitForFunction(() => stato && !stato.occupato && (stato.disegno === undefined || stato.disegno === disegnoN));
}

// Clicks with the mouse where the drawing shows the point of that name.
async function clicPunto(page, nome) {
  await calma(page);
  const p = await page.evaluate(n => {
    for (const g of document.querySelectorAll(".disegno svg g.punto")) {
      const t = g.querySelector("title");
      if (!t || t.textContent !== n) continue;
      const r = g.querySelector("circle,polygon,polyline,path").getBoundingClientRect();
      return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
    }
    return null;
  }, nome);
  assert.ok(p, "the drawing shows " + nome);
  await page.mouse.click(p.x, p.y);
  await calma(page);
}

// Clicks on the label of the n-th row 7, inside its polygon.
async function clicRiga(page, n) {
  await calma(page);
  const p = await page.evaluate(k => {
    for (const g of document.querySelectorAll(".disegno svg g.etichetta")) {
      const t = g.querySelector("text");
      const r = t.getBoundingClientRect();
      const poligoni = [...document.querySelectorAll(".disegno svg g.riga7")].filter(p => (p.querySelector("title") || {}).textContent?.startsWith("Riga 7 n. " + k + " "));
      if (!poligoni.length) continue;
      const b = poligoni[0].getBoundingClientRect();
      if (r.x >= b.x && r.right <= b.right && r.y >= b.y && r.bottom <= b.bottom) return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
    }
    return null;
  }, n);
  assert.ok(p, "the drawing shows row 7 n. " + n);
  await page.mouse.click(p.x, p.y);
  await calma(page);
}

test("FPregeoTollDistanze: a start point and end points clicked in the drawing give the scenario's result", async t => {
  const { page, progetto } = await apri(t);
  // Beside the tools, the survey.
  await page.locator("#vista .disegno svg").waitFor();
  await strumento(page, "FPregeoTollDistanze");
  await page.locator(".dialogo .disegno svg").waitFor();
  await clicPunto(page, "PF01/0120/G337");
  // The step's prompt stays in sight beside the drawing, without scrolling.
  const prompt = page.locator('[data-id="2308"]');
  assert.equal(await prompt.innerText(), "Sostituire il punto iniziale selezionato oppure premere '>>'");
  const r = await prompt.boundingBox(), vp = page.viewportSize();
  assert.ok(r.y >= 0 && r.y + r.height <= vp.height, "prompt at " + JSON.stringify(r));
  await pulsante(page, ">>").click();
  await clicPunto(page, "PF02/0120/G337");
  // The line the module drew shows at once.
  assert.equal(await page.locator(".dialogo .disegno svg g.linea-modulo").count(), 1);
  await clicPunto(page, "PF03/0120/G337");
  await clicPunto(page, "11");
  await page.screenshot({ path: path.join(require("./aiuto.js").uscita, "disegno-distanze-linee.png") });
  await pulsante(page, ">>").click();
  await page.locator(".dialogo .titolo", { hasText: "Verifica distanze" }).waitFor();
  await pulsante(page, "Fine").click();
  await page.locator(".griglia .senso").first().waitFor();
  // The outcome images are said in words beside them.
  assert.deepEqual(await page.locator(".griglia .senso").allInnerTexts(), ["In tolleranza", "In tolleranza"]);
  // A row of the grid selected marks in the drawing the two points it judged.
  await page.locator(".griglia td", { hasText: "PF03/0120/G337" }).first().click();
  await calma(page);
  await page.waitForFunction(() => document.querySelectorAll("#vista svg g.punto.evidenziato").length === 2);
  assert.deepEqual(await page.locator("#vista svg g.punto.evidenziato > title").allTextContents(), ["PF01/0120/G337", "PF03/0120/G337"]);
  await page.screenshot({ path: path.join(require("./aiuto.js").uscita, "disegno-distanze-riga-scelta.png") });
  await pulsante(page, "Fine").click();
  await esito(page);
  // After the tool, the survey shows the distances it judged, as its results said.
  await page.locator("#vista svg g.distanza.in-tolleranza").first().waitFor();
  assert.deepEqual(await page.locator("#vista svg g.distanza > title").allTextContents(), [
    "PF01/0120/G337 - PF02/0120/G337: Diff. 0.012, Toll. 0.450, in tolleranza",
    "PF01/0120/G337 - PF03/0120/G337: Diff. 0.000, Toll. 2.000, in tolleranza"]);
  const atteso = fs.readFileSync(scenario("toll-distanze-demo/expected.txt"), "utf8");
  assert.deepEqual(righeCad(trascrizione(progetto)), righeCad(atteso));
  // The recorded script says what was clicked as the point actions it was.
  const script = fs.readdirSync(path.join(progetto, "sessioni")).find(n => n.endsWith(".script"));
  assert.match(fs.readFileSync(path.join(progetto, "sessioni", script), "utf8"), /^point #1\nclick 2304\npoint #4\n/);
});

test("FPregeoTollSuperfici: a point the step passes over shows why, then a row 7 clicked", async t => {
  const { page, progetto } = await apri(t);
  await strumento(page, "FPregeoTollSuperfici");
  await page.locator(".dialogo .disegno svg").waitFor();
  await clicPunto(page, "300");
  const rifiuto = page.locator(".disegno .rifiuto-disegno");
  assert.equal(await rifiuto.innerText(), 'cad: #25 "300" non indicato: le indicazioni di questo passo lo saltano');
  await clicRiga(page, 2);
  assert.equal(await rifiuto.count(), 0);
  await pulsante(page, ">>").click();
  await page.locator(".dialogo .titolo", { hasText: "Tolleranza Superfici" }).waitFor();
  assert.equal(await page.locator('[data-id="2429"]').innerText(), "In tolleranza");
  await pulsante(page, "Esci").click();
  await esito(page);
  const atteso = righeCad(fs.readFileSync(scenario("toll-superfici-demo/expected.txt"), "utf8"));
  const visto = righeCad(trascrizione(progetto));
  // The scenario has no refused pick; with it taken out the lines are the same.
  assert.equal(visto[2], 'cad: #25 "300" not picked: this step\'s picks pass over it');
  visto.splice(2, 1);
  assert.deepEqual(visto, atteso);
});

test("FPregeoTollOggRilievoDist: the mesh drawn, a side and internal points clicked, one of two points at one place chosen", async t => {
  const { page, progetto } = await apri(t, { patch: scenario("toll-oggril-dist-30-per-cento/patch.json") });
  await strumento(page, "FPregeoTollOggRilievoDist");
  await page.locator(".dialogo .disegno svg").waitFor();
  await calma(page);
  // While the sides are picked, the fiducial mesh is drawn.
  assert.equal(await page.locator(".dialogo .disegno svg g.maglia").count(), 1);
  await clicPunto(page, "PF01/0120/G337");
  await clicPunto(page, "PF02/0120/G337");
  await pulsante(page, ">>").click();
  // E1 and E2 lie a millimetre apart: a click there asks which.
  await clicPunto(page, "E1");
  const quale = page.locator(".disegno .quale");
  assert.deepEqual((await quale.locator("button").allInnerTexts()).sort(), ["Annulla", "E1", "E2"]);
  await page.screenshot({ path: path.join(require("./aiuto.js").uscita, "disegno-punti-sovrapposti.png") });
  await quale.locator("button", { hasText: /^E1$/ }).click();
  await calma(page);
  await pulsante(page, ">>").click();
  await clicPunto(page, "I1");
  await clicPunto(page, "I2");
  await clicPunto(page, "I3");
  await pulsante(page, ">>").click();
  for (const p of ["Successivo", "Successivo", "Fine"]) {
    await calma(page);
    await pulsante(page, p).click();
  }
  await esito(page);
  // After it, the side and the internal points it judged, as its results said.
  // (a level side: a box without height, which the browser calls hidden)
  await page.locator("#vista svg g.lato").waitFor({ state: "attached" });
  assert.deepEqual((await page.locator("#vista svg g[class^='interno'] > title").allTextContents()).map(t => t.split(" ")[0]),
    ["I1", "I2", "I3"]);
  const atteso = fs.readFileSync(scenario("toll-oggril-dist-30-per-cento/expected.txt"), "utf8");
  assert.deepEqual(righeCad(trascrizione(progetto)), righeCad(atteso));
});

test("the drawing pans and zooms in the page and is shown whole again", async t => {
  const { page } = await apri(t);
  const svg = page.locator("#vista .disegno svg");
  await svg.waitFor();
  const base = await svg.getAttribute("viewBox");
  const b = await svg.boundingBox();
  await page.mouse.move(b.x + b.width / 2, b.y + b.height / 2);
  await page.mouse.wheel(0, -300);
  const ingrandita = (await svg.getAttribute("viewBox")).split(" ").map(Number);
  assert.ok(ingrandita[2] < Number(base.split(" ")[2]));
  await page.mouse.down();
  await page.mouse.move(b.x + b.width / 2 + 60, b.y + b.height / 2 + 30, { steps: 4 });
  await page.mouse.up();
  const spostata = (await svg.getAttribute("viewBox")).split(" ").map(Number);
  assert.ok(spostata[0] < ingrandita[0] && spostata[2] === ingrandita[2]);
  await page.locator("#vista .vedi-tutto").click();
  assert.equal(await svg.getAttribute("viewBox"), base);
  // Two fingers drawn apart on a tablet zoom in.
  const cdp = await page.context().newCDPSession(page);
  const cx = b.x + b.width / 2, cy = b.y + b.height / 2;
  const dita = d => [{ x: cx - d, y: cy, id: 1 }, { x: cx + d, y: cy, id: 2 }];
  await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: dita(20) });
  for (const d of [40, 60, 80])
    await cdp.send("Input.dispatchTouchEvent", { type: "touchMove", touchPoints: dita(d) });
  await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
  const pizzicata = (await svg.getAttribute("viewBox")).split(" ").map(Number);
  assert.ok(pizzicata[2] < Number(base.split(" ")[2]) / 2, "pinched to " + pizzicata);
  // A tablet held upright: the drawing above the tools, across the screen.
  await page.setViewportSize({ width: 800, height: 1100 });
  const v = await page.locator("#vista").boundingBox(), m = await page.locator("#main").boundingBox();
  assert.ok(v.y + v.height <= m.y + 1 && v.width > 700, JSON.stringify({ v, m }));
});

test("after the station tool the survey shows the mesh and the stations it judged, until the next tool", async t => {
  const { page } = await apri(t);
  await page.locator("#vista .disegno svg").waitFor();
  assert.equal(await page.locator("#vista svg g.maglia").count(), 0);
  await strumento(page, "FPregeoTollStazOutTriang");
  await page.locator('[data-risposta="ok"]').click();
  await esito(page);
  await page.locator("#vista svg g.maglia").waitFor();
  assert.ok(await page.locator("#vista svg g[class^='stazione']").count() > 0);
  await strumento(page, "FPregeoTollDistanze");
  await page.locator(".dialogo .disegno svg").waitFor();
  await page.locator("#elenco").click();
  await esito(page);
  await page.waitForFunction(() => !document.querySelector("#vista svg g.maglia"));
});

test("the view's own buttons act on the drawing: zoom on a clicked point, then zoom extended", async t => {
  const { page, progetto } = await apri(t);
  await strumento(page, "FPregeoTollSuperfici");
  const svg = page.locator(".dialogo .disegno svg");
  await svg.waitFor();
  await calma(page);
  const punti = () => page.locator(".dialogo .disegno svg g.punto").count();
  const tutti = await punti();
  await page.locator('button.c[title="Zoom"]').click();
  await calma(page);
  await clicPunto(page, "PF01/0120/G337");
  // Zoomed in on PF01: the points far from it are outside the view's window now.
  assert.ok(await punti() < tutti);
  await page.locator('button.c[title="Zoom"]').click();
  await page.locator('button.c[title="Zoom esteso"]').click();
  await calma(page);
  assert.equal(await punti(), tutti);
  await pulsante(page, "Annulla").click();
  await esito(page);
  assert.match(trascrizione(progetto), /^cad: zoomed in on #1 "PF01\/0120\/G337"$/m);
});

test("a check finding clicked marks what it names, and opens its row's editor where there is one", async t => {
  const { page, progetto } = await apri(t, { campione: "checker" });
  await page.locator("#vista .disegno svg").waitFor();
  const voce = testo => page.locator("#controllo button.voce", { hasText: testo }).first();
  const evidenziati = async () => {
    await calma(page);
    return page.locator("#vista svg g.evidenziato > title").allTextContents();
  };
  // Grouped as check --json groups them.
  await page.locator("#controllo h3").first().waitFor();
  assert.deepEqual(await page.locator("#controllo h3").allInnerTexts(), ["Libretto Pregeo (errori 18, avvertimenti 3)",
    "Vista Riga 3 (errori 5, avvertimenti 0)", "Vista Riga 4,5 (errori 6, avvertimenti 1)", "Vista Riga 7 (errori 6, avvertimenti 0)",
    "Vista Punti di Orientamento Pregeo (errori 10, avvertimenti 0)", "Senza vista (errori 0, avvertimenti 1)"]);
  // A station has no editor: it is only marked.
  await voce("Nome Stazione: S1").click();
  await page.waitForFunction(() => document.querySelectorAll("#vista svg g.evidenziato").length === 1);
  assert.deepEqual(await evidenziati(), ["S1"]);
  assert.equal(await page.locator(".dialogo").count(), 0);
  // A vertex of a row 3: the point is marked and the row opens in its editor, as a tap in the list.
  await voce("Punto: 101").click();
  await page.locator(".dialogo .titolo", { hasText: /^Riga 3$/ }).waitFor();
  assert.deepEqual(await evidenziati(), ["101"]);
  await page.screenshot({ path: path.join(require("./aiuto.js").uscita, "disegno-controllo-riga3.png") });
  await page.locator("#elenco").click();
  await esito(page);
  const script = fs.readdirSync(path.join(progetto, "sessioni")).find(n => n.endsWith("FPregeoEditRiga3.script"));
  assert.equal(fs.readFileSync(path.join(progetto, "sessioni", script), "utf8"), "tap 2373 1 2\n");
});

test("after the alignment tool the survey shows each judged row 5 on its alignment, until the next tool", async t => {
  const { page } = await apri(t, { campione: "tolleranze" });
  await page.locator("#vista .disegno svg").waitFor();
  await strumento(page, "FPregeoTollAllineamenti");
  // The row of the grid selected marks the row 5 it judged and the ends of its alignment.
  await page.locator(".griglia td", { hasText: "Squadro" }).first().click();
  await calma(page);
  await page.waitForFunction(() => document.querySelectorAll("#vista svg g.punto.evidenziato").length === 3);
  assert.deepEqual((await page.locator("#vista svg g.punto.evidenziato > title").allTextContents()).sort(), ["31", "32", "35"]);
  await pulsante(page, "Esci").click();
  await esito(page);
  await page.locator("#vista svg g.riga5.fuori-tolleranza").waitFor();
  assert.deepEqual(await page.locator("#vista svg g.riga5.fuori-tolleranza > title").allTextContents(), ["35"]);
  assert.equal(await page.locator("#vista svg g.riga5.in-tolleranza").count(), 3);
  assert.ok(await page.locator("#vista svg g.riga4").count() > 0);
});

test("a row of the stations' results marks the station and the two ends of its side", async t => {
  const { page } = await apri(t, { campione: "tolleranze" });
  await page.locator("#vista .disegno svg").waitFor();
  await strumento(page, "FPregeoTollStazOutTriang");
  await page.locator(".griglia td", { hasText: /^\s*500$/ }).first().click();
  await calma(page);
  await page.waitForFunction(() => document.querySelectorAll("#vista svg g.punto.evidenziato").length === 3);
  const nomi = (await page.locator("#vista svg g.punto.evidenziato > title").allTextContents()).map(t => t.split(" (")[0]);
  assert.deepEqual(nomi.sort(), ["500", "PF01/0120/G337", "PF02/0120/G337"]);
  await pulsante(page, "Esci").click();
  await esito(page);
});
