# The web plate of the beam splice is 280 mm high and must become 300 mm. The detailer opens the
# connection, goes to the Web plates tab and presses F3 in its grid: the find dialog opens over it. The
# value "280" is typed and Enter finds it: the grid shows the web plate height with its digits selected in
# the cell editor. The new height is typed over the selection and taken with Enter, while the find dialog
# stays on top; the drawing receives it as 300.00. The find dialog is closed, then the macro dialog.
open macro BeamSplice

wait dialog 8131
select 8097 "Web plates"
click 1001
key F3
wait dialog 218
type "280"
key RETURN
wait dialog 8131
type "300"
key RETURN
click 2 in dialog 218
click OK
