# The gap between the fin plate and its support is set in the grid below the picture; the detailer wants
# it on the picture with the plate's other values. On the fin plate tab F12 opens the designer on the
# tab's design. Add gives a new field; the detailer makes it a label "Gap to support [mm]", 140 by 22
# pixels, and drags it under the notch row. A second field is bound to the cell "gap", 62 by 22 pixels;
# with the label and the field selected, "| |" places the field beside the label. Close asks to save the
# changes: Yes writes the design, and the fin plate tab shows the new label and field with the gap's value
# (the grid no longer lists it). A new gap of 12 mm typed there goes to the drawing.
open macro FinPlate

wait dialog 8131
key F12
wait dialog 227
# The label.
click 1300
select 1005 "Text"
click 1304
key ctrl+A
type "Gap to support [mm]"
click 1306
wait dialog 8069
type "140"
key RETURN
wait dialog 227
click 1307
wait dialog 8069
type "22"
key RETURN
wait dialog 227
drag 33012 by 150 101
# The field bound to the cell "gap".
click 1300
click 1304
key ctrl+A
type "gap"
click 1306
wait dialog 8069
type "62"
key RETURN
wait dialog 227
click 1307
wait dialog 8069
type "22"
key RETURN
wait dialog 227
drag 33013 by 300 101
# Both selected, the field goes beside the label.
click 33012
click 33013 shift
click 1201
expect text 1323 ""
# The field alone: its cell, and its place in the tab order after the notch.
click 33000
click 33013
expect text 1304 "gap"
expect text 1323 "8"
click OK
wait messagebox contains "Save the changes to"
answer YES
# Back on the fin plate tab: the designed field shows the gap.
wait dialog 8131
expect text 33013 "10.00"
click 33013
key ctrl+A
type "12"
key TAB
click OK
