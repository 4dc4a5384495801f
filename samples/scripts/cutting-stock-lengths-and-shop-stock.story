# The shop cuts the columns and bracing angles of Hall 3 next week. The detailer opens the job's cutting
# stock, where the beams already have their lengths. For HEA 200 two column lengths are entered (3150 mm
# eight times, 4200 mm four times), for the angle L 100x100x10 the bracing diagonal (1850 mm twelve
# times). For the angle the shop's stock is opened: the newest stock file is proposed and its bars come
# in. An offcut of 2350 mm that came back from the last job is added to the stock, which is saved as a new
# stock file: the next free name, Stock2.shp, is proposed. OK hands the job back.
open cutting-stock

wait dialog 8122
select 9036 "HEA 200"
click 8601
type "3150"
key TAB
type "8"
key TAB
type "C201"
key RETURN
click 8601
type "4200"
key TAB
type "4"
key TAB
type "C202"
key RETURN
select 9036 "L 100x100x10"
click 8601
type "1850"
key TAB
type "12"
key TAB
type "D301"
key RETURN
click 8600
wait caption "Open stock file"
key RETURN
wait dialog 8122
click 8606
type "2350"
key TAB
type "1"
key TAB
type "Offcut rack"
key RETURN
click 8602
wait caption "Save stock file"
key RETURN
wait dialog 8122
click OK
