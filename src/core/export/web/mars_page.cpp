#include "core/export/web/mars_page.h"

#include "core/export/web/mars_script.h"
#include "core/export/web/page_frame.h"
#include "core/lang/web_text.h"

namespace kdk {

std::string CalcMarsBlock(const MarsModel& model, bool allow_missing, MessagePort& messages) {
  const MarsScript script(model, messages);
  const std::string_view a = allow_missing ? "//" : "";
  const std::string_view b = allow_missing ? "" : "//";
  std::string out;
  out.reserve(2048 + model.basis_function_defs.size() * 96);
  out.append(JoinLines({"\tvar inpval = new Array();", "\tvar inpvaln = new Array();", "", "",
                        "function CalcMars()", "{", ""}));
  out.append("\r\n\tvar inputs = ").append(std::to_string(model.InputCount())).append(";\r\n");
  out.append(JoinLines(
      {"\tfor (var i = 1; i <= inputs; i++)", "\t{",
       "\t var n = document.datainput.elements[i].value;",
       "\t    if ( (isNaN(n) == true) || (n == \"\") )", "\t        {",
       "\t        //uncomment appropriate lines below to allow/disallow missing values"}));
  out.append("\r\n");
  for (std::string_view line :
       {"alert (\"Invalid number\");", "document.datainput.elements [i].focus();",
        "document.datainput.elements [i].select();", " return false"}) {
    out.append("\t        ").append(a).append(line).append("\r\n");
  }
  out.append("\t        ")
      .append(b)
      .append("document.datainput.elements [i].value = 'missing';\r\n");
  out.append(
      JoinLines({"\t        }", "", "\t     inpval[i] = document.datainput.elements[i].value;",
                 "\t     inpvaln[i] = document.datainput.elements[i].value;",
                 "\t     if (inpvaln[i] == 'missing') inpval[i] = 0;", "", "\t}", "", "",
                 "\t//calculate the basis functions"}));
  out.append("\r\n");
  for (const std::string& statement : script.Statements()) {
    out.append("\t").append(statement).append("\r\n");
  }
  out.append("\r\n\t//calculate the model output\r\n\tvar MARSPrediction = ");
  out.append(script.Prediction()).append(";\r\n");
  out.append(
      JoinLines({"", "\t//write the prediction to the page",
                 "\tdocument.datainput.prediction.value = MARSPrediction;", "", "}", "", ""}));
  return out;
}

std::string NullFunctionBlock() {
  return JoinLines({"", "function inpValRepresentsNull(i, y, n)", "{", "",
                    "    if (inpvaln[i] == 'missing') {", "    inpval[i] = 0;", "    return y;",
                    "    }", "    else{", "    return n;", "    }", "", "}"});
}

std::string FlagFunctionBlock() {
  return JoinLines({"", "function inpValIsAFlag(index, values, numberofvalues)", " {", "",
                    "    for (var i = 0; i <= numberofvalues - 1 ; i++) {",
                    "        if (inpval[index] == values[i]) {", "        return 1;", "        }",
                    "     }", "", "    return 0;", "}"});
}

std::string MarsFormBlock(const MarsModel& model) {
  const int inputs = model.InputCount();
  std::string out;
  out.reserve(1024 + static_cast<size_t>(inputs) * 160);
  out.append(JoinLines({"", "<FORM name=\"datainput\">", "<TABLE BORDER=\"1\" CLASS=\"predict\">",
                        "<TR><TD></TD><TD><INPUT TYPE=\"Hidden\" name=\"Dummy\" Size=\"10\" "
                        "maxlength=\"10\"></TD><TD></TD><TD></TD></TR>"}));
  out.append("\r\n");
  for (int i = 0; i < inputs; ++i) {
    out.append("<TR><TD CLASS=\"predict\">");
    lang::AppendPageText(out, model.input_names[static_cast<size_t>(i)]);
    out.append("</TD><TD CLASS=\"predict\"><INPUT TYPE=\"TEXT\" name=\"Input")
        .append(std::to_string(i + 1))
        .append("\" Size=\"10\" maxlength=\"10\"></TD>\r\n");
  }
  out.append("<TR><TD></TD><TD><INPUT TYPE=\"HIDDEN\" name=\"Input")
      .append(std::to_string(inputs + 1))
      .append("\" Size=\"10\" maxlength=\"10\" VALUE=\"1\"></TD><TD></TD><TD></TD></TR>\r\n");
  out.append("<TR><TD CLASS=\"predict\">Prediction</TD><TD></TD>\r\n<TR><TD CLASS=\"predict\">");
  lang::AppendPageText(out, model.output_name);
  out.append(
      "</TD><TD CLASS=\"predict\"><INPUT TYPE=\"Text\" name=\"prediction\" Size=\"10\" "
      "maxlength=\"10\" VALUE=\"?\"></TD></TR>\r\n");
  out.append(
      JoinLines({"<TR><TD align=\"center\"><input type=\"reset\" value=\"Clear\"></TD><TD "
                 "align=\"center\"><input type=\"BUTTON\" value=\"Predict\" "
                 "onClick=\"CalcMars(this.form)\"></TD><TD></TD><TD></TD></TR>",
                 "</TABLE>", "</FORM>", ""}));
  return out;
}

std::string MarsFactsBlock(const MarsModel& model, const GenerationStamp& facts) {
  std::string out = "\r\n<HR>\r\n<TABLE class=\"normal\">\r\n";
  out.append("<TR><TD class=\"normal\">inputs:</TD><TD class=\"normal\">")
      .append(std::to_string(model.InputCount()))
      .append("</TD></TR>\r\n");
  out.append("<TR><TD class=\"normal\">basis functions:</TD><TD class=\"normal\">")
      .append(std::to_string(model.model_term_count))
      .append("</TD></TR>\r\n");
  out.append("<TR><TD class=\"normal\">model file:</TD><TD class=\"normal\">");
  lang::AppendPageText(out, facts.model_path);
  out.append("</TD></TR>\r\n<TR><TD class=\"normal\">model created:</TD><TD class=\"normal\">")
      .append(facts.model_created)
      .append("</TD></TR>\r\n<TR><TD class=\"normal\">this page created:</TD><TD class=\"normal\">")
      .append(facts.created)
      .append("</TD></TR>\r\n</TABLE>");
  return out;
}

std::string MarsPageText(const MarsModel& model, const PageStyle& style,
                         const GenerationStamp& facts, bool allow_missing, MessagePort& messages) {
  std::string page;
  page.reserve(12288 + model.basis_function_defs.size() * 128);
  for (const std::string& block :
       {DocumentHead(), StyleSheet(style), ScriptOpen(),
        CalcMarsBlock(model, allow_missing, messages), NullFunctionBlock(), FlagFunctionBlock(),
        ScriptClose(), HeadCloseBodyOpen(), IntroductionBlock(style), MarsFormBlock(model),
        MarsFactsBlock(model, facts), FooterLine(FooterForm::Mars), DocumentEnd()}) {
    WriteBlock(page, block);
  }
  return page;
}

}  // namespace kdk
