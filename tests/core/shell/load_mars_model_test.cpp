#include "core/shell/load_mars_model.h"

#include <gtest/gtest.h>

#include "core/mars/mars_test_models.h"

namespace kdk {
namespace {

class ScriptedSourceDialogs : public MarsSourceDialogs {
 public:
  std::string ChooseSource() override { return source; }
  std::string PasteModel() override {
    ++pastes;
    return pasted;
  }
  std::string source{kSourceCancel};
  std::string pasted;
  int pastes = 0;
};

const std::string kExample = std::string(KDK_EXAMPLES_DIR) + "/house_value_mars.txt";

TEST(LoadMarsModel, RulesFileRemembersItsFolderApartFromNetworks) {
  testing::FakePorts fakes;
  Ports ports = fakes.ports();
  Workspace workspace;
  workspace.state.network_loaded = true;
  ScriptedSourceDialogs dialogs;
  dialogs.source = std::string(kSourceTextFile);
  fakes.file_dialogs.answers = {kExample};
  ASSERT_TRUE(LoadMarsModel(workspace, ports, dialogs));
  EXPECT_EQ(workspace.state.model_type, kMarsModelType);
  EXPECT_TRUE(workspace.state.mars_loaded);
  EXPECT_FALSE(workspace.state.network_loaded);
  EXPECT_EQ(workspace.state.model_path, kExample);
  EXPECT_EQ(workspace.state.file_title, "house_value_mars.txt");
  EXPECT_EQ(workspace.state.model_name, "house_value_mars");
  EXPECT_EQ(MarsModelLabelCaption(workspace), "Model = " + kExample + "   ");
  ASSERT_EQ(fakes.file_dialogs.open_requests.size(), 1u);
  EXPECT_EQ(fakes.file_dialogs.open_requests[0].filter, "MARS Rules File (*.TXT)|*.TXT");
  EXPECT_EQ(fakes.file_dialogs.open_requests[0].initial_folder, "/opt/kestriumdk");
  EXPECT_EQ(fakes.settings.values["Directories/2Model"], std::string(KDK_EXAMPLES_DIR));
  EXPECT_EQ(fakes.settings.values.count("Directories/1Model"), 0u);

  // The next MARS dialog starts there; cancelling it loads nothing and says nothing.
  EXPECT_FALSE(LoadMarsModel(workspace, ports, dialogs));
  EXPECT_EQ(fakes.file_dialogs.open_requests[1].initial_folder, std::string(KDK_EXAMPLES_DIR));
  EXPECT_TRUE(fakes.messages.messages.empty());
  EXPECT_EQ(workspace.state.model_path, kExample);
}

TEST(LoadMarsModel, PasteCancelThenOkThenNothingReplacesIt) {
  testing::FakePorts fakes;
  Ports ports = fakes.ports();
  Workspace workspace;
  ScriptedSourceDialogs dialogs;
  dialogs.source = std::string(kSourcePaste);
  EXPECT_FALSE(LoadMarsModel(workspace, ports, dialogs));
  EXPECT_TRUE(fakes.messages.messages.empty());
  EXPECT_FALSE(workspace.state.mars_loaded);

  dialogs.pasted = testing::kWorkedExample;
  ASSERT_TRUE(LoadMarsModel(workspace, ports, dialogs));
  EXPECT_EQ(workspace.state.model_path, "Pasted_Model");
  EXPECT_EQ(workspace.state.model_name, "Pasted_Model");
  EXPECT_EQ(MarsModelLabelCaption(workspace), "Model = Pasted_Model   ");
  EXPECT_EQ(workspace.mars.InputCount(), 3);

  // The MDL source, a cancel and a bad file keep the pasted model.
  dialogs.source = std::string(kSourceMdlFile);
  EXPECT_FALSE(LoadMarsModel(workspace, ports, dialogs));
  ASSERT_EQ(fakes.messages.messages.size(), 1u);
  EXPECT_EQ(fakes.messages.messages[0].text, "MDL not vailable in this version");

  dialogs.source = std::string(kSourceCancel);
  EXPECT_FALSE(LoadMarsModel(workspace, ports, dialogs));
  EXPECT_EQ(fakes.messages.messages.size(), 1u);

  dialogs.source = std::string(kSourceTextFile);
  fakes.file_dialogs.answers = {"/nonexistent/rules.TXT"};
  EXPECT_FALSE(LoadMarsModel(workspace, ports, dialogs));
  EXPECT_EQ(workspace.state.model_path, "Pasted_Model");
  EXPECT_TRUE(workspace.state.mars_loaded);
  EXPECT_EQ(workspace.mars.InputCount(), 3);
}

}  // namespace
}  // namespace kdk
