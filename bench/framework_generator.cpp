// Writes a generated framework folder for timing whole runs of the l3xml command:
//   l3xml_bench_framework FOLDER [TEMPLATES [PARAMETERS]]
#include <cstdlib>
#include <exception>
#include <iostream>

#include "generated_inputs.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::cerr << "usage: l3xml_bench_framework FOLDER [TEMPLATES [PARAMETERS]]\n";
    return 2;
  }
  const int templates = argc > 2 ? std::atoi(argv[2]) : 3000;
  const int parameters = argc > 3 ? std::atoi(argv[3]) : 2 * templates;
  if (templates <= 0 || parameters <= 0) {
    std::cerr << "l3xml_bench_framework: the counts must be positive\n";
    return 2;
  }
  try {
    l3xml_bench::writeFramework(argv[1], templates, parameters);
  } catch (const std::exception& failure) {
    std::cerr << "l3xml_bench_framework: " << failure.what() << '\n';
    return 1;
  }
  return 0;
}
