# The window's box over t = 0..30: how far its long axis leans from vertical
# as the window draws it and as the integrated attitude places it, and the
# angle between the two.
set terminal pngcairo size 720,520 font ",11"
set datafile separator ","
set grid
set xrange [0:30]
deg = 180 / pi
# Body y turned by the window's rule: turn_angle_degrees about (w1, w2, -w3).
drawnY(w1, w2, w3, d) = cos(d / deg) + (w2**2 / (w1**2 + w2**2 + w3**2)) * (1 - cos(d / deg))
trueY(x, z) = 1 - 2 * (x**2 + z**2)
clamp(c) = c > 1 ? 1 : (c < -1 ? -1 : c)
set multiplot layout 2,1
set key top right
set ylabel "tilt from vertical (degrees)"
set yrange [0:180]
set ytics 30
unset xlabel
plot data using 2:(acos(clamp(drawnY($3, $4, $5, $7))) * deg) with lines lw 2 lc rgb "#a63603" title "as the window draws it", \
     data using 2:(acos(clamp(trueY($15, $17))) * deg) with lines lw 2 lc rgb "#08519c" title "integrated attitude"
set xlabel "t"
set ylabel "angle between (degrees)"
plot data using 2:18 with lines lw 2 lc rgb "#636363" title "drawn_axis_gap_degrees" noenhanced
unset multiplot
