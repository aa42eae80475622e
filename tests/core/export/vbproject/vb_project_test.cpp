// Whole forms of the examples are in tests/golden, and the office suite runs the code
// of seeded models in LibreOffice Basic: here text a model could break out with, and
// names VB would refuse.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/common/model_text.h"
#include "core/common/text_file.h"
#include "core/export/generation_stamp.h"
#include "core/export/vbproject/equation_text.h"
#include "core/export/vbproject/mars_form_code.h"
#include "core/export/vbproject/network_form_code.h"
#include "core/export/vbproject/vb_project.h"
#include "core/lang/text_checker.h"
#include "core/test_models.h"
#include "fakes/fake_ports.h"
#include "support/scratch.h"

namespace kdk {
namespace {

using ::testing::HasSubstr;
using testing::kTestStamp;
using testing::ParseOk;
using testing::RecordingMessagePort;
namespace fs = std::filesystem;

const lang::LanguageRules& kVb = lang::RulesOf(lang::Language::VisualBasic);

TEST(VbNetworkFormCode, HostileTextStaysInsideCommentsStringsAndVbLimits) {
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
}

TEST(VbNetworkFormCode, OneLinearNeuronKeepsTheTanhTest) {
  NetworkModel net = testing::CodeTestNetwork();
  net.hidden_type = {NeuronType::Linear, NeuronType::Bias};
  for (auto& row : net.wih) row = {row[0], 0};
  net.who = {0.7, 0.1};
  const std::string values = VbNetworkModelValues(net);
  EXPECT_THAT(values, HasSubstr("\r\n\tneurontype(1)=1 'linear\r\n\r\nEnd Sub"));
  EXPECT_EQ(values.find("neurontype(2)"), std::string::npos);
  EXPECT_THAT(VbNetworkForwardPass(net),
              HasSubstr("\t   if (neurontype(j) = 2) then hval(j) = myTanh(hval(j))\r\n"));
}

MarsVbCode Prepared(const MarsModel& model) {
  RecordingMessagePort messages;
  MarsVbCode code;
  EXPECT_TRUE(PrepareMarsVbCode(model, code, messages));
  EXPECT_TRUE(messages.messages.empty());
  return code;
}

TEST(VbMarsDefinition, NamesBeyondAsciiInEitherEncodingBecomeInpval) {
  const std::string text =
      "BF1 = max(0, Gr\xF6\337e - 2.5);\r\nBF2 = ( caf\xE9 > .) * BF1;\r\n\r\n"
      "Y = 1 + 2 * BF2;\r\n\r\nMODEL Y = BF2;\r\n";
  for (const std::string& encoded : {text, Cp1252ToUtf8(text)}) {
    const MarsModel model = ParseOk(encoded);
    EXPECT_EQ(model.input_names, (std::vector<std::string>{"Gr\xF6\337e", "caf\xE9"}));
    const MarsVbCode code = Prepared(model);
    EXPECT_EQ(code.definition_lines[0], "BF1 = max(0, inpval(1) - 2.5)");
    EXPECT_EQ(code.definition_lines[1], "BF2 = ( IIF(inpValRepresentsNull(2) ,0,1)) * BF1");
  }
}

TEST(VbMarsFormCode, ModelNamesVbWouldRefuseAreRenamedEverywhere) {
  const MarsVbCode code =
      Prepared(ParseOk("BF1 = max(0, X1 - 2.5);\r\nBF$2 = max(0, 2.5 - X1) * BF1;\r\n\r\n"
                       "Y = 0.5 + 1.2 * BF1 - 0.7 * BF$2;\r\n\r\nMODEL Sub = BF1 BF$2;\r\n"));
  EXPECT_EQ(code.basis_function_names, (std::vector<std::string>{"BF1", "BF_2"}));
  EXPECT_EQ(code.output_name, "Sub_1");
  EXPECT_EQ(code.definition_lines[1], "BF_2 = max(0, 2.5 - inpval(1)) * BF1");
  EXPECT_EQ(code.equation, "0.5 + 1.2 * BF1 - 0.7 * BF_2");
}

TEST(VbMarsFormCode, OutputsNamedLikeFormMembersAreRenamed) {
  MarsModel model = ParseOk(testing::kWorkedExample);
  for (const char* member : {"Height", "top", "Tag", "Visible", "Font", "Caption", "Left",
                             "Enabled", "ZOrder", "Click"}) {
    model.output_name = member;
    EXPECT_EQ(Prepared(model).output_name, member + std::string("_1"));
  }
}

// The reader refuses min(); the project writer refuses it too in a record that holds it.
TEST(VbMarsFormCode, ModelsVbCannotComputeAreRefused) {
  for (const char* bad : {"BF1 = min(0, X1 - 2.5);", "BF1 = max(0, X1 - 2.5); End Sub"}) {
    MarsModel model = ParseOk(testing::kWorkedExample);
    model.basis_function_defs[0] = bad;
    RecordingMessagePort messages;
    MarsVbCode code;
    EXPECT_FALSE(PrepareMarsVbCode(model, code, messages)) << bad;
    ASSERT_FALSE(messages.messages.empty());
    EXPECT_THAT(messages.messages.back().text, HasSubstr("Basis function 1 (" + std::string(bad)));
  }
}

TEST(VbProjectFiles, PathsBesideTheProjectAndTheFormNamedAsTheProjectSaysIt) {
  for (const auto& [project, expected] :
       {std::pair{"C:\\out\\Model1.vbp", "C:\\out\\Model1.frm|C:\\out\\Model1.vbw|Model1"},
        {"/tmp/my house model.vbp",
         "/tmp/my_house_model.frm|/tmp/my house model.vbw|my_house_model"}}) {
    const VbProjectPaths paths = VbProjectPathsFor(project);
    EXPECT_EQ(paths.form + "|" + paths.workspace + "|" + paths.base_name, expected);
  }
  EXPECT_THAT(VbProjectText("my_house_model"), HasSubstr("\r\nForm=my_house_model.frm\r\n"));
  // The file system's UTF-8 name, in the project's code page.
  EXPECT_THAT(VbProjectText("Gr\u00F6\u00DFe"), HasSubstr("\r\nForm=Gr\xF6\337e.frm\r\n"));
}

TEST(VbProjectWriting, AModelVbCannotHoldOrComputeWritesNothing) {
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

TEST(EquationText, NoHiddenNeuronsLeavesOnlyTheOutputBias) {
  NetworkModel net = testing::CodeTestNetwork();
  net.hidden_type = {NeuronType::Bias};
  net.wih = {{0}, {0}, {0}};
  net.who = {0.00001};
  const std::string text = BuildEquationText(net, testing::kTestStamp);
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

}  // namespace
}  // namespace kdk
