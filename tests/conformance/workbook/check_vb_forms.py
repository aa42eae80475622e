"""Runs the whole code of every VB6 form of a manifest in LibreOffice Basic, in one
headless session (the session helpers of check_workbooks.py), and compares what the
form shows with the engine's results.

The form's controls are a stub: the code after the form file's "Attribute" lines
becomes a Basic class module (VB's Me is the instance), below it the stub declares
the controls (text boxes and labels with Text, Caption, Font.Bold, FontUnderline and
SetFocus; control arrays with LBound, UBound and an index) and a MsgBox that keeps
its prompt, and calls the event procedures. The generated lines are not changed but
for one step VB takes when it loads a form: a line ending inside a string literal
(the Clear button's `Text = "`) has the literal closed at the line's end.
Exit status 0 when everything matches."""
import json
import os
import sys

import check_workbooks as office

failures, fail = office.failures, office.fail

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

Private Function NewArray(n As Integer) As Object
  Dim a As New StubArray
  a.Init(n)
  Set NewArray = a
End Function

Public Function Setup(network As Boolean, n As Integer) As String
  On Error GoTo failed
  Set form = New Predict
  Set form.Stub_txtInput = NewArray(n)
  Set form.txtPrediction = New StubControl
  If network Then
    Set form.Stub_lblMinVal = NewArray(n)
    Set form.Stub_lblMaxVal = NewArray(n)
    Set form.txtConfidence = New StubControl
    Set form.lblOutMin = New StubControl
    Set form.lblOutMax = New StubControl
  End If
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
    stub += "".join("Public %s As Object\n" % s for s in singles)
    stub += STUB_END.format(load="Call Form_Load" if network else "")
    return "Option VBASupport 1\nOption ClassModule\n" + "\n".join(code) + "\n" + stub


def number(text):
    try:
        return float(text)
    except ValueError:
        return None


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
    if network:
        low = "".join("11" if b else "00" for b in case["low"])
        high = "".join("11" if b else "00" for b in case["high"])
        for what, got, want in (("min", answer[5], low), ("max", answer[6], high)):
            wrong = [i // 2 + 1 for i in range(0, len(want), 2) if got[i:i + 2] != want[i:i + 2]]
            if wrong:
                fail(form, "case %d: %s warning wrong on inputs %s" % (k, what, wrong[:10]))
        if not form["classifier"]:
            out = ("11" if case["out_low"] else "00", "11" if case["out_high"] else "00")
            if (answer[7], answer[8]) != out:
                fail(form, "case %d: output warnings %s, expected %s" % (k, answer[7:9], out))
    return shown


def check_form(form, library, script):
    if library.hasByName("Predict"):
        library.removeByName("Predict")
    library.insertByName("Predict", class_module(form))
    network = form["kind"] == "network"
    status = script("Setup").invoke((network, form["inputs"]), (), ())[0]
    if status != "ok":
        fail(form, "does not run: %s" % status)
        return
    press = script("Press")
    shown = "Prediction"
    for k, case in enumerate(form["cases"]):
        answer = press.invoke((network, "predict", tuple(case["texts"])), (), ())[0]
        shown = check_case(form, k, case, answer, shown)
    about = press.invoke((network, "about", ()), (), ())[0]
    if about[0] != "ok" or about[2] != form["about"]:
        fail(form, "About shows %r, expected %r" % (about[2] if about[0] == "ok" else about[0],
                                                     form["about"]))
    clear = press.invoke((network, "clear", ()), (), ())[0]
    empty = "\x01" * form["inputs"]
    if clear[0] != "ok" or clear[1] != "Prediction" or clear[3] != empty or \
       (form["classifier"] and clear[4] != "Strength") or \
       (network and (set(clear[5]) | set(clear[6]) | set(clear[7]) | set(clear[8])) != {"0"}):
        fail(form, "Clear leaves %r" % (clear,))


def main():
    with open(os.path.join(sys.argv[1], "manifest.json")) as f:
        forms = json.load(f)
    with office.office_session() as desktop:
        doc = desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0,
                                           (office.prop("Hidden", True),
                                            office.prop("MacroExecutionMode", 4)))
        libraries = doc.BasicLibraries
        if not libraries.hasByName("Standard"):
            libraries.createLibrary("Standard")
        library = libraries.getByName("Standard")
        for name, body in CLASSES.items():
            library.insertByName(name, "Option VBASupport 1\nOption ClassModule\n" + body)
        library.insertByName("Driver", DRIVER)
        provider = doc.getScriptProvider()

        def script(name):
            return provider.getScript(
                "vnd.sun.star.script:Standard.Driver.%s?language=Basic&location=document" % name)

        for form in forms:
            check_form(form, library, script)
        doc.close(True)
    return office.report(failures, "%d forms run" % len(forms))


if __name__ == "__main__":
    sys.exit(main())
