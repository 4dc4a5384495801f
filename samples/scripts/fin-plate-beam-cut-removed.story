# The square end cut of the fin plate's beam was drawn twice over: the copes already shape the end. The
# detailer opens the beam's cuts, looks at each cut in the drawing's preview and deletes the end cut; Close
# ends, the remaining cuts stay.
open profile-cuts

wait dialog 235
click 1339
key END
click 1087
click 1
