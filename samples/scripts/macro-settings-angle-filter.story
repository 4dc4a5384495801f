# The stiffener is also proposed for beams framing into the column web, but only for beams at 20 to 160
# degrees to the column's axis. From the constraints editor the detailer opens the macro settings, chooses
# the axis-angle filter "Beam to column web", switches it on and types its range; OK stores the settings
# on the macro in the drawing (SetMacroSettings). OK closes the editor.
open constraints Stiffener

wait dialog 8715
click 1137
wait dialog 8141
select 1151 "Beam to column web"
click 1146
click 1149
key ctrl+A
type "20"
click 1150
key ctrl+A
type "160"
click OK
wait dialog 8715
click OK
