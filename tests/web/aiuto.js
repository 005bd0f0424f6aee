// What the browser tests share: a copy of a sample project, pregeo-host serve on it, the Debian chromium.
"use strict";
const { spawn, spawnSync } = require("node:child_process");
const fs = require("node:fs");
const path = require("node:path");
const os = require("node:os");
const { chromium } = require("playwright-core");

const sorgente = process.env.PREGEO_SOURCE || path.resolve(__dirname, "../..");
const bin = process.env.PREGEO_BIN || path.join(sorgente, "build/test/bin");
const uscita = process.env.PREGEO_WEB_OUT || path.join(sorgente, "build/test/web");
fs.mkdirSync(uscita, { recursive: true });

// A fresh copy of samples/NAME in a temporary folder.
// A fresh copy of samples/NAME in a temporary folder, with a scenario's JSON Patch applied when given.
function copiaCampione(nome = "demo", patch = null) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "pregeo-web-"));
  const progetto = path.join(dir, "progetto");
  fs.cpSync(path.join(sorgente, "samples", nome), progetto, { recursive: true });
  if (patch) {
    const r = spawnSync(path.join(bin, "jsonpatch"), ["apply", path.join(progetto, "progetto.json"), patch], { encoding: "utf8" });
    if (r.status !== 0) throw new Error("jsonpatch: " + r.stderr);
  }
  return progetto;
}

// Every file of a project folder with its bytes, the session records aside.
function istantanea(dir) {
  const out = {};
  const giro = (d, rel) => {
    for (const e of fs.readdirSync(d, { withFileTypes: true })) {
      const r = rel ? rel + "/" + e.name : e.name;
      if (r === "sessioni") continue;
      if (e.isDirectory()) giro(path.join(d, e.name), r);
      else out[r] = fs.readFileSync(path.join(d, e.name)).toString("base64");
    }
  };
  giro(dir, "");
  return out;
}

// Starts a program and waits for a line of its output that matches.
function avvia(programma, argomenti, attesa, opzioni = {}) {
  return new Promise((resolve, reject) => {
    const p = spawn(programma, argomenti, Object.assign({ stdio: ["ignore", "pipe", "pipe"] }, opzioni));
    let testo = "", errori = "";
    const timer = setTimeout(() => reject(new Error(programma + " non parte: " + testo + errori)), 20000);
    p.stdout.on("data", d => {
      testo += d;
      const m = testo.match(attesa);
      if (m) { clearTimeout(timer); resolve({ processo: p, m, uscita: () => testo, errori: () => errori }); }
    });
    p.stderr.on("data", d => { errori += d; });
    p.on("exit", c => { clearTimeout(timer); reject(new Error(programma + " è finito con " + c + ": " + errori)); });
  });
}

// The stand-in TAF web service on a free port, over the project's taf/ folder; the project's settings
// point to it.
async function tafservice(progetto) {
  const s = await avvia(path.join(bin, "tafservice"), ["--folder", path.join(progetto, "taf"), "--port", "0"],
    /127\.0\.0\.1:(\d+)/);
  return s;
}

async function serve(progetto, argomenti = []) {
  const s = await avvia(path.join(bin, "pregeo-host"), ["--project", progetto, ...argomenti, "serve"],
    /(http:\/\/127\.0\.0\.1:(\d+)\/\?t=([0-9a-f]+))/, { env: Object.assign({}, process.env, { PREGEO_HOST_SLEEP: "0" }) });
  return { processo: s.processo, url: s.m[1], porta: Number(s.m[2]), token: s.m[3], uscita: s.uscita, errori: s.errori };
}

async function browser() {
  const profilo = fs.mkdtempSync(path.join(os.tmpdir(), "pregeo-chromium-"));
  // A fresh profile each time (playwright gives it as --user-data-dir); nothing is downloaded.
  const b = await chromium.launchPersistentContext(profilo, {
    executablePath: process.env.PREGEO_CHROMIUM || "/usr/bin/chromium",
    headless: true,
    viewport: { width: 1024, height: 900 },
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  return { b, chiudi: async () => { await b.close(); fs.rmSync(profilo, { recursive: true, force: true }); } };
}

// One test's world: a project copy, the server on it, a page open on its address.
async function apri(t, opzioni = {}) {
  const progetto = copiaCampione(opzioni.campione, opzioni.patch);
  let taf = null;
  const argomenti = [];
  if (opzioni.taf) {
    taf = await tafservice(progetto);
    argomenti.push("--setting", "CATASTO/TAF_SERVER=127.0.0.1:" + taf.m[1]);
  }
  const srv = await serve(progetto, argomenti);
  const br = await browser();
  const page = br.b.pages()[0] || await br.b.newPage();
  // Generous: the suite shares the machine with the rest of the tests.
  page.setDefaultTimeout(30000);
  await page.goto(srv.url);
  const mondo = { progetto, srv, page, br, taf };
  t.after(async () => {
    const nome = t.name.replace(/[^a-zA-Z0-9]+/g, "-");
    await page.screenshot({ path: path.join(uscita, nome + ".png"), fullPage: true }).catch(() => {});
    await br.chiudi();
    srv.processo.kill();
    if (taf) taf.processo.kill();
  });
  return mondo;
}

// Starts a tool from the list and waits for its first dialog.
async function strumento(page, nome) {
  await page.click(`button.strumento[data-nome="${nome}"]`);
}

// Waits until the tool has ended and the list says how.
async function esito(page) {
  const e = page.locator("#esito");
  await e.waitFor();
  return e.innerText();
}

// Replays a recorded script on a fresh copy, as a scenario does.
function ripeti(script, strumentoNome, opzioni = {}) {
  const progetto = copiaCampione(opzioni.campione);
  const r = spawnSync(path.join(bin, "pregeo-host"), ["--project", progetto, ...(opzioni.argomenti || []), "--script", script, strumentoNome],
    { encoding: "utf8", env: Object.assign({}, process.env, { PREGEO_HOST_SLEEP: "0" }) });
  return { progetto, stdout: r.stdout, stderr: r.stderr, status: r.status };
}

module.exports = { sorgente, bin, uscita, copiaCampione, istantanea, apri, strumento, esito, ripeti, serve };
