#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>

#include "core/common/model_text.h"
#include "core/common/number_text.h"
#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/export/generation_stamp.h"
#include "core/export/vbproject/equation_text.h"
#include "core/export/vbproject/form_description.h"
#include "core/export/vbproject/mars_form_code.h"
#include "core/export/vbproject/network_form_code.h"
#include "core/export/vbproject/vb_project.h"
#include "core/lang/text_checker.h"
#include "core/lang/vb_line_fitting.h"
#include "core/test_models.h"
#include "fakes/fake_ports.h"
#include "support/mars_models.h"
#include "support/networks.h"
#include "support/scratch.h"

namespace kdk {
namespace {

using ::testing::HasSubstr;
using testing::kTestStamp;
using testing::ParseOk;
using testing::RecordingMessagePort;
namespace fs = std::filesystem;

const lang::LanguageRules& kVb = lang::RulesOf(lang::Language::VisualBasic);

TEST(VbNetworkFormCode, HostileTextOneLinearNeuronAndNoHiddenNeurons) {
  NetworkModel net = testing::CodeTestNetwork();
  net.data_source = "say \"hi\"\r\nEnd Sub\r\nx _";
  net.data_view = std::string(3000, 'v');
  const std::string header = VbNetworkHeaderComment(net, kTestStamp);
  EXPECT_THAT(header, HasSubstr("'training data source: say \"hi\"  End Sub  x _."));
  for (const std::string& line : SplitIntoLines(header)) {
    EXPECT_TRUE(line.empty() || line[0] == '\'') << line;
  }
  EXPECT_TRUE(lang::CheckLineRules(kVb, header).empty());
  EXPECT_THAT(VbNetworkDescriptionText(net, kTestStamp),
              HasSubstr("\"training data source:say \"\"hi\"\"  End Sub  x _\""));
  net.data_view = std::string(5000, '~');
  std::string text = VbNetworkEventProcedures(net, kTestStamp);
  EXPECT_TRUE(lang::CheckLineRules(kVb, text).empty());
  EXPECT_EQ(std::count(text.begin(), text.end(), '~'), 5000);  // split, not cut
  net.data_source = std::string(40000, '^');                   // beyond 24 continuations: shortened
  text = VbNetworkEventProcedures(net, kTestStamp);
  EXPECT_TRUE(lang::CheckLineRules(kVb, text).empty());
  EXPECT_EQ(std::count(text.begin(), text.end(), '^'), 2000);
  EXPECT_THAT(text, HasSubstr("^^^...\""));
  // One linear neuron keeps the tanh test.
  net = testing::CodeTestNetwork();
  net.hidden_type = {NeuronType::Linear, NeuronType::Bias};
  for (auto& row : net.wih) row = {row[0], 0};
  net.who = {0.7, 0.1};
  const std::string values = VbNetworkModelValues(net);
  EXPECT_THAT(values, HasSubstr("\r\n\tneurontype(1)=1 'linear\r\n\r\nEnd Sub"));
  EXPECT_EQ(values.find("neurontype(2)"), std::string::npos);
  EXPECT_THAT(VbNetworkForwardPass(net),
              HasSubstr("\t   if (neurontype(j) = 2) then hval(j) = myTanh(hval(j))\r\n"));
  // The equation text of no hidden neurons leaves only the output bias.
  net = testing::CodeTestNetwork();
  net.hidden_type = {NeuronType::Bias};
  net.wih = {{0}, {0}, {0}};
  net.who = {0.00001};
  text = BuildEquationText(net, testing::kTestStamp);
  EXPECT_THAT(text,
              HasSubstr("WEIGHTS\r\n---------------------------------------\r\n\r\n*Output Bias*"
                        "\r\nWHO(1) = 1E-05 (Output Bias)\r\n\r\n---------------------------------"
                        "------\r\nHIDDEN NEURON TYPES\r\n---------------------------------------"
                        "\r\n\r\nOption Explicit"));
  EXPECT_EQ(text.find("WIH(1,"), std::string::npos);
  // VB refuses "1 to 0": the hidden-neuron arrays start at 0 when there are none.
  EXPECT_THAT(text, HasSubstr("Dim WIH(1 to inppb, 0 to hiddenneurons) as Double\r\n"
                              "Dim WHO(0 to hiddenneurons) as Double\r\n"
                              "Dim neurontype(0 to hiddenneurons) as Integer\r\n"));
  EXPECT_THAT(VbNetworkForwardPass(net), HasSubstr("\tDim hval(0 to hiddenneurons) as Double\r\n"));
  EXPECT_EQ(text.find(" to 0)"), std::string::npos);
}

MarsVbCode Prepared(const MarsModel& model) {
  RecordingMessagePort messages;
  MarsVbCode code;
  EXPECT_TRUE(PrepareMarsVbCode(model, code, messages) && messages.messages.empty());
  return code;
}

TEST(VbProject, NamesVbCannotHoldAreRenamedAndWhatItCannotHoldRefused) {
  const std::string text =
      "BF1 = max(0, Gr\xF6\337e - 2.5);\r\nBF2 = ( caf\xE9 > .) * BF1;\r\n\r\n"
      "Y = 1 + 2 * BF2;\r\n\r\nMODEL Y = BF2;\r\n";
  for (const std::string& encoded : {text, Cp1252ToUtf8(text)}) {
    const MarsModel model = ParseOk(encoded);
    EXPECT_EQ(model.input_names, (std::vector<std::string>{"Gr\xF6\337e", "caf\xE9"}));
    const MarsVbCode code = Prepared(model);
    EXPECT_EQ(code.definition_lines[0] + "|" + code.definition_lines[1],
              "BF1 = max(0, inpval(1) - 2.5)|BF2 = ( IIF(inpValRepresentsNull(2) ,0,1)) * BF1");
  }
  // Names VB would refuse are renamed everywhere.
  const MarsVbCode code =
      Prepared(ParseOk("BF1 = max(0, X1 - 2.5);\r\nBF$2 = max(0, 2.5 - X1) * BF1;\r\n\r\n"
                       "Y = 0.5 + 1.2 * BF1 - 0.7 * BF$2;\r\n\r\nMODEL Sub = BF1 BF$2;\r\n"));
  EXPECT_EQ(code.basis_function_names, (std::vector<std::string>{"BF1", "BF_2"}));
  EXPECT_EQ(code.output_name, "Sub_1");
  EXPECT_EQ(code.definition_lines[1], "BF_2 = max(0, 2.5 - inpval(1)) * BF1");
  EXPECT_EQ(code.equation, "0.5 + 1.2 * BF1 - 0.7 * BF_2");
  MarsModel model = ParseOk(testing::kWorkedExample);
  for (const char* member : {"Height", "top", "Tag", "Visible", "Font", "Caption", "Left",
                             "Enabled", "ZOrder", "Click"}) {
    model.output_name = member;
    EXPECT_EQ(Prepared(model).output_name, member + std::string("_1"));
  }
  // The reader refuses min(); the project writer refuses it too in a record that holds it.
  for (const char* bad : {"BF1 = min(0, X1 - 2.5);", "BF1 = max(0, X1 - 2.5); End Sub"}) {
    MarsModel model = ParseOk(testing::kWorkedExample);
    model.basis_function_defs[0] = bad;
    RecordingMessagePort messages;
    MarsVbCode code;
    EXPECT_FALSE(PrepareMarsVbCode(model, code, messages)) << bad;
    ASSERT_FALSE(messages.messages.empty());
    EXPECT_THAT(messages.messages.back().text, HasSubstr("Basis function 1 (" + std::string(bad)));
  }
  // The project's paths, and nothing written for a model VB cannot hold.
  for (const auto& [project, expected] :
       {std::pair{"C:\\out\\Model1.vbp", "C:\\out\\Model1.frm|C:\\out\\Model1.vbw|Model1"},
        {"/tmp/my house model.vbp",
         "/tmp/my_house_model.frm|/tmp/my house model.vbw|my_house_model"}}) {
    const VbProjectPaths paths = VbProjectPathsFor(project);
    EXPECT_EQ(paths.form + "|" + paths.workspace + "|" + paths.base_name, expected);
  }
  // The file system's UTF-8 name, in the project's code page.
  EXPECT_THAT(VbProjectText("Gr\u00F6\u00DFe"), HasSubstr("\r\nForm=Gr\xF6\337e.frm\r\n"));
  const conformance::ScratchFolder folder;
  RecordingMessagePort messages;
  Workspace workspace;
  workspace.mars = testing::ParseText(testing::MarsText("BF1 = min(0, X1 - 2.5);\r\n"), messages);
  // 400 inputs x 160 hidden neurons: more lines of code than one VB module holds.
  workspace.network = testing::WideNetwork(400, 160, 0.5, 0.5);
  workspace.output_path = folder.File("m.vbp");
  for (int model_type : {kMarsModelType, kNetworkModelType}) {
    EXPECT_FALSE(
        GenerateVbProject(workspace, model_type, kTestStamp, messages, [](const std::string&) {}));
    EXPECT_TRUE(fs::is_empty(folder.path()));
  }
  EXPECT_EQ(messages.messages.back().text,
            "The model is too large for a Visual Basic 6 form: line 82888, the code has 68743 "
            "lines; Visual Basic allows 65534 in one module");
}

struct VbControl {
  std::string name;                               // "lblInput"
  std::map<std::string, std::string> properties;  // value as written, strings unquoted
};

struct VbFormFile {
  std::vector<VbControl> controls;
  std::map<std::string, std::string> form_properties;
};

// "Name<blanks>=<blanks>value[<blanks>'comment]" with `indent` leading blanks. A value is
// a quoted string (doubled quotes inside), a whole number or an &H colour.
bool ReadVbProperty(std::string_view line, std::size_t indent, std::string& name,
                    std::string& value) {
  static const std::regex property(
      R"((\w+) *= *("(?:[^"]|"")*"|-?[0-9]+|&H[0-9A-Fa-f]+) *(?:'.*)?)");
  std::match_results<std::string_view::const_iterator> parts;
  if (line.find_first_not_of(' ') != indent ||
      !std::regex_match(line.begin() + indent, line.end(), parts, property)) {
    return false;
  }
  name = parts.str(1);
  value = parts.str(2);
  if (value[0] == '"') value = ReplaceAll(value.substr(1, value.size() - 2), "\"\"", "\"");
  return true;
}

// Reads a form file as VB6 would: "VERSION 5.00", the form block with its property
// lines and control blocks (every Begin closed by its End, indented three blanks a
// level), then at least one Attribute line; every line ends with CR LF.
bool ReadVbForm(std::string_view text, VbFormFile& form, std::string& error) {
  if (!text.ends_with("\r\n") ||
      ReplaceAll(text, "\r\n", "").find_first_of("\r\n") != std::string::npos) {
    error = "a line without CR LF, or a lone CR or LF";
    return false;
  }
  std::vector<std::string> lines = SplitAt(ReplaceAll(text, "\r\n", "\n"), '\n');
  lines.pop_back();
  auto fail = [&](std::size_t index, std::string what) {
    error = "line " + std::to_string(index + 1) + ": " + what + ": " + lines[index];
    return false;
  };
  if (lines.size() < 3 || lines[0] != "VERSION 5.00") return fail(0, "no VERSION line");
  if (lines[1] != "Begin VB.Form Predict") return fail(1, "no form block");
  std::size_t i = 2;
  VbControl* open = nullptr;
  for (; i < lines.size() && lines[i] != "End"; ++i) {
    const std::string_view line = lines[i];
    if (line == "   End") {
      if (!open) return fail(i, "End without Begin");
      open = nullptr;
    } else if (line.substr(0, 9) == "   Begin ") {
      const std::size_t blank = line.find(' ', 9);
      if (open || blank == std::string_view::npos || line.substr(9, 3) != "VB.") {
        return fail(i, "nested control or bad Begin line");
      }
      open = &form.controls.emplace_back(VbControl{std::string(line.substr(blank + 1)), {}});
    } else {
      std::string name, value;
      if (!ReadVbProperty(line, open ? 6 : 3, name, value)) return fail(i, "bad property line");
      auto& properties = open ? open->properties : form.form_properties;
      if (!properties.emplace(name, value).second) return fail(i, "property set twice");
    }
  }
  if (open || i == lines.size()) return fail(i - 1, "control or form not closed");
  if (i + 1 == lines.size() || lines[i + 1].substr(0, 10) != "Attribute ") {
    return fail(i, "no Attribute lines after");
  }
  return true;
}

const GenerationStamp kStamp{"C:\\m\\a \"b\"\r\nEnd Sub _", "Unknown", "Sat, Dec 5 2026, 5:07 PM"};

// Every check a VB6 form file must pass, TabIndex 0, 1, 2, ... in the order written.
VbFormFile ExpectAcceptedByVb(const std::string& form_file, std::size_t controls) {
  VbFormFile form;
  std::string error;
  EXPECT_TRUE(ReadVbForm(form_file, form, error)) << error;
  EXPECT_EQ(form.controls.size(), controls);
  for (std::size_t n = 0; n < form.controls.size(); ++n) {
    EXPECT_EQ(form.controls[n].properties["TabIndex"], std::to_string(n)) << form.controls[n].name;
  }
  for (auto&& found : {lang::CheckLineRules(kVb, form_file), lang::CheckVbProcedureSizes(form_file),
                       lang::CheckVbModuleLines(form_file)}) {
    for (const lang::RuleViolation& v : found) ADD_FAILURE() << "line " << v.line << ": " << v.what;
  }
  return form;
}

TEST(VbProjectLimits, SeededModelsAndTheLargestOfEachKind) {
  auto cases =
      conformance::ConformanceCases(conformance::ConformanceSeed(), 24, 0, {.largest_inputs = 700});
  for (std::size_t n = 0; n < cases.size(); ++n) {
    NetworkModel& net = cases[n].model;
    const std::size_t inputs = net.input_names.size();
    SCOPED_TRACE(std::to_string(inputs) + " inputs, case " + std::to_string(n));
    net.is_classifier = n % 2 == 1;
    if (n % 5 == 2) {
      net.output_name = "x" + std::string(3000, '"');  // a doubled quote at the cut
      net.data_view = std::string(5000, '_') + " _\r\n";
    }
    const std::string form = VbNetworkFormFile(net, kStamp);
    ExpectAcceptedByVb(form, 5 + (net.is_classifier ? 1 : 2) + (inputs > 15 ? 6 : 3) + 4 * inputs);
    // The input ranges, however many procedures hold them, are all set.
    EXPECT_EQ(
        form.find("\tCall SetMaxMinVals_2\r\nEnd Sub\r\n\r\nPrivate Sub SetMaxMinVals_2\r\n") !=
            std::string::npos,
        inputs == 700);
    std::size_t at = 0;
    for (std::size_t i = 1; i <= inputs && at != std::string::npos; ++i) {
      at = form.find("\tminSeen(" + std::to_string(i) + ") = ", at);
    }
    EXPECT_NE(at, std::string::npos);
  }
  std::vector<std::string> texts;
  for (std::uint32_t k = 0; k < 40; ++k) {
    texts.push_back(conformance::GenerateMarsModel(conformance::ConformanceSeed() + k).text);
  }
  for (int count : {300, 300, 120}) {
    texts.push_back(conformance::GenerateLargeMarsText(
        conformance::ConformanceSeed() + count + texts.size(), count));
  }
  bool any_cut = false;
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.substr(0, 200));
    const MarsModel model = testing::ParseOk(text);
    testing::RecordingMessagePort messages;
    std::string form;
    ASSERT_TRUE(VbMarsFormFile(model, kStamp, form, messages))
        << (messages.messages.empty() ? "" : messages.messages.back().text);
    const std::size_t inputs = model.input_names.size();
    ExpectAcceptedByVb(form, 5 + (inputs > 15 ? 4 : 2) + 3 * inputs);
    // Every definition in order, however many procedures hold them.
    std::size_t at = 0;
    for (const std::string& name : model.basis_function_names) {
      at = form.find("\r\n\t" + name + " = ", at);
      ASSERT_NE(at, std::string::npos) << name;
    }
    const bool cut = form.find(
                         "\tCall calcBasisFunctions_2\r\n\r\nEnd Sub\r\n\r\n\r\n"
                         "Private Sub calcBasisFunctions_2()\r\n\r\n\tBF") != std::string::npos;
    EXPECT_TRUE(cut || form.size() <= 200000);
    any_cut = any_cut || cut;
  }
  EXPECT_TRUE(any_cut);
}

std::vector<std::string> Column(const VbFormFile& form, std::string_view name,
                                const std::string& property) {
  std::vector<std::string> values;
  for (const VbControl& control : form.controls) {
    if (control.name == name) values.push_back(control.properties.at(property));
  }
  return values;
}

using Texts = std::vector<std::string>;

// Undoes the line continuations: the statements as VB reads them.
std::vector<std::string> Statements(const std::string& text) {
  std::string joined = text;
  for (const char* continuation : {"\" & _\r\n\t\t\"", "\" & _\r\n\t\""}) {
    joined = ReplaceAll(joined, continuation, "");
  }
  for (const char* continuation : {" _\r\n\t\t", " _\r\n\t"}) {
    joined = ReplaceAll(joined, continuation, " ");
  }
  return SplitAt(ReplaceAll(joined, "\r\n", "\n"), '\n');
}

TEST(VbFormLayout, SixteenInputsUseTheSecondColumnAndLongLinesFit) {
  NetworkModel net = testing::WideNetwork(16, 1, 1, 1);
  VbFormFile form = ExpectAcceptedByVb(VbNetworkFormDescription(net) + "\r\n", 77);
  EXPECT_EQ(Column(form, "lblColName", "Caption"),
            (Texts{"Name", "Min", "Max", "Name", "Min", "Max"}));
  EXPECT_EQ(Column(form, "lblColName", "Left"),
            (Texts{"100", "2700", "4000", "5000", "7600", "8900"}));
  EXPECT_EQ(Column(form, "lblColName", "Index"), (Texts{"1", "2", "3", "4", "5", "6"}));
  for (const auto& [name, left] : {std::pair{"lblInput", "5000"},
                                   {"txtInput", "6300"},
                                   {"lblMinVal", "7600"},
                                   {"lblMaxVal", "8900"}}) {
    const Texts tops = Column(form, name, "Top");
    ASSERT_EQ(tops.size(), 16u);
    EXPECT_EQ(tops[14] + " " + tops[15], std::to_string(1500 + 305 * 14) + " 1500");
    EXPECT_EQ(Column(form, name, "Left")[15], left);
  }
  net.input_names[0] = "say \"hi\"\r\n   End\r\nBegin";
  net.output_name = std::string(3000, '"');
  form = ExpectAcceptedByVb(VbNetworkFormDescription(net) + "\r\n", 77);
  EXPECT_EQ(Column(form, "lblInput", "Caption")[0], "say \"hi\"     End  Begin");
  EXPECT_EQ(Column(form, "lblOutput", "Caption")[0], std::string(495, '"'));
  // A MARS form of twenty inputs.
  MarsModel model;
  model.output_name = "VALUE";
  for (int i = 1; i <= 20; ++i) model.input_names.push_back("X" + std::to_string(i));
  model.is_categorical.assign(20, false);
  model.is_categorical[1] = true;
  form = ExpectAcceptedByVb(VbMarsFormDescription(model) + "\r\n", 5 + 4 + 3 * 20);
  EXPECT_EQ(Column(form, "lblColName", "Caption"),
            (Texts{"Name", "Categorical", "Name", "Categorical"}));
  EXPECT_EQ(Column(form, "lblColName", "Left")[3], "7600");
  const Texts flags = Column(form, "lblCategorical", "Caption");
  EXPECT_EQ(flags[0] + flags[1] + flags[2], "FalseTrueFalse");
  EXPECT_EQ(Column(form, "lblCategorical", "Left")[19], "7600");
  EXPECT_EQ(Column(form, "lblCategorical", "Top")[19], std::to_string(1500 + 305 * 4));
  EXPECT_EQ(Column(form, "txtInput", "Left")[15], "6300");
  EXPECT_EQ(Column(form, "txtInput", "Tag")[1], "X2");
  // Long statements and comments fit VB's lines and read back unchanged.
  // A sum too long for one statement becomes target = first part, then target = target
  // <op> part; every statement, read back, is what was asked for.
  for (const int terms : {600, 3000}) {
    std::string expression = "-1.5";
    for (int i = 1; i <= terms; ++i) {
      expression += (i % 3 ? " + " : " - ") + ("0.1 * (BF" + std::to_string(i)) + " - -2) * -1E-05";
    }
    std::string out;
    ASSERT_TRUE(lang::AppendVbSumAssignment(out, "\t", "calcEquation", expression));
    EXPECT_TRUE(lang::CheckLineRules(kVb, out).empty());
    const std::vector<std::string> statements = Statements(out);
    EXPECT_EQ(statements.size() == 1, terms == 600);
    std::string rebuilt = statements[0].substr(std::string("\tcalcEquation = ").size());
    const std::string more = "\tcalcEquation = calcEquation ";
    for (std::size_t s = 1; s < statements.size(); ++s) {
      ASSERT_EQ(statements[s].substr(0, more.size()), more);
      rebuilt += " " + statements[s].substr(more.size());
    }
    EXPECT_EQ(rebuilt, expression);
  }
  const std::string text = "\tmsgBox \"" + std::string(5000, 'a') + "\"\"b\" & vbCrLf";
  std::string out;
  ASSERT_TRUE(lang::AppendVbStatement(out, text, "\t"));
  EXPECT_TRUE(lang::CheckLineRules(kVb, out).empty());
  EXPECT_EQ(Statements(out), std::vector<std::string>{text});
  out.clear();
  EXPECT_FALSE(lang::AppendVbStatement(out, "\tx = \"" + std::string(40000, 'a') + "\"", "\t"));
  EXPECT_TRUE(out.empty());
  // Up to 1023 characters a statement is one line, and up to 2044 it takes one
  // continuation: every line may be exactly the limit (the last "xy =" statement's
  // second line is), none longer.
  for (std::string statement : {"x =", "xy ="}) {
    for (int words = 1; words <= 1020; ++words) {
      statement += " a";
      out.clear();
      ASSERT_TRUE(lang::AppendVbStatement(out, statement, ""));
      ASSERT_TRUE(lang::CheckLineRules(kVb, out).empty()) << statement.size();
      ASSERT_EQ(out.find(" _\r\n") != std::string::npos, statement.size() > 1023)
          << statement.size();
      ASSERT_EQ(out.find(" _\r\n"), out.rfind(" _\r\n")) << statement.size();
    }
  }
  out.clear();
  lang::AppendVbCommentLine(out, "'" + std::string(1021, 'c') + " _" + std::string(900, 'd'));
  EXPECT_TRUE(lang::CheckLineRules(kVb, out).empty());
  for (const std::string& line : SplitAt(ReplaceAll(out, "\r\n", "\n"), '\n')) {
    EXPECT_EQ(line[0], '\'');
    EXPECT_NE(line.back(), '_');
  }
}

}  // namespace
}  // namespace kdk
