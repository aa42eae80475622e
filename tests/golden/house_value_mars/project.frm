VERSION 5.00
Begin VB.Form Predict
   Caption         =   "MARS Says..."
   ClientHeight    =   6885
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   10000
   LinkTopic       =   "Form1"
   ScaleHeight     =   6885
   ScaleWidth      =   7140
   StartUpPosition =   3  'Windows Default
   Begin VB.CommandButton btnClear
      Caption         =   "Clear"
      Height          =  500
      Left            =  100
      TabIndex        =   0
      Top             =   500
      Width           =   1000
   End
   Begin VB.CommandButton btnPredict
      Caption         =   "Predict"
      Height          =   500
      Left            =   1400
      TabIndex        =   1
      Top             =   500
      Width           =   1000
   End
   Begin VB.Label lblOutput
      AutoSize        = 1           'False
      Caption         =   "VALUE"
      Height          =  300
      Left            =  2700
      TabIndex        =  2
      Top             =  195
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.CommandButton btnDescription
      Caption         =   "About"
      Height          =  500
      Left            =  5300
      TabIndex        =  3
      Top             =  500
      Width           =  1000
   End
   Begin VB.TextBox txtPrediction
      Enabled         =   0   'False
      Height          =  300
      Left            =  2700
      TabIndex        =   4
      TabStop         =   0   'False
      Text            =   "Prediction"
      Top             =   500
      Width           =  1000
   End
   Begin VB.Label lblColName
      AutoSize        = 1           'False
      Caption         =   "Name"
      ForeColor       =  &HFFFFFF
      Height          =  300
      Index           =  1
      Left            =  100
      TabIndex        =  5
      Top             =  1195
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblColName
      AutoSize        = 1           'False
      Caption         =   "Categorical"
      ForeColor       =  &HFFFFFF
      Height          =  300
      Index           =  2
      Left            =  2700
      TabIndex        =  6
      Top             =  1195
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblInput
      AutoSize        = 1           'False
      Caption         =   "AREA"
      Height          =  300
      Index           =  1
      Left            =  100
      TabIndex        =  7
      Top             =  1500
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblInput
      AutoSize        = 1           'False
      Caption         =   "DISTRICT"
      Height          =  300
      Index           =  2
      Left            =  100
      TabIndex        =  8
      Top             =  1805
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblInput
      AutoSize        = 1           'False
      Caption         =   "AGE"
      Height          =  300
      Index           =  3
      Left            =  100
      TabIndex        =  9
      Top             =  2110
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblInput
      AutoSize        = 1           'False
      Caption         =   "ROOMS"
      Height          =  300
      Index           =  4
      Left            =  100
      TabIndex        =  10
      Top             =  2415
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.TextBox txtInput
      Height          =  300
      Index           =  1
      Left            =  1400
      TabIndex        =  11
      Text            =  "?"
      Tag             =  "AREA"
      Top             =  1500
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.TextBox txtInput
      Height          =  300
      Index           =  2
      Left            =  1400
      TabIndex        =  12
      Text            =  "?"
      Tag             =  "DISTRICT"
      Top             =  1805
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.TextBox txtInput
      Height          =  300
      Index           =  3
      Left            =  1400
      TabIndex        =  13
      Text            =  "?"
      Tag             =  "AGE"
      Top             =  2110
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.TextBox txtInput
      Height          =  300
      Index           =  4
      Left            =  1400
      TabIndex        =  14
      Text            =  "?"
      Tag             =  "ROOMS"
      Top             =  2415
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblCategorical
      AutoSize        = 1           'False
      Caption         =   "False"
      Height          =  300
      Index           =  1
      Left            =  2700
      TabIndex        =  15
      Top             =  1500
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblCategorical
      AutoSize        = 1           'False
      Caption         =   "True"
      Height          =  300
      Index           =  2
      Left            =  2700
      TabIndex        =  16
      Top             =  1805
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblCategorical
      AutoSize        = 1           'False
      Caption         =   "False"
      Height          =  300
      Index           =  3
      Left            =  2700
      TabIndex        =  17
      Top             =  2110
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblCategorical
      AutoSize        = 1           'False
      Caption         =   "False"
      Height          =  300
      Index           =  4
      Left            =  2700
      TabIndex        =  18
      Top             =  2415
      Visible         =   1   'True
      Width           =  1000
   End
End
Attribute VB_Name = "Predict"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
'This file was generated by the Kestrium Development Kit - Version 2.1
'Written by Kestrium Software, May 2004
'http://www.kestrium.com

'The MARS model is:
'inputs:4
'MARS rules file: examples/house_value_mars.txt
'this file created: Sat, Dec 5 2026, 5:30 PM


'------- NOTE -----------
'The field names of the input variables are stored in the 'TAG' property of the input text boxes.
'------------------------
Option Explicit

Const numberofinputs as Integer = 4
Dim inpVal(1 to NumberOfInputs) as Variant
Dim inpValRepresentsNull(1 To numberofinputs) As Boolean
Dim VALUE as Double 'this is the variable being modelled

'basis functions'
Dim BF1 as Double
Dim BF2 as Double
Dim BF3 as Double
Dim BF4 as Double
Dim BF5 as Double
Dim BF6 as Double
Dim BF7 as Double
Dim BF8 as Double
Dim BF9 as Double


Private Sub calcBasisFunctions()

	BF1 = max(0, inpval(1) - 120)
	BF2 = max(0, 120 - inpval(1))
	BF3 = ( inpval(2) = 1 OR inpval(2) = 4) * -1
	BF4 = ( IIF(inpValRepresentsNull(3) ,0,1))
	BF5 = ( IIF(inpValRepresentsNull(3) ,1,0))
	BF6 = max(0, inpval(3) - 25) * BF4
	BF7 = max(0, inpval(4) - 3) * BF3
	BF8 = max(0, inpval(4) - -1.5)
	BF9 = max(0, 2.5E+01 - inpval(3)) * BF4

End Sub


Private Function MAX(Val1 as Double,Val2 as Double) AS Double

	MAX = Val2
	IF Val1>Val2 Then MAX = Val1

End Function


Private Function calcEquation() AS Double

	calcEquation = 150.5 + 0.85 * BF1 - 1.2 * BF2 + 22.5 * BF3 - 0.4 * BF6 + 3 * BF7 + 5 * BF5 + 0.125 * BF8 - 1.5E-02 * BF9

End Function


Private Sub displayResult()

	'write the prediction to the page
	me.txtPrediction.text = VALUE

End Sub


Private Function ReadInputs() as Boolean

	Dim i as integer

	for i = 1 to numberofinputs
	    if isNumeric(me.txtInput(i).text) = False And RepresentsNull(Me.txtInput(i).Text) = False then
	        msgbox ("Invalid number")
	        me.txtInput(i).SetFocus
	        ReadInputs = False
	        Exit Function
	    EndIf


	    If RepresentsNull(Me.txtInput(I).Text) = True Then
	       inpVal(I) = 0
	       inpValRepresentsNull(i) = True
	    Else
	       inpVal(I) = Me.txtInput(I).Text
	       inpValRepresentsNull(i) = False
	    End If
	next i

	ReadInputs = True

End Function


Private Function RepresentsNull(s As Variant) As Boolean

	RepresentsNull = False
	If UCASE(s) = "NULL" Then RepresentsNull = True
	If UCASE(s) = "<NULL>" Then RepresentsNull = True
	If s = "." Then RepresentsNull = True
	If Trim(s) = "" Then RepresentsNull = True

End Function

Private Sub btnDescription_Click()

	msgBox 	 "inputs:4" & vbCrLf & _
	 "basis functions:8" & vbCrLf & _
	 "training data source:" & vbCrLf &  _
	 "training data view:" & vbCrLf & _
	 "MARS Rules file:examples/house_value_mars.txt" & vbCrLf & _ 
	 "rules file created:Mon, May 3 2004, 9:05 AM" & vbCrLf & _
	 "this project created:Sat, Dec 5 2026, 5:30 PM"

End Sub


Private Sub btnClear_Click()

	Dim i As Integer

	For i = Me.txtInput.LBound To Me.txtInput.UBound
	    Me.txtInput(i).Text = "
	Next i

	Me.txtPrediction.Text = "Prediction"

End Sub


Private Sub btnPredict_Click()

	If ReadInputs = True Then
		Call calcBasisFunctions
		VALUE = calcEquation
		Call displayResult
	End If

End Sub


