#include <gtest/gtest.h>

#include <filesystem>

#include "core/common/text_utils.h"
#include "core/export/code/spss_data_match.h"
#include "core/export/generation_stamp.h"
#include "core/network/weights_reader.h"
#include "core/shell/command_line.h"
#include "core/shell/common_operations.h"
#include "core/shell/load_mars_model.h"
#include "core/shell/load_network.h"
#include "core/test_models.h"
#include "fakes/fake_ports.h"
#include "fakes/weights_file_builder.h"
#include "support/scratch.h"

namespace kdk {
namespace {

using testing::BuildWeightsFile;
using testing::SmallNetworkRecipe;

struct ShellTest : ::testing::Test {
  std::string Write(const std::string& name, const std::string& text) {
    conformance::WriteText(folder_.File(name), text);
    return folder_.File(name);
  }
  // The loaded model: "type mars|network path|title|name".
  std::string State() const {
    const ModelState& s = workspace_.state;
    return std::to_string(s.model_type.value_or(0)) + " " + std::to_string(s.mars_loaded) +
           std::to_string(s.network_loaded) + " " + s.model_path + "|" + s.file_title + "|" +
           s.model_name;
  }
  // An open dialog as asked: "title|folder|preset|filter".
  std::string Asked(std::size_t n) const {
    const FileDialogRequest& r = fakes_.file_dialogs.open_requests.at(n);
    return r.title + "|" + r.initial_folder + "|" + r.preset_name + "|" + r.filter;
  }
  conformance::ScratchFolder folder_;
  testing::FakePorts fakes_;
  Ports ports_ = fakes_.ports();
  Workspace workspace_;
};

TEST_F(ShellTest, TheCommandLineAndTheDialogsAskAsFixedAndRememberTheirFolders) {
  // The path runs to the last ".kwf" in any case; the name is taken after the last slash,
  // then the last backslash; anything left over, or no model at all, hides the button.
  struct Case {
    const char *line, *path, *title, *name;
    bool hide;
  };
  const Case cases[] = {
      {"  \" \"  \"\" ", "", "", "", false},
      {"\"/data/My Nets/House Price.KWF\"", "/data/My Nets/House Price.KWF", "House Price.KWF",
       "House_Price", false},
      {"/data/a.kwf.kwf /silent  ", "/data/a.kwf.kwf", "a.kwf.kwf", "a.kwf", true},
      {"/my models/b.kwf   x", "/my models/b.kwf", "b.kwf", "b", true},
      {"/data/notes.txt", "", "", "", true},
      {"C:\\x/y\\net one.kwf", "C:\\x/y\\net one.kwf", "net one.kwf", "net_one", false}};
  for (const Case& c : cases) {
    const CommandLineModel model = ParseCommandLineModel(c.line);
    EXPECT_EQ(model.consulted, *c.line != ' ') << c.line;
    EXPECT_EQ(model.hide_launch_button, c.hide) << c.line;
    EXPECT_EQ(model.model_path + "|" + (*c.path ? model.file_title + "|" + model.model_name : ""),
              c.path + std::string("|") + (*c.path ? c.title + std::string("|") + c.name : ""));
  }
  workspace_.state.model_name = "previous";
  fakes_.file_dialogs.answers = {"/models/new house.kwf", ""};
  EXPECT_EQ(ChooseWeightsFile(workspace_, ports_), "/models/new house.kwf");
  EXPECT_EQ(Asked(0),
            "Select the Kestrium weights file...|/opt/kestriumdk|previous|Kestrium "
            "Weight File (*.kwf)|*.kwf");
  EXPECT_TRUE(fakes_.file_dialogs.open_requests[0].must_exist);
  EXPECT_EQ(State(), "0 00 /models/new house.kwf|new house.kwf|new_house");
  EXPECT_EQ(fakes_.settings.values.at("Directories/1Model"), "/models");
  EXPECT_EQ(ChooseWeightsFile(workspace_, ports_), "");  // a cancel changes nothing
  EXPECT_EQ(fakes_.file_dialogs.open_requests.at(1).initial_folder, "/models");
  EXPECT_EQ(State(), "0 00 /models/new house.kwf|new house.kwf|new_house");
  // The save dialog confirms, and remembers its folder per model type.
  workspace_.state.model_type = kMarsModelType;
  workspace_.state.model_name = "rules";
  fakes_.file_dialogs.answers = {"/out/q.sql", "/out2/only.c"};
  EXPECT_EQ(ChooseSaveFile(workspace_, ports_, "query file (*.sql)|*.sql|text file (*.txt)|*.txt"),
            "/out/q.sql");
  const FileDialogRequest& first = fakes_.file_dialogs.save_requests[0];
  EXPECT_TRUE(first.title.empty() && first.confirm_overwrite && first.confirm_create);
  EXPECT_EQ(fakes_.settings.values.at("Directories/2Save"), "/out");
  workspace_.state.model_type = kNetworkModelType;
  EXPECT_EQ(ChooseSaveFile(workspace_, ports_, "C file (*.c)|*.c", "rules_C"), "/out2/only.c");
  EXPECT_EQ(fakes_.file_dialogs.save_requests[1].initial_folder, "/opt/kestriumdk");
  EXPECT_EQ(fakes_.settings.values.at("Directories/1Save"), "/out2");
  EXPECT_EQ(ChooseSaveFile(workspace_, ports_, "C file (*.c)|*.c"), "");
  EXPECT_EQ(fakes_.file_dialogs.save_requests[2].initial_folder, "/out2");
}

TEST_F(ShellTest, ChecksDatesAndDocuments) {
  EXPECT_FALSE(CheckReadyToSave(workspace_, "", kNetworkModelType, fakes_.messages));
  EXPECT_FALSE(CheckReadyToSave(workspace_, "/x.c", kMarsModelType, fakes_.messages));
  workspace_.state.network_loaded = true;
  EXPECT_FALSE(CheckReadyToSave(workspace_, "", kNetworkModelType, fakes_.messages));
  EXPECT_TRUE(CheckReadyToSave(workspace_, "/x.c", kNetworkModelType, fakes_.messages));
  EXPECT_FALSE(CheckFileExists("", fakes_.messages));
  EXPECT_FALSE(CheckFileExists("/no/such.sav", fakes_.messages));
  EXPECT_TRUE(CheckFileExists(KDK_EXAMPLES_DIR "/house_price.kwf", fakes_.messages));
  EXPECT_EQ(fakes_.messages.Texts(),
            "Please select a model|Please select a model|Please select a name to save the file "
            "as|Can't find the file: |Can't find the file: /no/such.sav");
  EXPECT_EQ(fakes_.messages.messages[2].title, "Kestrium Development Kit");
  EXPECT_EQ(fakes_.messages.messages[2].buttons, MessageButtons::Ok);

  workspace_.state.model_path = Write("m.kwf", "x");
  EXPECT_EQ(ModelCreatedText(workspace_.state, fakes_.clock), "Mon, May 3 2004, 9:05 AM");
  std::filesystem::remove(workspace_.state.model_path);
  EXPECT_EQ(ModelCreatedText(workspace_.state, fakes_.clock), "Unknown");

  OpenDocument(fakes_.shell, "https://example.org/");
  EXPECT_EQ(fakes_.shell.opened, (std::vector<std::string>{"https://example.org/"}));
  EXPECT_EQ(fakes_.shell.last_working_folder, "/opt/kestriumdk");
}

struct ScriptedSourceDialogs : MarsSourceDialogs {
  std::string ChooseSource() override { return source; }
  std::string PasteModel() override { return pasted; }
  std::string source{kSourceTextFile}, pasted;
};

const std::string kExample = std::string(KDK_EXAMPLES_DIR) + "/house_value_mars.txt";

TEST_F(ShellTest, MarsRulesFileRemembersItsFolderApartFromNetworks) {
  workspace_.state.network_loaded = true;
  ScriptedSourceDialogs dialogs;
  fakes_.file_dialogs.answers = {kExample};
  ASSERT_TRUE(LoadMarsModel(workspace_, ports_, dialogs));
  EXPECT_EQ(State(), "2 10 " + kExample + "|house_value_mars.txt|house_value_mars");
  EXPECT_EQ(MarsModelLabelCaption(workspace_), "Model = " + kExample + "   ");
  EXPECT_EQ(Asked(0),
            "Select the MARS rules file...|/opt/kestriumdk||MARS Rules File (*.TXT)|*.TXT");
  EXPECT_EQ(fakes_.settings.values["Directories/2Model"], std::string(KDK_EXAMPLES_DIR));
  EXPECT_EQ(fakes_.settings.values.count("Directories/1Model"), 0u);
  // The next MARS dialog starts there; cancelling it loads nothing and says nothing.
  EXPECT_FALSE(LoadMarsModel(workspace_, ports_, dialogs));
  EXPECT_EQ(fakes_.file_dialogs.open_requests[1].initial_folder, std::string(KDK_EXAMPLES_DIR));
  EXPECT_TRUE(fakes_.messages.messages.empty());
  EXPECT_EQ(workspace_.state.model_path, kExample);
}

TEST_F(ShellTest, MarsPasteCancelThenOkThenNothingReplacesIt) {
  ScriptedSourceDialogs dialogs;
  dialogs.source = std::string(kSourcePaste);
  EXPECT_FALSE(LoadMarsModel(workspace_, ports_, dialogs));
  EXPECT_TRUE(fakes_.messages.messages.empty());
  EXPECT_FALSE(workspace_.state.mars_loaded);
  dialogs.pasted = ReplaceAll(testing::kWorkedExample, "\r\n", "\n");  // as a clipboard may
  ASSERT_TRUE(LoadMarsModel(workspace_, ports_, dialogs));
  EXPECT_EQ(State(), "2 10 Pasted_Model|Pasted_Model|Pasted_Model");
  EXPECT_EQ(MarsModelLabelCaption(workspace_), "Model = Pasted_Model   ");
  // The MDL source (told once), a cancel and a missing file (told with the system's
  // reason) keep the pasted model.
  fakes_.file_dialogs.answers = {"/nonexistent/rules.TXT"};
  for (std::string_view source : {kSourceMdlFile, kSourceCancel, kSourceTextFile}) {
    dialogs.source = std::string(source);
    EXPECT_FALSE(LoadMarsModel(workspace_, ports_, dialogs));
    EXPECT_EQ(fakes_.messages.messages.at(0).text, "MDL not vailable in this version");
    EXPECT_EQ(State(), "2 10 Pasted_Model|Pasted_Model|Pasted_Model");
    EXPECT_EQ(workspace_.mars.InputCount(), 3);
  }
  ASSERT_EQ(fakes_.messages.messages.size(), 2u);
  EXPECT_TRUE(fakes_.messages.messages[1].text.starts_with(
      "There is a problem trying to read the model data from the file.\r\n\r\n"));
}

TEST_F(ShellTest, ABadCommandLineFileIsTriedOnceThenTheDialogAsks) {
  const std::string bad = Write("bad.kwf", "not a weights file");
  fakes_.shell.command_line = bad + " /switch";
  EXPECT_FALSE(LoadNetworkModel(workspace_, ports_));
  EXPECT_EQ(fakes_.messages.messages.at(0).text, CorruptWeightsFileMessage(bad));
  EXPECT_EQ(State(), "1 00 ||");
  EXPECT_TRUE(workspace_.launch_button_hidden);
  fakes_.file_dialogs.answers = {""};
  EXPECT_FALSE(LoadNetworkModel(workspace_, ports_));
  EXPECT_EQ(fakes_.file_dialogs.open_requests.size(), 1u);
  EXPECT_EQ(fakes_.messages.messages.size(), 1u);  // a cancel is silent
}

TEST_F(ShellTest, AFailedLoadKeepsThePreviousNetwork) {
  auto recipe = SmallNetworkRecipe();
  recipe.trailing_lines = {"NET DESCRIPTION", "hello", "END OF NET DESCRIPTION"};
  const std::string good = Write("good.kwf", BuildWeightsFile(recipe));
  const std::string bad =
      Write("bad one.kwf", BuildWeightsFile(SmallNetworkRecipe()).substr(0, 200));
  fakes_.file_dialogs.answers = {good, bad};
  workspace_.state.mars_loaded = true;
  ASSERT_TRUE(LoadNetworkModel(workspace_, ports_));
  EXPECT_EQ(State(), "1 01 " + good + "|good.kwf|good");
  EXPECT_FALSE(workspace_.launch_button_hidden);
  const NetworkModel before = workspace_.network;
  EXPECT_FALSE(LoadNetworkModel(workspace_, ports_));
  EXPECT_EQ(fakes_.file_dialogs.open_requests[1].preset_name, "good");
  EXPECT_EQ(State(), "1 01 " + good + "|good.kwf|good");
  EXPECT_EQ(workspace_.network.wih, before.wih);
  EXPECT_EQ(workspace_.network.description, "hello");
  EXPECT_EQ(fakes_.messages.messages.back().text, CorruptWeightsFileMessage(bad));
}

TEST_F(ShellTest, AMarsPathIsOfferedInTheDialogNotRead) {
  workspace_.command_line_tried = true;
  workspace_.state.model_path = Write("rules.txt", "BF1 = max(0, X - 1);\r\n");
  workspace_.state.model_name = "rules";
  workspace_.state.mars_loaded = true;
  fakes_.file_dialogs.answers = {""};
  EXPECT_FALSE(LoadNetworkModel(workspace_, ports_));
  ASSERT_EQ(fakes_.file_dialogs.open_requests.size(), 1u);
  EXPECT_EQ(fakes_.file_dialogs.open_requests[0].preset_name, "rules");
  EXPECT_TRUE(fakes_.messages.messages.empty());
  EXPECT_TRUE(workspace_.state.mars_loaded);
}

// Every field is finite, but a number a program would be written with is not, or its
// 15-digit text rounds past the largest double (the double after 1.7976931348623149E308).
TEST_F(ShellTest, AMissingFileOrNumbersThatOverflowAreRefusedNamingTheField) {
  const std::string missing = folder_.File("gone.kwf");
  EXPECT_FALSE(LoadNetworkFromPath(workspace_, missing, fakes_.messages));
  std::string description = "stale";
  EXPECT_FALSE(ReadNetDescription(missing, description, fakes_.messages));
  EXPECT_EQ(description, "");
  EXPECT_EQ(fakes_.messages.Texts(), CorruptWeightsFileMessage(missing) +
                                         "|Error reading description from weights file:" + missing +
                                         "\r\n\r\n");
  auto weight = SmallNetworkRecipe();
  weight.inputs[0] = {"alpha", 0.5, 0, 1, -1};
  weight.wih[0][0] = 1e308;
  auto narrow = SmallNetworkRecipe();
  narrow.inputs[1] = {"beta", 1e-310, 0, 1, -1};
  auto output = SmallNetworkRecipe();
  output.max_norm_out = 1e308;
  output.min_norm_out = -1e308;
  auto far = SmallNetworkRecipe();  // a writable coefficient whose offset is not
  far.inputs[0] = {"far", 1.0000001e300, 1e300, 1, -1};
  far.wih[0][0] = 1e302;
  const std::string rounded = ReplaceAll(BuildWeightsFile(SmallNetworkRecipe()), "\r\n0.8,1\r\n",
                                         "\r\n1.7976931348623151E308,1\r\n");
  const std::string past = " is past the largest number (1.79769313486231E+308).";
  const std::pair<std::string, std::string> cases[] = {
      {BuildWeightsFile(weight),
       "The input alpha cannot be scaled: its weight to hidden neuron 1 (1E+308) over its range "
       "from 0 to 0.5"},
      {BuildWeightsFile(narrow),
       "The input beta cannot be scaled: its weight to hidden neuron 1 (1.5) over its range from "
       "0 to 9.99999999999997E-311"},
      {BuildWeightsFile(far),
       "The input far cannot be scaled: its weight to hidden neuron 1 (1E+302) over its range "
       "from 1E+300 to 1.0000001E+300"},
      {BuildWeightsFile(output),
       "The output out cannot be scaled: the width of its range from -1E+308 to 1E+308"},
      {rounded,
       "The hidden neuron 1 cannot be written: its weight to the output (1.79769313486232E+308)"}};
  for (const auto& [text, message] : cases) {
    fakes_.messages.messages.clear();
    EXPECT_FALSE(LoadNetworkFromPath(workspace_, Write("net.kwf", text), fakes_.messages));
    EXPECT_EQ(fakes_.messages.Texts(), message + past);
  }
  EXPECT_FALSE(workspace_.state.network_loaded);
}

}  // namespace
}  // namespace kdk
