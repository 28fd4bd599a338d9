// The install run in an installer two of whose items hold no bytes (rs_vertxt and rs_tip03,
// made by qlx_test_items): every item is read, both are named in one report, nothing is
// written.
#include "engine/InstallProgram.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <windows.h>

#include "common/ScratchFolder.h"
#include "support/fs/Files.h"
#include "support/fs/Folders.h"
#include "support/run/RunLog.h"
#include "support/win/UniqueHandle.h"
#include "win32/InstallRunFixture.h"

namespace {

using InstallUnreadable = InstallRunFixture;

TEST_F(InstallUnreadable, BothItemsAreReportedAndNothingIsWritten) {
  const std::string errors =
      "Error Reading resource item rs_vertxt, Filename vertxt.txt\r\n"
      "Error Reading resource item rs_tip03, Filename tip03.txt";
  // In the second run another program holds the log open, so it records nothing; the reports
  // stay the same.
  for (const bool logHeld : {false, true}) {
    SCOPED_TRACE(logHeld ? "log held open" : "log written");
    const std::string f = Folder(logHeld ? "zt2\\" : "zt1\\");
    UniqueFileHandle holder;
    EXPECT_FALSE(Install(f, [&] {
      if (logHeld) holder.reset(::CreateFileA(LogPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    }));
    EXPECT_EQ(static_cast<bool>(holder), logHeld);
    EXPECT_EQ(m_outcome.kind, InstallOutcome::Kind::ItemsUnreadable);
    // Shown while the progress window stands, then again as the closing report once it is gone.
    ASSERT_EQ(m_dialogs.notices.size(), 2u);
    EXPECT_EQ(m_dialogs.notices[0].title, "");
    EXPECT_EQ(m_dialogs.notices[0].text, errors);
    EXPECT_EQ(m_dialogs.notices[1].title, "Quillon");
    EXPECT_EQ(m_dialogs.notices[1].text, errors);
    EXPECT_EQ(m_windowAtReport, (std::vector<bool>{true, false}));
    EXPECT_EQ(m_script.calls,
              (std::vector<std::string>{"SetProgramName Quillon", "SetStage Installing ...", "Show", "Destroyed"}));

    // The folders are made before the reading; no file is written.
    EXPECT_TRUE(FolderIsPresent(f + "manuals"));
    EXPECT_TRUE(FolderIsPresent(f + "tips"));
    // Not a file: those read before the end were staged and are gone.
    EXPECT_EQ(FilesBelow(f), std::vector<std::string>{});
    EXPECT_FALSE(FileIsPresent(f + "unins5100.dat"));
    EXPECT_FALSE(ProductKeyExists());
    if (logHeld) continue;

    // Every item read, the two unreadable ones named where they were met, the file phase skipped.
    const std::vector<std::string> log = RunMessages();
    const auto at = [&](const std::string& m) { return std::find(log.begin(), log.end(), m) - log.begin(); };
    const auto vertxt = at("Error Reading resource item rs_vertxt, Filename vertxt.txt");
    const auto tip03 = at("Error Reading resource item rs_tip03, Filename tip03.txt");
    EXPECT_EQ(vertxt, at("Installprogram item 9:rs_vertxt") + 1);
    EXPECT_EQ(tip03, at("Installprogram item 16:rs_tip03") + 1);
    EXPECT_EQ(at("Installprogram item 10:rs_Manual"), vertxt + 1);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "Installprogram.Completed list: " + std::to_string(m_outcome.filesTotal) + " files");
  }
}

}  // namespace
