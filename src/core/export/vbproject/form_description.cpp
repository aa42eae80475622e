#include "core/export/vbproject/form_description.h"

#include <string_view>

#include "core/common/number_text.h"
#include "core/export/vbproject/vb_piece_text.h"
#include "core/lang/language_rules.h"

namespace kdk {
namespace {

using namespace vbpiece;

// The property prefixes; the number of blanks after "=" is part of each.
constexpr std::string_view kHeight2 = "      Height          =  ";
constexpr std::string_view kHeight3 = "      Height          =   ";
constexpr std::string_view kLeft2 = "      Left            =  ";
constexpr std::string_view kLeft3 = "      Left            =   ";
constexpr std::string_view kTabIndex2 = "      TabIndex        =  ";
constexpr std::string_view kTabIndex3 = "      TabIndex        =   ";
constexpr std::string_view kTop2 = "      Top             =  ";
constexpr std::string_view kTop3 = "      Top             =   ";
constexpr std::string_view kWidth2 = "      Width           =  ";
constexpr std::string_view kWidth3 = "      Width           =   ";
constexpr std::string_view kIndex2 = "      Index           =  ";
constexpr std::string_view kCaption = "      Caption         =   \"";
constexpr std::string_view kTag = "      Tag             =  \"";

constexpr std::string_view kAutoSize = "      AutoSize        = 1           'False";
constexpr std::string_view kVisible = "      Visible         =   1   'True";
constexpr std::string_view kEnabled = "      Enabled         =   0   'False";
constexpr std::string_view kTabStop = "      TabStop         =   0   'False";
constexpr std::string_view kForeColor = "      ForeColor       =  &HFFFFFF";
constexpr std::string_view kPredictionText = "      Text            =   \"Prediction\"";
constexpr std::string_view kStrengthText = "      Text            =   \"Strength\"";
constexpr std::string_view kInputText = "      Text            =  \"?\"";
constexpr std::string_view kBlockEnd = "   End";

constexpr int kSecondColumnFrom = 16;
constexpr int kSecondColumnOffset = 4900;
constexpr int kRowHeight = 305;
constexpr int kFirstRowTop = 1500;
constexpr int kHeadingTop = 1195;

class FormWriter {
 public:
  void Line(std::string_view text) { vbpiece::Line(out_, text); }
  void Value(std::string_view prefix, long long value) {
    out_.append(prefix).append(std::to_string(value)).append(kCrLf);
  }
  void NextTabIndex(std::string_view prefix) { Value(prefix, tab_index_++); }
  // A quoted property: the text as the inside of a VB string.
  void Quoted(std::string_view prefix, std::string_view text) {
    out_.append(prefix);
    const std::string body = lang::StringBody(lang::RulesOf(lang::Language::VisualBasic), text);
    std::size_t length = body.size();
    if (length > kVbLongestCaption) {
      length = kVbLongestCaption;
      // A doubled quote is never cut in half.
      std::size_t quotes = 0;
      while (quotes < length && body[length - 1 - quotes] == '"') ++quotes;
      if (quotes % 2 == 1) --length;
    }
    out_.append(body, 0, length).append("\"").append(kCrLf);
  }
  std::string Take() { return Finish(std::move(out_)); }

 private:
  std::string out_;
  int tab_index_ = 0;
};

void FormBlock(FormWriter& form, std::string_view caption) {
  form.Line("VERSION 5.00");
  form.Line("Begin VB.Form Predict");
  form.Line(caption);
  form.Line("   ClientHeight    =   6885");
  form.Line("   ClientLeft      =   60");
  form.Line("   ClientTop       =   345");
  form.Line("   ClientWidth     =   10000");
  form.Line("   LinkTopic       =   \"Form1\"");
  form.Line("   ScaleHeight     =   6885");
  form.Line("   ScaleWidth      =   7140");
  form.Line("   StartUpPosition =   3  'Windows Default");
}

void CommonControls(FormWriter& form, std::string_view output_name) {
  form.Line("   Begin VB.CommandButton btnClear");
  form.Line("      Caption         =   \"Clear\"");
  form.Value(kHeight2, 500);
  form.Value(kLeft2, 100);
  form.NextTabIndex(kTabIndex3);
  form.Value(kTop3, 500);
  form.Value(kWidth3, 1000);
  form.Line(kBlockEnd);
  form.Line("   Begin VB.CommandButton btnPredict");
  form.Line("      Caption         =   \"Predict\"");
  form.Value(kHeight3, 500);
  form.Value(kLeft3, 1400);
  form.NextTabIndex(kTabIndex3);
  form.Value(kTop3, 500);
  form.Value(kWidth3, 1000);
  form.Line(kBlockEnd);
  form.Line("   Begin VB.Label lblOutput");
  form.Line(kAutoSize);
  form.Quoted(kCaption, output_name);
  form.Value(kHeight2, 300);
  form.Value(kLeft2, 2700);
  form.NextTabIndex(kTabIndex2);
  form.Value(kTop2, 195);
  form.Line(kVisible);
  form.Value(kWidth2, 1000);
  form.Line(kBlockEnd);
  form.Line("   Begin VB.CommandButton btnDescription");
  form.Line("      Caption         =   \"About\"");
  form.Value(kHeight2, 500);
  form.Value(kLeft2, 5300);
  form.NextTabIndex(kTabIndex2);
  form.Value(kTop2, 500);
  form.Value(kWidth2, 1000);
  form.Line(kBlockEnd);
  form.Line("   Begin VB.TextBox txtPrediction");
  form.Line(kEnabled);
  form.Value(kHeight2, 300);
  form.Value(kLeft2, 2700);
  form.NextTabIndex(kTabIndex3);
  form.Line(kTabStop);
  form.Line(kPredictionText);
  form.Value(kTop3, 500);
  form.Value(kWidth2, 1000);
  form.Line(kBlockEnd);
}

void OutputRangeLabel(FormWriter& form, std::string_view name, std::string_view caption, int top) {
  form.Line(std::string("   Begin VB.Label ").append(name));
  form.Line(kAutoSize);
  form.Quoted(kCaption, caption);
  form.Value(kHeight2, 300);
  form.Value(kLeft2, 4000);
  form.NextTabIndex(kTabIndex2);
  form.Value(kTop2, top);
  form.Line(kVisible);
  form.Value(kWidth2, 1000);
  form.Line(kBlockEnd);
}

struct Heading {
  std::string_view text;
  int left;
};

void Headings(FormWriter& form, const Heading* headings, int count) {
  for (int k = 0; k < count; ++k) {
    form.Line("   Begin VB.Label lblColName");
    form.Line(kAutoSize);
    form.Quoted(kCaption, headings[k].text);
    form.Line(kForeColor);
    form.Value(kHeight2, 300);
    form.Value(kIndex2, k + 1);
    form.Value(kLeft2, headings[k].left);
    form.NextTabIndex(kTabIndex2);
    form.Value(kTop2, kHeadingTop);
    form.Line(kVisible);
    form.Value(kWidth2, 1000);
    form.Line(kBlockEnd);
  }
}

int RowTop(int input) {  // 1-based
  return kFirstRowTop + kRowHeight * (input < kSecondColumnFrom ? input - 1 : input - 16);
}
int ColumnOffset(int input) {
  return input < kSecondColumnFrom ? 0 : kSecondColumnOffset;
}

// One labelled control of an input row: caption, index, left, tab index, top.
void RowLabel(FormWriter& form, std::string_view opener, std::string_view caption, int input,
              int left) {
  form.Line(opener);
  form.Line(kAutoSize);
  form.Quoted(kCaption, caption);
  form.Value(kHeight2, 300);
  form.Value(kIndex2, input);
  form.Value(kLeft2, left + ColumnOffset(input));
  form.NextTabIndex(kTabIndex2);
  form.Value(kTop2, RowTop(input));
  form.Line(kVisible);
  form.Value(kWidth2, 1000);
  form.Line(kBlockEnd);
}

void InputLabels(FormWriter& form, const std::vector<std::string>& names) {
  for (int i = 1; i <= static_cast<int>(names.size()); ++i) {
    RowLabel(form, "   Begin VB.Label lblInput", names[i - 1], i, 100);
  }
}

// The input boxes; a MARS form keeps each input's name in its box's Tag.
void InputBoxes(FormWriter& form, const std::vector<std::string>& names, bool with_tag) {
  for (int i = 1; i <= static_cast<int>(names.size()); ++i) {
    form.Line("   Begin VB.TextBox txtInput");
    form.Value(kHeight2, 300);
    form.Value(kIndex2, i);
    form.Value(kLeft2, 1400 + ColumnOffset(i));
    form.NextTabIndex(kTabIndex2);
    form.Line(kInputText);
    if (with_tag) form.Quoted(kTag, names[i - 1]);
    form.Value(kTop2, RowTop(i));
    form.Line(kVisible);
    form.Value(kWidth2, 1000);
    form.Line(kBlockEnd);
  }
}

void ClosingLines(FormWriter& form) {
  form.Line("End");
  form.Line("Attribute VB_Name = \"Predict\"");
  form.Line("Attribute VB_GlobalNameSpace = False");
  form.Line("Attribute VB_Creatable = False");
  form.Line("Attribute VB_PredeclaredId = True");
  form.Line("Attribute VB_Exposed = False");
}

}  // namespace

std::string VbNetworkFormDescription(const NetworkModel& model) {
  FormWriter form;
  FormBlock(form, "   Caption         =   \"Kestrium Says...\"");
  CommonControls(form, model.output_name);
  if (model.is_classifier) {
    form.Line("   Begin VB.TextBox txtConfidence");
    form.Value(kHeight2, 300);
    form.Value(kLeft2, 2700);
    form.NextTabIndex(kTabIndex3);
    form.Line(kTabStop);
    form.Line(kStrengthText);
    form.Value(kTop3, 805);
    form.Value(kWidth2, 1000);
    form.Line(kBlockEnd);
  } else {
    OutputRangeLabel(form, "lblOutMin", "min = " + NumberText(model.min_seen_out), 500);
    OutputRangeLabel(form, "lblOutMax", "max = " + NumberText(model.max_seen_out), 805);
  }
  static constexpr Heading kHeadings[] = {{"Name", 100},  {"Min", 2700}, {"Max", 4000},
                                          {"Name", 5000}, {"Min", 7600}, {"Max", 8900}};
  Headings(form, kHeadings, model.InputCount() > 15 ? 6 : 3);
  InputLabels(form, model.input_names);
  InputBoxes(form, model.input_names, false);
  for (int i = 1; i <= model.InputCount(); ++i) {
    RowLabel(form, "   Begin VB.Label lblMinVal", NumberText(model.min_seen[i - 1]), i, 2700);
  }
  for (int i = 1; i <= model.InputCount(); ++i) {
    RowLabel(form, "   Begin VB.Label lblMaxVal", NumberText(model.max_seen[i - 1]), i, 4000);
  }
  ClosingLines(form);
  return form.Take();
}

std::string VbMarsFormDescription(const MarsModel& model) {
  FormWriter form;
  FormBlock(form, "   Caption         =   \"MARS Says...\"");
  CommonControls(form, model.output_name);
  static constexpr Heading kHeadings[] = {
      {"Name", 100}, {"Categorical", 2700}, {"Name", 5000}, {"Categorical", 7600}};
  Headings(form, kHeadings, model.InputCount() > 15 ? 4 : 2);
  InputLabels(form, model.input_names);
  InputBoxes(form, model.input_names, true);
  for (int i = 1; i <= model.InputCount(); ++i) {
    const bool categorical = static_cast<std::size_t>(i - 1) < model.is_categorical.size() &&
                             model.is_categorical[i - 1];
    RowLabel(form, "   Begin VB.Label lblCategorical", categorical ? "True" : "False", i, 2700);
  }
  ClosingLines(form);
  return form.Take();
}

}  // namespace kdk
