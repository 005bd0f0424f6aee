// The tools worked in the browser, end to end on copies of samples/demo.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const { apri, strumento, esito, istantanea, ripeti } = require("./aiuto.js");

const leggi = dir => JSON.parse(fs.readFileSync(path.join(dir, "progetto.json"), "utf8"));
const sessioni = dir => fs.readdirSync(path.join(dir, "sessioni")).sort();
const campo = (page, id) => page.locator(`[data-id="${id}"]`).first();
const pulsante = (page, testo) => page.locator("button.c", { hasText: testo }).first();

test("Riga 9: the height typed and OK change the project as the scenario does; the session replays", async t => {
  const { page, progetto } = await apri(t);
  const prima = leggi(progetto);
  await strumento(page, "FPregeoEditRiga9");
  await campo(page, 2204).fill("9999");
  await campo(page, 2200).click();
  assert.match(await esito(page), /il progetto è stato salvato/);
  const dopo = leggi(progetto);
  assert.equal(dopo.libretto.riga9.rea1, 9999);
  dopo.libretto.riga9.rea1 = prima.libretto.riga9.rea1;
  assert.deepEqual(dopo, prima, "nothing but the quota changes");

  // The recorded script, replayed with --script on a fresh copy, gives the same transcript and project.
  const [script, trascrizione] = sessioni(progetto).map(f => path.join(progetto, "sessioni", f));
  assert.equal(fs.readFileSync(script, "utf8"), 'type 2204 "9999"\nclick 2200\n');
  const r = ripeti(script, "FPregeoEditRiga9");
  assert.equal(r.status, 0, r.stderr);
  assert.equal(r.stdout, fs.readFileSync(trascrizione, "utf8"));
  assert.deepEqual(leggi(r.progetto), leggi(progetto));
});

test("Riga 0: Annulla leaves the project byte for byte as it was", async t => {
  const { page, progetto } = await apri(t);
  const prima = istantanea(progetto);
  await strumento(page, "FPregeoEditRiga0");
  await pulsante(page, "Annulla").click();
  assert.match(await esito(page), /nulla è stato salvato/);
  assert.deepEqual(istantanea(progetto), prima);
});

test("a message box is shown with its text and answered; the dialog stays open", async t => {
  const { page, progetto } = await apri(t);
  const prima = istantanea(progetto);
  await strumento(page, "FPregeoEditRiga9");
  await campo(page, 2204).fill("10000");
  await campo(page, 2200).click();
  const box = page.locator(".messaggio");
  await box.waitFor();
  assert.match(await box.locator(".testo-messaggio").innerText(), /quota/i);
  await box.locator('button[data-risposta="ok"]').click();
  await box.waitFor({ state: "detached" });
  await campo(page, 2204).waitFor();
  await pulsante(page, "Annulla").click();
  assert.match(await esito(page), /nulla è stato salvato/);
  assert.deepEqual(istantanea(progetto), prima);
});

test("rows 4 and 5: a tap on a row's edit marker opens its editor", async t => {
  const { page, progetto } = await apri(t);
  const prima = istantanea(progetto);
  await strumento(page, "FPregeoEditRiga4And5");
  const griglia = campo(page, 2373);
  // The edit markers come from IconaModifica.bmp.
  await griglia.locator(".img").first().waitFor();
  assert.match(await griglia.locator(".img").first().getAttribute("style"), /\/img\/IconaModifica\.png/);
  await griglia.locator('td[data-cella="2 2"]').click();
  await page.locator(".dialogo .titolo", { hasText: "Riga 5" }).waitFor();
  assert.equal(await campo(page, 2543).inputValue(), "14.800");
  await pulsante(page, "Annulla").click();
  await page.locator(".dialogo .titolo", { hasText: "Righe 4 e 5" }).waitFor();
  await pulsante(page, "Fine").click();
  assert.match(await esito(page), /nulla è cambiato/);
  assert.deepEqual(istantanea(progetto), prima);
});

test("fiducial points from the TAF web service, chosen in the selection grid", async t => {
  const { page, progetto, taf } = await apri(t, { taf: true });
  const prima = leggi(progetto);
  await strumento(page, "FPregeoImportRighe8");
  await page.locator("label.c", { hasText: "Da Internet" }).click();
  await pulsante(page, "Da Elenco").click();
  await pulsante(page, "OK").click();
  const griglia = campo(page, 2451);
  await griglia.waitFor();
  assert.equal(await griglia.locator("tr").count(), 8);
  await pulsante(page, "Desel.Tutti").click();
  await griglia.locator('td[data-cella="6 1"]').click();
  await griglia.locator('td[data-cella="7 1"]').click();
  // The ticks come back with the state each tap leads to.
  await griglia.locator('td[data-cella="6 1"] input:checked').waitFor();
  await griglia.locator('td[data-cella="7 1"] input:checked').waitFor();
  await pulsante(page, "Importa").click();
  assert.match(await esito(page), /il progetto è stato salvato/);
  const nuovi = leggi(progetto).puntiOrientamento.slice(prima.puntiOrientamento.length).map(p => p.nome);
  assert.deepEqual(nuovi, ["PF06/0120/G337", "PF07/0120/G337"]);

  // Grid taps and radios replay too, against the same service.
  const [script, trascrizione] = sessioni(progetto).map(f => path.join(progetto, "sessioni", f));
  const r = ripeti(script, "FPregeoImportRighe8", { argomenti: ["--setting", "CATASTO/TAF_SERVER=127.0.0.1:" + taf.m[1]] });
  assert.equal(r.status, 0, r.stderr);
  assert.equal(r.stdout, fs.readFileSync(trascrizione, "utf8"));
});

test("a file chosen by walking the project's folders goes into the import's path", async t => {
  const { page, progetto } = await apri(t);
  const prima = istantanea(progetto);
  await strumento(page, "FPregeoImportRighe8");
  await page.locator("label.c", { hasText: "Da File" }).click();
  await pulsante(page, "Sfoglia").click();
  const scelta = page.locator(".scelta");
  await scelta.locator("li", { hasText: "taf/" }).click();
  await scelta.locator("li", { hasText: ".taf" }).first().click();
  await scelta.waitFor({ state: "detached" });
  assert.match(await campo(page, 2402).inputValue(), /[\\/]taf[\\/]AL_A123\.taf$/);
  await pulsante(page, "Annulla").click();
  await esito(page);
  assert.deepEqual(istantanea(progetto), prima);
});

test("distance verification: points picked by name, the result grid shows its images and says them", async t => {
  const { page, progetto, srv } = await apri(t);
  const prima = istantanea(progetto);
  await strumento(page, "FPregeoTollDistanze");
  // Picked by name, as someone who does not point picks them.
  const scelta = async testo => {
    const menu = page.locator(".disegno select.per-nome");
    await menu.waitFor();
    const voci = await menu.locator("option").allInnerTexts();
    await menu.selectOption({ label: voci.find(v => new RegExp("^" + testo + "(/|$)").test(v)) });
    await page.evaluate(() => coda);
  };
  await scelta("PF01");
  await pulsante(page, ">>").click();
  await scelta("PF02");
  await scelta("PF03");
  await scelta("11");
  await pulsante(page, ">>").click();
  // First the pair that cannot be judged (no image), then the two comparisons with their outcomes.
  await page.locator(".dialogo .titolo", { hasText: "Verifica distanze" }).waitFor();
  await pulsante(page, "Fine").click();
  const img = page.locator(".griglia .img").first();
  await img.waitFor();
  assert.match(await img.getAttribute("style"), /\/img\/Esiti\.png/);
  // The image is the support bitmap, as PNG.
  const png = await page.request.get(`http://127.0.0.1:${srv.porta}/img/Esiti.png?t=${srv.token}`);
  assert.equal(png.headers()["content-type"], "image/png");
  assert.deepEqual([...(await png.body()).subarray(0, 4)], [0x89, 0x50, 0x4e, 0x47]);
  await pulsante(page, "Fine").click();
  await esito(page);
  assert.deepEqual(istantanea(progetto)["progetto.json"], prima["progetto.json"]);
});

test("a second tab only looks: it is told so and its actions are refused", async t => {
  const { page, br, srv } = await apri(t);
  await strumento(page, "FPregeoEditRiga9");
  await campo(page, 2204).waitFor();
  const seconda = await br.b.newPage();
  await seconda.goto(srv.url);
  await seconda.locator(".nota", { hasText: "solo guardare" }).waitFor();
  await seconda.locator('[data-id="2204"]').waitFor();
  const r = await seconda.request.post(`http://127.0.0.1:${srv.porta}/api/azione?t=${srv.token}`, {
    headers: { "Content-Type": "application/json" }, data: { c: "altra", azione: "click 2201" } });
  assert.equal(r.status(), 409);
  await seconda.screenshot({ path: path.join(require("./aiuto.js").uscita, "seconda-scheda.png") });
  await seconda.close();
  await pulsante(page, "Annulla").click();
  await esito(page);
});
