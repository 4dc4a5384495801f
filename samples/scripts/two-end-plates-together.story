# Two end plates of one kind are selected together. They differ in plate thickness, grade, mark,
# stiffening, plate variant, beam (and so beam depth and plate weight), number of bolt rows and their
# spacing; the dialog shows what they share and marks the rest as varying. The detailer wants both plates 25 mm thick and types it over the varying thickness.
# Both instances take 25.00 through one update; everything else they held differently stays as each had
# it.
open macros EndPlate EndPlate-2

wait dialog 8131
expect text 33001 "*varies*"
click 33001
key HOME
key shift+END
type "25"
key TAB
expect text 33001 "25.00"
click OK
