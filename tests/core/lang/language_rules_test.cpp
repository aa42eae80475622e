#include "core/lang/language_rules.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/lang/name_table.h"
#include "core/lang/text_checker.h"
#include "core/lang/web_text.h"

namespace kdk::lang {
namespace {

const LanguageRules& C = RulesOf(Language::C);
const LanguageRules& Java = RulesOf(Language::Java);
const LanguageRules& Fortran = RulesOf(Language::Fortran90);
const LanguageRules& Vb = RulesOf(Language::VisualBasic);
const LanguageRules& Spss = RulesOf(Language::Spss);
const LanguageRules& Script = RulesOf(Language::JavaScript);
const LanguageRules& Html = RulesOf(Language::Html);

// "1" for each name the language takes as it is.
std::string Usable(const LanguageRules& rules, const std::vector<std::string>& names) {
  std::string bits;
  for (const std::string& name : names) bits += IsUsableName(rules, name) ? '1' : '0';
  return bits;
}

// The names claimed in turn, each followed by a blank.
std::string Claims(NameTable& table, const std::vector<std::string>& names) {
  std::string claimed;
  for (const std::string& name : names) claimed += table.Claim(name) + " ";
  return claimed;
}

// Fortran takes "X" and "x" for the same name and no more than 63 characters.
TEST(LanguageRules, NamesCommentsStringsNumbersClaimsAndLines) {
  NameTable c(C);
  c.ReserveFixed("Var1");
  EXPECT_EQ(Claims(c, {"income", "Var1", "income", "y1", "my var", "", "2nd"}),
            "income Var1_1 income_1 y1_1 my_var Name _2nd ");
  NameTable fortran(Fortran);
  const std::string b70(70, 'b');
  EXPECT_EQ(Claims(fortran, {"_2nd_input", "2nd", "X", "x", b70, b70}),
            "V_2nd_input V2nd X x_1 " + std::string(63, 'b') + " " + std::string(61, 'b') + "_1 ");
  // The checker finds long lines, continuations and lone line ends.
  std::string statement = "x = 1";
  for (int i = 0; i < 24; ++i) statement += " _\r\n + 1";
  EXPECT_TRUE(CheckLineRules(Vb, statement + "\r\n").empty());
  const auto too_many = CheckLineRules(Vb, statement + " _\r\n + 1\r\n");
  ASSERT_EQ(too_many.size(), 1u);
  EXPECT_EQ(too_many[0].line, 25u);  // the line that continues a 25th time

  const auto long_line = CheckLineRules(Fortran, "a\r\n" + std::string(133, 'x') + "\r\n");
  ASSERT_EQ(long_line.size(), 1u);
  EXPECT_EQ(long_line[0].line, 2u);
  EXPECT_TRUE(CheckLineRules(Fortran, "!! comment &\r\nx = 1\r\n").empty());
  EXPECT_EQ(CheckLineRules(C, "a\nb\r\n").size(), 1u);
  // C refuses the Bessel functions of <math.h> (y1, j0); VB compares without case; SPSS
  // takes Gr\xF6\xDF e but not 64 UTF-8 bytes.
  EXPECT_EQ(Usable(C, {"_2nd_input", "y1", "j0", "", "a b", "\xE9t\xE9"}), "100000");
  EXPECT_EQ(Usable(Java, {"y1", "class", "Math", "math"}), "1001");
  EXPECT_EQ(Usable(Fortran, {"_2nd_input", "tanh", std::string(64, 'a'), std::string(63, 'a')}),
            "0001");
  EXPECT_EQ(Usable(Spss, {"_2nd_input", "Gr\xF6\337e", "a\x80", std::string(33, '\xE9')}), "0100");
  EXPECT_EQ(Usable(Vb, {"dim", "Dim_1"}), "01");
  EXPECT_EQ(Usable(RulesOf(Language::Equation), {"my input", "a\r\nb"}), "10");
  EXPECT_TRUE(SameName(Vb, "Var1", "VAR1"));
  EXPECT_FALSE(SameName(C, "Var1", "VAR1"));
  EXPECT_EQ(CommentSafe(C, "plain text, 1.5 (x)"), "plain text, 1.5 (x)");
  EXPECT_EQ(CommentSafe(C, "a */ system(\"rm\"); /* b"), "a * / system(\"rm\"); /* b");
  EXPECT_EQ(CommentSafe(C, "**/"), "** /");
  EXPECT_EQ(CommentSafe(Vb, "line one\r\nline two\rthree\nfour"), "line one  line two three four");
  EXPECT_EQ(CommentSafe(Vb, "ends with _"), "ends with _.");
  EXPECT_EQ(CommentSafe(Vb, "my_name"), "my_name");
  EXPECT_EQ(CommentSafe(Java, "C:\\data\\units.csv"), "C:\\data\\\\units.csv");
  EXPECT_EQ(CommentSafe(Java, "C:\\\\units"), "C:\\\\units");  // already even
  EXPECT_EQ(CommentSafe(Java, "caf\xE9"), "caf\\u00E9");
  EXPECT_EQ(CommentSafe(Spss, "x */ y"), "x * / y");
  EXPECT_EQ(CommentSafe(Script, "</script>"), "< /script>");
  EXPECT_EQ(StringBody(C, "a\"b\\c?\n\xE9"), "a\\\"b\\\\c\\?\\012\\351");
  EXPECT_EQ(StringBody(Java, "a\"b\\u\xE9"), "a\\\"b\\\\u\\u00E9");
  EXPECT_EQ(StringBody(Vb, "say \"hi\"\r\n"), "say \"\"hi\"\"  ");
  EXPECT_EQ(StringBody(Fortran, "it's"), "it''s");
  EXPECT_EQ(StringBody(RulesOf(Language::TransactSql), "O'Brien"), "O''Brien");
  EXPECT_EQ(StringBody(Html, "<b a=\"1\">&'"), "&lt;b a=&quot;1&quot;&gt;&amp;&#39;");
  EXPECT_EQ(StringBody(Script, "</script>'\""), "\\x3C/script\\x3E\\'\\\"");
  // Model text is Windows-1252: 0x80 is the euro sign, not U+0080.
  EXPECT_EQ(StringBody(Java, "\x80\xE9"), "\\u20AC\\u00E9");
  EXPECT_EQ(StringBody(Script, "\x80\xF6"), "\\u20AC\\u00F6");
  EXPECT_EQ(StringBody(Html, "\x80 caf\xE9"), "&#8364; caf&#233;");
  EXPECT_EQ(RealLiteral(Java, 5e9), "5000000000.0");
  EXPECT_EQ(RealLiteral(Java, 2147483647.0), "2147483647");
  EXPECT_EQ(RealLiteral(Fortran, 2147483647.0), "2147483647");
  EXPECT_EQ(RealLiteral(Fortran, 2147483648.0), "2147483648.0");
  EXPECT_EQ(RealLiteral(Fortran, -3e9), "-3000000000.0");
  EXPECT_EQ(RealLiteral(C, 5e9), "5000000000");
  EXPECT_EQ(RealLiteral(C, 2, true), "2.0");
  EXPECT_EQ(RealLiteral(C, 0.5, true), "0.5");
  EXPECT_EQ(RealLiteral(Java, 1e15), "1E+15");
  EXPECT_EQ(RealLiteral(Vb, 5e9), "5000000000#");
  EXPECT_EQ(RealLiteral(Spss, 5e9), "5000000000");
  // Never INF, NAN or a text that rounds past the largest number of the language.
  EXPECT_EQ(RealLiteral(Fortran, 3.4028234663852886e38), "3.40282346638529E+38");
  EXPECT_THROW(RealLiteral(Fortran, 1e39), UnwritableNumber);
  EXPECT_THROW(RealLiteral(C, 1.7976931348623151e308), UnwritableNumber);
  EXPECT_THROW(RealLiteral(Java, -INFINITY), UnwritableNumber);
  std::string script;
  EXPECT_THROW(AppendScriptNumber(script, NAN), UnwritableNumber);
}

}  // namespace
}  // namespace kdk::lang
