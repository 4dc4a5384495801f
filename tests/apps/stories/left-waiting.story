# Types a name into the sample dialog and never closes it.
open sample
wait dialog 100
click 1001
type "HE 200 A"
