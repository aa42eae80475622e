#pragma once

#include <string>

namespace kdk {

// What the generated files say about where the model came from and when they were
// made; filled by the caller so that the text builders stay pure.
struct VbProjectStamp {
  std::string model_path;     // the model file ("Pasted_Model" for pasted MARS text)
  std::string model_created;  // ModelCreatedText: date text, or "Unknown"
  std::string now;            // the present date and time as date text
};

}  // namespace kdk
