~Version
 VERS.   3.0 : CWLS LOG ASCII STANDARD -VERSION 3.0
 WRAP.    NO : ONE LINE PER DEPTH STEP
 DLM . COMMA : DELIMITING CHARACTER BETWEEN DATA COLUMNS
~Well
 STRT .M  1670.0 : First Index Value {F}
 STOP .M  1669.75 : Last Index Value {F}
 STEP .M  -0.125 : STEP {F}
 NULL .   -999.25 : NULL VALUE
 WELL .   ANY ET AL 12-34 : WELL
 DATE .   13/12/1986 : LOG DATE {DD/MM/YYYY}
 LATI .DEG 34.56789 : Latitude {F}
~Log_Parameter
 BHT .DEGC 35.5 : Bottom Hole Temperature {F} | Run[1]
~Log_Definition
 DEPT .M : DEPTH {F}
 DT   .US/M : SONIC TRANSIT TIME {F}
# a comment between two curves
 YME  .PA : YOUNGS MODULES {E0.00E+00}
 CDES . : CORE DESCRIPTION {S}
~Core_Definition
 CORET.M : Core Top Depth {F}
 COREB.M : Core Bottom Depth {F}
~Core_Data | Core_Definition
 545.50,550.60
 551.20,554.90
~Log_Data | Log_Definition
1670.000,123.450,1.45E+12,"DOLOMITE, VUGGY"
1669.875,123.460,1.47E+12,LIMESTONE
1669.750,123.470,2.85E+12,"LOST INTERVAL"
~Log_Definition[2]
 DEPT .M : DEPTH {F}
 GR   .GAPI : GAMMA RAY {F}
~Log_Data[2] | Log_Definition[2]
1670.0,45.1
1669.5,46.2
