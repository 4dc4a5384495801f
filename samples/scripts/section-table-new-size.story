# A heavy column section the mill rolls to order is not in the HEA table yet. It is added as the section
# library editor adds a size: a copy of HEA 1000 under the name 1100, with its own depth, web and flange
# thicknesses, area and weight. (The library has no editor dialog for section tables yet, so the set-up
# line writes the table through the values table, as that editor will.) Then the detailer opens the
# section selector, which shows HEA 200, picks the new size in the list and confirms it.
add-size HEA 1100 copy-of 1000 h=1090 tw=19 tf=33 d=964 A=400 G=314

open section-selector HEA-200

wait dialog 30101
select 1005 "HEA 1100"
expect text 1007 "HEA 1100"
click OK
