# The beam splice is to be made of S355 throughout. The detailer opens the connection, goes to the Web
# plates tab, whose values are listed in the grid, and presses F5 in the grid: the find and replace dialog
# opens over it. "S235" is replaced by "S355" in every cell: the web plate and the packing plate grades,
# two cells. Each replacement goes to the drawing as a change typed into the grid would (the journal
# shows two updates of the Web plates module). The find dialog is closed, then the macro dialog.
open macro BeamSplice

wait dialog 8131
select 8097 "Web plates"
click 1001
key F5
wait dialog 218
type "S235"
click 1209
type "S355"
click 1205
wait messagebox "Replaced in 2 cells."
answer OK
wait dialog 218
click 2
click OK
