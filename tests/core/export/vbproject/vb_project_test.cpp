#include "core/export/vbproject/vb_project.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/export/generation_stamp.h"
#include "core/export/vbproject/equation_text.h"
#include "core/export/vbproject/network_form_code.h"
#include "core/test_models.h"
#include "fakes/fake_ports.h"
#include "support/scratch.h"

namespace kdk {
namespace {

using ::testing::HasSubstr;

using testing::FakePorts;

namespace fs = std::filesystem;

TEST(VbProjectFiles, PathsBesideTheProjectAndTheFormNamedAsTheProjectSaysIt) {
  VbProjectPaths paths = VbProjectPathsFor("C:\\out\\Model1.vbp");
  EXPECT_EQ(paths.form, "C:\\out\\Model1.frm");
  EXPECT_EQ(paths.workspace, "C:\\out\\Model1.vbw");
  EXPECT_EQ(paths.base_name, "Model1");
  paths = VbProjectPathsFor("/tmp/my house model.vbp");
  EXPECT_EQ(paths.form, "/tmp/my_house_model.frm");
  EXPECT_EQ(paths.workspace, "/tmp/my house model.vbw");
  EXPECT_THAT(VbProjectText(paths.base_name), HasSubstr("\r\nForm=my_house_model.frm\r\n"));
  // The file system's UTF-8 name, in the project's code page.
  EXPECT_THAT(VbProjectText("Gr\u00F6\u00DFe"), HasSubstr("\r\nForm=Gr\xF6\xDF"
                                                          "e.frm\r\n"));
}

TEST(VbProjectWriting, AModelVbCannotHoldOrComputeWritesNothing) {
  const conformance::ScratchFolder folder;
  FakePorts ports;
  Workspace workspace;
  testing::RecordingMessagePort parse_messages;
  workspace.mars =
      testing::ParseText(testing::MarsText("BF1 = min(0, X1 - 2.5);\r\n"), parse_messages);
  // 400 inputs x 160 hidden neurons: more lines of code than one VB module holds.
  workspace.network = testing::WideNetwork(400, 160, 0.5, 0.5);
  workspace.output_path = folder.File("m.vbp");
  for (int model_type : {kMarsModelType, kNetworkModelType}) {
    EXPECT_FALSE(GenerateVbProject(workspace, model_type,
                                   MakeGenerationStamp(workspace.state, ports.clock),
                                   ports.messages, [](const std::string&) {}));
    EXPECT_TRUE(fs::is_empty(folder.path()));
  }
  EXPECT_EQ(ports.messages.messages.back().text,
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
