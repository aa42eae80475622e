#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/common/number_text.h"

namespace kdk::lang {

// Every language the program writes. A generator writes model names, descriptions,
// paths and numbers into its text only through the rules of its language, so that a
// model file can change nothing in a generated artifact but text.
enum class Language {
  Equation,  // the user's own syntax (code type "Equation"), and the equation view
  Sas,
  VisualBasic,  // VB6 and VBA (a .bas module, a VB6 form, a workbook's code module)
  C,
  Fortran90,
  Java,
  Spss,
  TransactSql,  // SQL Server
  AccessSql,
  Html,
  JavaScript,
};

// How a comment is opened in the generated text, which decides what text inside it
// must not contain.
enum class CommentForm {
  None,         // the language has no comment of ours (HTML text, SQL strings)
  Block,        // "/*" ... "*/" (C, Java, SAS, JavaScript; SQL "/* */" too)
  ToLineEnd,    // "'", "!", "--", "//", SPSS "/*": ends at the line break
  UserDefined,  // the Equation type: the user's own comment strings
};

struct LanguageRules {
  Language language;
  std::string_view name;  // for messages: "C", "Java", "Fortran 90", "Visual Basic", ...

  // Identifiers: ASCII letters, digits and "_" (SPSS: code page letters too).
  bool case_sensitive;                // whether Var1 and VAR1 are different names
  bool underscore_may_lead;           // "_2nd_input" is a name
  std::size_t max_identifier_length;  // 0: no limit

  CommentForm comment_form;

  // Lines. 0 / -1: no limit.
  std::size_t max_line_length;    // characters, without the line end
  int max_continuations;          // continuation lines one statement may have
  std::string_view continuation;  // written at the end of a continued line (" _", " &")

  // Whether an expression may begin with "+" (SPSS refuses it).
  bool unary_plus = true;

  // Whether the program reads its inputs as the variables of the user's data set (SAS,
  // SPSS): an input then keeps its name, and the program's own variables move instead.
  bool inputs_are_data_variables = false;

  // The type its real literals and variables have (Fortran's REAL is single precision).
  RealKind real_kind = RealKind::Double;
  // What makes a whole number a real literal (".0", VB's Double suffix "#"), and whether
  // a whole number is an integer literal that ends at 2^31 - 1.
  std::string_view real_marker = "";
  bool int32_literals = false;

  // Whether identifiers may also hold the letters of model text's code page (Größe,
  // café): SPSS reads them as letters; its length limit then counts the UTF-8 bytes
  // a data file stores.
  bool code_page_letters = false;
};

const LanguageRules& RulesOf(Language language);

// Syntax and length (not reserved words): what the language's compiler takes as a name.
bool IsIdentifierSyntax(const LanguageRules& rules, std::string_view name);
// A keyword of the language or, for C, a name the standard headers we include declare;
// for Java the java.lang classes the program uses. Case as the language compares.
bool IsReservedWord(const LanguageRules& rules, std::string_view name);
// Both of the above: the name can be declared as it is.
bool IsUsableName(const LanguageRules& rules, std::string_view name);
// Whether two names are the same name in the language.
bool SameName(const LanguageRules& rules, std::string_view a, std::string_view b);

// Text made safe to stand inside one comment line of the language: line breaks
// become blanks, and what would end the comment early is broken apart ("*/" -> "* /";
// in Java a "\u" escape; in VB a trailing " _" that would continue the comment).
// Clean text comes back unchanged.
std::string CommentSafe(const LanguageRules& rules, std::string_view text);
void AppendCommentSafe(const LanguageRules& rules, std::string& out, std::string_view text);

// The text as the inside of the language's string literal (the caller writes the
// quotes: "..." for C, Java, VB, JavaScript; '...' for Fortran, SPSS, SQL). For HTML:
// the text escaped as page text or attribute value.
std::string StringBody(const LanguageRules& rules, std::string_view text);
void AppendStringBody(const LanguageRules& rules, std::string& out, std::string_view text);

// A number as the language must read it: NumberText, with ".0" appended where the
// digits alone would be an integer literal the language refuses or computes with
// differently (Java and Fortran integers end at 2^31 - 1). With `always_real`, an
// integer-looking number always gets ".0" (a divisor that must not divide as integers).
// A number IsWritableNumber refuses for the language's real kind raises UnwritableNumber.
std::string RealLiteral(const LanguageRules& rules, double value, bool always_real = false);
void AppendRealLiteral(const LanguageRules& rules, std::string& out, double value,
                       bool always_real = false);

}  // namespace kdk::lang
