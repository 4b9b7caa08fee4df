# The integrator's error at t = 10 against the step h, on log-log axes, for
# the flipping box and the window's box, with a line of slope 4 for the eye.
set terminal pngcairo size 720,400 font ",11"
set datafile separator ","
set key top left
set xlabel "step h"
set xrange [0.001:0.2]
set ylabel "error at t = 10"
set logscale xy
set format x "10^{%L}"
set format y "10^{%L}"
set grid
# The guide runs a decade above the window's box's error at h = 0.01.
stats data using ($1 == 0.01 ? $3 : NaN) nooutput
guide(h) = 10 * STATS_max * (h / 0.01)**4
plot data using 1:2 with linespoints lw 2 pt 7 lc rgb "#08519c" title "1 x 2 x 3 box, flipping", \
     data using 1:3 with linespoints lw 2 pt 5 lc rgb "#a63603" title "the window's 0.3 x 2.3 x 0.3 box", \
     guide(x) with lines dt 2 lc rgb "#636363" title "slope 4, for the eye"
