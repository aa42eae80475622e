#include "fakes/weights_file_builder.h"

#include "core/common/number_text.h"

namespace kdk::testing {

std::string BuildWeightsFile(const WeightsFileSpec& spec) {
  std::vector<std::vector<std::string>> rows;
  const size_t n = spec.inputs.size();
  const size_t h = spec.who.size();
  rows.push_back({"\"INPUTS\"", "1"});
  rows.push_back({std::to_string(static_cast<long long>(n) - 1), std::to_string(spec.c_x)});
  rows.push_back({"a", "b", "c", "d", "e"});
  rows.push_back({"\"INPUT LIST\""});
  for (size_t i = 0; i < n; ++i) {
    const TestInput& in = spec.inputs[i];
    rows.push_back({std::to_string(i + 1), "\"" + in.name + "\"", "NUMERIC",
                    NumberText(in.max_norm), NumberText(in.min_norm), NumberText(in.seen_max),
                    NumberText(in.seen_min)});
  }
  rows.push_back({"OUTPUT", "1"});
  rows.push_back({"\"" + spec.output_name + "\"", "NUMERIC", NumberText(spec.max_norm_out),
                  NumberText(spec.min_norm_out), NumberText(spec.seen_max_out),
                  NumberText(spec.seen_min_out)});
  if (spec.c_x >= 0) {
    rows.push_back({"EXTRA", "x"});
    std::vector<std::string> extra;
    for (int j = 0; j <= spec.c_x; ++j) extra.push_back("x" + std::to_string(j));
    rows.push_back(extra);
  }
  rows.push_back({"HIDDEN", "1"});
  rows.push_back({std::to_string(h), "p", "q", "r", "s"});
  for (const std::string& type : spec.hidden_types) rows.push_back({"\"" + type + "\""});
  rows.push_back({"WEIGHTS", "1"});
  for (size_t i = 0; i < spec.wih.size(); ++i) {
    for (size_t k = 0; k < spec.wih[i].size(); ++k) {
      rows.push_back({NumberText(spec.wih[i][k]), std::to_string(i + 1), std::to_string(k + 1)});
    }
  }
  for (size_t k = 0; k < h; ++k) rows.push_back({NumberText(spec.who[k]), std::to_string(k + 1)});
  rows.push_back({"END"});

  std::string text = spec.opening + spec.line_end + spec.header + spec.line_end;
  for (const auto& row : rows) {
    for (size_t j = 0; j < row.size(); ++j) {
      text += row[j];
      if (spec.one_field_per_line) {
        text += spec.line_end;
      } else {
        text += j + 1 < row.size() ? "," : spec.line_end;
      }
    }
  }
  for (const std::string& line : spec.trailing_lines) text += line + spec.line_end;
  return text;
}

WeightsFileSpec SmallNetworkSpec() {
  WeightsFileSpec spec;
  spec.inputs = {{"alpha", 10, 0, 1, -1}, {"beta", 5, -5, 0.5, -0.5}};
  spec.hidden_types = {"NONLINEAR", "LINEAR"};
  spec.wih = {{0.5, -0.25, 9}, {1.5, 0.75, 9}, {-0.125, 0.3, 9}};
  spec.who = {0.8, -0.4, 0.1};
  return spec;
}

long long CountFields(const WeightsFileSpec& spec) {
  const long long n = static_cast<long long>(spec.inputs.size());
  const long long h = static_cast<long long>(spec.who.size());
  long long count =
      3 + 2 + 2 + 5 + 1 + 7 * n + 2 + 6 + 2 + 5 + (h - 1) + 2 + 3 * (n + 1) * h + 2 * h + 1;
  if (spec.c_x >= 0) count += spec.c_x + 3;
  return count;
}

}  // namespace kdk::testing
