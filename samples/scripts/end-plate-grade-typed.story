# The steel grade the detailer needs, S420, is not in the grade list. He types it over the grade in the
# plate picture and closes the dialog: leaving the field applies what was typed, so the drawing takes
# S420 before the dialog closes.
open macro EndPlate

wait dialog 8131
click 33003
key HOME
key shift+END
type "S420"
click OK
