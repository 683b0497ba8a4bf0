#include <iostream>

#include "commands.h"

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    return tavo::cli::run(words, std::cout, std::cerr);
}
