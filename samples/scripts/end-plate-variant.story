# The architect wants the plate to stand out above the beam. On the Plate tab the detailer changes the end
# plate type from "Flush" to "Extended" in the picture's combo: the drawing swaps the plate's block to the
# extended drawing at once (the journal shows the swap), the macro instance now holds "Extended", and the
# combo shows it.
open macro EndPlate

wait dialog 8131
expect text 33013 "Flush"
select 33013 "Extended"
expect text 33013 "Extended"
click OK
