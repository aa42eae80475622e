#include "engines/spss/sav_rows.h"

#include "engines/spss/sav_parse.h"

#include <readstat.h>

#include <charconv>
#include <memory>
#include <vector>

namespace kdk::spss {
namespace {

struct Reading : SavReading {
  TableRows* table = nullptr;
  std::vector<std::string> cells;
  std::vector<std::string_view> fields;
  bool header_sent = false;
  bool stopped = false;  // the table refused a row
};

void CellText(readstat_value_t value, readstat_variable_t* variable, std::string& cell) {
  cell.clear();
  if (readstat_value_is_missing(value, variable)) return;
  if (readstat_value_type(value) == READSTAT_TYPE_STRING) {
    const char* text = readstat_string_value(value);
    if (text != nullptr) cell.assign(text);
    return;
  }
  char buffer[32];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, readstat_double_value(value));
  if (ec == std::errc()) cell.assign(buffer, end);
}

int OnValue(int case_index, readstat_variable_t* variable, readstat_value_t value, void* context) {
  auto* reading = static_cast<Reading*>(static_cast<SavReading*>(context));
  if (!reading->header_sent) {
    std::vector<std::string_view> header(reading->names.begin(), reading->names.end());
    reading->header_sent = true;
    reading->cells.resize(reading->names.size());
    reading->fields.resize(reading->names.size());
    if (!reading->table->Header(header, {})) {
      reading->stopped = true;
      return READSTAT_HANDLER_ABORT;
    }
  }
  const int column = readstat_variable_get_index(variable);
  CellText(value, variable, reading->cells[static_cast<std::size_t>(column)]);
  if (column + 1 < static_cast<int>(reading->cells.size())) return READSTAT_HANDLER_OK;
  for (std::size_t i = 0; i < reading->cells.size(); ++i) reading->fields[i] = reading->cells[i];
  if (!reading->table->Row(reading->fields, {}, static_cast<std::size_t>(case_index) + 1)) {
    reading->stopped = true;
    return READSTAT_HANDLER_ABORT;
  }
  return READSTAT_HANDLER_OK;
}

}  // namespace

bool ReadSavTable(const std::string& path, TableRows& table, std::string& error) {
  Reading reading;
  reading.table = &table;
  const bool parsed = ParseSav(path, reading, OnValue, error);
  if (reading.stopped) {
    error = table.Error();
    return false;
  }
  if (!parsed) return false;
  if (!reading.header_sent) {
    // No cases: the header alone.
    std::vector<std::string_view> header(reading.names.begin(), reading.names.end());
    if (!table.Header(header, {})) {
      error = table.Error();
      return false;
    }
  }
  if (!table.Finish()) {
    error = table.Error();
    return false;
  }
  return true;
}

}  // namespace kdk::spss
