"""Opens every workbook of a manifest in one headless LibreOffice session (macros
allowed) and checks its sheets, labels, colours, locked cells and formulas; sets input
values on both data sheets, recalculates, and compares the worksheet function's results
with the engine's; runs PrepareDataForPredictions on a pasted sheet in the macro copies,
answered Yes and answered No.
Exit status 0 when everything matches."""
import contextlib
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

import uno
from com.sun.star.beans import PropertyValue

YELLOW, INDIGO = 0xFFFF00, 0x333399
failures = []


def prop(name, value):
    p = PropertyValue()
    p.Name, p.Value = name, value
    return p


def fail(book, what):
    failures.append("%s: %s" % (os.path.basename(book["path"]), what))


def close(a, b):
    return abs(a - b) <= 1e-12 * max(1.0, abs(a), abs(b))


@contextlib.contextmanager
def office_session():
    """A headless LibreOffice of its own profile, ended and removed afterwards."""
    profile = tempfile.mkdtemp(prefix="kdk-lo-")
    proc, desktop = start_office(profile)
    try:
        yield desktop
    finally:
        try:
            desktop.terminate()
        except Exception:
            pass
        try:
            proc.wait(timeout=30)
        except subprocess.TimeoutExpired:
            proc.kill()
        shutil.rmtree(profile, ignore_errors=True)


def report(failures, what):
    for line in failures:
        print("FAIL", line)
    print("%s, %d failures" % (what, len(failures)))
    return 1 if failures else 0


def start_office(profile):
    pipe = "kdk_workbooks_%d" % os.getpid()
    proc = subprocess.Popen(
        ["soffice", "--headless", "--invisible", "--norestore", "--nologo", "--nodefault",
         "-env:UserInstallation=" + uno.systemPathToFileUrl(profile),
         "--accept=pipe,name=%s;urp;" % pipe],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local)
    for _ in range(300):
        try:
            ctx = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
            desktop = ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
            return proc, desktop
        except Exception:
            time.sleep(0.1)
    proc.kill()
    raise SystemExit("LibreOffice did not start")


def load(desktop, path):
    for _ in range(3):
        doc = desktop.loadComponentFromURL(uno.systemPathToFileUrl(path), "_blank", 0,
                                           (prop("Hidden", True), prop("MacroExecutionMode", 4)))
        if doc is not None:
            return doc
        time.sleep(0.5)
    return None


def same_formula(actual, expected):
    # LibreOffice writes ";" between arguments.
    def norm(f):
        return f.replace(" ", "").replace(";", ",").upper()
    return norm(actual) == norm(expected)


def check_colours(book, cell, font, fill, where):
    if cell.CharColor != font or cell.CellBackColor != fill:
        fail(book, "%s colours %06x on %06x" % (where, cell.CharColor & 0xFFFFFF,
                                                 cell.CellBackColor & 0xFFFFFF))


def check_layout(book, doc):
    base, inputs, n = book["base"], book["inputs"], len(book["inputs"])
    names = [doc.Sheets.getByIndex(i).Name for i in range(doc.Sheets.Count)]
    if names != [base + "_1", base + "_2", "Instructions"]:
        fail(book, "sheets %s" % names)
        return False
    modules = doc.BasicLibraries.getByName("VBAProject").ElementNames
    if base + "_Code" not in modules:
        fail(book, "no code module in %s" % (modules,))
    rows, cols = doc.Sheets.getByIndex(0), doc.Sheets.getByIndex(1)
    mars = book["kind"] == "mars"
    for i, name in enumerate(inputs):
        head = rows.getCellByPosition(i, 0)
        if head.String != name:
            fail(book, "row sheet header %d is %r" % (i + 1, head.String))
        check_colours(book, head, YELLOW, INDIGO, "row header %d" % (i + 1))
        if rows.getCellByPosition(i, 1).Value != 0:
            fail(book, "row sheet input %d is not 0" % (i + 1))
        if cols.getCellByPosition(0, i + 1).String != name:
            fail(book, "column sheet name %d" % (i + 1))
        value = cols.getCellByPosition(1, i + 1)
        if value.CellProtection.IsLocked:
            fail(book, "input cell B%d is locked" % (i + 2))
        check_colours(book, value, YELLOW, INDIGO, "input B%d" % (i + 2))
        if not mars:
            if not close(cols.getCellByPosition(2, i + 1).Value, book["seen_min"][i]) or \
               not close(cols.getCellByPosition(3, i + 1).Value, book["seen_max"][i]):
                fail(book, "seen range of input %d" % (i + 1))
    out = rows.getCellByPosition(n, 0)
    if out.String != "Modelled_" + book["output"]:
        fail(book, "row sheet output header %r" % out.String)
    check_colours(book, out, INDIGO, YELLOW, "output header")
    if not same_formula(rows.getCellByPosition(n, 1).Formula, book["row_formula"]):
        fail(book, "row formula %s" % rows.getCellByPosition(n, 1).Formula)
    header = ["Inputs", "Value"] + ([] if mars else ["Min", "Max"])
    if [cols.getCellByPosition(c, 0).String for c in range(len(header))] != header:
        fail(book, "column sheet header")
    second = "Modelled_" + book["output"] if mars else "Model"
    if cols.getCellByPosition(0, n + 2).String != "Output" or \
       cols.getCellByPosition(1, n + 2).String != second:
        fail(book, "column sheet output labels")
    if cols.getCellByPosition(0, n + 3).String != book["output"]:
        fail(book, "column sheet output name")
    formula_cell = cols.getCellByPosition(1, n + 3)
    if not same_formula(formula_cell.Formula, book["column_formula"]):
        fail(book, "column formula %s" % formula_cell.Formula)
    check_colours(book, formula_cell, INDIGO, YELLOW, "column formula")
    if book["classifier"]:
        if rows.getCellByPosition(n + 1, 0).String != "Strength" or \
           not same_formula(rows.getCellByPosition(n + 1, 1).Formula, book["row_strength_formula"]):
            fail(book, "row sheet strength")
        if cols.getCellByPosition(2, n + 3).String != "Strength" or \
           not same_formula(cols.getCellByPosition(3, n + 3).Formula,
                            book["column_strength_formula"]):
            fail(book, "column sheet strength")
    elif not mars:
        if not close(cols.getCellByPosition(2, n + 3).Value, book["out_min"]) or \
           not close(cols.getCellByPosition(3, n + 3).Value, book["out_max"]):
            fail(book, "output seen range")
    elif rows.getCellByPosition(n + 1, 0).String or cols.getCellByPosition(2, 0).String:
        fail(book, "MARS workbook has extra columns")
    text = doc.Sheets.getByIndex(2).getCellByPosition(0, 0).String
    if not text.startswith("You can use the two sheets created") or "\r" in text:
        fail(book, "instructions")
    return True


def put(cell, value):
    cell.setString(value) if isinstance(value, str) else cell.setValue(value)


def compare(book, what, cell, expected):
    if isinstance(expected, str):
        if cell.String != expected:
            fail(book, "%s shows %r, expected %r" % (what, cell.String, expected))
    elif cell.getType().value != "VALUE" and cell.String == "" or not close(cell.Value, expected):
        fail(book, "%s is %r (%r), expected %r" % (what, cell.Value, cell.String, expected))


def check_values(book, doc):
    # Inputs are set with automatic calculation off, then computed once.
    doc.enableAutomaticCalculation(False)
    n = len(book["inputs"])
    rows, cols = doc.Sheets.getByIndex(0), doc.Sheets.getByIndex(1)
    for k, case in enumerate(book["cases"]):
        for i, value in enumerate(case["values"]):
            put(rows.getCellByPosition(i, 1), value)
            put(cols.getCellByPosition(1, i + 1), value)
        doc.calculateAll()
        compare(book, "case %d row result" % k, rows.getCellByPosition(n, 1), case["prediction"])
        compare(book, "case %d column result" % k, cols.getCellByPosition(1, n + 3),
                case["prediction"])
        if book["classifier"]:
            compare(book, "case %d row strength" % k, rows.getCellByPosition(n + 1, 1),
                    case["strength"])
            compare(book, "case %d column strength" % k, cols.getCellByPosition(3, n + 3),
                    case["strength"])


def run_macro(doc, book):
    provider = doc.getScriptProvider()
    script = provider.getScript(
        "vnd.sun.star.script:VBAProject.%s_Code.PrepareDataForPredictions"
        "?language=Basic&location=document" % book["base"])
    script.invoke((), (), ())


def other_case(name):
    # ASCII letters only: "ß" has no one-letter upper case for the macro to compare.
    return "".join(c.swapcase() if c.isascii() else c for c in name)


def check_macro(book, desktop, shuffle):
    doc = load(desktop, book["macro_path"])
    if doc is None:
        fail(book, "macro copy does not open")
        return
    try:
        inputs, n = book["inputs"], len(book["inputs"])
        case = book["cases"][0]
        # Inputs shuffled among extra columns, in another letter case, the output kept.
        columns = [(other_case(name), case["values"][i], i) for i, name in enumerate(inputs)]
        columns += [("extra one", 11.5, None), ("ZZ", "text", None), (book["output"].upper(), 7, "out")]
        shuffle(columns)
        sheets = doc.Sheets
        sheets.insertNewByName("Pasted", sheets.Count)
        pasted = sheets.getByName("Pasted")
        for c, (head, value, _) in enumerate(columns):
            pasted.getCellByPosition(c, 0).setString(head)
            put(pasted.getCellByPosition(c, 1), value)
        doc.CurrentController.setActiveSheet(pasted)
        run_macro(doc, book)
        doc.calculateAll()
        for i, name in enumerate(inputs):
            if pasted.getCellByPosition(i, 0).String != other_case(name):
                fail(book, "macro: column %d is %r, expected %r" %
                     (i + 1, pasted.getCellByPosition(i, 0).String, other_case(name)))
        if pasted.getCellByPosition(n, 0).String != "Modelled_" + book["output"]:
            fail(book, "macro: output header %r" % pasted.getCellByPosition(n, 0).String)
        formula = pasted.getCellByPosition(n, 1).Formula
        expected = "=%s_CALCULATEIT(A2:%s2%s)" % (book["base"], column_letters(n),
                                                 ",1" if book["classifier"] else "")
        if not same_formula(formula, expected):
            fail(book, "macro: formula %s, expected %s" % (formula, expected))
        compare(book, "macro result", pasted.getCellByPosition(n, 1), case["prediction"])
        extra = 1
        if book["classifier"]:
            extra = 2
            if pasted.getCellByPosition(n + 1, 0).String != "Strength":
                fail(book, "macro: no Strength column")
            compare(book, "macro strength", pasted.getCellByPosition(n + 1, 1), case["strength"])
        if pasted.getCellByPosition(n + extra, 0).String != book["output"].upper():
            fail(book, "macro: existing output column not kept after the formula")
        if pasted.getCellByPosition(n + extra + 1, 0).String != "":
            fail(book, "macro: unrequired columns left: %r" %
                 pasted.getCellByPosition(n + extra + 1, 0).String)
        if book["kind"] == "mars":
            for c in range(n + 3):
                if pasted.getCellByPosition(c, 0).String == "Strength":
                    fail(book, "macro: a MARS workbook got a Strength column")

        # Answered No, the macro leaves the sheet as it is.
        sheets.insertNewByName("Declined", sheets.Count)
        declined = sheets.getByName("Declined")
        for c, (head, value, _) in enumerate(columns):
            declined.getCellByPosition(c, 0).setString(head)
        doc.CurrentController.setActiveSheet(declined)
        run_macro(doc, book)
        after = [declined.getCellByPosition(c, 0).String for c in range(len(columns) + 1)]
        if after != [head for head, _, _ in columns] + [""]:
            fail(book, "macro answered No changed the sheet: %r" % after)

        # A sheet that lacks an input is left as it is.
        sheets.insertNewByName("Short", sheets.Count)
        short = sheets.getByName("Short")
        for c, name in enumerate(inputs[1:] + ["other"]):
            short.getCellByPosition(c, 0).setString(name)
        doc.CurrentController.setActiveSheet(short)
        run_macro(doc, book)
        after = [short.getCellByPosition(c, 0).String for c in range(n + 2)]
        if after != inputs[1:] + ["other", "", ""]:
            fail(book, "macro changed a sheet with a missing input: %r" % after)
    finally:
        doc.close(True)


def column_letters(n):
    letters = ""
    while n > 0:
        n, r = divmod(n - 1, 26)
        letters = chr(65 + r) + letters
    return letters


def main():
    with open(os.path.join(sys.argv[1], "manifest.json")) as f:
        books = json.load(f)
    rng = random.Random(20261206)
    with office_session() as desktop:
        for book in books:
            doc = load(desktop, book["path"])
            if doc is None:
                fail(book, "does not open")
                continue
            try:
                if check_layout(book, doc):
                    check_values(book, doc)
            finally:
                doc.close(True)
            if book["macro_path"]:
                check_macro(book, desktop, rng.shuffle)
    return report(failures, "%d workbooks checked" % len(books))


if __name__ == "__main__":
    sys.exit(main())
