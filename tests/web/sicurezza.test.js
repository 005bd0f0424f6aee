// What the server refuses: each request below leaves the project untouched.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const http = require("node:http");
const path = require("node:path");
const { apri, strumento, istantanea, uscita } = require("./aiuto.js");

function richiesta(porta, { metodo = "GET", percorso, headers = {}, corpo }) {
  return new Promise((resolve, reject) => {
    const r = http.request({ host: "127.0.0.1", port: porta, method: metodo, path: percorso,
      headers: Object.assign({ Host: "127.0.0.1:" + porta }, headers) }, res => {
      let testo = "";
      res.on("data", d => { testo += d; });
      res.on("end", () => resolve({ status: res.statusCode, testo, headers: res.headers }));
    });
    r.on("error", reject);
    if (corpo !== undefined) r.write(corpo);
    r.end();
  });
}

test("refused: no token, a wrong token, a foreign Origin or Host, an oversized body, bad JSON", async t => {
  const { page, progetto, srv } = await apri(t);
  await strumento(page, "FPregeoEditRiga9");
  await page.locator('[data-id="2204"]').waitFor();
  const prima = istantanea(progetto);
  const json = { "Content-Type": "application/json" };
  const azione = JSON.stringify({ c: "x", azione: "click 2200" });
  const casi = [
    ["no token", { percorso: "/" }, 403],
    ["no token on an action", { metodo: "POST", percorso: "/api/azione", headers: json, corpo: azione }, 403],
    ["a wrong token", { metodo: "POST", percorso: "/api/azione?t=" + "0".repeat(32), headers: json, corpo: azione }, 403],
    ["a token one digit short", { percorso: "/api/stato?t=" + srv.token.slice(1) }, 403],
    ["the drawing without the token", { percorso: "/api/disegno" }, 403],
    ["the drawing for a rebound Host", { percorso: "/api/disegno?t=" + srv.token, headers: { Host: "example.com:" + srv.porta } }, 403],
    ["a foreign Origin", { metodo: "POST", percorso: "/api/azione?t=" + srv.token,
      headers: Object.assign({ Origin: "http://example.com" }, json), corpo: azione }, 403],
    ["a rebound Host", { percorso: "/api/stato?t=" + srv.token, headers: { Host: "example.com:" + srv.porta } }, 403],
    ["the check without the token", { percorso: "/api/controllo" }, 403],
    ["the report without the token", { percorso: "/api/rapporto" }, 403],
    ["the report for a rebound Host", { percorso: "/api/rapporto?t=" + srv.token, headers: { Host: "example.com:" + srv.porta } }, 403],
    // The report runs what the tools run: not while one is open.
    ["the report while a tool is open", { percorso: "/api/rapporto?t=" + srv.token }, 409],
    ["an oversized body", { metodo: "POST", percorso: "/api/azione?t=" + srv.token, headers: json,
      corpo: JSON.stringify({ c: "x", azione: "type 2204 " + "9".repeat(20000) }) }, 413],
    ["an overlong action", { metodo: "POST", percorso: "/api/azione?t=" + srv.token, headers: json,
      corpo: JSON.stringify({ c: "x", azione: "type 2204 " + "9".repeat(5000) }) }, 400],
    ["bad JSON", { metodo: "POST", percorso: "/api/azione?t=" + srv.token, headers: json, corpo: '{"c": "x", "azione": ' }, 400],
    ["JSON that is no object", { metodo: "POST", percorso: "/api/azione?t=" + srv.token, headers: json, corpo: "[1]" }, 400],
    ["a form instead of JSON", { metodo: "POST", percorso: "/api/azione?t=" + srv.token,
      headers: { "Content-Type": "application/x-www-form-urlencoded" }, corpo: "c=x&azione=click+2200" }, 415],
    ["a file of the project", { percorso: "/progetto.json?t=" + srv.token }, 404],
    ["a folder above the project", { percorso: "/api/cartella?sub=..&t=" + srv.token }, 200],
  ];
  for (const [nome, r, atteso] of casi) {
    const risposta = await richiesta(srv.porta, r);
    assert.equal(risposta.status, atteso, nome + ": " + risposta.testo.slice(0, 200));
    if (nome === "a folder above the project")
      assert.deepEqual(JSON.parse(risposta.testo).cartelle, [], "nothing above the project is listed");
  }
  // The dialog still waits, as it was; the project is as it was.
  assert.equal(await page.locator('[data-id="2204"]').inputValue(), "58");
  assert.deepEqual(istantanea(progetto), prima);
  // The drawing is served with the token, as SVG that the page only parses.
  const disegno = await richiesta(srv.porta, { percorso: "/api/disegno?t=" + srv.token });
  assert.equal(disegno.status, 200);
  assert.match(disegno.headers["content-type"], /^image\/svg\+xml/);
  assert.equal(disegno.headers["x-content-type-options"], "nosniff");
  // The page itself is served with the token, and says what it allows.
  const pagina = await richiesta(srv.porta, { percorso: "/?t=" + srv.token });
  assert.equal(pagina.status, 200);
  assert.match(pagina.headers["content-security-policy"], /default-src 'none'/);
  assert.ok(pagina.testo.length < 300 * 1024, "first load under 300 KB: " + pagina.testo.length);
  await page.screenshot({ path: path.join(uscita, "sicurezza-dopo.png") });
});
