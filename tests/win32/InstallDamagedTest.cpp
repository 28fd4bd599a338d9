// The install run in an installer whose item rs_tip05 fails its check value (made by
// qlx_test_items; rs_vertxt before it holds no bytes): the run stops at once with one message
// naming the item, and shows nothing itself.
#include "engine/InstallProgram.h"

#include <gtest/gtest.h>

#include "common/ScratchFolder.h"
#include "support/fs/Files.h"
#include "win32/InstallRunFixture.h"

namespace {

using InstallDamaged = InstallRunFixture;

TEST_F(InstallDamaged, TheRunEndsWithOneMessageNamingTheItem) {
  const std::string f = Folder("zt\\");
  const std::string message = "The installer is damaged (rs_tip05: Error). Please obtain a new copy of it.";
  EXPECT_FALSE(Install(f));
  EXPECT_EQ(m_outcome.kind, InstallOutcome::Kind::Damaged);
  EXPECT_EQ(m_outcome.message, message);
  EXPECT_TRUE(m_outcome.stopped);
  EXPECT_TRUE(m_dialogs.notices.empty());
  EXPECT_EQ(m_script.calls,
            (std::vector<std::string>{"SetProgramName Quillon", "SetStage Installing ...", "Show", "Destroyed"}));
  EXPECT_FALSE(m_script.windowAlive);
  // Reading stopped at the damaged item, which the log names with the same message.
  const std::vector<std::string> log = RunMessages();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "Installprogram item 18:rs_tip05");
  EXPECT_EQ(log.back(), message);
  // Not a file: those read before the end were staged and are gone.
  EXPECT_EQ(FilesBelow(f), std::vector<std::string>{});
  EXPECT_FALSE(ProductKeyExists());
}

}  // namespace
