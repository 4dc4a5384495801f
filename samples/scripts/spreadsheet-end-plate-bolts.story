# The detailer checks a flush end plate with four bolts in tension. The check sheet c:\a\t3.sss looks the
# bolt resistances up in the library's bolt table and the plate's yield strength in the plate table with
# FROMTABLE. The evaluation bench opens on it and calculates its first cell, the tension resistance of
# four M20 8.8 bolts; Recalculate works out the rest (shear, plate strength and resistance, the governing
# value); A1 style copies the formulas of column 4 into column 1 again and calculates them. The sheet is
# saved with its results and the bench closed.
open evaluate-sheet

wait dialog 133
click 1107
click 1006
click 1001
click OK
