// The l3xml program.
#include "command_line.h"
#include "host_platform.h"

int main(int argc, char** argv) {
  // Before anything is parsed: a signal that ends the program must find the folders to remove.
  l3xml_cli::catchEndingSignals();
  return l3xml_cli::runCommandLine(argc, argv);
}
