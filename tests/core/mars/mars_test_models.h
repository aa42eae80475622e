#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/mars/mars_model.h"
#include "core/mars/mars_text_lines.h"
#include "core/mars/parse_mars_model.h"
#include "fakes/fake_ports.h"

namespace kdk::testing {

// The worked example: hinges on X1, a set test on X2 times BF1, indicators on X3.
inline const char* const kWorkedExample =
    "BF1 = max(0, X1 - 2.5);\r\n"
    "BF2 = max(0, 2.5 - X1);\r\n"
    "BF3 = ( X2 = 1 OR X2 = 3) * BF1;\r\n"
    "BF4 = ( X3 > .);\r\n"
    "BF5 = ( X3 = .);\r\n"
    "\r\n"
    "Y = 0.5 + 1.2 * BF1 - 0.7 * BF3 + 0.2 * BF4;\r\n"
    "\r\n"
    "MODEL Y = BF1 BF3 BF4;\r\n";

inline MarsModel ParseText(const std::string& text, RecordingMessagePort& messages,
                           bool* ok = nullptr) {
  MarsModel model;
  const bool parsed = ParseMarsText(text, model, messages);
  if (ok) *ok = parsed;
  return model;
}

// An exported text of these definitions, output Y.
inline std::string MarsText(const std::string& definitions,
                            const std::string& equation = "1 + 2 * BF1",
                            const std::string& terms = "BF1") {
  return definitions + "\r\nY = " + equation + ";\r\n\r\nMODEL Y = " + terms + ";\r\n";
}

// The text read, failing the test if it is refused.
inline MarsModel ParseOk(const std::string& text) {
  RecordingMessagePort messages;
  bool ok = false;
  MarsModel model = ParseText(text, messages, &ok);
  EXPECT_TRUE(ok) << text;
  return model;
}

}  // namespace kdk::testing
