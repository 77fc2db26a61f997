// tesmor42-cli: the browser's core without a window, for batch work and scripted checks.

#include "cli/commands.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return tesmor::cli::RunCli(args, std::cout, std::cerr);
}
