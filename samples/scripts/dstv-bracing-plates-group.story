# Bracing gussets get marking points of their own: the detailer makes the point group "Bracing plates",
# gives it two points and makes it the standard group. The new group starts empty, so the point editor
# shows nothing until the first point is added: "Gusset corner", placed by the plate's extent (bottom and
# back) 30 from the edge; then, before it, "Gusset centre", where the bracing meets the first plate, in
# the middle, with a 22 mm hole drilled through.
open dstv-points

wait dialog 234
click 1337
wait dialog 8069
type "Bracing plates"
key RETURN
wait dialog 234
select 1336 "Bracing plates"
click 1334
wait dialog 233
expect disabled 1000
click 1327
wait dialog 8069
type "Gusset corner"
key RETURN
wait dialog 233
expect text 1000 "Gusset corner"
select 1330 "Bottom"
select 1338 "Back"
click 1001
key ctrl+A
type "30"
click 1327
wait dialog 8069
type "Gusset centre"
key RETURN
wait dialog 233
expect text 1000 "Gusset centre"
click 1356
expect checked 1333 1
select 1334 "Plate 1"
click 1336
click 1002
key ctrl+A
type "22"
click OK
wait dialog 234
click 1335
click OK
