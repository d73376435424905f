// vendrel: the reference host of the add-in on a simulated vault.
#include <unistd.h>

#include <iostream>

#include "tools/vendrel/Cli.h"

int main(int argc, char** argv) {
  vendrel::tools::Console console{std::cin, std::cout, std::cerr, isatty(0) != 0};
  return vendrel::tools::RunCli(std::vector<std::string>(argv + 1, argv + argc), console);
}
