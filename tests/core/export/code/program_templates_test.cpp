#include "core/export/code/program_templates.h"

#include <gtest/gtest.h>

#include "core/export/code/code_test_network.h"
#include "core/export/code/network_expression.h"
#include "fakes/fake_ports.h"

namespace kdk {
namespace {

using testing::CodeTestNetwork;
using testing::CrLfLines;
using testing::SettingsFor;

class ProgramTemplatesTest : public ::testing::Test {
 protected:
  CodeExportSettings Generated(CodeType type, int format) { return SettingsFor(type, format); }
  // The plan a generation with these settings fills: names and temporaries.
  CodePlan Plan(const CodeExportSettings& settings) {
    CodePlan plan;
    NetworkExpression(settings, model_, plan, messages_);
    return plan;
  }
  NetworkModel model_ = CodeTestNetwork();
  testing::RecordingMessagePort messages_;
};

TEST_F(ProgramTemplatesTest, SasListIsACommentAndCanBeLeftOut) {
  CodeExportSettings sas = Generated(CodeType::Sas, kFormatB);
  EXPECT_NE(VariableList(sas, Plan(sas)), "");
  sas.controls.sas_include_var_list = false;
  EXPECT_EQ(VariableList(sas, Plan(sas)), "");
}

TEST_F(ProgramTemplatesTest, SpssListIsCommentLinesWithTheEightCharacterWarning) {
  CodeExportSettings spss = Generated(CodeType::Spss, kFormatC);
  EXPECT_EQ(VariableList(spss, Plan(spss)),
            CrLfLines({"", "/*V_2nd_input ** MORE THAN 8 CHARACTERS **", "/*size",
                       "/*Kestrium_price ** MORE THAN 8 CHARACTERS **", "/*", "/*Var1", "/*Var2",
                       "/*Var3", "/*"}));
  spss.output_field_name = "abcdefgh";
  EXPECT_NE(VariableList(spss, Plan(spss)).find("/*abcdefgh\r\n"), std::string::npos);
  spss.output_field_name = "abcdefghi";
  EXPECT_NE(VariableList(spss, Plan(spss)).find("/*abcdefghi ** MORE THAN 8 CHARACTERS **\r\n"),
            std::string::npos);
  spss.controls.spss_8char_warning = false;
  EXPECT_NE(VariableList(spss, Plan(spss)).find("/*abcdefghi\r\n"), std::string::npos);
  spss.controls.spss_include_var_list = false;
  EXPECT_EQ(VariableList(spss, Plan(spss)), "");
  spss.controls.spss_8char_warning = true;
  EXPECT_NE(VariableList(spss, Plan(spss)), "");
}

// The whole prologues and epilogues of every type are in tests/golden.
TEST_F(ProgramTemplatesTest, JavaClassAndFortranProgramNamesAreCleaned) {
  CodeExportSettings java = Generated(CodeType::Java, kFormatA);
  java.controls.java_class = "My class";
  EXPECT_NE(ProgramPrologue(java, model_, PlanCode(java, model_), "")
                .find("\r\npublic class My_class\r\n"),
            std::string::npos);
  CodeExportSettings f90 = Generated(CodeType::F90, kFormatA);
  f90.controls.fortran_program = "Net-1";
  EXPECT_EQ(
      ProgramPrologue(f90, model_, PlanCode(f90, model_), "").rfind("\r\nProgram Net_1\r\n", 0),
      0u);
  EXPECT_TRUE(ProgramEpilogue(f90, Plan(f90)).ends_with("\r\nEND PROGRAM Net_1"));
}

TEST_F(ProgramTemplatesTest, OneInputGivesOneLineOfEachKind) {
  model_.input_names = {"x"};
  model_.max_norm = {1};
  model_.min_norm = {0};
  model_.wih = {{1, 0}, {0.5, 0}};
  model_.hidden_type = {NeuronType::NonLinear, NeuronType::Bias};
  model_.who = {1, 0.5};
  CodeExportSettings vb = Generated(CodeType::Vb, kFormatA);
  const std::string vb_text = ProgramPrologue(vb, model_, PlanCode(vb, model_), "");
  EXPECT_EQ(vb_text.find("InputBox("), vb_text.rfind("InputBox("));
  CodeExportSettings c = Generated(CodeType::C, kFormatA);
  const std::string c_text = ProgramPrologue(c, model_, PlanCode(c, model_), "");
  EXPECT_NE(c_text.find("\tx = 10;\r\n}"), std::string::npos);
  EXPECT_EQ(c_text.find(" = 10;"), c_text.rfind(" = 10;"));
}

TEST_F(ProgramTemplatesTest, SpssDropListCanBeLeftOut) {
  CodeExportSettings spss = Generated(CodeType::Spss, kFormatC);
  spss.controls.spss_remove_fields = false;
  EXPECT_EQ(ProgramEpilogue(spss, Plan(spss)), "\r\n");
}

}  // namespace
}  // namespace kdk
