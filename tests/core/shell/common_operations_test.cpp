#include "core/shell/common_operations.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/export/code/spss_data_match.h"
#include "core/export/generation_stamp.h"
#include "fakes/fake_ports.h"
#include "support/scratch.h"

namespace kdk {
namespace {

using testing::FakePorts;

TEST(ChooseWeightsFile, AsksWithTheFixedTitleFilterAndRememberedFolder) {
  FakePorts fakes;
  Ports ports = fakes.ports();
  Workspace workspace;
  workspace.state.model_name = "previous";
  fakes.file_dialogs.answers = {"/models/new house.kwf"};
  EXPECT_EQ(ChooseWeightsFile(workspace, ports), "/models/new house.kwf");
  const FileDialogRequest& request = fakes.file_dialogs.open_requests.at(0);
  EXPECT_EQ(request.title, "Select the Kestrium weights file...");
  EXPECT_EQ(request.initial_folder, "/opt/kestriumdk");  // the program's folder at first
  EXPECT_EQ(request.preset_name, "previous");
  EXPECT_EQ(request.filter, "Kestrium Weight File (*.kwf)|*.kwf");
  EXPECT_TRUE(request.must_exist);
  EXPECT_EQ(workspace.state.model_path, "/models/new house.kwf");
  EXPECT_EQ(workspace.state.file_title, "new house.kwf");
  EXPECT_EQ(workspace.state.model_name, "new_house");
  EXPECT_EQ(fakes.settings.values.at("Directories/1Model"), "/models");

  fakes.file_dialogs.answers = {""};
  EXPECT_EQ(ChooseWeightsFile(workspace, ports), "");
  EXPECT_EQ(fakes.file_dialogs.open_requests.at(1).initial_folder, "/models");
  EXPECT_EQ(workspace.state.model_path, "/models/new house.kwf");  // cancel changes nothing
}

TEST(ChooseSaveFile, PreselectsTheSecondFilterEntryAndRemembersPerModelType) {
  FakePorts fakes;
  Ports ports = fakes.ports();
  Workspace workspace;
  workspace.state.model_type = kMarsModelType;
  workspace.state.model_name = "rules";
  fakes.file_dialogs.answers = {"/out/q.sql", "/out2/only.c"};
  EXPECT_EQ(ChooseSaveFile(workspace, ports, "query file (*.sql)|*.sql|text file (*.txt)|*.txt"),
            "/out/q.sql");
  EXPECT_EQ(fakes.file_dialogs.save_requests[0].selected_filter, 1);
  EXPECT_EQ(fakes.file_dialogs.save_requests[0].preset_name, "rules");
  EXPECT_EQ(fakes.file_dialogs.save_requests[0].title, "");
  EXPECT_TRUE(fakes.file_dialogs.save_requests[0].confirm_overwrite);
  EXPECT_TRUE(fakes.file_dialogs.save_requests[0].confirm_create);
  EXPECT_EQ(fakes.settings.values.at("Directories/2Save"), "/out");

  workspace.state.model_type = kNetworkModelType;
  EXPECT_EQ(ChooseSaveFile(workspace, ports, "C file (*.c)|*.c", "rules_C"), "/out2/only.c");
  EXPECT_EQ(fakes.file_dialogs.save_requests[1].selected_filter, 0);
  EXPECT_EQ(fakes.file_dialogs.save_requests[1].preset_name, "rules_C");
  EXPECT_EQ(fakes.file_dialogs.save_requests[1].initial_folder, "/opt/kestriumdk");
  EXPECT_EQ(fakes.settings.values.at("Directories/1Save"), "/out2");

  EXPECT_EQ(ChooseSaveFile(workspace, ports, "C file (*.c)|*.c"), "");
  EXPECT_EQ(fakes.file_dialogs.save_requests[2].initial_folder, "/out2");
}

// Readiness asks for the model before the name; a missing file is named; the creation
// date is "Unknown" once the file is gone; documents open from the program's folder.
TEST(CommonOperations, ChecksDatesAndDocuments) {
  FakePorts fakes;
  Workspace workspace;
  EXPECT_FALSE(CheckReadyToSave(workspace, "", kNetworkModelType, fakes.messages));
  EXPECT_FALSE(CheckReadyToSave(workspace, "/x.c", kMarsModelType, fakes.messages));
  workspace.state.network_loaded = true;
  EXPECT_FALSE(CheckReadyToSave(workspace, "", kNetworkModelType, fakes.messages));
  EXPECT_TRUE(CheckReadyToSave(workspace, "/x.c", kNetworkModelType, fakes.messages));
  EXPECT_FALSE(CheckFileExists("", fakes.messages));
  EXPECT_FALSE(CheckFileExists("/no/such.sav", fakes.messages));
  EXPECT_TRUE(CheckFileExists(KDK_EXAMPLES_DIR "/house_price.kwf", fakes.messages));
  std::vector<std::string> texts;
  for (const auto& message : fakes.messages.messages) texts.push_back(message.text);
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "Please select a model", "Please select a model",
                       "Please select a name to save the file as",
                       "Can't find the file: ", "Can't find the file: /no/such.sav"}));
  EXPECT_EQ(fakes.messages.messages[2].title, "Kestrium Development Kit");
  EXPECT_EQ(fakes.messages.messages[2].buttons, MessageButtons::Ok);

  const conformance::ScratchFolder folder;
  workspace.state.model_path = folder.File("m.kwf");
  conformance::WriteText(workspace.state.model_path, "x");
  EXPECT_EQ(ModelCreatedText(workspace.state, fakes.clock), "Mon, May 3 2004, 9:05 AM");
  std::filesystem::remove(workspace.state.model_path);
  EXPECT_EQ(ModelCreatedText(workspace.state, fakes.clock), "Unknown");

  OpenDocument(fakes.shell, "https://example.org/");
  EXPECT_EQ(fakes.shell.opened, (std::vector<std::string>{"https://example.org/"}));
  EXPECT_EQ(fakes.shell.last_working_folder, "/opt/kestriumdk");
}

}  // namespace
}  // namespace kdk
