# Two end plates are edited together: one has three bolt rows at 90 mm, the other four at 80 mm. The
# detailer sets five rows for both on the Bolts tab. Only the number of rows changes in the drawing: each
# plate keeps its own edge distance and spacing of the rows.
open macros EndPlate EndPlate-2

wait dialog 8131
select 8097 "Bolts"
expect text 33001 "*varies*"
click 33001
key HOME
key shift+END
type "5"
key TAB
expect text 33001 "5"
click OK
