"""Every workbook and VB6 form of the manifests in one headless LibreOffice: the
workbooks' layout, their worksheet function over the cases, and PrepareDataForPredictions
on pasted sheets; the forms' code as a Basic class module over stub controls, with the
one change VB makes on loading a form: a literal open at a line's end is closed."""
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
    pipe = "kdk_office_%d" % os.getpid()
    proc = subprocess.Popen(
        ["soffice", "--headless", "--invisible", "--norestore", "--nologo", "--nodefault",
         "-env:UserInstallation=" + uno.systemPathToFileUrl(profile),
         "--accept=pipe,name=%s;urp;" % pipe],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local)
    desktop = None
    for _ in range(300):
        with contextlib.suppress(Exception):
            ctx = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
            desktop = ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
            break
        time.sleep(0.1)
    try:
        if desktop is None:
            raise SystemExit("LibreOffice did not start")
        yield desktop
    finally:
        with contextlib.suppress(Exception):
            desktop.terminate()
        with contextlib.suppress(subprocess.TimeoutExpired):
            proc.wait(timeout=30)
        proc.kill()
        shutil.rmtree(profile, ignore_errors=True)


def load(desktop, path, url=None):
    for _ in range(3):
        doc = desktop.loadComponentFromURL(url or uno.systemPathToFileUrl(path), "_blank", 0,
                                           (prop("Hidden", True), prop("MacroExecutionMode", 4)))
        if doc is not None:
            return doc
        time.sleep(0.5)


def check_cell(book, what, cell, value=None, formula=None, colours=None):
    def norm(f):  # LibreOffice writes ";" between arguments
        return f.replace(" ", "").replace(";", ",").upper()
    if isinstance(value, str) and cell.String != value or value is not None and \
       not isinstance(value, str) and (cell.getType().value != "VALUE" and cell.String == "" or
                                       not close(cell.Value, value)):
        fail(book, "%s is %r (%r), expected %r" % (what, cell.Value, cell.String, value))
    if formula is not None and norm(cell.Formula) != norm(formula):
        fail(book, "%s formula %s, expected %s" % (what, cell.Formula, formula))
    if colours is not None and (cell.CharColor, cell.CellBackColor) != colours:
        fail(book, "%s colours %06x on %06x" % (what, cell.CharColor & 0xFFFFFF,
                                                 cell.CellBackColor & 0xFFFFFF))


def check_layout(book, doc):
    base, inputs, n, output = book["base"], book["inputs"], len(book["inputs"]), book["output"]
    names = [doc.Sheets.getByIndex(i).Name for i in range(doc.Sheets.Count)]
    if names != [base + "_1", base + "_2", "Instructions"]:
        fail(book, "sheets %s" % names)
        return False
    modules = doc.BasicLibraries.getByName("VBAProject").ElementNames
    if base + "_Code" not in modules:
        fail(book, "no code module in %s" % (modules,))
    R, C = doc.Sheets.getByIndex(0), doc.Sheets.getByIndex(1)
    mars, label, out, into = book["kind"] == "mars", "Modelled_" + output, (INDIGO, YELLOW), (YELLOW, INDIGO)
    # The worksheet function over the inputs: the class (",1" for a classifier) and strength.
    row_call = "=%s_CalculateIt(A2:%s2%%s)" % (base, column_letters(n))
    column_call = "=%s_CalculateIt(B2:B%d%%s)" % (base, n + 1)
    tail = ",1" if book["classifier"] else ""
    # (sheet, column, row, value, formula, colours)
    cells = [(R, n, 0, label, None, out), (R, n, 1, None, row_call % tail, None),
             (C, 0, n + 2, "Output", None, None), (C, 1, n + 2, label if mars else "Model", None, None),
             (C, 0, n + 3, output, None, None), (C, 1, n + 3, None, column_call % tail, out)]
    for i, name in enumerate(inputs):
        cells += [(R, i, 0, name, None, into), (R, i, 1, 0, None, None), (C, 0, i + 1, name, None, None),
                  (C, 1, i + 1, None, None, into)]
        if C.getCellByPosition(1, i + 1).CellProtection.IsLocked:
            fail(book, "input cell B%d is locked" % (i + 2))
        if not mars:
            cells += [(C, 2, i + 1, book["seen_min"][i], None, None),
                      (C, 3, i + 1, book["seen_max"][i], None, None)]
    cells += [(C, c, 0, head, None, None)
              for c, head in enumerate(["Inputs", "Value"] + ([] if mars else ["Min", "Max"]))]
    if book["classifier"]:
        cells += [(R, n + 1, 0, "Strength", None, None), (R, n + 1, 1, None, row_call % ",2", None),
                  (C, 2, n + 3, "Strength", None, None), (C, 3, n + 3, None, column_call % ",2", None)]
    elif not mars:
        cells += [(C, 2, n + 3, book["out_min"], None, None), (C, 3, n + 3, book["out_max"], None, None)]
    else:  # nothing past the output
        cells += [(R, n + 1, 0, "", None, None), (C, 2, 0, "", None, None)]
    for sheet, c, r, value, formula, colours in cells:
        check_cell(book, "%s!%s%d" % (sheet.Name, column_letters(c + 1), r + 1),
                   sheet.getCellByPosition(c, r), value, formula, colours)
    return True


def put(cell, value):
    cell.setString(value) if isinstance(value, str) else cell.setValue(value)


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
        for what, sheet, c, r, key in (("row result", rows, n, 1, "prediction"),
                                       ("column result", cols, 1, n + 3, "prediction"),
                                       ("row strength", rows, n + 1, 1, "strength"),
                                       ("column strength", cols, 3, n + 3, "strength")):
            if key in case:
                check_cell(book, "case %d %s" % (k, what), sheet.getCellByPosition(c, r), case[key])


def other_case(name):
    # ASCII letters only: "ß" has no one-letter upper case for the macro to compare.
    return "".join(c.swapcase() if c.isascii() else c for c in name)


def macro_run(doc, book, name, heads, values=()):
    """The macro run on a new sheet of these columns; the sheet and its header row after."""
    sheet = doc.Sheets.insertNewByName(name, doc.Sheets.Count) or doc.Sheets.getByName(name)
    for c, head in enumerate(heads):
        sheet.getCellByPosition(c, 0).setString(head)
    for c, value in enumerate(values):
        put(sheet.getCellByPosition(c, 1), value)
    doc.CurrentController.setActiveSheet(sheet)
    doc.getScriptProvider().getScript(
        "vnd.sun.star.script:VBAProject.%s_Code.PrepareDataForPredictions"
        "?language=Basic&location=document" % book["base"]).invoke((), (), ())
    doc.calculateAll()
    return sheet, [sheet.getCellByPosition(c, 0).String for c in range(len(heads) + 2)]


def check_macro(book, desktop, shuffle):
    doc = load(desktop, book["macro_path"])
    if doc is None:
        fail(book, "macro copy does not open")
        return
    try:
        inputs, n, case = book["inputs"], len(book["inputs"]), book["cases"][0]
        # Inputs shuffled among extra columns, in another letter case, the output kept.
        columns = [(other_case(name), case["values"][i]) for i, name in enumerate(inputs)]
        columns += [("extra one", 11.5), ("ZZ", "text"), (book["output"].upper(), 7)]
        shuffle(columns)
        heads = [head for head, _ in columns]
        pasted, after = macro_run(doc, book, "Pasted", heads, [value for _, value in columns])
        strength = ["Strength"] if book["classifier"] else []
        expected = [other_case(name) for name in inputs] + ["Modelled_" + book["output"]] + \
            strength + [book["output"].upper(), ""]
        if after[:len(expected)] != expected:
            fail(book, "macro: columns %r, expected %r" % (after, expected))
        check_cell(book, "macro result", pasted.getCellByPosition(n, 1), case["prediction"],
                   formula="=%s_CalculateIt(A2:%s2%s)" % (book["base"], column_letters(n),
                                                          ",1" if book["classifier"] else ""))
        if book["classifier"]:
            check_cell(book, "macro strength", pasted.getCellByPosition(n + 1, 1), case["strength"])
        # Answered No, the macro leaves the sheet as it is; so it does a sheet that lacks
        # an input.
        for name, heads in (("Declined", heads), ("Short", inputs[1:] + ["other"])):
            after = macro_run(doc, book, name, heads)[1]
            if after != heads + ["", ""]:
                fail(book, "macro changed the %s sheet: %r" % (name, after))
    finally:
        doc.close(True)


def column_letters(n):
    return column_letters((n - 1) // 26) + chr(65 + (n - 1) % 26) if n > 0 else ""


CLASSES = {
    "StubFont": "Public Bold As Boolean\n",
    "StubControl": """Public Text As Variant
Public Caption As Variant
Public Font As Object
Public FontUnderline As Boolean
Public Focused As Boolean
Private Sub Class_Initialize()
  Set Font = New StubFont
End Sub
Public Sub SetFocus()
  Focused = True
End Sub
""",
    "StubArray": """Public LBound As Integer
Public UBound As Integer
Private items() As Object
Public Sub Init(n As Integer)
  LBound = 1
  UBound = n
  ReDim items(1 To n)
  Dim i As Integer
  For i = 1 To n
    Set items(i) = New StubControl
  Next i
End Sub
Public Function Item(i) As Object
  Set Item = items(i)
End Function
""",
}

ARRAY_MEMBER = """Public Stub_{0} As Object
Public Function {0}(Optional i) As Object
  If IsMissing(i) Then
    Set {0} = Stub_{0}
  Else
    Set {0} = Stub_{0}.Item(i)
  End If
End Function
"""

# What the form's controls and VB's MsgBox are, and the events a user fires.
STUB_END = """
Public StubMessage As String
Private Function MsgBox(Prompt, Optional Buttons, Optional Title) As Integer
  StubMessage = StubMessage & Prompt
End Function
Public Sub StubEvent(which As String)
  Select Case which
    Case "load": {load}
    Case "predict": Call btnPredict_Click
    Case "about": Call btnDescription_Click
    Case "clear": Call btnClear_Click
  End Select
End Sub
"""

DRIVER = """Option VBASupport 1
Private form As Object

Public Function NewArray(n As Integer) As Object
  Dim a As New StubArray
  a.Init(n)
  Set NewArray = a
End Function

Public Function Setup() As String
  On Error GoTo failed
  Set form = New Predict
  form.StubEvent("load")
  Setup = "ok"
  Exit Function
failed:
  Setup = "error " & Err.Number & ": " & Err.Description
End Function

Private Function Flags(a As Object) As String
  Dim i As Integer
  For i = a.LBound To a.UBound
    Flags = Flags & IIf(a.Item(i).Font.Bold, "1", "0") & IIf(a.Item(i).FontUnderline, "1", "0")
  Next i
End Function

Private Function Shown(c As Object) As String
  Shown = IIf(c.Font.Bold, "1", "0") & IIf(c.FontUnderline, "1", "0")
End Function

' Types the texts, presses a button, and answers what the form shows.
Public Function Press(network As Boolean, button As String, texts) As Variant
  On Error GoTo failed
  Dim i As Integer
  For i = LBound(texts) To UBound(texts)
    form.Stub_txtInput.Item(i + 1).Text = texts(i)
  Next i
  form.StubMessage = ""
  form.StubEvent(button)
  Dim inputs As String
  For i = 1 To form.Stub_txtInput.UBound
    inputs = inputs & form.Stub_txtInput.Item(i).Text & Chr(1)
  Next i
  If network Then
    Press = Array("ok", CStr(form.txtPrediction.Text), form.StubMessage, inputs, _
                  CStr(form.txtConfidence.Text), Flags(form.Stub_lblMinVal), _
                  Flags(form.Stub_lblMaxVal), Shown(form.lblOutMin), Shown(form.lblOutMax))
  Else
    Press = Array("ok", CStr(form.txtPrediction.Text), form.StubMessage, inputs)
  End If
  Exit Function
failed:
  Press = Array("error " & Err.Number & ": " & Err.Description & " (line " & Erl & ")")
End Function
"""


def decode(data):
    # Code page 1252; its five unused bytes as the control characters of the same number.
    return "".join(b.decode("cp1252", errors="strict") if b[0] not in (0x81, 0x8D, 0x8F, 0x90, 0x9D)
                   else chr(b[0]) for b in (data[i:i + 1] for i in range(len(data))))


def class_module(form):
    with open(form["path"], "rb") as f:
        lines = decode(f.read()).split("\r\n")
    last = max(i for i, line in enumerate(lines) if line.startswith("Attribute "))
    code = []
    for line in lines[last + 1:]:
        if not line.lstrip().startswith("'") and line.count('"') % 2 == 1:
            line += '"'  # as VB closes a literal at the line's end
        code.append(line)
    network = form["kind"] == "network"
    members = ["txtInput"] + (["lblMinVal", "lblMaxVal"] if network else [])
    singles = ["txtPrediction"] + (["txtConfidence", "lblOutMin", "lblOutMax"] if network else [])
    stub = "".join(ARRAY_MEMBER.format(m) for m in members)
    stub += "".join("Public %s As Object\n" % s for s in singles) + "Private Sub Class_Initialize()\n"
    stub += "".join("  Set Stub_%s = NewArray(%d)\n" % (m, form["inputs"]) for m in members)
    stub += "".join("  Set %s = New StubControl\n" % s for s in singles) + "End Sub\n"
    stub += STUB_END.format(load="Call Form_Load" if network else "")
    return "Option VBASupport 1\nOption ClassModule\n" + "\n".join(code) + "\n" + stub


def number(text):
    with contextlib.suppress(ValueError):
        return float(text)


def check_case(form, k, case, answer, before):
    network = form["kind"] == "network"
    if answer[0] != "ok":
        fail(form, "case %d: %s" % (k, answer[0]))
        return before
    shown, message = answer[1], answer[2]
    if case.get("invalid"):
        if message != "Invalid number" or shown != before:
            fail(form, "case %d: an invalid entry gave %r, %r" % (k, message, shown))
        return shown
    if message:
        fail(form, "case %d: message %r" % (k, message))
    if form["classifier"]:
        strength = number(answer[4])
        if shown != case["prediction"] or strength is None or \
           abs(strength - case["strength"]) > 0.005 + 1e-9:
            fail(form, "case %d: shows %s, %s; expected %s, %.6f" %
                 (k, shown, answer[4], case["prediction"], case["strength"]))
    else:
        value, expected = number(shown), case["prediction"]
        # A network shows 4 decimals above 0.01; a MARS model shows the number.
        tolerance = form["tolerance"] * (1 if network else max(1.0, abs(expected)))
        if network and abs(expected) > 0.01:
            tolerance += 1e-4
        if value is None or not abs(value - expected) <= tolerance:
            fail(form, "case %d: shows %r, expected %r" % (k, shown, expected))
    # Bold and underlined ("11") or not ("00") per input, and for the output's limits.
    for what, key, got in (("min", "low", answer[5:6]), ("max", "high", answer[6:7]),
                           ("output", "out", answer[7:9])):
        if key in case and "".join(got) != case[key]:
            fail(form, "case %d: %s warnings %s, expected %s" % (k, what, "".join(got), case[key]))
    return shown


def check_forms(desktop, forms):
    doc = load(desktop, None, "private:factory/scalc")
    libraries = doc.BasicLibraries
    if not libraries.hasByName("Standard"):
        libraries.createLibrary("Standard")
    library = libraries.getByName("Standard")
    for name, body in CLASSES.items():
        library.insertByName(name, "Option VBASupport 1\nOption ClassModule\n" + body)
    library.insertByName("Driver", DRIVER)
    setup, press = (doc.getScriptProvider().getScript(
        "vnd.sun.star.script:Standard.Driver.%s?language=Basic&location=document" % name)
        for name in ("Setup", "Press"))
    for form in forms:
        if library.hasByName("Predict"):
            library.removeByName("Predict")
        library.insertByName("Predict", class_module(form))
        network = form["kind"] == "network"
        status = setup.invoke((), (), ())[0]
        if status != "ok":
            fail(form, "does not run: %s" % status)
            continue
        shown = "Prediction"
        for k, case in enumerate(form["cases"]):
            answer = press.invoke((network, "predict", tuple(case["texts"])), (), ())[0]
            shown = check_case(form, k, case, answer, shown)
        about = press.invoke((network, "about", ()), (), ())[0]
        if about[0] != "ok" or about[2] != form["about"]:
            fail(form, "About shows %r, expected %r" % (about[2] if about[0] == "ok" else about[0],
                                                         form["about"]))
        clear = press.invoke((network, "clear", ()), (), ())[0]
        if clear[0] != "ok" or clear[1] != "Prediction" or clear[3] != "\x01" * form["inputs"] or \
           (form["classifier"] and clear[4] != "Strength") or \
           (network and (set(clear[5]) | set(clear[6]) | set(clear[7]) | set(clear[8])) != {"0"}):
            fail(form, "Clear leaves %r" % (clear,))
    doc.close(True)


def main():
    manifests = [json.load(open(os.path.join(sys.argv[1], name)))
                 for name in ("workbooks.json", "forms.json")]
    rng = random.Random(20261206)
    with office_session() as desktop:
        for book in manifests[0]:
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
        check_forms(desktop, manifests[1])
    for line in failures:
        print("FAIL", line)
    print("%d workbooks, %d forms checked, %d failures" %
          (len(manifests[0]), len(manifests[1]), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
