#!/usr/bin/env python3
"""Writes the place lists shipped in data/modele/<language>/lieu/.

Source: the npm package "@etalab/decoupage-administratif", version 6.0.0
(MIT licence, "Copyright (c) 2018-2019 Etalab"), built from the French official geographic code
(INSEE) with the postal codes of the La Poste / DGFiP files. Only its JSON
files data/departements.json and data/communes.json are read.

    mkdir -p /tmp/lieux && cd /tmp/lieux
    npm install @etalab/decoupage-administratif@6.0.0
    python3 tools/make_place_lists.py /tmp/lieux/node_modules/@etalab/decoupage-administratif

Every line is a place in the program's coded shape (country "FRA", the
three-letter code of the former region, "F" + department number, then the
commune preceded by the last three digits of its postal code):

    FRA,IDF,F75,001 Paris

which is exactly what the program's normalisation makes of the plain text
"F,75001,Paris". Overseas departments are written as that normalisation
writes them: "F97" and no region code ("FRA,,F97,110 Pointe-à-Pitre"), so
the five digits still give back the postal code. A commune with several
postal codes has one line per code. Former communes (delegated or
associated ones, under their present commune) are listed too, since old
records name them; they carry their present commune's postal code when it
has only one, and no code otherwise. A commune whose postal code belongs
to another department than its own is written without a code, so that the
department field stays true.

Files: Windows-1252, CRLF, sorted; a character Windows-1252 lacks becomes
its letter without accent.
"""

import json
import os
import sys
import unicodedata

PACKAGE = "@etalab/decoupage-administratif"
VERSION = "6.0.0"

# Former regions (before 2016) by department number, as the program's
# normalisation assigns them.
REGIONS = {
    "ALS": (67, 68),
    "AQU": (24, 33, 40, 47, 64),
    "AUV": (3, 15, 43, 63),
    "BOU": (21, 58, 71, 89),
    "BRE": (22, 29, 35, 56),
    "CEN": (18, 28, 36, 37, 41, 45),
    "CHA": (8, 10, 51, 52),
    "COR": (20,),
    "FCO": (25, 39, 70, 90),
    "IDF": (75, 77, 78, 91, 92, 93, 94, 95),
    "LIM": (19, 23, 87),
    "LOR": (54, 55, 57, 88),
    "LRO": (11, 30, 34, 48, 66),
    "MPY": (9, 12, 31, 32, 46, 65, 81, 82),
    "NOB": (14, 50, 61),
    "NOH": (27, 76),
    "NPC": (59, 62),
    "PCA": (4, 5, 6, 13, 83, 84),
    "PCH": (16, 17, 79, 86),
    "PDL": (44, 49, 53, 72, 85),
    "PIC": (2, 60, 80),
    "RAL": (1, 7, 26, 38, 42, 69, 73, 74),
}
REGION_OF = {d: code for code, deps in REGIONS.items() for d in deps}

# File names per language folder: 1 French, 2 English.
FILES = {
    "1": {"regions": "Regions.txt", "departements": "Departements.txt", "communes": "Communes.txt"},
    "2": {"regions": "Regions.txt", "departements": "Departments.txt", "communes": "Towns.txt"},
}


def two_digits(code):
    """Department number in the two digits of the coded shape: Corsica's
    2A/2B is 20 (its postal codes start with 20), overseas 97x is 97."""
    if code in ("2A", "2B"):
        return "20"
    return code[:2]


def department_field(dep2):
    return "FRA," + REGION_OF.get(int(dep2), "") + ",F" + dep2


def to_cp1252(text):
    out = []
    for ch in text:
        try:
            out.append(ch.encode("cp1252"))
        except UnicodeEncodeError:
            base = unicodedata.normalize("NFKD", ch).encode("ascii", "ignore")
            out.append(base or b"?")
    return b"".join(out)


def commune_lines(communes):
    by_code = {c["code"]: c for c in communes if c["type"] == "commune-actuelle"}
    lines = set()
    for c in communes:
        if c["type"] == "commune-actuelle":
            postal = c.get("codesPostaux", [])
        elif c["type"] in ("commune-deleguee", "commune-associee"):
            parent = by_code.get(c.get("chefLieu", ""), {})
            postal = parent.get("codesPostaux", [])
            if len(postal) != 1:
                postal = []
        else:
            continue  # municipal districts: their postal codes are the city's
        name = c["nom"]
        if "," in name:
            raise SystemExit("a comma in a commune name would split the place: " + name)
        dep2 = two_digits(c["departement"])
        head = department_field(dep2)
        written = False
        for p in postal:
            if p[:2] == dep2:
                lines.add(head + "," + p[2:] + " " + name)
                written = True
        if not written:
            lines.add(head + "," + name)
    return lines


def write_list(path, lines):
    data = b"".join(to_cp1252(l) + b"\r\n" for l in sorted(lines, key=lambda l: (l.lower(), l)))
    with open(path, "wb") as f:
        f.write(data)
    print("%s: %d places" % (path, len(lines)))


def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: make_place_lists.py PATH-TO-" + PACKAGE)
    package = sys.argv[1]
    with open(os.path.join(package, "package.json"), encoding="utf-8") as f:
        meta = json.load(f)
    if meta.get("name") != PACKAGE or meta.get("version") != VERSION:
        print("warning: expected %s %s, found %s %s"
              % (PACKAGE, VERSION, meta.get("name"), meta.get("version")), file=sys.stderr)
    with open(os.path.join(package, "data", "departements.json"), encoding="utf-8") as f:
        departements = json.load(f)
    with open(os.path.join(package, "data", "communes.json"), encoding="utf-8") as f:
        communes = json.load(f)

    regions = {"FRA," + code for code in REGIONS}
    deps = {department_field(two_digits(d["code"])) for d in departements}
    towns = commune_lines(communes)

    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "modele")
    for language, names in FILES.items():
        folder = os.path.join(root, language, "lieu")
        os.makedirs(folder, exist_ok=True)
        write_list(os.path.join(folder, names["regions"]), regions)
        write_list(os.path.join(folder, names["departements"]), deps)
        write_list(os.path.join(folder, names["communes"]), towns)


if __name__ == "__main__":
    main()
