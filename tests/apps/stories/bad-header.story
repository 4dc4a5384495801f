# A step before the dialog is opened.

wait dialog 100
open sample
