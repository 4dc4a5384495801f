# The end plate is too thin: the detailer opens the connection and types a new plate thickness, 18 mm
# instead of 15, into the plate picture of the Plate tab, then leaves the field. The change goes to the
# drawing as soon as the field is left (the journal shows the update of the Plate module, value 0 of its
# tab, and the clash check that follows); the drawing writes it back as 18.00, the macro instance holds
# it, and OK closes the dialog.
open macro EndPlate

wait dialog 8131
expect text 33001 "15.00"
click 33001
key HOME
key shift+END
type "18"
key TAB
expect text 33001 "18.00"
click OK
