#include "cli/arguments.h"

#include "core/common/model_text.h"

namespace kdk::cli {

Arguments::Arguments(const std::vector<std::string>& words,
                     const std::set<std::string>& value_options,
                     const std::set<std::string>& flag_options) {
  bool options_ended = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    // "-" alone is a positional (standard input); "--" ends the options, so that
    // negative numbers and odd names can follow.
    if (options_ended || word.size() < 2 || word[0] != '-' || word == "-") {
      positional_.push_back(word);
      continue;
    }
    if (word == "--") {
      options_ended = true;
    } else if (word == "--help" || word == "-h") {
      help_ = true;
    } else if (value_options.count(word)) {
      if (i + 1 >= words.size()) throw UsageError{word + " needs a value"};
      values_[word] = words[++i];
      // An option's text (names, an introduction) is model text, read like a model's;
      // the output path stays in the file system's own bytes.
      std::string text, error;
      if (word == "-o") continue;
      if (!DecodeModelText(values_[word], text, error)) throw UsageError{word + ": " + error};
      values_[word] = std::move(text);
    } else if (flag_options.count(word)) {
      flags_.insert(word);
    } else if (word[1] != '-' && (isdigit(static_cast<unsigned char>(word[1])) || word[1] == '.')) {
      positional_.push_back(word);  // a negative number
    } else {
      throw UsageError{"unknown option " + word};
    }
  }
}

bool Arguments::Has(const std::string& name) const {
  return flags_.count(name) > 0 || values_.count(name) > 0;
}

std::string Arguments::Value(const std::string& name, const std::string& default_value) const {
  auto it = values_.find(name);
  return it == values_.end() ? default_value : it->second;
}

}  // namespace kdk::cli
