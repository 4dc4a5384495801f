# The cranked beam over the opening is re-set: its first segment becomes 2600 mm and its second 1600 mm.
# The detailer opens Segmented profiles... on the fin plate's Profiles tab, types the two values into the
# segments' grid and confirms with OK; the segments go to the drawing in one update.
open macro FinPlate

wait dialog 8131
select 8097 "Profiles"
click 1210
wait dialog 221
expect text 1000 "Beam"
click 1196
key ctrl+Home
key TAB
type "2600"
key DOWN
type "1600"
key DOWN
click OK
wait dialog 8131
click OK
