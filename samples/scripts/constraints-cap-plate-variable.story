# The column web stiffener gets a cap plate on the column top whose thickness follows the flange too. In
# the constraints editor the detailer adds the variable t_cap on the Variables tab and the equation
# "t_cap = t_flange" below the others; leaving the tab stores both, and the drawing receives them
# (UpdateVarsEqs in the journal). OK closes the editor.
open constraints Stiffener

wait dialog 8715
select 8097 "Variables"
click 1131
type "t_cap"
key Tab
type "14"
key Return
click 1129
key ctrl+End
type "t_cap = t_flange"
select 8097 "Rules"
click OK
