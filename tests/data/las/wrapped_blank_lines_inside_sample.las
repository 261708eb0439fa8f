~VERSION INFORMATION
 VERS.                  2.0:   CWLS LOG ASCII STANDARD - VERSION 2.0
 WRAP.                  YES:   Multiple lines per depth step
~WELL INFORMATION
 STRT.M              910.0000:
 STOP.M              910.2500:
 STEP.M               0.1250:
 NULL.              -999.2500:
 WELL.            WRAPPED-1 : WELL
~CURVE INFORMATION
 DEPT.M                 :  1  DEPTH
 DT  .US/M              :  2  SONIC TRANSIT TIME
 RHOB.K/M3              :  3  BULK DENSITY
 NPHI.V/V               :  4  NEUTRON POROSITY
 SFLU.OHMM              :  5  SHALLOW RESISTIVITY
 SFLA.OHMM              :  6  SHALLOW RESISTIVITY
 ILM .OHMM              :  7  MEDIUM RESISTIVITY
 ILD .OHMM              :  8  DEEP RESISTIVITY
~A
 910.000

 -999.2500  2692.7075     0.3140    19.4086    19.4086    13.1709

    12.2817
 910.125
 -999.2500  2712.6460     0.2886    23.3987    23.3987    13.6129
    12.4563
 910.250
 -999.2500  2692.8137
