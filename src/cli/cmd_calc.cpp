// Placeholder until its subsystem lands.

#include "cli/commands.h"

#include <iostream>

int RunCalc(const CliArgs&)
{
    std::cerr << "loggard-cli: this command is not available yet\n";
    return 2;
}
