# Distance between the integrated and the exact (omega1, omega3) on log axes,
# where growth in proportion to t is a straight line of slope 1.
set terminal pngcairo size 720,400 font ",11"
set datafile separator ","
set key top left
set xlabel "t"
set ylabel "error"
set logscale xy
set format x "10^{%L}"
set format y "10^{%L}"
set grid
plot data using 2:10 with lines lw 2 lc rgb "#08519c" title "|integrated - exact| for (omega1, omega3)"
