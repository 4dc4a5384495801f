# The structural engineer wants the sigma purlins' second moment of area and section modulus in the library.
# The detailer opens the section library editor on the purlin SIGMA-140x1.5 and its grid layout dialog:
# two more columns (11 become 13), headed Iy and Wy in the column preview. OK in the layout dialog gives the
# grid the new columns, the editor's OK asks whether to save the table and Yes writes it. The purlin keeps
# its shape, the drawing SigmaPurlin.dwg, though the shape list does not offer that drawing.
open section-library SIGMA-140x1.5

wait dialog 209
click 1200
wait dialog 176
expect text 1017 "11"
click 1017
key ctrl+A
type "13"
click 1025
key ctrl+HOME
key TAB
key TAB
key TAB
key TAB
key TAB
key TAB
key TAB
key TAB
key TAB
key TAB
key TAB
type "Iy"
key TAB
type "Wy"
click OK
wait dialog 209
click OK
wait messagebox contains "<SIGMA>"
answer YES
