/*

Warning, the following field names from the original source data have been modified:
income, annual = income__annual
loan amount = loan_amount
years employed = years_employed
missed payments = missed_payments
*/

/*
income__annual
loan_amount
years_employed
missed_payments
Kestrium_default

Var1
Var2
Var3
Var4
*/

Data ;
Set ;

Var1 = 
Tanh(
((income__annual * (-3.57768595041322E-06)) + 0.461521487603306)
 + ((loan_amount * (-1.05811623246493E-07)) + 0.0265058116232465)
 + ((years_employed * (-0.0108666666666667)) + 0.2445)
 + ((missed_payments * (0.0617333333333333)) - 0.3704)
 - 0.1286
) * (0.4812);
Var2 = 
Tanh(
((income__annual * (1.82231404958678E-06)) - 0.235078512396694)
 + ((loan_amount * (-2.29619238476954E-06)) + 0.575196192384769)
 + ((years_employed * (0.01624)) - 0.3654)
 + ((missed_payments * (-0.0105833333333333)) + 0.0635)
 - 0.4239
) * (0.434);
Var3 = 
Tanh(
((income__annual * (1.99752066115702E-06)) - 0.257680165289256)
 + ((loan_amount * (3.62324649298597E-07)) - 0.0907623246492986)
 + ((years_employed * (0.00633777777777778)) - 0.1426)
 + ((missed_payments * (-0.100283333333333)) + 0.6017)
 - 0.5409
) * (0.1079);
Var4 = -0.3521;
Kestrium_default = ((((Var1 + Var2 + Var3 + Var4)/2) + 0.5) * 1);
Run;
