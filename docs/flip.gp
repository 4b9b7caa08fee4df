# The flip: omega1, omega2 and omega3 of a 1 x 2 x 3 box spun mostly about its
# middle axis, integrated (thick, light) with the exact motion drawn over them.
set terminal pngcairo size 720,400 font ",11"
set datafile separator ","
set key outside top center horizontal
set xlabel "t"
set xrange [0:30]
set ylabel "angular velocity (rad per unit time)"
set grid
plot data using 2:3 with lines lw 5 lc rgb "#9ecae1" title "omega1", \
     data using 2:4 with lines lw 5 lc rgb "#a1d99b" title "omega2", \
     data using 2:5 with lines lw 5 lc rgb "#fdae6b" title "omega3", \
     data using 2:8 with lines lw 1.5 dt 2 lc rgb "#08519c" title "exact", \
     data using 2:11 with lines lw 1.5 dt 2 lc rgb "#006d2c" notitle, \
     data using 2:9 with lines lw 1.5 dt 2 lc rgb "#a63603" notitle
