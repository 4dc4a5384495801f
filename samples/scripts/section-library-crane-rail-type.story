# The workshop builds a crane runway, and the library has no crane rails. In the section library editor the
# detailer makes a new values table: its first size, the crane rail A45 (head 45 mm, height 55 mm), with its
# name in every language and the shape of the user-section drawing "CraneRail A45.dwg". The new table,
# still called NewType, is renamed RAIL (the table is written under the new name). On the types page a new
# section type takes the RAIL table and its names (Kraanrail, Crane rail, Rail de roulement, Kranschiene).
# OK stores the catalogue, and the section selector then offers the crane rail among the other sections.
open section-library HEA-200 then-selector

wait dialog 209
click 1189
select 1202 "CraneRail A45.dwg"
click 1196
key ctrl+HOME
type "A45"
key TAB
key TAB
type "Kraanrail A45"
key TAB
type "Crane rail A45"
key TAB
type "Rail A45"
key TAB
type "Kranschiene A45"
key TAB
type "45"
key TAB
type "55"
key TAB
click 1201
wait dialog 8069
key ctrl+A
type "RAIL"
key RETURN
wait dialog 209
click tab 1
click 1189
select 1198 "RAIL"
click 1193
key UP
key UP
key UP
key ctrl+A
type "Kraanrail"
key TAB
key ctrl+A
type "Crane rail"
key TAB
key ctrl+A
type "Rail de roulement"
key TAB
key ctrl+A
type "Kranschiene"
key TAB
click OK

wait dialog 30101
select 1001 "Other sections"
select 1003 "RAIL"
select 1005 "Crane rail A45"
click OK
