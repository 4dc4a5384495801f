# The cope of the fin plate's beam gets a rounded corner of 20 mm: the detailer ticks the switch, which
# swaps the third row to the radius, types it and confirms.
open profile-features

wait dialog 241
click 1018
expect text 1303 "Corner radius (mm)"
click 1304
key ctrl+A
type "20"
click OK
