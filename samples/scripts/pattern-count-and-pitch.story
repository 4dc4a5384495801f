# The end plate gets a fourth bolt row, closer together. On the Bolts tab the detailer types the count 4
# beside the bolt rows, then opens their pattern ("...") and types the pitch 80 instead of 90: every
# keystroke in the pitch goes to the drawing (the pattern's change list names pattern 0). Close ends the
# pattern dialog; OK the macro dialog.
open macro EndPlate

wait dialog 8131
select 8097 "Bolts"
click 33001
key ctrl+A
type "4"
key Tab
click 33002
wait dialog 222
expect text 1266 "90"
click 1266
key ctrl+A
type "80"
click 1
wait dialog 8131
click OK
