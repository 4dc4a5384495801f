# The end plate's beam turns out heavier than drawn: the detailer changes its section from IPE 300 to
# IPE 330 on the Profiles tab. The section goes to the drawing at once (one update of the Profiles module);
# OK closes the macro dialog.
open macro EndPlate

wait dialog 8131
select 8097 "Profiles"
expect text 1212 "Beam"
expect text 1221 "IPE 300"
select 1221 "IPE 330"
expect text 1221 "IPE 330"
click OK
