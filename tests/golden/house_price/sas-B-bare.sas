/*

Warning, the following field names from the original source data have been modified:
floor area = floor_area
*/

/*
floor_area
rooms
age
Kestrium_price

Var1
Var2
Var3
Var4
Var5
*/

Data ;
Set ;

Var1 = 
Tanh(
((floor_area * (-0.00485571428571429)) + 0.874028571428571)
 + ((rooms * (0.14565)) - 0.72825)
 + ((age * (-0.00989833333333333)) + 0.5939)
 - 0.0886
) * (0.5769);
Var2 = 
Tanh(
((floor_area * (-0.000921428571428571)) + 0.165857142857143)
 + ((rooms * (-0.11045)) + 0.55225)
 + ((age * (0.00292666666666667)) - 0.1756)
 + 0.5614
) * (0.3957);
Var3 = 
(
((floor_area * (-0.00477285714285714)) + 0.859114285714286)
 + ((rooms * (0.0085)) - 0.0425)
 + ((age * (0.00437333333333333)) - 0.2624)
 - 0.2335
) * (0.2872);
Var4 = 
Tanh(
((floor_area * (0.00136428571428571)) - 0.245571428571429)
 + ((rooms * (0.112725)) - 0.563625)
 + ((age * (-0.00837)) + 0.5022)
 - 0.3797
) * (0.0313);
Var5 = 0.4522;
Kestrium_price = ((((Var1 + Var2 + Var3 + Var4 + Var5)/2) + 0.5) * 905000) + 45000;
Run;
