#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/model_loader.h"
#include "core/ports/message_port.h"
#include "core/workspace.h"

namespace kdk::cli {

struct ConvertRequest {
  Workspace& workspace;
  MessagePort& messages;
  const Arguments& args;
  std::string output_path;
};

// One "--to TYPE" of kdk convert. `run` writes the file(s) and reports failures
// through the request's message port.
struct ConverterEntry {
  ModelKind kind;
  std::string type;
  std::set<std::string> value_options;
  std::set<std::string> flag_options;
  std::string help;
  std::function<bool(ConvertRequest&)> run;

  bool Accepts(const std::string& option) const {
    return option == "--help" || value_options.count(option) || flag_options.count(option);
  }
};

// Writes the text through WriteGeneratedFile, as the windows' Save buttons do, and
// prints the progress label ("Files Generated..." and the path) on stdout.
bool WriteConvertedText(ConvertRequest& request, std::string_view text);

// Prints the progress label on stdout, its CR LF as line ends; nothing when the
// artifact itself went to standard output ("-o -").
void PrintProgress(const ConvertRequest& request, std::string_view label);

// The conversions of each family, each defined in its own convert_*.cpp.
std::vector<ConverterEntry> CodeConverters();
std::vector<ConverterEntry> MarsConverters();
std::vector<ConverterEntry> NetworkSqlConverters();
std::vector<ConverterEntry> WebConverters();
std::vector<ConverterEntry> VbProjectConverters();
std::vector<ConverterEntry> WorkbookConverters();

// Every conversion kdk knows, in the order --help lists them.
const std::vector<ConverterEntry>& Converters();
const ConverterEntry* FindConverter(ModelKind kind, const std::string& type);

}  // namespace kdk::cli
