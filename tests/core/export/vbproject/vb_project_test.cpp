#include "core/export/vbproject/vb_project.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/export/code/code_test_network.h"
#include "core/export/generation_stamp.h"
#include "core/export/vbproject/equation_text.h"
#include "core/export/vbproject/form_description.h"
#include "core/export/vbproject/network_form_code.h"
#include "core/export/vbproject/vb_file_reader.h"
#include "core/export/vbproject/vb_test_models.h"
#include "core/mars/mars_test_models.h"
#include "fakes/fake_ports.h"
#include "support/scratch.h"

namespace kdk {
namespace {

using testing::FakePorts;
using testing::ReadVbForm;
using testing::TabIndexesDense;
using testing::ThreeInputNetwork;
using testing::VbControl;
using testing::VbFormFile;

namespace fs = std::filesystem;

TEST(VbProjectFiles, PathsBesideTheProjectAndTheFormNamedAsTheProjectSaysIt) {
  VbProjectPaths paths = VbProjectPathsFor("C:\\out\\Model1.vbp");
  EXPECT_EQ(paths.form, "C:\\out\\Model1.frm");
  EXPECT_EQ(paths.workspace, "C:\\out\\Model1.vbw");
  EXPECT_EQ(paths.base_name, "Model1");
  paths = VbProjectPathsFor("/tmp/my house model.vbp");
  EXPECT_EQ(paths.form, "/tmp/my_house_model.frm");
  EXPECT_EQ(paths.workspace, "/tmp/my house model.vbw");
  EXPECT_NE(VbProjectText(paths.base_name).find("\r\nForm=my_house_model.frm\r\n"),
            std::string::npos);
  // The file system's UTF-8 name, in the project's code page.
  EXPECT_NE(VbProjectText("Gr\u00F6\u00DFe")
                .find("\r\nForm=Gr\xF6\xDF"
                      "e.frm\r\n"),
            std::string::npos);
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
  NetworkModel net = testing::ThreeInputNetwork();
  net.hidden_type = {NeuronType::Bias};
  net.wih = {{0}, {0}, {0}, {0}};
  net.who = {0.00001};
  const std::string text = BuildEquationText(net, testing::TestStamp());
  EXPECT_NE(text.find("WEIGHTS\r\n---------------------------------------\r\n\r\n*Output Bias*"
                      "\r\nWHO(1) = 1E-05 (Output Bias)\r\n\r\n---------------------------------"
                      "------\r\nHIDDEN NEURON TYPES\r\n---------------------------------------"
                      "\r\n\r\nOption Explicit"),
            std::string::npos);
  EXPECT_EQ(text.find("WIH(1,"), std::string::npos);
  // VB refuses "1 to 0": the hidden-neuron arrays start at 0 when there are none.
  EXPECT_NE(text.find("Dim WIH(1 to inppb, 0 to hiddenneurons) as Double\r\n"
                      "Dim WHO(0 to hiddenneurons) as Double\r\n"
                      "Dim neurontype(0 to hiddenneurons) as Integer\r\n"),
            std::string::npos);
  EXPECT_NE(VbNetworkForwardPass(net).find("\tDim hval(0 to hiddenneurons) as Double\r\n"),
            std::string::npos);
  EXPECT_EQ(text.find(" to 0)"), std::string::npos);
}

// The form description followed by CR LF, as the form file holds it.
VbFormFile Read(const std::string& description) {
  VbFormFile form;
  std::string error;
  EXPECT_TRUE(ReadVbForm(description + "\r\n", form, error)) << error;
  EXPECT_TRUE(TabIndexesDense(form, error)) << error;
  return form;
}

std::vector<const VbControl*> Named(const VbFormFile& form, std::string_view name) {
  std::vector<const VbControl*> found;
  for (const VbControl& control : form.controls) {
    if (control.name == name) found.push_back(&control);
  }
  return found;
}

TEST(VbFormDescription, SixteenInputsUseTheSecondColumn) {
  NetworkModel net = ThreeInputNetwork();
  net.input_names.clear();
  for (int i = 1; i <= 16; ++i) net.input_names.push_back("in" + std::to_string(i));
  net.max_norm = net.min_norm = net.max_seen = net.min_seen = std::vector<double>(16, 1.0);
  const VbFormFile form = Read(VbNetworkFormDescription(net));
  const auto headings = Named(form, "lblColName");
  ASSERT_EQ(headings.size(), 6u);
  const char* const texts[] = {"Name", "Min", "Max", "Name", "Min", "Max"};
  const char* const lefts[] = {"100", "2700", "4000", "5000", "7600", "8900"};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(headings[k]->properties.at("Caption"), texts[k]);
    EXPECT_EQ(headings[k]->properties.at("Left"), lefts[k]);
    EXPECT_EQ(headings[k]->properties.at("Index"), std::to_string(k + 1));
  }
  const std::pair<const char*, const char*> row16[] = {
      {"lblInput", "5000"}, {"txtInput", "6300"}, {"lblMinVal", "7600"}, {"lblMaxVal", "8900"}};
  for (const auto& [name, left] : row16) {
    const auto controls = Named(form, name);
    ASSERT_EQ(controls.size(), 16u);
    EXPECT_EQ(controls[15]->properties.at("Top"), "1500");
    EXPECT_EQ(controls[15]->properties.at("Left"), left);
    EXPECT_EQ(controls[14]->properties.at("Top"), std::to_string(1500 + 305 * 14));
  }
}

TEST(VbFormDescription, HostileNamesStayInsideTheirCaptions) {
  NetworkModel net = ThreeInputNetwork();
  net.input_names[0] = "say \"hi\"\r\n   End\r\nBegin";
  net.output_name = std::string(3000, '"');
  const VbFormFile form = Read(VbNetworkFormDescription(net));
  EXPECT_EQ(Named(form, "lblInput")[0]->properties.at("Caption"), "say \"hi\"     End  Begin");
  EXPECT_EQ(Named(form, "lblOutput")[0]->properties.at("Caption"), std::string(495, '"'));
}

TEST(VbFormDescription, MarsFormOfTwentyInputs) {
  MarsModel model;
  model.output_name = "VALUE";
  for (int i = 1; i <= 20; ++i) model.input_names.push_back("X" + std::to_string(i));
  model.is_categorical.assign(20, false);
  model.is_categorical[1] = true;
  const VbFormFile form = Read(VbMarsFormDescription(model));
  EXPECT_EQ(form.controls.size(), 5u + 4u + 3u * 20u);
  const auto headings = Named(form, "lblColName");
  ASSERT_EQ(headings.size(), 4u);
  EXPECT_EQ(headings[1]->properties.at("Caption"), "Categorical");
  EXPECT_EQ(headings[3]->properties.at("Left"), "7600");
  const auto flags = Named(form, "lblCategorical");
  EXPECT_EQ(flags[1]->properties.at("Caption"), "True");
  EXPECT_EQ(flags[0]->properties.at("Caption"), "False");
  EXPECT_EQ(flags[19]->properties.at("Left"), "7600");
  EXPECT_EQ(flags[19]->properties.at("Top"), std::to_string(1500 + 305 * 4));
  EXPECT_TRUE(Named(form, "txtConfidence").empty());
  EXPECT_TRUE(Named(form, "lblOutMin").empty());
  EXPECT_EQ(Named(form, "txtInput")[15]->properties.at("Left"), "6300");
  EXPECT_EQ(Named(form, "txtInput")[1]->properties.at("Tag"), "X2");
}

}  // namespace
}  // namespace kdk
