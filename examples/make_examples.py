#!/usr/bin/env python3
"""Writes the example weights files of this folder.

The .kwf layout: a stream of fields separated by commas or line ends, with one
whole header line after the third field (training source, view, #TRUE#/#FALSE#).
Field order: 3 opening fields; header line; 2 fields; C_in (inputs - 1) and C_x;
5 fields; 1 field; per input: index, name, type, normalisation max, min, seen max,
seen min (seen values on the -1..1 scale); 2 fields; output: name, type, max, min,
seen max, seen min; when C_x >= 0: 2 fields then C_x + 1 fields; 2 fields; H
(hidden slots including the bias) and 4 fields; H - 1 neuron types; 2 fields;
for each source (inputs, then the input bias) and each hidden slot: weight, from,
to; for each hidden slot: weight to the output, from; 1 closing field; then the
description block between NET DESCRIPTION and END OF NET DESCRIPTION.

Run it from this folder: python3 make_examples.py
"""
import random


def field(value):
    if isinstance(value, str):
        return '"' + value + '"'
    return repr(value) if isinstance(value, float) else str(value)


def write_kwf(path, net):
    n = len(net["inputs"])
    h = len(net["hidden"]) + 1
    rows = []
    rows.append('"KESTRIUM WEIGHTS","2.1","' + net["title"] + '"')
    rows.append(net["header"])
    rows.append('"INPUT COUNT","CX"')
    rows.append(f'{n - 1},{net["cx"]}')
    rows.append('"LAYERS",3,"TRAINED",1,"EPOCHS"')
    rows.append('"INPUTS"')
    for index, (name, mx, mn, smax, smin) in enumerate(net["inputs"], start=1):
        rows.append(",".join(field(v) for v in (index, name, "NUMERIC", mx, mn, smax, smin)))
    rows.append('"OUTPUT",1')
    name, mx, mn, smax, smin = net["output"]
    rows.append(",".join(field(v) for v in (name, "NUMERIC", mx, mn, smax, smin)))
    if net["cx"] >= 0:
        rows.append('"EXTRA",' + str(net["cx"]))
        rows.append(",".join(f'"x{j}"' for j in range(net["cx"] + 1)))
    rows.append('"HIDDEN",1')
    rows.append(f'{h},"SLOTS",0,0,"TANH"')
    for neuron_type in net["hidden"]:
        rows.append(field(neuron_type))
    rows.append('"WEIGHTS","INPUT-HIDDEN"')
    for i in range(n + 1):
        for k in range(h):
            rows.append(f"{net['wih'][i][k]!r},{i + 1},{n + 1 + k + 1}")
    for k in range(h):
        rows.append(f"{net['who'][k]!r},{n + 1 + k + 1}")
    rows.append('"END"')
    if net.get("description"):
        rows.append("NET DESCRIPTION")
        rows.extend(net["description"])
        rows.append("END OF NET DESCRIPTION")
    with open(path, "w", newline="") as out:
        out.write("\r\n".join(rows) + "\r\n")


def weights(rng, rows, cols):
    return [[round(rng.uniform(-0.7, 0.7), 4) for _ in range(cols)] for _ in range(rows)]


def main():
    rng = random.Random(20261205)
    regression = {
        "title": "house prices",
        "header": '"C:\\data\\houses.csv","all rows",#FALSE#',
        "cx": -1,
        "inputs": [
            ("floor area", 320.0, 40.0, 0.9, -0.95),
            ("rooms", 9.0, 1.0, 1.0, -1.0),
            ("age", 120.0, 0.0, 0.8, -1.0),
        ],
        "output": ("price", 950000.0, 45000.0, 0.85, -0.9),
        "hidden": ["NONLINEAR", "NONLINEAR", "LINEAR", "NONLINEAR"],
        "description": [
            "Sale prices of houses, 1998 to 2003.",
            "",
            "Trained on every sale with a known floor area.",
        ],
    }
    h = len(regression["hidden"]) + 1
    regression["wih"] = weights(rng, 4, h)
    regression["who"] = [round(rng.uniform(-0.6, 0.6), 4) for _ in range(h)]
    write_kwf("house_price.kwf", regression)

    classifier = {
        "title": "loan default",
        "header": '"loans.csv","2003 book",#TRUE#',
        "cx": 2,
        "inputs": [
            ("income, annual", 250000.0, 8000.0, 1.0, -0.98),
            ("loan amount", 500000.0, 1000.0, 0.7, -1.0),
            ("years employed", 45.0, 0.0, 1.0, -1.0),
            ("missed payments", 12.0, 0.0, 0.5, -1.0),
        ],
        "output": ("default", 1.0, 0.0, 0.93, -0.88),
        "hidden": ["NONLINEAR", "NONLINEAR", "NONLINEAR"],
        "description": ["Loans that defaulted within two years (TRUE) against those that did not."],
    }
    h = len(classifier["hidden"]) + 1
    classifier["wih"] = weights(rng, 5, h)
    classifier["who"] = [round(rng.uniform(-0.6, 0.6), 4) for _ in range(h)]
    write_kwf("loan_default.kwf", classifier)


if __name__ == "__main__":
    main()
