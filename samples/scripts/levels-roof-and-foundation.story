# The architect adds a raised roof over the stair core at +12.600 and the foundations go deeper. The
# detailer opens the model's levels, lowers the foundation from -1200 to -1500, adds the level
# "Roof +12.600" measured from the second floor (4200 above it), and looks at it again after another
# level: its reference is now fixed and its absolute level reads 12600. OK hands the levels back and the
# model keeps them (the levels file is written).
open levels "Office building"

wait dialog 243
expect text 1000 "Foundation"
expect text 1002 "-1200.000"
click 1001
key ctrl+A
type "-1500"
click 1088
wait dialog 8069
type "Roof +12.600"
key RETURN
wait dialog 243
expect enabled 1382
select 1382 "Second floor"
click 1001
key ctrl+A
type "4200"
select 1381 "Roof"
expect disabled 1382
select 1381 "Roof +12.600"
expect text 1382 "Second floor"
expect text 1002 "12600.000"
click OK
