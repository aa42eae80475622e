#include "core/export/web/page_frame.h"

#include "core/common/maker.h"

namespace kdk {
namespace {

constexpr std::string_view kStyleTail =
    ";font-family:verdana, tahoma, helvetica, sans-serif;text-decoration:none;}";

// The maker's name, as the by-line of every generated file gives it.
std::string_view MakerName() {
  std::string_view name = kMakerByLine;
  if (name.substr(0, 3) == "by ") name.remove_prefix(3);
  return name;
}

void AppendStyleRule(std::string& out, std::string_view selector, const std::string& size,
                     const std::string& colour, const std::string& background) {
  out.append("\r\n").append(selector).append(" {");
  if (!size.empty()) out.append("font-size:").append(size).append(";");
  out.append("color:").append(colour);
  if (!background.empty()) out.append(";background-color:").append(background);
  out.append(kStyleTail);
}

}  // namespace

std::string JoinLines(std::initializer_list<std::string_view> lines) {
  std::string out;
  bool first = true;
  for (std::string_view line : lines) {
    if (!first) out.append("\r\n");
    out.append(line);
    first = false;
  }
  return out;
}

std::string DocumentHead() {
  std::string title = "<TITLE>";
  title.append(MakerName()).append(" - ").append(kMakerWebAddress).append("</TITLE>");
  return JoinLines(
      {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
       "\"http://www.w3.org/TR/html4/loose.dtd\">",
       "<HTML>", "", "<HEAD>", title,
       "<meta http-equiv=\"content-type\" content=\"text/html;charset=iso-8859-1\">", ""});
}

std::string StyleSheet(const PageStyle& style) {
  std::string out = "\r\n<STYLE TYPE=\"text/css\">\r\n";
  out.append("body {margin-left: 4em;background-color:")
      .append(style.page_background_colour)
      .append(";color:")
      .append(style.page_text_colour)
      .append("}");
  for (std::string_view selector : {"table.predict", "tr.predict", "td.predict"}) {
    AppendStyleRule(out, selector, style.data_grid_font_size, style.data_grid_text_colour,
                    style.data_grid_background_colour);
  }
  for (std::string_view selector : {"table.normal", "td.normal", "tr.normal"}) {
    AppendStyleRule(out, selector, style.normal_font_size, style.page_text_colour,
                    style.page_background_colour);
  }
  AppendStyleRule(out, "span", "", style.data_grid_text_colour, style.data_grid_background_colour);
  AppendStyleRule(out, "font.normal", style.normal_font_size, style.page_text_colour, "");
  out.append("\r\n</STYLE>\r\n");
  return out;
}

std::string ScriptOpen() {
  return JoinLines(
      {"", "<SCRIPT LANGUAGE=\"JavaScript\" TYPE=\"TEXT/JAVASCRIPT\">", "<!-- hide", ""});
}

std::string BrowserSensingScript() {
  return JoinLines(
      {"// browser sensing",
       "var isDHTML = 0;",
       "var isID = 0;",
       "var isAll = 0;",
       "var isLayers = 0;",
       "",
       "if (document.getElementById)",
       "  {isID = 1; isDHTML = 1;}",
       "else ",
       "{",
       "   if (document.all)",
       "     {isAll = 1; isDHTML = 1;}",
       "   else ",
       "   {",
       "   browserVersion = parseInt(navigator.appVersion);",
       "   if ((navigator.appName.indexOf('Netscape') != -1) && (browserVersion >= 4)) ",
       "    isLayers = 1; isDHTML = 1;",
       "   }",
       "}",
       ""});
}

std::string ScriptClose() {
  return JoinLines({"", "// end hide -->", "</SCRIPT>"});
}

std::string HeadCloseBodyOpen() {
  return JoinLines({"", "</HEAD>", "", "<BODY>"});
}

std::string IntroductionBlock(const PageStyle& style) {
  if (style.introduction_html.empty()) return "";
  std::string out = "\r\n<FONT class=\"normal\">";
  out.append(style.introduction_html).append("</FONT>");
  return out;
}

std::string FooterLine(FooterForm form) {
  std::string out = "\r\n<HR><FONT class=\"normal\">";
  if (form == FooterForm::Network) {
    out.append("<A HREF=\"").append(kMakerWebAddress).append("\">Visit the Kestrium Web Site</A>");
  } else {
    out.append("Page made with the Kestrium Development Kit, &copy; <A HREF=\"")
        .append(kMakerWebAddress)
        .append("\">")
        .append(MakerName())
        .append("</A>. All rights reserved.");
  }
  out.append("</FONT>");
  return out;
}

std::string DocumentEnd() {
  return JoinLines({"</BODY>", "", "</HTML>"});
}

}  // namespace kdk
