# attitude_error_degrees over t = 0..200, log scale: the window's box, the
# flipping 1 x 2 x 3 box, and a start 1e-9 from the middle axis of a
# 0.7 x 1.9 x 3.1 box, all with h = 0.01. Columns: t (2), the error (23).
set terminal pngcairo size 720,420 font ",11"
set datafile separator ","
set grid
set logscale y
set format y "10^{%L}"
set xlabel "t"
set ylabel "attitude error (degrees)"
set xrange [0:200]
set yrange [1e-12:1e3]
set key top left
plot window using 2:($23 > 0 ? $23 : 1/0) with lines lw 2 lc rgb "#a63603" title "the window's box", \
     flip using 2:($23 > 0 ? $23 : 1/0) with lines lw 2 lc rgb "#08519c" title "flipping 1 x 2 x 3 box", \
     middle using 2:($23 > 0 ? $23 : 1/0) with lines lw 2 lc rgb "#31a354" title "1e-9 from the middle axis"
