# The constraints editor stays open beside the drawing while the detailer works in the end plate's macro
# dialog too. He types one more equation for the weld of the second stiffener; before he closes the
# editor, the add-on is unloaded. Both windows close with the module, and the equation typed is not lost:
# the editor stores it as it closes.
open constraints Stiffener then-unload

select 8097 in dialog 8715 "Variables"
click 1129 in dialog 8715
key ctrl+End
type "a_weld2 = 0.5 * t_stiff"
