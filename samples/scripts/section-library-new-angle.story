# A supplier delivers the unequal angle L 100x50x6, which the library lacks. The detailer opens the new-size
# editor on the unequal angles (LU) from L 100x65x7: the picture of the angle, its values A to H filled
# from that size and the name built from them. Width 65 becomes 50 and thickness 7 becomes 6 (the name
# follows: L 100x50x6), the radii, the distances to the centroid and the area of the new angle are typed,
# and OK puts the size at its sorted place, before 100x65x7. The table is stored back.
open new-size LU 100x65x7

wait dialog 226
expect text 1000 "L 100x65x7"
expect disabled 1000
expect text 1299 "A. Height:"
click 1302
key ctrl+A
type "50"
click 1304
key ctrl+A
type "6"
expect text 1000 "L 100x50x6"
click 1306
key ctrl+A
type "8"
click 1308
key ctrl+A
type "4"
click 1310
key ctrl+A
type "34.9"
click 1312
key ctrl+A
type "10.4"
click 1314
key ctrl+A
type "8.73"
click OK
