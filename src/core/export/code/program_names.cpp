#include "core/export/code/program_names.h"

#include <string_view>

#include "core/export/code/code_types.h"
#include "core/export/code/smart_names.h"
#include "core/lang/name_table.h"
#include "core/lang/reserved_words.h"

namespace kdk {

namespace {

constexpr std::string_view kRootForEmpty = "Var";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads a positive decimal number without leading zeros from text[at..]; 0 if none.
std::size_t ReadIndex(std::string_view text, std::size_t& at) {
  if (at >= text.size() || !IsDigit(text[at]) || text[at] == '0') return 0;
  std::size_t value = 0;
  while (at < text.size() && IsDigit(text[at])) {
    if (value > 100000000) return 0;  // longer than any index a network has
    value = value * 10 + static_cast<std::size_t>(text[at] - '0');
    ++at;
  }
  return value;
}

// The intermediate variables a layout assigns: R1..R(slots) for B and C; for D also
// R k "_" i and R itself. Layout A assigns none.
class IntermediateNames {
 public:
  IntermediateNames(const lang::LanguageRules& rules, int format, std::size_t slots,
                    std::size_t inputs)
      : rules_(rules), format_(format), slots_(slots), inputs_(inputs) {}

  bool AnyAssigned() const { return format_ != kFormatA; }

  bool Matches(std::string_view name, std::string_view root) const {
    if (!AnyAssigned()) return false;
    if (format_ == kFormatD && lang::SameName(rules_, name, root)) return true;
    if (name.size() <= root.size() || !lang::SameName(rules_, name.substr(0, root.size()), root)) {
      return false;
    }
    std::size_t at = root.size();
    const std::size_t k = ReadIndex(name, at);
    if (k == 0 || k > slots_) return false;
    if (at == name.size()) return true;
    if (format_ != kFormatD || name[at] != '_') return false;
    ++at;
    const std::size_t i = ReadIndex(name, at);
    return i != 0 && i <= inputs_ + 1 && at == name.size();
  }

  // The longest name the layout derives from root.
  std::string Longest(std::string_view root) const {
    std::string name(root);
    name.append(std::to_string(slots_));
    if (format_ == kFormatD) name.append("_").append(std::to_string(inputs_ + 1));
    return name;
  }

 private:
  const lang::LanguageRules& rules_;
  int format_;
  std::size_t slots_;
  std::size_t inputs_;
};

// A root every derived name of which the language takes and nothing else uses: no
// keyword, not the Fortran program, and none of `data_names` (inputs read from the data).
bool RootFits(const lang::LanguageRules& rules, const IntermediateNames& intermediates,
              std::string_view root, std::string_view program,
              const std::vector<std::string>& data_names) {
  if (!lang::IsIdentifierSyntax(rules, root) ||
      !lang::IsIdentifierSyntax(rules, intermediates.Longest(root))) {
    return false;
  }
  for (std::string_view word : lang::ReservedWordsOf(rules.language)) {
    if (intermediates.Matches(word, root)) return false;
  }
  for (const std::string& name : data_names) {
    if (intermediates.Matches(name, root)) return false;
  }
  // The one name claimed before the root: the Fortran program's.
  return program.empty() || !intermediates.Matches(program, root);
}

std::string RootName(const lang::LanguageRules& rules, const IntermediateNames& intermediates,
                     std::string_view cleaned, std::string_view program,
                     const std::vector<std::string>& data_names) {
  if (!intermediates.AnyAssigned()) return std::string(cleaned);
  if (RootFits(rules, intermediates, cleaned, program, data_names)) return std::string(cleaned);
  std::string base;
  for (char c : cleaned) {
    const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '_';
    base.push_back(keep ? c : '_');
  }
  if (base.empty()) base = kRootForEmpty;
  if (!((base[0] >= 'a' && base[0] <= 'z') || (base[0] >= 'A' && base[0] <= 'Z'))) {
    base.insert(base.begin(), 'V');
  }
  const std::size_t limit = rules.max_identifier_length;
  const std::size_t suffix_room = intermediates.Longest("").size() + 4;
  if (limit != 0 && base.size() + suffix_room > limit) base.resize(limit - suffix_room);
  std::string root = base;
  for (int n = 1; !RootFits(rules, intermediates, root, program, data_names); ++n) {
    root = base + "_" + std::to_string(n) + "_";
  }
  return root;
}

}  // namespace

ProgramNames NameProgram(const CodeExportSettings& settings, const NetworkModel& model) {
  const bool smart = settings.controls.smart_field_names;
  const CodeTypeProfile& profile = ProfileOf(settings.code_type);
  const lang::LanguageRules& rules = lang::RulesOf(profile.language);
  const int format = LayoutFor(settings.code_type, settings.equation_format);
  ProgramNames names;
  lang::NameTable table(rules);
  if (profile.program_box != nullptr) {
    const std::string wanted = SmartName(settings.controls.*profile.program_box, smart);
    if (profile.program_name_apart) {
      lang::NameTable apart(rules);
      names.program = apart.Claim(wanted);
    } else {
      names.program = table.Claim(wanted);
    }
  }
  const IntermediateNames intermediates(rules, format, model.who.size(), model.input_names.size());
  // Where the inputs are the data's own variables they cannot be renamed, so the
  // intermediate variables make way for them.
  std::vector<std::string> data_names;
  if (rules.inputs_are_data_variables) {
    data_names.reserve(model.input_names.size());
    for (const std::string& stored : model.input_names) {
      data_names.push_back(SmartName(stored, smart));
    }
  }
  names.root = RootName(rules, intermediates, SmartName(settings.root_name, smart),
                        profile.program_name_apart ? "" : names.program, data_names);
  if (intermediates.AnyAssigned()) {
    const std::string root = names.root;
    table.ReserveWhere(
        [intermediates, root](std::string_view name) { return intermediates.Matches(name, root); });
  }
  names.inputs.reserve(model.input_names.size());
  for (const std::string& stored : model.input_names) {
    names.inputs.push_back(table.Claim(SmartName(stored, smart)));
    if (names.inputs.back() != stored)
      names.renamed_inputs.emplace_back(stored, names.inputs.back());
  }
  names.output = table.Claim(SmartName(settings.output_field_name, smart));
  return names;
}

}  // namespace kdk
