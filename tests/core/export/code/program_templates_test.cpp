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
  // Runs the expression first, as generation does, so temp_variables are fresh.
  CodeExportSettings Generated(CodeType type, int format) {
    CodeExportSettings settings = SettingsFor(type, format);
    NetworkExpression(settings, model_, messages_);
    return settings;
  }
  NetworkModel model_ = CodeTestNetwork();
  testing::RecordingMessagePort messages_;
};

TEST_F(ProgramTemplatesTest, VariableListPerCodeType) {
  CodeExportSettings c = Generated(CodeType::C, kFormatA);
  EXPECT_EQ(VariableList(c, model_),
            "\r\ndouble _2nd_input;\r\ndouble size;\r\ndouble Kestrium_price;\r\n");
  CodeExportSettings vb = Generated(CodeType::Vb, kFormatB);
  EXPECT_EQ(VariableList(vb, model_),
            CrLfLines({"", "Dim V_2nd_input as Double ", "Dim size as Double ",
                       "Dim Kestrium_price as Double ", "", "Dim Var1 as Double ",
                       "Dim Var2 as Double ", "Dim Var3 as Double ", ""}));
  CodeExportSettings f90 = Generated(CodeType::F90, kFormatA);
  EXPECT_EQ(VariableList(f90, model_),
            CrLfLines({"", "REAL :: V_2nd_input", "REAL :: size", "REAL :: Kestrium_price", ""}));
  CodeExportSettings java = Generated(CodeType::Java, kFormatA);
  EXPECT_EQ(VariableList(java, model_),
            CrLfLines({"", "public static double _2nd_input;", "public static double size;",
                       "public static double Kestrium_price;", ""}));
}

TEST_F(ProgramTemplatesTest, SasListIsACommentAndCanBeLeftOut) {
  CodeExportSettings sas = Generated(CodeType::Sas, kFormatB);
  EXPECT_EQ(VariableList(sas, model_), CrLfLines({"", "/*", "_2nd_input", "size", "Kestrium_price",
                                                  "", "Var1", "Var2", "Var3", "*/", ""}));
  sas.controls.sas_include_var_list = false;
  EXPECT_EQ(VariableList(sas, model_), "");
}

TEST_F(ProgramTemplatesTest, SpssListIsCommentLinesWithTheEightCharacterWarning) {
  CodeExportSettings spss = Generated(CodeType::Spss, kFormatC);
  EXPECT_EQ(VariableList(spss, model_),
            CrLfLines({"", "/*V_2nd_input ** MORE THAN 8 CHARACTERS **", "/*size",
                       "/*Kestrium_price ** MORE THAN 8 CHARACTERS **", "/*", "/*Var1", "/*Var2",
                       "/*Var3", "/*"}));
  spss.output_field_name = "abcdefgh";
  EXPECT_NE(VariableList(spss, model_).find("/*abcdefgh\r\n"), std::string::npos);
  spss.output_field_name = "abcdefghi";
  EXPECT_NE(VariableList(spss, model_).find("/*abcdefghi ** MORE THAN 8 CHARACTERS **\r\n"),
            std::string::npos);
  spss.controls.spss_8char_warning = false;
  EXPECT_NE(VariableList(spss, model_).find("/*abcdefghi\r\n"), std::string::npos);
  spss.controls.spss_include_var_list = false;
  EXPECT_EQ(VariableList(spss, model_), "");
  spss.controls.spss_8char_warning = true;
  EXPECT_NE(VariableList(spss, model_), "");
}

TEST_F(ProgramTemplatesTest, SasPrologueAndEpilogue) {
  CodeExportSettings sas = Generated(CodeType::Sas, kFormatA);
  EXPECT_EQ(ProgramPrologue(sas, model_, "V"), "V\r\nData new_data;\r\nSet source_data;\r\n");
  EXPECT_EQ(ProgramEpilogue(sas, model_), "\r\nRun;\r\n");
}

TEST_F(ProgramTemplatesTest, VbPrologueAndEpilogue) {
  CodeExportSettings vb = Generated(CodeType::Vb, kFormatA);
  EXPECT_EQ(
      ProgramPrologue(vb, model_, "V"),
      "V\r\n" +
          CrLfLines({"", "Public Sub NeuralPrediction()", "", "\tGetDataValues",
                     "\tMsgBox \"price = \" & calcnet", "", "End Sub", "",
                     "Private Sub GetDataValues()", "", "\t'this is where the data values are set",
                     "\tV_2nd_input = InputBox(\"V_2nd_input\")", "\tsize = InputBox(\"size\")", "",
                     "End Sub", "", "Private Function Calcnet() as Double", ""}));
  EXPECT_EQ(ProgramEpilogue(vb, model_),
            "\r\n" + CrLfLines({"",
                                "Calcnet = Kestrium_price",
                                "",
                                "End Function",
                                "",
                                "",
                                "Private Function Tanh(xval As Double) As Double",
                                "",
                                "\t'this function calculates tanh of Xval",
                                "\t'bounds put in because of the limits on exp in VB",
                                "\tIf xval > 20 Then",
                                "\t    Tanh = 1",
                                "\tElseIf xval < -20 Then",
                                "\t    Tanh = -1",
                                "\tElse",
                                "\t    Tanh = (Exp(xval) - Exp((-1) * xval)) / (Exp(xval) + "
                                "Exp((-1) * xval))",
                                "\tEnd If",
                                "",
                                "End Function",
                                "",
                                ""}));
}

TEST_F(ProgramTemplatesTest, CPrologueAndEpilogue) {
  CodeExportSettings c = Generated(CodeType::C, kFormatA);
  EXPECT_EQ(ProgramPrologue(c, model_, "\r\nV\r\n"),
            CrLfLines({"",
                       "",
                       "#include <stdlib.h>",
                       "#include <stdio.h>",
                       "#include <math.h>",
                       "",
                       "V",
                       "",
                       "void initData(void);",
                       "void calcNet(void);",
                       "double myTanh(double x);",
                       "",
                       "void main()",
                       "{",
                       "\tinitData();",
                       "\tcalcNet();",
                       "\tprintf(\"\\nthe answer is %.2f \\n\",Kestrium_price);",
                       "}",
                       "",
                       "void initData()",
                       "{",
                       "/*",
                       "data is set here*/",
                       "\t_2nd_input = 10;",
                       "\tsize = 10;",
                       "}",
                       "",
                       "void calcNet()",
                       "{"}));
  EXPECT_EQ(ProgramEpilogue(c, model_),
            CrLfLines({"", "}", "", "double myTanh(double x)", "{", "   if (x > 20)",
                       "       return 1;", "   else if (x < -20)", "       return -1;", "   else",
                       "       return tanh(x);", "}", ""}));
}

TEST_F(ProgramTemplatesTest, JavaPrologueAndEpilogueUseTheCleanedClassName) {
  CodeExportSettings java = Generated(CodeType::Java, kFormatA);
  java.controls.java_class = "My class";
  EXPECT_EQ(ProgramPrologue(java, model_, "\r\nV\r\n"),
            CrLfLines({"",
                       "",
                       "import java.lang.Math;",
                       "import java.io.*;",
                       "",
                       "public class My_class",
                       "{",
                       "",
                       "V",
                       "",
                       "",
                       "public static void main(String[] args)",
                       "{",
                       "\tinitData();",
                       "\tcalcNet();",
                       "\tSystem.out.println(Kestrium_price);",
                       "}",
                       "",
                       "public static void initData()",
                       "{",
                       "// data is set here",
                       "\t_2nd_input = 10;",
                       "\tsize = 10;",
                       "}",
                       "",
                       "public static void calcNet()",
                       "{"}));
  EXPECT_EQ(java.java_class_name, "My_class");
  EXPECT_EQ(
      ProgramEpilogue(java, model_),
      CrLfLines({"", "}", "", "public static double myTanh(double x)", "{", "   if (x > 20)",
                 "       return 1;", "   else if (x < -20)", "       return -1;", "   else",
                 "       {", "       double a = Math.exp(x);", "       double b = Math.exp(-x);",
                 "       return (a-b)/(a+b);", "       }", "}", "", "}"}));
}

TEST_F(ProgramTemplatesTest, FortranPrologueAndEpilogue) {
  CodeExportSettings f90 = Generated(CodeType::F90, kFormatA);
  f90.controls.fortran_program = "Net-1";
  EXPECT_EQ(ProgramPrologue(f90, model_, "\r\nV\r\n"),
            CrLfLines({"",
                       "Program Net_1",
                       "",
                       "V",
                       "",
                       "Call GetInputData",
                       "Call CalcNet",
                       "Print *, Kestrium_price",
                       "",
                       "CONTAINS",
                       "",
                       "SUBROUTINE GetInputData",
                       "",
                       "\t!! this is where the data values are set",
                       "\tPrint *, 'V_2nd_input?'",
                       "\tRead *, V_2nd_input",
                       "\tPrint *, 'size?'",
                       "\tRead *, size",
                       "",
                       "END SUBROUTINE GetInputData",
                       "",
                       "SUBROUTINE CalcNet",
                       ""}));
  EXPECT_EQ(ProgramEpilogue(f90, model_),
            CrLfLines({"", "END SUBROUTINE CalcNet", "", "END PROGRAM Net_1"}));
}

TEST_F(ProgramTemplatesTest, OneInputGivesOneLineOfEachKind) {
  model_.input_names = {"x"};
  model_.max_norm = {1};
  model_.min_norm = {0};
  model_.wih = {{1, 0}, {0.5, 0}};
  model_.hidden_type = {NeuronType::NonLinear, NeuronType::Bias};
  model_.who = {1, 0.5};
  CodeExportSettings vb = Generated(CodeType::Vb, kFormatA);
  const std::string vb_text = ProgramPrologue(vb, model_, "");
  EXPECT_EQ(vb_text.find("InputBox("), vb_text.rfind("InputBox("));
  CodeExportSettings c = Generated(CodeType::C, kFormatA);
  const std::string c_text = ProgramPrologue(c, model_, "");
  EXPECT_NE(c_text.find("\tx = 10;\r\n}"), std::string::npos);
  EXPECT_EQ(c_text.find(" = 10;"), c_text.rfind(" = 10;"));
}

TEST_F(ProgramTemplatesTest, SpssDropListNamesTheIntermediateVariables) {
  CodeExportSettings spss = Generated(CodeType::Spss, kFormatC);
  EXPECT_EQ(ProgramEpilogue(spss, model_),
            CrLfLines({"", "MATCH FILES", " /FILE=*", " /DROP=", " Var1", " Var2", " Var3 ."}));
  spss.controls.spss_remove_fields = false;
  EXPECT_EQ(ProgramEpilogue(spss, model_), "\r\n");
}

TEST_F(ProgramTemplatesTest, EquationHasNoFixedText) {
  CodeExportSettings equation = Generated(CodeType::Equation, kFormatA);
  EXPECT_EQ(ProgramPrologue(equation, model_, "V"), "V");
  EXPECT_EQ(ProgramEpilogue(equation, model_), "");
}

}  // namespace
}  // namespace kdk
