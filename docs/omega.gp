# omega1 and omega3 against t over 1000 steps, the exact motion drawn over them.
set terminal pngcairo size 720,400 font ",11"
set datafile separator ","
set key autotitle columnhead outside top center horizontal
set xlabel "t"
set ylabel "angular velocity (rad per unit time)"
set grid
plot data using 2:3 with lines lw 4 lc rgb "#9ecae1" title "omega1, integrated", \
     data using 2:5 with lines lw 4 lc rgb "#fdae6b" title "omega3, integrated", \
     data using 2:8 with lines lw 1.5 dt 2 lc rgb "#08519c" title "omega1, exact", \
     data using 2:9 with lines lw 1.5 dt 2 lc rgb "#a63603" title "omega3, exact"
