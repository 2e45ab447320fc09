#!/usr/bin/env python3
"""Reads Morvane's JSON, CSV and web-page reports with standard readers that share no code with it.

Usage: check_report_formats.py MORVANE SCHEMA WORK_FOLDER data|page

Builds archived uploads in WORK_FOLDER (a results file, a version record and an acquisition image
with a manifest, as an upload leaves them): every test run with hostile titles, a failed ECU, an
untested ECU, marks and a full curve; nothing run; and a propagation speed of 0. Then has
`MORVANE --render` write each of them in German, English and French.

data: every JSON report must validate against the JSON Schema (python3-jsonschema) and hold the
fixture's values; every CSV report must read back with Python's csv module, one row per value.
page: headless Chromium loads the English, French and German pages of the first fixture and the
text of the page it built (--dump-dom) must hold the fixture's values and no element a hostile
title could have smuggled in. Without chromium this check is skipped (exit status 77).
"""
import csv
import html.parser
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
LANGUAGES = ("de", "en", "fr")
HOSTILE_TITLE = '<script>alert("x")</script> & "L1", \'=SUM(A1)'
HOSTILE_ECU = "ECU <b>2</b>, rear"


def results_log(flags=(1, 1, 1, 1), vitesse="32"):
    lines = ["[Configuration]", "Date=06122026_18h21m56", "[CfgRes000]", "Cfg_Nom=LINE <4>"]
    for key, value in (("SeuilMax_D_L1", "2D"), ("SeuilMax_D_L2", "16"), ("SeuilMin_D_L1", "1C"),
                       ("SeuilMin_D_L2", "5"), ("SeuilMax_R_L1", "1E"), ("SeuilMax_R_L2", "1E"),
                       ("SeuilMin_R_L1", "14"), ("SeuilMin_R_L2", "14")):
        lines.append(f"{key}={value}")
    lines.append("Cfg_NbrEcu=3")
    for key, flag in zip(("Tests_Faisceau", "Tests_Electriques", "Test_Longueur", "Test_Blindage"),
                         flags):
        lines.append(f"{key}={flag}")
    lines += ["Result_Tests_Faisceau=0", "Result_Tests_Electriques=0", "Result_Test_Longueur=1",
              "Result_Test_Blindage=1", "Result_Tests=0"]
    lines += ["[CfgRes000_TESTHT]", "Etat_R_L1/L2=1", "Val_R_L1/L2=24B", "SeuilBas_R_L1/L2=21C",
              "SeuilHaut_R_L1/L2=294", f"Titre_R_L1/L2={HOSTILE_TITLE}", "Etat_CO_L1/L2=0",
              "Val_CO_L1/L2=24B", "Seuil_CO_L1/L2=2710"]
    for pair, state, value in (("L1/VCC", 0, "20003067"), ("L2/VCC", 0, "A0000064"),
                               ("L1/GND", 1, "20"), ("L2/GND", 0, "40000010"),
                               ("L1/SHIELD", 0, "30D4"), ("L2/SHIELD", 0, "30D4")):
        lines += [f"Etat_CC_{pair}={state}", f"Val_CC_{pair}={value}", f"Seuil_CC_{pair}=32",
                  f"Titre_CC_{pair}=CC {pair}"]
    lines += ["[CfgRes000_TESTST]", "Titre_VCC=VCC", "Val_VCC=78"]
    for key in ("Debit", "R_L1", "D_L1", "R_L2", "D_L2", "FM_L1", "FD_L1", "FM_L2", "FD_L2"):
        lines.append(f"Titre_{key}=Title {key}")
    for index, (name, tested, passed, level) in enumerate(
            (("ENGINE", 1, 1, "26"), (HOSTILE_ECU, 1, 0, "FF"), ("SPARE", 0, 0, "0"))):
        lines += [f"[CfgRes000_Uce{index:03X}]", f"Nom={name}", "Nb_Msg=2",
                  f"Etat_TestST={tested}", "Etat_Debit=1", "Val_Debit=1388", "Val_Debit_Conf=1388",
                  "Tol_Debit=32", f"Etat_D_L1={passed}", f"Val_D_L1={level}", "Etat_D_L2=1",
                  "Val_D_L2=10", "Etat_R_L1=1", "Val_R_L1=19", "Etat_R_L2=1", "Val_R_L2=19",
                  "Val_Rise_L1=53", "Val_Rise_L2=54", "Val_Down_L1=6C", "Val_Down_L2=48",
                  "Val_%Osc_L1=0", "Val_%Osc_L2=0", "Val_ErrMesR_L1=0", "Val_ErrMesR_L2=0",
                  "Val_ErrMesD_L1=0", f"Val_ErrMesD_L2={1 if index == 1 else 0}",
                  f"Result_TestST={passed}"]
    lines += ["[CfgRes000_TESTBLINDAGE]", "Seuil_Co_Blindage=A", "Mes_Co_Blindage=8",
              "Result_Blindage=1"]
    lines += ["[CfgRes000_TESTLONGUEUR]", "Longueur_Max=64", "Longueur_Mes=25", "Debit=1388",
              f"Vitesse={vitesse}", "Result_Longueur=1"]
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def full_curve():
    return b"".join(bytes((0, 0, 200, (k * 7) % 201)) for k in range(14336))


FIXTURES = {
    # name: (results file, acquisition image)
    "all_tests": (results_log(), full_curve()),
    "nothing_run": (results_log(flags=(0, 0, 0, 0)), b""),
    "no_speed": (results_log(vitesse="0"), full_curve()[:400]),
}


def make_upload(folder, results, acquisition):
    os.makedirs(folder)
    version = b"Quarnetik".ljust(20, b"\0") + bytes((3, 2)) + bytes(22)
    files = {"VersionTr.zel": version, "Results.log": results}
    if acquisition:
        files["AcqBin.zel"] = acquisition
    manifest = ["date=06/12/2026 18:21:56", "tester=Quarnetik", "version=3.2",
                "configuration=LINE <4>", "verdict=failed"]
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        manifest.append(f"file={name} {len(data)}")
    with open(os.path.join(folder, "Manifest.txt"), "wb") as f:
        f.write(("\r\n".join(manifest) + "\r\n").encode("cp1252"))


def render(morvane, work, fixtures, extensions, languages=LANGUAGES):
    """Writes every report asked for; returns {(fixture, language, extension): path}."""
    env = dict(os.environ, HALVEN_UNATTENDED=os.path.join(work, "boxes.log"))
    reports = {}
    for name in fixtures:
        upload = os.path.join(work, "uploads", name)
        make_upload(upload, *FIXTURES[name])
        for language in languages:
            for extension in extensions:
                path = os.path.join(work, "reports", f"{name}_{language}.{extension}")
                os.makedirs(os.path.dirname(path), exist_ok=True)
                run = subprocess.run([morvane, "--render", upload, "--language", language,
                                      "--report", path], env=env, capture_output=True, timeout=60)
                if run.returncode != 0:
                    raise SystemExit(f"morvane --render {name} {language} {extension}: status "
                                     f"{run.returncode}: {run.stderr.decode(errors='replace')}")
                reports[(name, language, extension)] = path
    return reports


def check_data(morvane, schema_path, work):
    import jsonschema
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft202012Validator.check_schema(schema)
    validator = jsonschema.Draft202012Validator(schema)
    reports = render(morvane, work, FIXTURES, ("json", "csv"))
    errors = []
    for (name, language, extension), path in sorted(reports.items()):
        with open(path, "rb") as f:
            raw = f.read()
        text = raw.decode("utf-8")  # strict: the reports are UTF-8
        where = f"{name} {language} {extension}"
        if extension == "json":
            document = json.loads(text)
            for error in validator.iter_errors(document):
                errors.append(f"{where}: {error.json_path}: {error.message}")
            errors += check_json_values(name, language, document, where)
        else:
            errors += check_csv_values(name, text, where)
    return errors


def check_json_values(name, language, document, where):
    errors = []

    def expect(condition, what):
        if not condition:
            errors.append(f"{where}: {what}")

    expect(document["language"] == language, "language")
    expect(document["configuration"]["name"] == "LINE <4>", "configuration name")
    expect(document["tester"]["firmware"] == "3.2", "firmware")
    if name == "nothing_run":
        expect(document["overall_verdict"] == "no_test_run", "overall verdict")
        expect(sorted(document["tests_not_run"]) == ["length", "screening", "signal", "wiring"],
               "tests not run")
        expect(all(document[s] is None for s in ("wiring", "signal", "length", "screening")),
               "sections of tests not run are null")
        return errors
    expect(document["overall_verdict"] == "failed", "overall verdict")
    expect(document["tests_not_run"] == [], "tests not run")
    loop = document["wiring"]["measurements"][0]
    expect(loop["title"] == HOSTILE_TITLE, "hostile title kept exactly")
    expect((loop["value"], loop["lower_limit"], loop["upper_limit"], loop["margin"]) ==
           (58.7, 54, 66, 4.7), f"loop resistance {loop}")
    marked = document["wiring"]["measurements"][2]  # L2/VCC: bits 31 and 29, 100 -> >10.00D
    expect((marked["value"], marked["marks"], marked["raw"]) == (10, ">D", 0xA0000064),
           f"marked value {marked}")
    ecus = document["signal"]["ecus"]
    expect([e["tested"] for e in ecus] == [True, True, False], "tested ECUs")
    expect([e["verdict"] for e in ecus] == ["passed", "failed", None], "ECU verdicts")
    expect(ecus[1]["name"] == HOSTILE_ECU, "hostile ECU name")
    star = ecus[1]["measurements"][1]
    expect((star["value"], star["marks"]) == (25.5, "*"), f"level 255 {star}")
    expect(ecus[1]["measurements"][2]["verdict"] == "measurement_error", "measurement error")
    curve = document["length"]["curve"]
    if name == "all_tests":
        expect(len(curve["points"]) == 14336, "full curve")
        expect(curve["points"][10][1] == 27.7, "distance of entry 10 at 5.0 ns/m")
        expect(curve["cursor_level"] is not None, "cursor level")
    else:
        expect(len(curve["points"]) == 100 and not curve["has_distance"], "curve without speed")
        expect(all(p[1] == 0 for p in curve["points"]), "no distance without speed")
    return errors


def check_csv_values(name, text, where):
    errors = []
    rows = list(csv.reader(io.StringIO(text, newline="")))
    header = ["section", "number", "item", "value", "marks", "unit", "lower_limit",
              "upper_limit", "margin", "verdict"]
    if rows[0] != header:
        return [f"{where}: header {rows[0]}"]
    if any(len(row) != len(header) for row in rows):
        errors.append(f"{where}: a row with another number of fields")
    if not text.endswith("\r\n") or "\n" in text.replace("\r\n", ""):
        errors.append(f"{where}: lines must end with CRLF")
    body = rows[1:]
    if name == "nothing_run":
        return errors + ([f"{where}: rows without a test"] if body else [])
    # 7 wiring, 1 screening, 2 tested ECUs x 9, 3 length values.
    if len(body) != 7 + 1 + 18 + 3:
        errors.append(f"{where}: {len(body)} rows")
    loop = body[0]
    if loop[2] != HOSTILE_TITLE:
        errors.append(f"{where}: title {loop[2]!r}")
    if loop[3:9] != ["58.70", "", "Ohm", "54.00", "66.00", "4.70"]:
        errors.append(f"{where}: loop values {loop}")
    ecu_rows = [row for row in body if row[2].startswith(HOSTILE_ECU + ": ")]
    if len(ecu_rows) != 9:
        errors.append(f"{where}: rows of the hostile ECU {len(ecu_rows)}")
    for row in body:
        for column in (3, 6, 7, 8):
            if row[column]:
                try:
                    float(row[column])
                except ValueError:
                    errors.append(f"{where}: not a number in column {header[column]}: {row}")
    return errors


class PageText(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.text, self.tags = [], set()

    def handle_starttag(self, tag, attrs):
        self.tags.add(tag)

    def handle_data(self, data):
        self.text.append(data)


PAGE_TEXTS = {
    "en": ["Overall verdict: Failed", "Tester", "Quarnetik", "3.2", "06/12/2026 18:21:56",
           "LINE <4>", HOSTILE_TITLE, "58.70 Ohm", "54.00 Ohm", "66.00 Ohm", "4.70 Ohm",
           ">10.00D Ohm", "25.50* V", "Problem L2", "ECU not tested",
           "Measured length: 37 m (Propagation speed 5.00 ns/m)", "Maximum length 100 m"],
    "fr": ["Verdict global : \u00c9chec", "58,70 Ohm", "Longueur mesur\u00e9e : 37 m", HOSTILE_ECU],
    "de": ["Gesamtergebnis: Nicht bestanden", "58,70 Ohm", "Gemessene L\u00e4nge: 37 m",
           "Steuerger\u00e4t nicht gepr\u00fcft"],
}


def check_page(morvane, work):
    chromium = shutil.which("chromium")
    if chromium is None:
        print("skipped: chromium is not installed (Debian package chromium, "
              "scripts/install-deps.sh)")
        return None
    reports = render(morvane, work, ["all_tests"], ("html",))
    processes = {}
    # The three browsers at once: the check stays within a few seconds.
    for language in LANGUAGES:
        profile = tempfile.mkdtemp(dir=work)
        url = "file://" + os.path.abspath(reports[("all_tests", language, "html")])
        processes[language] = subprocess.Popen(
            [chromium, "--headless", "--no-sandbox", "--disable-gpu",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--no-first-run", f"--user-data-dir={profile}", "--dump-dom", url],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    errors = []
    for language, process in processes.items():
        out, _ = process.communicate(timeout=60)
        parser = PageText()
        parser.feed(out.decode("utf-8"))
        text = " ".join("".join(parser.text).split())
        for expected in PAGE_TEXTS[language]:
            if " ".join(expected.split()) not in text:
                errors.append(f"{language}: the page does not show {expected!r}")
        smuggled = parser.tags & {"script", "b", "img", "iframe", "object"}
        if smuggled:
            errors.append(f"{language}: elements from a title: {sorted(smuggled)}")
        if "svg" not in parser.tags or "polyline" not in parser.tags:
            errors.append(f"{language}: no curve")
    return errors


def main():
    if len(sys.argv) != 5 or sys.argv[4] not in ("data", "page"):
        print(__doc__)
        return 2
    morvane, schema, work, mode = sys.argv[1:]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    errors = check_data(morvane, schema, work) if mode == "data" else check_page(morvane, work)
    if errors is None:
        return SKIP
    for error in errors:
        print(error)
    print(f"{mode}: {'FAILED' if errors else 'ok'}")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
