# Before the bars of Hall 3 are cut, the detailer takes the shop's latest lists of every profile of the
# job: the report loads the newest stock file and the newest purchase file of each profile and says which
# it took and of what date; the angle has no purchase file yet. Closing the report, the beams show their
# newest stock (Stock2.shp of 2 March, not the older Stock1.shp), and so does HEA 200. OK hands the job
# back with the stock and purchase lists loaded.
open cutting-stock

wait dialog 8122
click 8592
wait dialog 30100
click OK
wait dialog 8122
select 9036 "HEA 200"
click OK
