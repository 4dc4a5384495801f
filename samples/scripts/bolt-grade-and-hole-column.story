# The end plate's bolts must be stronger, and the right bolt column is dropped where the plate meets a
# narrow column flange. On the Bolts tab the detailer opens Advanced..., picks the grade 10.9 of the
# hexagon bolts and unticks the right hole column; each change goes to the drawing while the dialog is
# open (one update of the Bolts module each). Close applies once more, finding nothing new; OK closes the
# macro dialog.
open macro EndPlate

wait dialog 8131
select 8097 "Bolts"
click 1114
wait dialog 8140
expect text 1091 "Hexagon bolt 8.8"
select 1091 "Hexagon bolt 10.9"
expect text 1091 "Hexagon bolt 10.9"
click 1196
key ctrl+Home
key Down
key Space
click 1
wait dialog 8131
expect text 1091 "Hexagon bolt 10.9"
click OK
