#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"

namespace {

constexpr const char* kUsage =
    "kdk - the Kestrium Development Kit without windows\n"
    "\n"
    "usage:\n"
    "  kdk info MODEL                      what the model is\n"
    "  kdk predict MODEL [VALUE ...]       one prediction, values in input order\n"
    "  kdk convert MODEL --to TYPE -o PATH [options]\n"
    "  kdk spss-check MODEL DATA.sav       every input a variable of the data file?\n"
    "  kdk spss-run MODEL DATA.sav -o OUT.sav [options]   the SPSS syntax run by PSPP\n"
    "  kdk score MODEL DATA -o OUT [options]    every row of a data file scored\n"
    "\n"
    "MODEL is a weights file (.kwf), a MARS rules text file, or - for MARS text\n"
    "on standard input. 'kdk COMMAND --help' tells more.\n"
    "exit status: 0 success, 1 the model or conversion failed, 2 usage error\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace kdk::cli;
  std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty()) {
    std::cerr << kUsage;
    return kExitUsage;
  }
  const std::string command = words.front();
  words.erase(words.begin());
  try {
    if (command == "--help" || command == "-h" || command == "help") {
      std::cout << kUsage;
      return kExitOk;
    }
    if (command == "info") return RunInfo(words);
    if (command == "predict") return RunPredict(words);
    if (command == "convert") return RunConvert(words);
    if (command == "spss-check") return RunSpssCheck(words);
    if (command == "spss-run") return RunSpssRun(words);
    if (command == "score") return RunScore(words);
    std::cerr << "kdk: unknown command '" << command << "'\n\n" << kUsage;
    return kExitUsage;
  } catch (const UsageError& error) {
    std::cerr << "kdk " << command << ": " << error.message << "\n(see 'kdk " << command
              << " --help')\n";
    return kExitUsage;
  } catch (const std::exception& error) {
    std::cerr << "kdk " << command << ": " << error.what() << '\n';
    return kExitFailure;
  }
}
