# The flange weld becomes a7, a size the weld list does not offer: the detailer types it into the weld
# combo and presses Tab. The weld applies and the focus goes on through the plate picture's fields to the
# grid below it, where he types the plate width, 220 mm, and Enter applies it.
open macro EndPlate

wait dialog 8131
click 33005
key HOME
key shift+END
type "a7"
key TAB
expect text 33005 "a7"
key TAB
key TAB
key TAB
type "220"
key RETURN
click OK
