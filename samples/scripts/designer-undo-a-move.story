# In the designer the detailer drags the plate thickness field of the end plate's design down and to the
# left by mistake; Ctrl+Z puts it back. The top extension field is nudged three pixels to the right with
# the arrow key: the run of nudges is one step, taken back by one Undo; Redo brings it again and a second
# Undo takes it back. The design is as it was read, so Close asks nothing and writes nothing: the design
# on disk keeps every control where it was.
open designer EndPlate

wait dialog 227
drag 33001 by -100 150
expect text 1304 "tp"
expect enabled 1320
key ctrl+Z
expect disabled 1320
expect enabled 1321
click 33007
key RIGHT
key RIGHT
key RIGHT
click 1320
expect disabled 1320
click 1321
expect disabled 1321
click 1320
click OK
