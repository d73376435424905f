// vendrel: the reference host of the add-in on a simulated vault.
#include <iostream>

#include "tools/vendrel/Cli.h"
#include "tools/vendrel/Platform.h"

int main(int argc, char** argv) {
  vendrel::tools::Console console{std::cin, std::cout, std::cerr,
                                  vendrel::tools::InputIsInteractive()};
  return vendrel::tools::RunCli(std::vector<std::string>(argv + 1, argv + argc), console);
}
