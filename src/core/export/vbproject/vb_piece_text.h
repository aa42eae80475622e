#pragma once

#include <string>
#include <string_view>

#include "core/common/text_utils.h"

namespace kdk::vbpiece {

// A piece is built line by line, each line ended with CR LF; Finish drops the last
// line end, so that the piece is its lines joined by CR LF.

inline void Line(std::string& out, std::string_view text) {
  AppendLine(out, text);
}
// A line that begins with one TAB.
inline void Tab(std::string& out, std::string_view text) {
  out.push_back('\t');
  AppendLine(out, text);
}
inline void Empty(std::string& out, int count = 1) {
  for (int i = 0; i < count; ++i) out.append(kCrLf);
}
inline std::string Finish(std::string out) {
  if (EndsWithText(out, kCrLf)) out.resize(out.size() - kCrLf.size());
  return out;
}

// The start of both forms' Clear button: every input box emptied (the line ends in one
// double quote, which VB closes at the line's end), the prediction box reset.
inline void ClearButtonStart(std::string& out) {
  Line(out, "Private Sub btnClear_Click()");
  Empty(out);
  Tab(out, "Dim i As Integer");
  Empty(out);
  Tab(out, "For i = Me.txtInput.LBound To Me.txtInput.UBound");
  Tab(out, "    Me.txtInput(i).Text = \"");
  Tab(out, "Next i");
  Empty(out);
  Tab(out, "Me.txtPrediction.Text = \"Prediction\"");
}

}  // namespace kdk::vbpiece
