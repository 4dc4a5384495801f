# The end plate's beam sits 10 mm below the column's system line and is turned by 15 degrees. On the
# Profiles tab the detailer opens Advanced..., frees the offsets, types the Y offset and the rotation;
# each change goes to the drawing at once (the journal shows one update of the profile group each). Close
# applies once more; OK closes the macro dialog.
open macro EndPlate

wait dialog 8131
select 8097 "Profiles"
click 1114
wait dialog 220
expect text 1250 "IPE 300"
select 1228 "Free offset"
expect enabled 1235
click 1235
key ctrl+A
type "-10"
key RETURN
expect text 1235 "-10.000"
click 1241
click 1242
type "15"
key RETURN
expect checked 1241 1
click 1
wait dialog 8131
click OK
