# Two end plates of one frame should be alike. The detailer saves the values of the first end plate as
# the property list "Frame 3", selects the other end plate in the drawing from the same dialog and loads
# the list into it: the second end plate takes the first one's plate thickness, grade, mark, bolt rows and
# beam section values; the list file is written in the library's property lists.
select-later macro EndPlate-2
open macro EndPlate

wait dialog 8131
click 1302
wait dialog 231
click 1043
type "Frame 3"
click OK
wait dialog 8131
click 1176
wait dialog 8131
click 1299
wait dialog 231
select 1317 "Frame 3"
click OK
wait dialog 8131
click OK
