
UPDATE [TableName]
SET [FieldName] =  150.5 + 
0.85 * IIf(( [AREA] - 120 ) < 0 , 0, [AREA] - 120) - 
1.2 * IIf(( 120 - [AREA] ) < 0 , 0, 120 - [AREA]) + 
22.5 * IIf(( ( [DISTRICT] = 1 OR [DISTRICT] = 4) ),1,0) - 
0.4 * IIf(( [AGE] - 25 ) < 0 , 0, [AGE] - 25) *  IIf(IsNull( [AGE] ),0,1) + 
3 * IIf(( [ROOMS] - 3 ) < 0 , 0, [ROOMS] - 3) *  IIf(( ( [DISTRICT] = 1 OR [DISTRICT] = 4) ),1,0) + 
5 * IIf(IsNull( [AGE] ),1,0) + 
0.125 * IIf(( [ROOMS] - -1.5 ) < 0 , 0, [ROOMS] - -1.5) - 
1.5E-02 * IIf(( 2.5E+01 - [AGE] ) < 0 , 0, 2.5E+01 - [AGE]) *  IIf(IsNull( [AGE] ),0,1);