#include "engines/spss/sav_dictionary.h"

#include "engines/spss/sav_parse.h"

#include <readstat.h>

#include <memory>

#include "core/common/model_text.h"

namespace kdk::spss {

namespace {

int OnVariable(int, readstat_variable_t* variable, const char*, void* context) {
  const char* name = readstat_variable_get_name(variable);
  static_cast<SavReading*>(context)->names.emplace_back(name == nullptr ? "" : name);
  return READSTAT_HANDLER_OK;
}

void OnError(const char* message, void* context) {
  auto* reading = static_cast<SavReading*>(context);
  if (message != nullptr && reading->detail.empty()) reading->detail = message;
}

struct ParserFree {
  void operator()(readstat_parser_t* parser) const { readstat_parser_free(parser); }
};

}  // namespace

bool ParseSav(const std::string& path, SavReading& reading, readstat_value_handler on_value,
              std::string& error) {
  std::unique_ptr<readstat_parser_t, ParserFree> parser(readstat_parser_init());
  if (!parser) {
    error = "There is not enough memory to read the SPSS data file " + path + ".";
    return false;
  }
  readstat_set_variable_handler(parser.get(), OnVariable);
  readstat_set_error_handler(parser.get(), OnError);
  if (on_value != nullptr) readstat_set_value_handler(parser.get(), on_value);
  const readstat_error_t status = readstat_parse_sav(parser.get(), path.c_str(), &reading);
  if (status == READSTAT_OK) return true;
  error = "The file " + path + " could not be read as SPSS data: " + readstat_error_message(status);
  if (!reading.detail.empty()) error += " (" + reading.detail + ")";
  while (!error.empty() && (error.back() == '\n' || error.back() == ' ')) error.pop_back();
  if (error.back() != '.') error.push_back('.');
  return false;
}

bool ReadSavVariableNames(const std::string& path, std::vector<std::string>& names,
                          std::string& error) {
  SavReading reading;
  if (!ParseSav(path, reading, nullptr, error)) return false;
  // ReadStat gives names in UTF-8, model names are in the code page of model text. A
  // name the code page cannot hold matches no model name: it is kept as "?".
  names.clear();
  for (const std::string& name : reading.names) {
    std::string converted, ignored;
    names.push_back(Utf8ToCp1252(name, converted, ignored) ? converted : "?");
  }
  return true;
}

}  // namespace kdk::spss
