#pragma once

#include <string>
#include <string_view>

namespace kdk::lang {

// Text from a model as HTML page text or attribute value: "<", ">", "&" and quotes
// escaped, so that it can never become markup.
void AppendPageText(std::string& out, std::string_view text);
// Text as the inside of a script string in quotes of either kind; "</script" and
// "<!--" cannot form in it.
void AppendScriptString(std::string& out, std::string_view text);
// A number as a script reads it: the general number text. A number that is not
// writable (IsWritableNumber) raises UnwritableNumber; it is never NaN or Infinity.
void AppendScriptNumber(std::string& out, double value);

// Whether `name` stands at `position` of `text` as a whole word: where the name
// begins or ends with a model name character, the text next to it is not one.
bool IsWholeWordAt(std::string_view text, size_t position, std::string_view name);

}  // namespace kdk::lang
