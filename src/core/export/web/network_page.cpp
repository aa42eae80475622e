#include "core/export/web/network_page.h"

#include "core/common/number_text.h"
#include "core/common/text_utils.h"
#include "core/export/web/page_frame.h"
#include "core/lang/web_text.h"

namespace kdk {
namespace {

void AppendArray(std::string& out, std::string_view head, const std::vector<double>& values,
                 size_t count) {
  out.append(head).append(" = new Array(0");
  for (size_t i = 0; i < count && i < values.size(); ++i) {
    out.push_back(',');
    lang::AppendScriptNumber(out, values[i]);
  }
  out.append(");\r\n");
}

void AppendTabbed(std::string& out, int tabs, std::string_view text) {
  out.append(static_cast<size_t>(tabs), '\t').append(text).append("\r\n");
}

}  // namespace

std::string NetworkVariablesBlock(const NetworkModel& model, const PageStyle& style) {
  const size_t inputs = static_cast<size_t>(model.InputCount());
  const size_t hidden = static_cast<size_t>(std::max(model.HiddenCount(), 0));
  std::string out;
  out.reserve(256 + (inputs + 2) * (hidden + 4) * 24);
  out.append("//set the variable values\r\n");
  out.append("var normalColour = '");
  lang::AppendScriptString(out, style.data_grid_background_colour);
  out.append("';\r\nvar warningColour = '");
  lang::AppendScriptString(out, style.warning_colour);
  out.append("';\r\n");
  out.append("var hiddenneurons = ").append(std::to_string(hidden)).append(";\r\n");
  out.append("var inppb = ").append(std::to_string(inputs + 1)).append(";\r\n");
  out.append("var outputbias = ");
  lang::AppendScriptNumber(out, model.who.empty() ? 0.0 : model.who.back());
  out.append(";\r\n");
  AppendArray(out, "maxNorm", model.max_norm, inputs);
  AppendArray(out, "maxSeen", model.max_seen, inputs);
  AppendArray(out, "minNorm", model.min_norm, inputs);
  AppendArray(out, "minSeen", model.min_seen, inputs);
  const std::pair<std::string_view, double> outputs[] = {
      {"var maxNormOut = ", model.max_norm_out},
      {"var minNormOut = ", model.min_norm_out},
      {"var maxSeenOut = ", model.max_seen_out},
      {"var minSeenOut = ", model.min_seen_out},
      {"var maxSeenOutCL = ", model.max_seen_out_cl},
      {"var minSeenOutCL = ", model.min_seen_out_cl}};
  for (size_t i = 0; i < (model.is_classifier ? 6u : 4u); ++i) {
    out.append(outputs[i].first);
    lang::AppendScriptNumber(out, outputs[i].second);
    out.append("\r\n");
  }
  for (size_t row = 0; row <= inputs; ++row) {
    const std::string head = "input" + std::to_string(row + 1);
    AppendArray(out, head, row < model.wih.size() ? model.wih[row] : std::vector<double>{}, hidden);
  }
  out.append("wih = new Array(\"\"");
  for (size_t row = 0; row <= inputs; ++row) out.append(",input").append(std::to_string(row + 1));
  out.append(");\r\n");
  AppendArray(out, "who", model.who, hidden);
  out.append("neurontype = new Array(0");
  for (size_t k = 0; k < hidden && k < model.hidden_type.size(); ++k) {
    out.append(model.hidden_type[k] == NeuronType::NonLinear ? ",2" : ",1");
  }
  out.append(");\r\n");
  return out;
}

std::string CalcNetBlock(const NetworkModel& model) {
  std::string out;
  out.reserve(3000);
  const std::pair<int, std::string_view> common[] = {
      {0, ""},
      {0, "function calcNet()"},
      {0, "{"},
      {0, ""},
      {1, "var inpval = new Array();"},
      {1, "var hval = new Array();"},
      {0, ""},
      {1, "dum = resetColours();"},
      {0, ""},
      {1, "for (var i = 1; i <= inppb; i++)"},
      {1, "{"},
      {1, " var n = document.datainput.elements[i].value;"},
      {1, "    if ( (isNaN(n) == true) || (n == \"\") )"},
      {1, "        {"},
      {1, "        alert (\"Invalid number\");"},
      {1, "        document.datainput.elements [i].focus();"},
      {1, "        document.datainput.elements [i].select();"},
      {1, "        return false"},
      {1, "        }"},
      {0, ""},
      {1, "     inpval[i] = document.datainput.elements[i].value;"},
      {0, ""},
      {1, "     if (i < inppb)"},
      {1, "         {"},
      {1, "         dum = inputWarnings(inpval[i],i);"},
      {1, "         inpval[i] = normalise(inpval[i],i);"},
      {1, "         }"},
      {1, "}"},
      {0, ""},
      {1, "//initialise the hidden values to zero"},
      {1, "for (var j = 1; j <= hiddenneurons; j++)"},
      {1, "hval[j] = 0;"},
      {0, ""},
      {1, "// calculate the inputs to the hidden neurons"},
      {1, "for (var i = 1; i <= inppb; i++)"},
      {1, " {"},
      {2, "for (var j = 1; j <= hiddenneurons; j++)"},
      {2, " hval[j] = hval[j] + (wih[i][j] * inpval[i]);"},
      {1, " }\t"},
      {0, ""},
      {1, "// calculate the outputs of the hidden neurons"},
      {1, "// if the neuron is nonlinear then the tanh function is used"},
      {1, "// if the neuron is linear then the identity function is used (it stays the same)"},
      {1, "for (var j = 1; j <= hiddenneurons; j++)"},
      {1, " {"},
      {1, " if (neurontype[j] == 2)"},
      {1, " hval[j] = myTanh(hval[j]);"},
      {1, " }"},
      {0, ""},
      {1, "//the output"},
      {1, "var KestriumPrediction = 0;"},
      {0, ""},
      {1, "for (var j = 1; j <= hiddenneurons; j++)"},
      {1, " KestriumPrediction = KestriumPrediction + (hval[j] * who[j]);"},
      {0, ""},
      {1, "KestriumPrediction = KestriumPrediction + outputbias;"},
      {0, ""},
  };
  const std::pair<int, std::string_view> regression[] = {
      {1,
       "KestriumPrediction = (((KestriumPrediction / 2) + 0.5 ) * (maxNormOut - minNormOut)) + "
       "minNormOut;"},
      {1, "if (Math.abs(KestriumPrediction) > 0.01)"},
      {1, "KestriumPrediction = Math.round(KestriumPrediction * 1000000)/1000000;"},
      {0, ""},
      {1, "//write the prediction to the page"},
      {1, "document.datainput.prediction.value = KestriumPrediction;"},
      {1, "dum = outputWarning(KestriumPrediction);"},
      {0, ""},
      {0, "}"},
      {0, ""},
      {0, ""},
  };
  // A seen extreme of 0 gives the strength 0, as the network's own rule does; the
  // division would show Infinity or NaN. The rule divides by the extreme's size: a
  // limit of the unusual sign (the reader takes it) is divided as Math.abs.
  const double max_cl = model.max_seen_out_cl, min_cl = model.min_seen_out_cl;
  const std::string_view above = max_cl == 0  ? " conf = 0;"
                                 : max_cl < 0 ? " conf = KestriumPrediction/Math.abs(maxSeenOutCL);"
                                              : " conf = KestriumPrediction/maxSeenOutCL;";
  const std::string_view below = min_cl == 0  ? " conf = 0;"
                                 : min_cl > 0 ? " conf = KestriumPrediction/Math.abs(minSeenOutCL);"
                                              : " conf = (KestriumPrediction/minSeenOutCL) * -1;";
  const std::pair<int, std::string_view> classifier[] = {
      {1, "var conf;"},
      {1, "if (KestriumPrediction > 0)"},
      {1, " {"},
      {1, above},
      {1, " KestriumPrediction = \"TRUE\";"},
      {1, " }"},
      {1, "else"},
      {1, " {"},
      {1, below},
      {1, " KestriumPrediction = \"FALSE\";"},
      {1, " }"},
      {0, ""},
      {1, "//write the prediction to the page"},
      {1, "document.datainput.prediction.value = KestriumPrediction;"},
      {1, "document.datainput.confidence.value = Math.round(conf * 100)/100;"},
      {0, ""},
      {0, "}"},
      {0, ""},
      {0, ""},
  };
  for (const auto& [tabs, text] : common) AppendTabbed(out, tabs, text);
  if (model.is_classifier) {
    for (const auto& [tabs, text] : classifier) AppendTabbed(out, tabs, text);
  } else {
    for (const auto& [tabs, text] : regression) AppendTabbed(out, tabs, text);
  }
  // The last line (empty) is ended by the write-line.
  out.resize(out.size() - 2);
  return out;
}

std::string NormaliseBlock() {
  return JoinLines({"", "function normalise(x,j)", "{", "\tvar1 = x - minNorm[j];",
                    "\tvar2 = maxNorm[j] - minNorm[j];", "\tvar3 = var1 / var2;",
                    "\tvar4 = (var3 - 0.5 ) * 2;", "\treturn var4;", "}", ""});
}

std::string TanhBlock() {
  return JoinLines(
      {"", "function myTanh(x)", "{", "\tvar myResult;", "", "\tif (x > 20)", "\t\tmyResult = 1;",
       "\telse if (x < -20)", "\t\tmyResult = -1;", "\telse",
       "\t\tmyResult = (Math.exp(x) - Math.exp(-1 * x))/ (Math.exp(x) + Math.exp(-1 * x));", "",
       "\treturn myResult;", "}", "", ""});
}

std::string WarningFunctionsBlock(const NetworkModel& model) {
  std::string out =
      JoinLines({"", "function resetColours()", "{", "    for (var i = 1; i < inppb; i++)", "    {",
                 "    dum = colours(\"max\" + i,normalColour,0 );",
                 "    dum = colours(\"min\" + i,normalColour,0 );", "    }"});
  out.append("\r\n");
  if (!model.is_classifier) {
    out.append("    dum = colours(\"maxOut\",normalColour,0 );\r\n");
    out.append("    dum = colours(\"minOut\",normalColour,0 );\r\n");
  }
  out.append(JoinLines({"    return 0;",
                        "}",
                        "",
                        "function inputWarnings(myVal, i)",
                        "{",
                        "    if (myVal > maxSeen[i])",
                        "     dum = colours(\"max\" + i,warningColour,1 );",
                        "",
                        "    if (myVal < minSeen[i])",
                        "     dum = colours(\"min\" + i,warningColour,1 );",
                        "",
                        " return 0;",
                        "}",
                        "",
                        "function outputWarning(myVal)",
                        "{",
                        "    if (myVal > maxSeenOut)",
                        "     dum = colours(\"maxOut\",warningColour,1 );",
                        "",
                        "    if (myVal < minSeenOut)",
                        "     dum = colours(\"minOut\",warningColour,1 );",
                        "",
                        "    return 0;",
                        "}",
                        "",
                        "function colours(objectID, thisColour, warning)",
                        "{",
                        "   if (isID)",
                        "     document.getElementById(objectID).style.background = thisColour;",
                        "   else",
                        "     {",
                        "         if (isAll)",
                        "          document.all[objectID].style.background = thisColour;",
                        "         else",
                        "          {",
                        "          if (isLayers)",
                        "           {",
                        "           if (warning == 1)",
                        "           alert(\"Warning on \" + objectID);",
                        "           }",
                        "          }",
                        "     }",
                        "",
                        "  return 0;",
                        "}"}));
  return out;
}

std::string NetworkFormBlock(const NetworkModel& model) {
  const int inputs = model.InputCount();
  std::string out;
  out.reserve(1024 + static_cast<size_t>(inputs) * 320);
  out.append(JoinLines(
      {"", "<FORM name=\"datainput\">", "<TABLE BORDER=\"1\" CLASS=\"predict\">",
       "<TR><TD></TD><TD><INPUT TYPE=\"Hidden\" name=\"Dummy\" Size=\"10\" "
       "maxlength=\"10\"></TD><TD></TD><TD></TD></TR>",
       "<TR><TD></TD><TD></TD><TD CLASS=\"predict\">Min Exp</TD><TD CLASS=\"predict\">Max "
       "Exp</TD></TR>"}));
  out.append("\r\n");
  for (int i = 0; i < inputs; ++i) {
    const std::string number = std::to_string(i + 1);
    out.append("<TR><TD CLASS=\"predict\">");
    lang::AppendPageText(out, model.input_names[static_cast<size_t>(i)]);
    out.append("</TD><TD CLASS=\"predict\"><INPUT TYPE=\"TEXT\" name=\"Input").append(number);
    out.append("\" Size=\"10\" maxlength=\"10\"></TD><TD CLASS=\"predict\"><SPAN id=\"min");
    out.append(number).append("\">");
    AppendNumberText(out, model.min_seen[static_cast<size_t>(i)]);
    out.append("</SPAN></TD><TD CLASS=\"predict\"><SPAN id=\"max").append(number).append("\">");
    AppendNumberText(out, model.max_seen[static_cast<size_t>(i)]);
    out.append("</SPAN></TD></TR>\r\n");
  }
  out.append("<TR><TD></TD><TD><INPUT TYPE=\"HIDDEN\" name=\"Input")
      .append(std::to_string(inputs + 1))
      .append("\" Size=\"10\" maxlength=\"10\" VALUE=\"1\"></TD><TD></TD><TD></TD></TR>\r\n");
  out.append("<TR><TD CLASS=\"predict\">Prediction</TD><TD></TD>\r\n");
  out.append("<TR><TD CLASS=\"predict\">");
  lang::AppendPageText(out, model.output_name);
  out.append(
      "</TD><TD CLASS=\"predict\"><INPUT TYPE=\"Text\" name=\"prediction\" Size=\"10\" "
      "maxlength=\"10\" VALUE=\"?\"></TD>");
  if (model.is_classifier) {
    out.append(
        "<TD CLASS=\"predict\">Strength = </TD><TD CLASS=\"predict\"><INPUT TYPE=\"TEXT\" "
        "name=\"confidence\" Size=\"10\" maxlength=\"4\"></TD></TR>\r\n");
  } else {
    out.append("<TD CLASS=\"predict\"><SPAN id=\"minOut\">");
    AppendNumberText(out, model.min_seen_out);
    out.append("</SPAN></TD><TD CLASS=\"predict\"><SPAN id=\"maxOut\">");
    AppendNumberText(out, model.max_seen_out);
    out.append("</SPAN></TD></TR>\r\n");
  }
  out.append(
      JoinLines({"<TR><TD align=\"center\"><input type=\"reset\" value=\"Clear\" "
                 "onClick=\"resetColours()\"></TD><TD align=\"center\"><input type=\"BUTTON\" "
                 "value=\"Predict\" onClick=\"calcNet(this.form)\"></TD><TD></TD><TD></TD></TR>",
                 "</TABLE>", "</FORM>", ""}));
  return out;
}

std::string NetworkNotesBlock(const NetworkModel& model, const GenerationStamp& facts) {
  std::string out;
  out.reserve(1200 + model.description.size() * 2);
  out.append(
      "\r\n<FONT CLASS=\"normal\"><b>'Max/Min Exp'</b> - the maximum and minimum values "
      "experienced during the creation of the model. Visual warnings are given if your input "
      "values are outside this range of experience.</FONT>\r\n");
  if (model.is_classifier) {
    out.append(
        "<BR><FONT CLASS=\"normal\"><b>'Strength'</b> - this is based on a scale from -1 to +1, "
        "where 0 is a borderline case and +1 is the best TRUE case and -1 is the best FALSE "
        "case on the training data. The higher the absolute value of the number, the stronger "
        "the classification.</FONT>\r\n");
  }
  if (!model.description.empty()) {
    out.append("<HR><BR><FONT CLASS=\"normal\"><P>");
    std::string_view rest = model.description;
    for (size_t cut = rest.find(kCrLf); cut != std::string_view::npos; cut = rest.find(kCrLf)) {
      lang::AppendPageText(out, rest.substr(0, cut));
      out.append("</P>\r\n<P>");
      rest.remove_prefix(cut + kCrLf.size());
    }
    lang::AppendPageText(out, rest);
    out.append("</P></FONT>\r\n\r\n");
  }
  const auto fact = [&out](std::string_view label, std::string_view value, bool escape) {
    out.append("<TR><TD class=\"normal\">").append(label).append("</TD><TD class=\"normal\">");
    if (escape) {
      lang::AppendPageText(out, value);
    } else {
      out.append(value);
    }
    out.append("</TD></TR>\r\n");
  };
  out.append("<HR>\r\n<TABLE class=\"normal\">\r\n");
  fact("inputs:", std::to_string(model.InputCount()), false);
  fact("hidden neurons:", std::to_string(std::max(model.HiddenCount(), 0)), false);
  fact("training data source:", model.data_source, true);
  fact("training data view:", model.data_view, true);
  fact("Kestrium weights file:", facts.model_path, true);
  fact("model created:", facts.model_created, false);
  fact("this page created:", facts.created, false);
  out.append("</TABLE>");
  return out;
}

std::string NetworkPageText(const NetworkModel& model, const PageStyle& style,
                            const GenerationStamp& facts) {
  std::string page;
  page.reserve(16384 + static_cast<size_t>(model.InputCount() + 1) *
                           static_cast<size_t>(model.HiddenSlots() + 4) * 24);
  for (const std::string& block :
       {DocumentHead(), StyleSheet(style), ScriptOpen(), BrowserSensingScript(),
        NetworkVariablesBlock(model, style), CalcNetBlock(model), NormaliseBlock(), TanhBlock(),
        WarningFunctionsBlock(model), ScriptClose(), HeadCloseBodyOpen(), IntroductionBlock(style),
        NetworkFormBlock(model), NetworkNotesBlock(model, facts), FooterLine(FooterForm::Network),
        DocumentEnd()}) {
    WriteBlock(page, block);
  }
  return page;
}

}  // namespace kdk
