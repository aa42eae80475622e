VERSION 5.00
Begin VB.Form Predict
   Caption         =   "Kestrium Says..."
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
      Caption         =   "price"
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
   Begin VB.Label lblOutMin
      AutoSize        = 1           'False
      Caption         =   "min = 90250"
      Height          =  300
      Left            =  4000
      TabIndex        =  5
      Top             =  500
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblOutMax
      AutoSize        = 1           'False
      Caption         =   "max = 882125"
      Height          =  300
      Left            =  4000
      TabIndex        =  6
      Top             =  805
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblColName
      AutoSize        = 1           'False
      Caption         =   "Name"
      ForeColor       =  &HFFFFFF
      Height          =  300
      Index           =  1
      Left            =  100
      TabIndex        =  7
      Top             =  1195
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblColName
      AutoSize        = 1           'False
      Caption         =   "Min"
      ForeColor       =  &HFFFFFF
      Height          =  300
      Index           =  2
      Left            =  2700
      TabIndex        =  8
      Top             =  1195
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblColName
      AutoSize        = 1           'False
      Caption         =   "Max"
      ForeColor       =  &HFFFFFF
      Height          =  300
      Index           =  3
      Left            =  4000
      TabIndex        =  9
      Top             =  1195
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblInput
      AutoSize        = 1           'False
      Caption         =   "floor area"
      Height          =  300
      Index           =  1
      Left            =  100
      TabIndex        =  10
      Top             =  1500
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblInput
      AutoSize        = 1           'False
      Caption         =   "rooms"
      Height          =  300
      Index           =  2
      Left            =  100
      TabIndex        =  11
      Top             =  1805
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblInput
      AutoSize        = 1           'False
      Caption         =   "age"
      Height          =  300
      Index           =  3
      Left            =  100
      TabIndex        =  12
      Top             =  2110
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.TextBox txtInput
      Height          =  300
      Index           =  1
      Left            =  1400
      TabIndex        =  13
      Text            =  "?"
      Top             =  1500
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.TextBox txtInput
      Height          =  300
      Index           =  2
      Left            =  1400
      TabIndex        =  14
      Text            =  "?"
      Top             =  1805
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.TextBox txtInput
      Height          =  300
      Index           =  3
      Left            =  1400
      TabIndex        =  15
      Text            =  "?"
      Top             =  2110
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblMinVal
      AutoSize        = 1           'False
      Caption         =   "47"
      Height          =  300
      Index           =  1
      Left            =  2700
      TabIndex        =  16
      Top             =  1500
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblMinVal
      AutoSize        = 1           'False
      Caption         =   "1"
      Height          =  300
      Index           =  2
      Left            =  2700
      TabIndex        =  17
      Top             =  1805
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblMinVal
      AutoSize        = 1           'False
      Caption         =   "0"
      Height          =  300
      Index           =  3
      Left            =  2700
      TabIndex        =  18
      Top             =  2110
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblMaxVal
      AutoSize        = 1           'False
      Caption         =   "306"
      Height          =  300
      Index           =  1
      Left            =  4000
      TabIndex        =  19
      Top             =  1500
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblMaxVal
      AutoSize        = 1           'False
      Caption         =   "9"
      Height          =  300
      Index           =  2
      Left            =  4000
      TabIndex        =  20
      Top             =  1805
      Visible         =   1   'True
      Width           =  1000
   End
   Begin VB.Label lblMaxVal
      AutoSize        = 1           'False
      Caption         =   "108"
      Height          =  300
      Index           =  3
      Left            =  4000
      TabIndex        =  21
      Top             =  2110
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

'The neural network model is:
'inputs:3
'hidden neurons: 4
'training data source: C:\data\houses.csv
'training data view: all rows
'Kestrium weights file: examples/house_price.kwf
'model created: Mon, May 3 2004, 9:05 AM
'this file created: Sat, Dec 5 2026, 5:30 PM


Option Explicit

Const hiddenneurons as Integer = 4
Const numberofinputs as Integer = 3
Const inppb as Integer = 4
Const outputbias as Double= 0.4522

Const maxNormOut as Double = 950000
Const minNormOut as Double= 45000
Const maxSeenOut as Double = 882125
Const minSeenOut as Double = 90250
Dim maxNorm(1 to numberofinputs) as Double
Dim minNorm(1 to numberofinputs) as Double
Dim maxSeen(1 to numberofinputs) as Double
Dim minSeen(1 to numberofinputs) as Double

Dim inpVal(1 to inppb) as Double
Dim WIH(1 to inppb, 1 to hiddenneurons) as Double
Dim WHO(1 to hiddenneurons) as Double
Dim neurontype(1 to hiddenneurons) as Integer
Dim KestriumPrediction as Double


Private Sub SetModelValues

	Call SetMaxMinVals
	Call SetWeightsLayer1_1
	Call SetWeightsLayer1_2
	Call SetWeightsLayer1_3
	Call SetWeightsLayer1_4
	Call SetWeightsLayer2
	Call SetNeuronType
End Sub

Private Sub SetMaxMinVals

	maxNorm(1) = 320
	minNorm(1) = 40
	maxSeen(1) = 306
	minSeen(1) = 47

	maxNorm(2) = 9
	minNorm(2) = 1
	maxSeen(2) = 9
	minSeen(2) = 1

	maxNorm(3) = 120
	minNorm(3) = 0
	maxSeen(3) = 108
	minSeen(3) = 0

End Sub

Private Sub SetWeightsLayer1_1

	WIH(1,1)=-0.6798
	WIH(1,2)=-0.129
	WIH(1,3)=-0.6682
	WIH(1,4)=0.191
End Sub

Private Sub SetWeightsLayer1_2

	WIH(2,1)=0.5826
	WIH(2,2)=-0.4418
	WIH(2,3)=0.034
	WIH(2,4)=0.4509
End Sub

Private Sub SetWeightsLayer1_3

	WIH(3,1)=-0.5939
	WIH(3,2)=0.1756
	WIH(3,3)=0.2624
	WIH(3,4)=-0.5022
End Sub

Private Sub SetWeightsLayer1_4

	WIH(4,1)=-0.0886
	WIH(4,2)=0.5614
	WIH(4,3)=-0.2335
	WIH(4,4)=-0.3797
End Sub


Private Sub SetWeightsLayer2

	WHO(1)=0.5769
	WHO(2)=0.3957
	WHO(3)=0.2872
	WHO(4)=0.0313

End Sub

Private Sub SetNeuronType

	neurontype(1)=2 'nonlinear
	neurontype(2)=2 'nonlinear
	neurontype(3)=1 'linear
	neurontype(4)=2 'nonlinear

End Sub



Private Sub calcNet()

	Dim hval(1 to hiddenneurons) as Double
	Dim i as Integer
	Dim j as Integer

	'Calculate the inputs to the hidden neurons
	for i = 1 to inppb
	   for j = 1 to hiddenneurons
	      hval(j) = hval(j) + (wih(i,j) * inpval(i))
	   next j
	next i

	'Calculate the outputs the hidden neurons
	'if the neuron is nonlinear (2) then the tanh function is used
	'if the neuron is linear (1) then the identity function is used (it stays the same)
	for j = 1 to hiddenneurons
	   if (neurontype(j) = 2) then hval(j) = myTanh(hval(j))
	next j

	'The output
	KestriumPrediction = 0

	For j = 1 to hiddenneurons
	  KestriumPrediction = KestriumPrediction + (hval(j) * who(j))
	Next j
	KestriumPrediction = KestriumPrediction + outputbias

	'Scale-up the output
	KestriumPrediction = (((KestriumPrediction / 2) + 0.5 ) * (maxNormOut - minNormOut)) + minNormOut

	'format the output
	if abs(KestriumPrediction) > 0.01 then KestriumPrediction = format(KestriumPrediction,"0.0000")

End Sub



Private Sub displayNet()

	'write the prediction to the page
	me.txtPrediction.text = KestriumPrediction

	Call outputWarning(KestriumPrediction)

End Sub



Private Function ReadInputs() as Boolean

	Dim i as integer

	Call resetWarnings

	for i = 1 to numberofinputs
	    if isNumeric(me.txtInput(i).text) = False then
	        msgbox ("Invalid number")
	        me.txtInput(i).SetFocus
	        ReadInputs = False
	        Exit Function
	    EndIf

	     inpval(i) = me.txtInput(i).text
	     call inputWarnings(inpval(i),i)
	     inpval(i) = normalise(inpval(i),i)
	next i

	inpval(inppb) = 1

	ReadInputs = True

End Function



Private Sub inputWarnings(myVal as Double, myIndex as Integer)

	If myVal < minSeen(myIndex) then
	  me.lblMinVal(myIndex).Font.Bold = True
	  me.lblMinVal(myIndex).FontUnderline = True
	ElseIf myVal > maxSeen(myIndex) then
	  me.lblMaxVal(myIndex).Font.Bold = True
	  me.lblMaxVal(myIndex).FontUnderline = True
	End If

End Sub



Private Sub outputWarning(myVal as Double)

	If myVal < minSeenOut then
	  me.lblOutMin.Font.Bold = True
	  me.lblOutMin.FontUnderline = True
	ElseIf myVal > maxSeenOut then
	  me.lblOutMax.Font.Bold = True
	  me.lblOutMax.FontUnderline = True
	End If

End Sub



Private Sub resetWarnings()

	Dim i as integer

	For i = lblMaxVal.Lbound to lblMaxVal.Ubound
	  me.lblMaxVal(i).Font.Bold = False
	  me.lblMaxVal(i).FontUnderline = False
	  me.lblMinVal(i).Font.Bold = False
	  me.lblMinVal(i).FontUnderline = False
	Next i

	  me.lblOutMin.Font.Bold = False
	  me.lblOutMin.FontUnderline = False
	  me.lblOutMax.Font.Bold = False
	  me.lblOutMax.FontUnderline = False

End Sub



Private Function myTanh(xval As Double) As Double

	'this function calculates tanh of Xval
	'bounds put in because of the limits on exp in VB
	If xval > 20 Then
	    myTanh = 1
	ElseIf xval < -20 Then
	    myTanh = -1
	Else
	    myTanh = (Exp(xval) - Exp((-1) * xval)) / (Exp(xval) + Exp((-1) * xval))
	End If

End Function



Private Function normalise(x as Double,j as Integer) As Double

	'this function normalises the inputs to lie in the range -1 to +1

	Dim var1 as Double
	Dim var2 as Double
	Dim var3 as Double
	Dim var4 as Double

	var1 = x - minNorm(j)
	var2 = maxNorm(j) - minNorm(j)
	var3 = var1 / var2
	var4 = (var3 - 0.5 ) * 2
	normalise = var4

End Function



Private Sub Form_Load()
	Call SetModelValues
End Sub



Private Sub btnDescription_Click()
	msgBox  "inputs:3" & vbCrLf & "hidden neurons:4" & vbCrLf & "training data source:C:\data\houses.csv" & vbCrLf & "training data view:all rows" & vbCrLf & "Kestrium weights file:examples/house_price.kwf" & vbCrLf & "model created:Mon, May 3 2004, 9:05 AM" & vbCrLf & "this project created:Sat, Dec 5 2026, 5:30 PM"
End Sub



Private Sub btnClear_Click()

	Dim i As Integer

	For i = Me.txtInput.LBound To Me.txtInput.UBound
	    Me.txtInput(i).Text = "
	Next i

	Me.txtPrediction.Text = "Prediction"

	Call resetWarnings

End Sub



Private Sub btnPredict_Click()

	If ReadInputs = True Then
	  Call calcNet
	  Call displayNet
	End If

End Sub


