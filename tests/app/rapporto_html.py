"""pregeo-host rapporto: the file is well-formed HTML, asks for nothing outside itself, and names every
finding of check --json and of the tolerance tools. Run from the source root: rapporto_html.py BIN_DIR."""
import html.parser
import json
import os
import re
import subprocess
import sys
import tempfile

BIN = sys.argv[1]
VUOTI = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr"}
FALLITI = []


def verifica(cond, messaggio):
    if not cond:
        FALLITI.append(messaggio)


def host(*args):
    return subprocess.run([os.path.join(BIN, "pregeo-host"), *args], capture_output=True, text=True)


class Lettore(html.parser.HTMLParser):
    """Keeps the stack of open elements: every end tag must close the last one opened."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.pila, self.errori, self.testo, self.esterni = [], [], [], []
        self.sezione, self.esiti = None, {}

    def handle_starttag(self, tag, attrs):
        for nome, valore in attrs:
            v = (valore or "").strip().lower()
            if nome in ("src", "href", "xlink:href", "action", "poster", "srcset") and not v.startswith("#"):
                self.esterni.append(f"{tag} {nome}={valore}")
            if "url(" in v and not re.fullmatch(r"url\(#[^)]*\)", v):
                self.esterni.append(f"{tag} {nome}={valore}")
        if tag in ("script", "iframe", "object", "embed", "link", "img", "base"):
            self.esterni.append(tag)
        if tag not in VUOTI:
            self.pila.append(tag)

    def handle_startendtag(self, tag, attrs):
        pila = list(self.pila)
        self.handle_starttag(tag, attrs)
        self.pila = pila

    def handle_endtag(self, tag):
        if tag in VUOTI:
            return
        if not self.pila or self.pila[-1] != tag:
            self.errori.append(f"</{tag}> closes <{self.pila[-1] if self.pila else '-'}> at {self.getpos()}")
            return
        self.pila.pop()

    def handle_data(self, data):
        if self.pila and self.pila[-1] == "style":
            if "@import" in data or re.search(r"url\((?!#)", data):
                self.esterni.append("style: " + data[:60])
            return
        if self.pila and self.pila[-1] == "title" and "svg" in self.pila:
            return
        self.testo.append(data)
        if self.pila and self.pila[-1] == "h3":
            self.sezione = data.strip()
        if self.pila and self.pila[-1] == "td" and data in ("In tolleranza", "Fuori tolleranza"):
            self.esiti.setdefault(self.sezione, set()).add(data)


def rapporto(progetto, file):
    r = host("--project", progetto, "rapporto", file)
    verifica(r.returncode == 0, f"{progetto}: rapporto exits {r.returncode}: {r.stderr}")
    with open(file, encoding="utf-8") as f:
        testo = f.read()
    l = Lettore()
    l.feed(testo)
    l.close()
    verifica(testo.startswith("<!DOCTYPE html>"), f"{progetto}: no doctype")
    verifica(not l.errori, f"{progetto}: not well formed: {l.errori[:3]}")
    verifica(not l.pila, f"{progetto}: left open: {l.pila}")
    verifica(not l.esterni, f"{progetto}: asks outside: {l.esterni[:3]}")
    verifica(not re.search(r"https?://(?!www\.w3\.org/2000/svg\")", testo), f"{progetto}: an outside address")
    return testo, " ".join(" ".join(l.testo).split()), l


def normale(s):
    return " ".join(s.split())


with tempfile.TemporaryDirectory() as cartella:
    # Every finding of the checker's report, each of its lines.
    _, testo, _ = rapporto("samples/checker", os.path.join(cartella, "checker.html"))
    controllo = json.loads(host("--project", "samples/checker", "check", "--json").stdout)
    verifica(len(controllo["voci"]) > 20, "the checker sample sets off many findings")
    for voce in controllo["voci"]:
        for riga in voce["testo"].split("\r"):
            verifica(normale(riga) in testo, f"checker: finding not named: {riga!r}")
    for vista in controllo["viste"]:
        verifica((vista["vista"] or "Senza vista") in testo, f"checker: view not named: {vista['vista']}")

    # Every finding of the tolerance tools, as maglia lists them, and both outcomes for every tool.
    grezzo, testo, l = rapporto("samples/tolleranze", os.path.join(cartella, "tolleranze.html"))
    verifica(len(grezzo.encode("utf-8")) < 1_000_000, f"tolleranze: {len(grezzo)} bytes")
    maglia = host("--project", "samples/tolleranze", "maglia", os.path.join(cartella, "maglia.svg")).stdout
    righe = [r.strip() for r in maglia.splitlines() if r.startswith("  ")]
    verifica(len(righe) >= 6, f"maglia lists the findings: {maglia}")
    for riga in righe:
        nome = riga.split(":")[0]
        esito = "In tolleranza" if riga.endswith(", in tolleranza") else "Fuori tolleranza"
        cifre = re.findall(r"\d+\.\d{3}", riga)
        # The finding's row of the report: its name, its figures and its outcome together.
        trovata = any(
            nome in r and all(c in r for c in cifre) and esito in r
            for r in re.findall(r"<tr>.*?</tr>", grezzo)
        )
        verifica(trovata, f"tolleranze: finding not in the report: {riga}")
    for sezione in ("Stazioni fuori", "Particelle fuori", "Allineamenti", "Superfici delle particelle"):
        trovati = [v for k, v in l.esiti.items() if k and k.startswith(sezione)]
        verifica(trovati and trovati[0] == {"In tolleranza", "Fuori tolleranza"},
                 f"tolleranze: {sezione}: {trovati}")
    verifica("Squadro:31.500 m" in testo, "tolleranze: the alignment beyond its limit")
    verifica("Stazioni: 400 - 500" in testo, "tolleranze: the reciprocal distance out of tolerance")
    verifica(grezzo.count("<svg") == 5, "tolleranze: the survey's drawing and four tools' drawings")

for f in FALLITI:
    print("FAILED:", f)
sys.exit(1 if FALLITI else 0)
