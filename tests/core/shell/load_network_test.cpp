#include "core/shell/load_network.h"

#include <gtest/gtest.h>

#include "core/common/text_utils.h"
#include "core/network/weights_reader.h"
#include "fakes/fake_ports.h"
#include "fakes/weights_file_builder.h"
#include "support/scratch.h"

namespace kdk {
namespace {

using testing::BuildWeightsFile;
using testing::FakePorts;
using testing::SmallNetworkRecipe;

struct LoadNetworkTest : ::testing::Test {
  std::string Write(const std::string& name, const std::string& text) {
    conformance::WriteText(folder_.File(name), text);
    return folder_.File(name);
  }

  std::string GoodFile(const std::string& name) {
    auto recipe = SmallNetworkRecipe();
    recipe.trailing_lines = {"NET DESCRIPTION", "hello", "END OF NET DESCRIPTION"};
    return Write(name, BuildWeightsFile(recipe));
  }

  conformance::ScratchFolder folder_;
  FakePorts fakes_;
  Workspace workspace_;
};

TEST_F(LoadNetworkTest, ABadCommandLineFileIsTriedOnceThenTheDialogAsks) {
  const std::string bad = Write("bad.kwf", "not a weights file");
  fakes_.shell.command_line = bad + " /switch";
  Ports ports = fakes_.ports();
  EXPECT_FALSE(LoadNetworkModel(workspace_, ports));
  ASSERT_EQ(fakes_.messages.messages.size(), 1u);
  EXPECT_EQ(fakes_.messages.messages[0].text, CorruptWeightsFileMessage(bad));
  EXPECT_EQ(workspace_.state.model_path, "");
  EXPECT_TRUE(workspace_.launch_button_hidden);
  EXPECT_FALSE(workspace_.state.network_loaded);

  fakes_.file_dialogs.answers = {""};
  EXPECT_FALSE(LoadNetworkModel(workspace_, ports));
  EXPECT_EQ(fakes_.file_dialogs.open_requests.size(), 1u);
  EXPECT_EQ(fakes_.messages.messages.size(), 1u);  // a cancel is silent
}

TEST_F(LoadNetworkTest, AFailedLoadKeepsThePreviousNetwork) {
  const std::string good = GoodFile("good.kwf");
  const std::string bad =
      Write("bad one.kwf", BuildWeightsFile(SmallNetworkRecipe()).substr(0, 200));
  Ports ports = fakes_.ports();
  fakes_.file_dialogs.answers = {good, bad};
  workspace_.state.mars_loaded = true;
  ASSERT_TRUE(LoadNetworkModel(workspace_, ports));
  EXPECT_FALSE(workspace_.state.mars_loaded);
  EXPECT_EQ(workspace_.state.model_type, kNetworkModelType);
  EXPECT_FALSE(workspace_.launch_button_hidden);
  const NetworkModel before = workspace_.network;
  EXPECT_FALSE(LoadNetworkModel(workspace_, ports));
  EXPECT_EQ(fakes_.file_dialogs.open_requests[1].preset_name, "good");
  EXPECT_TRUE(workspace_.state.network_loaded);
  EXPECT_EQ(workspace_.state.model_path, good);
  EXPECT_EQ(workspace_.state.model_name, "good");
  EXPECT_EQ(workspace_.network.wih, before.wih);
  EXPECT_EQ(workspace_.network.description, "hello");
  EXPECT_EQ(fakes_.messages.messages.back().text, CorruptWeightsFileMessage(bad));
}

TEST_F(LoadNetworkTest, AMarsPathIsOfferedInTheDialogNotRead) {
  Ports ports = fakes_.ports();
  workspace_.command_line_tried = true;
  workspace_.state.model_path = Write("rules.txt", "BF1 = max(0, X - 1);\r\n");
  workspace_.state.model_name = "rules";
  workspace_.state.mars_loaded = true;
  fakes_.file_dialogs.answers = {""};
  EXPECT_FALSE(LoadNetworkModel(workspace_, ports));
  ASSERT_EQ(fakes_.file_dialogs.open_requests.size(), 1u);
  EXPECT_EQ(fakes_.file_dialogs.open_requests[0].preset_name, "rules");
  EXPECT_TRUE(fakes_.messages.messages.empty());
  EXPECT_TRUE(workspace_.state.mars_loaded);
}

TEST_F(LoadNetworkTest, AMissingFileIsReportedAsCorrupted) {
  MessagePort& messages = fakes_.messages;
  const std::string missing = folder_.File("gone.kwf");
  EXPECT_FALSE(LoadNetworkFromPath(workspace_, missing, messages));
  EXPECT_EQ(fakes_.messages.messages.at(0).text, CorruptWeightsFileMessage(missing));
  std::string description = "stale";
  EXPECT_FALSE(ReadNetDescription(missing, description, messages));
  EXPECT_EQ(description, "");
  EXPECT_EQ(fakes_.messages.messages.at(1).text,
            "Error reading description from weights file:" + missing + "\r\n\r\n");
}

// Every field is finite, but a number a program would be written with is not, or its
// 15-digit text rounds past the largest double (the double after 1.7976931348623149E308).
TEST_F(LoadNetworkTest, ANetworkWhoseNumbersOverflowIsRefusedNamingTheField) {
  auto weight = SmallNetworkRecipe();
  weight.inputs[0] = {"alpha", 0.5, 0, 1, -1};
  weight.wih[0][0] = 1e308;
  auto narrow = SmallNetworkRecipe();
  narrow.inputs[1] = {"beta", 1e-310, 0, 1, -1};
  auto output = SmallNetworkRecipe();
  output.max_norm_out = 1e308;
  output.min_norm_out = -1e308;
  const std::string rounded = ReplaceAll(BuildWeightsFile(SmallNetworkRecipe()), "\r\n0.8,1\r\n",
                                         "\r\n1.7976931348623151E308,1\r\n");
  const std::string past = " is past the largest number (1.79769313486231E+308).";
  const std::pair<std::string, std::string> cases[] = {
      {BuildWeightsFile(weight),
       "The input alpha cannot be scaled: its weight to hidden neuron 1 (1E+308) over its range "
       "from 0 to 0.5" +
           past},
      {BuildWeightsFile(narrow),
       "The input beta cannot be scaled: its weight to hidden neuron 1 (1.5) over its range from "
       "0 to 9.99999999999997E-311" +
           past},
      {BuildWeightsFile(output),
       "The output out cannot be scaled: the width of its range from -1E+308 to 1E+308" + past},
      {rounded,
       "The hidden neuron 1 cannot be written: its weight to the output (1.79769313486232E+308)" +
           past}};
  for (const auto& [text, message] : cases) {
    fakes_.messages.messages.clear();
    EXPECT_FALSE(LoadNetworkFromPath(workspace_, Write("net.kwf", text), fakes_.messages));
    ASSERT_EQ(fakes_.messages.messages.size(), 1u);
    EXPECT_EQ(fakes_.messages.messages[0].text, message);
  }
  EXPECT_FALSE(workspace_.state.network_loaded);
}

}  // namespace
}  // namespace kdk
