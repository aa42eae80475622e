/*
Model Inputs (4)
Variable Name (* = categorical variable)
------------------------
 AREA
*DISTRICT
 AGE
 ROOMS


Model Output
------------
VALUE


Model Equation
------------
Y = 150.5 + 0.85 * BF1 - 1.2 * BF2 + 22.5 * BF3 - 0.4 * BF6 + 3 * BF7 + 5 * BF5 + 0.125 * BF8 - 1.5E-02 * BF9


Basis Functions
------------
BF1
BF2
BF3
BF4
BF5
BF6
BF7
BF8
BF9


Basis Functions Definitions
------------
BF1 = max(0, AREA - 120);
BF2 = max(0, 120 - AREA);
BF3 = ( DISTRICT = 1 OR DISTRICT = 4);
BF4 = ( AGE > .);
BF5 = ( AGE = .);
BF6 = max(0, AGE - 25) * BF4;
BF7 = max(0, ROOMS - 3) * BF3;
BF8 = max(0, ROOMS - -1.5);
BF9 = max(0, 2.5E+01 - AGE) * BF4;
*/

USE [DatabaseName]

ALTER TABLE [TableName] ADD [FieldName] float
Go

UPDATE [TableName]
SET [FieldName] =  150.5 + 
0.85 * ( CASE WHEN ( [AREA] - 120 ) < 0 THEN 0 ELSE ( [AREA] - 120 ) END ) - 
1.2 * ( CASE WHEN ( 120 - [AREA] ) < 0 THEN 0 ELSE ( 120 - [AREA] ) END ) + 
22.5 * ( CASE WHEN ( [DISTRICT] = 1 OR [DISTRICT] = 4) THEN 1 ELSE 0 END ) - 
0.4 * ( CASE WHEN ( [AGE] - 25 ) < 0 THEN 0 ELSE ( [AGE] - 25 ) END ) *  ( CASE WHEN [AGE] IS NOT NULL THEN 1 ELSE 0 END ) + 
3 * ( CASE WHEN ( [ROOMS] - 3 ) < 0 THEN 0 ELSE ( [ROOMS] - 3 ) END ) *  ( CASE WHEN ( [DISTRICT] = 1 OR [DISTRICT] = 4) THEN 1 ELSE 0 END ) + 
5 * ( CASE WHEN [AGE] IS NULL THEN 1 ELSE 0 END ) + 
0.125 * ( CASE WHEN ( [ROOMS] - -1.5 ) < 0 THEN 0 ELSE ( [ROOMS] - -1.5 ) END ) - 
1.5E-02 * ( CASE WHEN ( 2.5E+01 - [AGE] ) < 0 THEN 0 ELSE ( 2.5E+01 - [AGE] ) END ) *  ( CASE WHEN [AGE] IS NOT NULL THEN 1 ELSE 0 END )