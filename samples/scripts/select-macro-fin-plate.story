# A secondary beam is to be connected to a column web by a simple shear connection. The detailer opens the
# library's connection macros, switches the column and bracing connections off in the filter, then the
# moment connections among the beam connections (Beam connections: Bolted, Moment, Shear, Welded), and
# picks the fin plate from the two macros left.
open select-macro

wait dialog 8717
click 1196
key ctrl+Home
key DOWN
key SPACE
key UP
key RIGHT
key RIGHT
key RIGHT
key RIGHT
key SPACE
click 9091
key END
click OK
