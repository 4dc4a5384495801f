# The beam's end reaction has grown. The detailer picks a stronger plate steel, S460 instead of S355, in
# the plate picture of the Plate tab, then goes to the Bolts tab and picks bigger bolts, 24 mm instead of
# 20. Each choice goes to the drawing as soon as it is made (the journal shows the update of the Plate
# module for its grade, of the Bolts module for its bolt values, and the clash checks that follow); the
# macro instance holds both, and OK closes the dialog.
open macro EndPlate

wait dialog 8131
expect text 33003 "S355"
select 33003 "S460"
expect text 33003 "S460"
select 8097 "Bolts"
expect text 1092 "20"
select 1092 "24"
expect text 1092 "24"
click OK
