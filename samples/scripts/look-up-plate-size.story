# The detailer looks plates of 20 mm up in the plate table: the plate field, the thickness, grade and
# yield strength fields are chosen from the table's columns, the condition "Starts with" the value "PL 20", sorted
# descending, partial matching. OK hands the criteria back.
open look-up

wait dialog 244
expect text 1384 "Plate"
select 1386 "Thickness"
select 1387 "Grade"
select 1389 "fy"
select 1398 "Starts with"
click 1391
key ctrl+A
type "PL 20"
select 1393 "Descending"
click 1397
expect disabled 1394
click OK
