
/*Model Inputs (4)
/*Variable Name (* = categorical variable)
/*------------------------
/* AREA
/**DISTRICT
/* AGE
/* ROOMS


/*Model Output
/*------------
/*VALUE


/*Model Equation
/*------------
/*Y = 150.5 + 0.85 * BF1 - 1.2 * BF2 + 22.5 * BF3 - 0.4 * BF6 + 3 * BF7 + 5 * BF5 + 0.125 * BF8 - 1.5E-02 * BF9


/*Basis Functions
/*------------
/*BF1
/*BF2
/*BF3
/*BF4
/*BF5
/*BF6
/*BF7
/*BF8
/*BF9


/*Basis Functions Definitions
/*------------
/*BF1 = max(0, AREA - 120);
/*BF2 = max(0, 120 - AREA);
/*BF3 = ( DISTRICT = 1 OR DISTRICT = 4);
/*BF4 = ( AGE > .);
/*BF5 = ( AGE = .);
/*BF6 = max(0, AGE - 25) * BF4;
/*BF7 = max(0, ROOMS - 3) * BF3;
/*BF8 = max(0, ROOMS - -1.5);
/*BF9 = max(0, 2.5E+01 - AGE) * BF4;


COMPUTE BF1 = max(0, AREA - 120) .
EXECUTE .
COMPUTE BF2 = max(0, 120 - AREA) .
EXECUTE .
COMPUTE BF3 = ( DISTRICT = 1 OR DISTRICT = 4) .
EXECUTE .
COMPUTE BF4 = NOT(MISSING( AGE)) .
EXECUTE .
COMPUTE BF5 = MISSING( AGE) .
EXECUTE .
COMPUTE BF6 = max(0, AGE - 25) * BF4 .
EXECUTE .
COMPUTE BF7 = max(0, ROOMS - 3) * BF3 .
EXECUTE .
COMPUTE BF8 = max(0, ROOMS - -1.5) .
EXECUTE .
COMPUTE BF9 = max(0, 2.5E+01 - AGE) * BF4 .
EXECUTE .
COMPUTE mars_out = 150.5 + 
0.85 * BF1 - 
1.2 * BF2 + 
22.5 * BF3 - 
0.4 * BF6 + 
3 * BF7 + 
5 * BF5 + 
0.125 * BF8 - 
1.5E-02 * BF9 .
EXECUTE .
MATCH FILES
 /FILE=*
 /DROP= 
 BF1
 BF2
 BF3
 BF4
 BF5
 BF6
 BF7
 BF8
 BF9 .