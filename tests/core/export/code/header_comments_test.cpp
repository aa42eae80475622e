#include "core/export/code/header_comments.h"

#include <gtest/gtest.h>

#include "core/export/code/code_test_network.h"
#include "core/export/generation_stamp.h"
#include "core/workspace.h"
#include "fakes/fake_ports.h"

namespace kdk {
namespace {

using testing::CodeTestWorkspace;
using testing::CrLfLines;
using testing::SettingsFor;

class HeaderCommentsTest : public ::testing::Test {
 protected:
  std::string Block(const CodeExportSettings& settings) {
    return HeaderCommentBlock(settings, workspace_.network, PlanCode(settings, workspace_.network),
                              MakeGenerationStamp(workspace_.state, clock_));
  }
  void SetUp() override { workspace_.state.model_path = model_path_; }
  // The creation date is read only from a file that exists.
  const std::string model_path_ = std::string(KDK_EXAMPLES_DIR) + "/house_price.kwf";
  Workspace workspace_ = CodeTestWorkspace();
  testing::FixedClock clock_;
};

// Whole blocks of every type are in tests/golden.
TEST_F(HeaderCommentsTest, ModelCreatedIsUnknownWhenTheFileIsGone) {
  workspace_.state.model_path = "/models/gone.kwf";
  const CodeExportSettings c = SettingsFor(CodeType::C);
  EXPECT_NE(ModelInfoText(PlanCode(c, workspace_.network), workspace_.network,
                          MakeGenerationStamp(workspace_.state, clock_))
                .find("\r\nmodel created: Unknown\r\n"),
            std::string::npos);
}

TEST_F(HeaderCommentsTest, NothingTickedAndNothingRenamedGivesNoBlockAtAll) {
  CodeExportSettings c = SettingsFor(CodeType::C);
  c.controls.include_description = false;
  c.controls.include_header = false;
  c.controls.include_limits = false;
  c.controls.include_tanh = false;
  workspace_.network.input_names = {"a", "b"};
  EXPECT_EQ(Block(c), "");
  // A renamed field alone still makes a block.
  workspace_.network.input_names = {"a b", "b"};
  EXPECT_EQ(Block(c), CrLfLines({"/*", "",
                                 "Warning, the following field names from the original source "
                                 "data have been modified:",
                                 "a b = a_b", "*/", ""}));
  // Without smart names a name C takes is used as it is; one it refuses is still
  // repaired, and listed.
  c.controls.smart_field_names = false;
  workspace_.network.input_names = {"a_b", "b"};
  EXPECT_EQ(Block(c), "");
  workspace_.network.input_names = {"a b", "b"};
  EXPECT_NE(Block(c).find("a b = a_b"), std::string::npos);
}

TEST_F(HeaderCommentsTest, RenamedOutputNameIsListedAfterTheInputs) {
  CodeExportSettings f90 = SettingsFor(CodeType::F90);
  f90.output_field_name = "Kestrium price";
  EXPECT_EQ(RenamedFieldsText(f90, PlanCode(f90, workspace_.network)),
            CrLfLines({"!! Warning, the following field names from the original source data "
                       "have been modified:",
                       "!! 2nd input = V_2nd_input", "",
                       "!! Also the suggested output name has "
                       "been modified:",
                       "!! Kestrium price = Kestrium_price"}));
}

TEST_F(HeaderCommentsTest, EmptyDescriptionWritesNothing) {
  const CodeExportSettings sas = SettingsFor(CodeType::Sas);
  EXPECT_EQ(DescriptionText(PlanCode(sas, workspace_.network), workspace_.network), "");
}

}  // namespace
}  // namespace kdk
