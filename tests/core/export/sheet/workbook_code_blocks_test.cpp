#include "core/export/sheet/workbook_code_blocks.h"

#include <gtest/gtest.h>

namespace kdk {
namespace {

// Every block, of a regression, a classifier and a MARS model, is in the workbook
// modules under tests/golden.
TEST(WorkbookCodeBlocks, APathCannotBreakOutOfItsCommentLine) {
  const std::string header = MarsModuleHeaderBlock("a\r\nMsgBox 1", "now");
  EXPECT_NE(header.find("'MARS rules file: a  MsgBox 1\r\n"), std::string::npos);
}

}  // namespace
}  // namespace kdk
