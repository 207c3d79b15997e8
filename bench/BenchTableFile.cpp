// Prints the path of the generated table of the given number of words, made once and kept under
// /tmp like every benchmark's, so a script can start the whole program on it.

#include "bench/BenchTable.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2 || std::atol(argv[1]) <= 0) {
        std::cerr << "usage: bench_table_file WORDS\n";
        return 2;
    }
    std::cout << BenchTablePath(static_cast<std::size_t>(std::atol(argv[1]))) << '\n';
    return 0;
}
