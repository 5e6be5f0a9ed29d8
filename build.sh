g++ -O2 -std=c++17 -I/work/wt-speed mb.cpp /work/wt-speed/units/NumberFormat.cpp -o mb && ./mb
