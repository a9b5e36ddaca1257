# The chart's shares converging to their long-run marks, from a trace of
# tessel-sim --trace-every in "Four Element Queue". Used by
# tools/make-convergence-plot.sh; reads `trace` (CSV) and writes `output` (PNG).
set terminal pngcairo size 730,420 font "Liberation Sans,10"
set output output
set datafile separator ","
set key outside right center title "Share so far (solid)\nlong run (dashed)" samplen 2
set logscale x
set xrange [500:2000000]
set format x "10^{%L}"
set xlabel "timer ticks counted"
set ylabel "share of resting ticks"
set yrange [0:0.6]
set grid ytics lc rgb "#dddddd"
set title "Four Element Queue: the bars' shares settle to their long-run marks"
colours = "#5050d0 #c040c0 #30a030 #0096aa"
names = "'Queue Empty' 'One in Queue' 'Two in Queue' '3 in Queue'"
# The textbook continuous-time chain with the same rates (up 2, down 3) would
# keep the queue empty 27/65 of the time; the bars settle 1.6 points lower.
textbook = 27.0 / 65
plot for [i=1:4] trace using 1:(column(i + 1)) with lines lw 2 lc rgb word(colours, i) \
       title word(names, i), \
     for [i=1:4] trace using 1:(column(i + 5)) with lines lw 1.5 dt 2 lc rgb word(colours, i) \
       notitle, \
     textbook with lines lw 1 dt 3 lc rgb "#777777" title "Queue Empty, textbook"
