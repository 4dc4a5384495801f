# The end plate's top corners are to be cut off so that the plate clears the column's root radius. The
# detailer starts a new cut on the Plate tab of the end plate, chooses a chamfer, names it, makes the first
# leg 25 mm and keeps the second at 20 mm; the cut belongs to this macro. OK makes the cut in the drawing.
open macro-cut EndPlate Plate

wait dialog 223
select 1284 "Chamfer"
click 1000
type "Plate corners"
click 1196
key ctrl+Home
key END
type "25"
key RETURN
click OK
