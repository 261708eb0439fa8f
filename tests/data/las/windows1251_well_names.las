~Version information
 VERS.   2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0
 WRAP.   NO  : One line per depth step
~Well information
 STRT.M      100.0 : START DEPTH
 STOP.M      100.5 : STOP DEPTH
 STEP.M      0.25  : STEP
 NULL.       -999.25 : NULL VALUE
 COMP.       ООО Нефтегаз : КОМПАНИЯ
 WELL.       Скважина 17-бис : СКВАЖИНА
 FLD .       Самотлорское : МЕСТОРОЖДЕНИЕ
~Curve information
 DEPT.M            : Глубина
 ГК  .мкР/ч        : Гамма-каротаж
 ПС  .мВ           : Потенциал
~Parameter information
 ПЛАСТ.   Ю1 : Пласт   
~Other information
  Примечание: каротаж выполнен партией №5
~A  DEPT     ГК      ПС
100.00   12.5   -30.25
100.25   -999.25   -31.00
100.50   14.0   -32.75
