// Who else may change a folder, read from access lists as Windows and Wine write them.
#include <gtest/gtest.h>

#include "support/AccessList.h"

namespace {

constexpr char kMe[] = "S-1-5-21-1-2-3-1001";

struct Row {
  const char* sddl;
  bool passesOn;            // a folder made inside gets change rights for others
  OthersMayChange others;   // for the folder itself
  ExistingFolderStep step;  // the installer's step for it as an existing install folder
};

TEST(AccessList, WhoElseMayChangeAndWhatTheInstallerDoes) {
  const Row rows[] = {
      // A drive root as Windows makes it: authenticated users may add folders and change them.
      {"O:S-1-5-32-544D:(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)(A;CI;0x4;;;AU)"
       "(A;OICIIO;SDGXGWGR;;;AU)",
       true, OthersMayChange::Explicitly, ExistingFolderStep::Warn},
      // A folder of mine made in that root: it inherited the rights (and passes them on), so it
      // is protected.
      {"O:S-1-5-21-1-2-3-1001D:AI(A;OICIID;FA;;;BA)(A;OICIID;FA;;;SY)(A;OICIID;0x1200a9;;;BU)"
       "(A;ID;0x1301bf;;;AU)(A;OICIIOID;SDGXGWGR;;;AU)",
       true, OthersMayChange::OnlyThroughInheritance, ExistingFolderStep::Protect},
      // The same folder owned by someone else stays as it is, and the run says so.
      {"O:S-1-5-21-1-2-3-1002D:AI(A;OICIID;FA;;;BA)(A;ID;0x1301bf;;;AU)",
       false, OthersMayChange::OnlyThroughInheritance, ExistingFolderStep::Warn},
      // Users given modify on purpose: left, and said.
      {"O:S-1-5-21-1-2-3-1001D:(A;OICI;FA;;;S-1-5-21-1-2-3-1001)(A;OICI;0x1301bf;;;S-1-5-32-545)",
       true, OthersMayChange::Explicitly, ExistingFolderStep::Warn},
      // The protected list this installer sets: nobody else may change anything.
      {"O:S-1-5-21-1-2-3-1001D:P(A;OICI;FA;;;S-1-5-21-1-2-3-1001)(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)"
       "(A;OICI;0x1200a9;;;BU)",
       false, OthersMayChange::No, ExistingFolderStep::Keep},
      // The programs folder: others may only read and run.
      {"O:S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464D:PAI(A;;FA;;;S-1-5-80-956008885-3418522649-"
       "1831038044-1853292631-2271478464)(A;CIIO;GA;;;CO)(A;OICI;0x1200a9;;;BU)(A;OICI;FA;;;BA)",
       false, OthersMayChange::No, ExistingFolderStep::Keep},
      // Wine's reading of Unix modes 0777 and 0755 (never marked inherited).
      {"O:S-1-5-21-0-0-0-1000D:(A;OICI;FA;;;SY)(A;OICI;FA;;;S-1-5-21-0-0-0-1000)(A;OICI;0x1301ff;;;WD)",
       true, OthersMayChange::Explicitly, ExistingFolderStep::Warn},
      {"O:S-1-5-21-0-0-0-1000D:(A;OICI;FA;;;SY)(A;OICI;FA;;;S-1-5-21-0-0-0-1000)(A;OICI;0x1200a9;;;WD)",
       false, OthersMayChange::No, ExistingFolderStep::Keep},
      // A right for others that reaches only files made inside (OI), or only this folder's
      // contents later (IO): not passed on to a folder, not the folder's own.
      {"O:S-1-5-21-1-2-3-1001D:(A;OI;FA;;;WD)(A;CIIO;FW;;;IU)",
       true, OthersMayChange::Explicitly, ExistingFolderStep::Warn},
      // A deny entry grants nothing; no access list at all lets everyone do anything.
      {"O:S-1-5-21-1-2-3-1001D:(D;OICI;FA;;;WD)", false, OthersMayChange::No, ExistingFolderStep::Keep},
      {"O:S-1-5-21-1-2-3-1001D:NO_ACCESS_CONTROL", true, OthersMayChange::Explicitly, ExistingFolderStep::Warn},
  };
  for (const Row& row : rows) {
    const auto list = ParseAccessList(row.sddl);
    ASSERT_TRUE(list) << row.sddl;
    EXPECT_EQ(PassesChangeRightsToNewFolders(*list), row.passesOn) << row.sddl;
    EXPECT_EQ(WhoElseMayChange(*list), row.others) << row.sddl;
    EXPECT_EQ(DecideExistingFolder(*list, kMe), row.step) << row.sddl;
  }
  for (const char* bad : {"", "O:S-1-5-7", "D:(A;OICI;FA;;;)", "D:(X;;FA;;;WD)", "D:(A;;ZZ;;;WD)", "D:(A;;0x;;;WD)",
                          "D:(A;OICI;FA;;;WD", "Q:x"})
    EXPECT_FALSE(ParseAccessList(bad)) << bad;
}

}  // namespace
