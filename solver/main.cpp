// corvane-solve: can the Corvane deal of a second be won?
#include "solver/CSolveCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> aArg(argv + 1, argv + argc);
    return CSolveCommand::Run(aArg, std::cout, std::cerr);
}
