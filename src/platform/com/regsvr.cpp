// regsvr [/s] [/u] LIBRARY
#include <iostream>
#include <string>
#include <vector>

#include "platform/com/RegServer.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return platform::com::runRegsvr(arguments, std::cout, std::cerr);
}
