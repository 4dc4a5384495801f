# The detailer reads the library's plate table into a table of texts and edits it in the grid: below the
# row the grid shows in its middle (PL 40 S235) a 50 mm plate in S235 is added, with its yield strength
# for thicknesses over 40 mm. OK hands the table back; the caller's table holds the new row in place.
open string-table Plates.sss

wait dialog 208
click 1196
click 1088
key shift+TAB
key shift+TAB
type "PL 50 S235"
key TAB
type "50"
key TAB
type "S235"
key TAB
type "215"
click OK
