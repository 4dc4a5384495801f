# The fin plate's beam is to be placed by a point of its section rather than by its top of steel. In the
# advanced dialog of the beam the detailer clicks Pick point; both dialogs step aside while the point is
# picked in the drawing, then come back, and the chosen point goes to the drawing.
open macro FinPlate

wait dialog 8131
select 8097 "Profiles"
click 1114
wait dialog 220
click 1229
click point 300 200
wait dialog 220
click 1
wait dialog 8131
click OK
