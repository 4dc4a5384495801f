# The detailer's office keeps its bolt table in Bolts.xlsx and its plate table in Plates.ods, as the office's
# spreadsheet program saves them. The check sheet c:\a\t4.sss looks the bolt resistances up in the
# workbook and the plate's yield strength in the ODS table with FROMTABLE. On the evaluation bench the
# detailer loads the check from its file, recalculates it (tension and shear of four M20 8.8 bolts, the
# plate's strength and resistance, the governing value) and saves the results as CSV for the office's
# spreadsheet program.
open evaluate-sheet

wait dialog 133
click 1000
key ctrl+A
type "c:\\a\\t4.sss"
click 1087
click 1107
click 1000
key ctrl+A
type "c:\\a\\t4 results.csv"
click 1001
click OK
