# A hall of six bays of 6000 mm along grid lines A to G and two spans of 7500 mm along 1 to 3. The detailer
# opens the grid dialog, types the numbers and distances of both directions and ticks the option.
open building-grid

wait dialog 242
expect text 1367 "4"
click 1367
key ctrl+A
type "7"
click 1369
key ctrl+A
type "6*6000"
click 1374
key ctrl+A
type "3"
click 1377
key ctrl+A
type "2*7500"
click 1380
click OK
