# The end plate gets a stiffener at the haunch too. On the Stiffeners tab the detailer opens the array of
# stiffeners ("..." of its row in the grid), adds an entry after the bottom one and types its name; OK hands
# the array back and the drawing receives the change of the arrays (code -4). OK closes the macro dialog.
open macro EndPlate

wait dialog 8131
select 8097 "Stiffeners"
click 1001
key ctrl+Home
key Down
key Down
key Right
key Space
wait dialog 236
click 1196
key ctrl+End
click 1348
type "Haunch"
key Return
click OK
wait dialog 8131
click OK
