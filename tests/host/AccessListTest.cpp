// Who else may change a folder, read from access lists as Windows and Wine write them.
#include <gtest/gtest.h>

#include "support/base/AccessList.h"

namespace {

constexpr char kMe[] = "S-1-5-21-1-2-3-1001";

struct Row {
  const char* sddl;
  bool passesOn;            // a folder made inside (or its files) gets change rights for others
  OthersMayChange others;   // for the folder itself and what is made in it
  bool replaces = false;    // others may delete or rename what it holds
  const char* user = kMe;
};

constexpr char kWineUser[] = "S-1-5-21-0-0-0-1000";

TEST(AccessList, WhoElseMayChange) {
  const Row rows[] = {
      // A drive root as Windows makes it: authenticated users may add folders and change them.
      {"O:S-1-5-32-544D:(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)(A;CI;0x4;;;AU)"
       "(A;OICIIO;SDGXGWGR;;;AU)",
       true, OthersMayChange::Explicitly},
      // A folder of mine made in that root: it inherited the rights (and passes them on).
      {"O:S-1-5-21-1-2-3-1001D:AI(A;OICIID;FA;;;BA)(A;OICIID;FA;;;SY)(A;OICIID;0x1200a9;;;BU)"
       "(A;ID;0x1301bf;;;AU)(A;OICIIOID;SDGXGWGR;;;AU)",
       true, OthersMayChange::OnlyThroughInheritance},
      // The same folder owned by someone else.
      {"O:S-1-5-21-1-2-3-1002D:AI(A;OICIID;FA;;;BA)(A;ID;0x1301bf;;;AU)",
       false, OthersMayChange::OnlyThroughInheritance},
      // Users given modify on purpose.
      {"O:S-1-5-21-1-2-3-1001D:(A;OICI;FA;;;S-1-5-21-1-2-3-1001)(A;OICI;0x1301bf;;;S-1-5-32-545)",
       true, OthersMayChange::Explicitly},
      // The protected list this installer sets: nobody else may change anything.
      {"O:S-1-5-21-1-2-3-1001D:P(A;OICI;FA;;;S-1-5-21-1-2-3-1001)(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)"
       "(A;OICI;0x1200a9;;;BU)",
       false, OthersMayChange::No},
      // The programs folder: others may only read and run.
      {"O:S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464D:PAI(A;;FA;;;S-1-5-80-956008885-3418522649-"
       "1831038044-1853292631-2271478464)(A;CIIO;GA;;;CO)(A;OICI;0x1200a9;;;BU)(A;OICI;FA;;;BA)",
       false, OthersMayChange::No},
      // Wine's reading of Unix modes 0777 and 0755 (never marked inherited).
      {"O:S-1-5-21-0-0-0-1000D:(A;OICI;FA;;;SY)(A;OICI;FA;;;S-1-5-21-0-0-0-1000)(A;OICI;0x1301ff;;;WD)",
       true, OthersMayChange::Explicitly, true, kWineUser},
      {"O:S-1-5-21-0-0-0-1000D:(A;OICI;FA;;;SY)(A;OICI;FA;;;S-1-5-21-0-0-0-1000)(A;OICI;0x1200a9;;;WD)",
       false, OthersMayChange::No, false, kWineUser},
      // Rights for others that reach only the files made inside (OI), and only what is made
      // inside later (IO): both reach the programs the run writes.
      {"O:S-1-5-21-1-2-3-1001D:(A;OI;FA;;;AU)", true, OthersMayChange::Explicitly, true},
      {"O:S-1-5-21-1-2-3-1001D:(A;CIIO;FW;;;IU)", true, OthersMayChange::Explicitly},
      {"O:S-1-5-21-1-2-3-1001D:AI(A;OIIOID;FW;;;AN)", true, OthersMayChange::OnlyThroughInheritance},
      // Another user's own account, not only the well-known groups.
      {"O:S-1-5-21-1-2-3-1001D:(A;OICI;FA;;;S-1-5-21-1-2-3-1001)(A;OICI;0x1301bf;;;S-1-5-21-1-2-3-1002)", true,
       OthersMayChange::Explicitly},
      // CREATOR OWNER is whoever makes an entry inside: the user. OWNER RIGHTS are the owner's,
      // someone else's here.
      {"O:S-1-5-21-1-2-3-1001D:P(A;OICI;FA;;;S-1-5-21-1-2-3-1001)(A;OICIIO;GA;;;CO)(A;OICI;FA;;;OW)", false,
       OthersMayChange::No},
      {"O:S-1-5-21-1-2-3-1002D:(A;OICI;FA;;;OW)", true, OthersMayChange::Explicitly, true},
      // Owned by Administrators (made by an elevated run).
      {"O:BAD:AI(A;OICIID;FA;;;BA)(A;ID;0x1301bf;;;AU)", false, OthersMayChange::OnlyThroughInheritance},
      // Delete-child for others on a parent: what it holds can be renamed away and replaced.
      {"O:S-1-5-32-544D:(A;;0x100041;;;BU)", true, OthersMayChange::Explicitly, true},
      // A deny entry grants nothing; no access list at all lets everyone do anything.
      {"O:S-1-5-21-1-2-3-1001D:(D;OICI;FA;;;WD)", false, OthersMayChange::No},
      {"O:S-1-5-21-1-2-3-1001D:NO_ACCESS_CONTROL", true, OthersMayChange::Explicitly, true},
  };
  for (const Row& row : rows) {
    const auto list = ParseAccessList(row.sddl);
    ASSERT_TRUE(list) << row.sddl;
    EXPECT_EQ(PassesChangeRightsToNewFolders(*list, row.user), row.passesOn) << row.sddl;
    EXPECT_EQ(WhoElseMayChange(*list, row.user), row.others) << row.sddl;
    EXPECT_EQ(LetsOthersReplaceEntries(*list, row.user), row.replaces) << row.sddl;
  }
  // What this reading cannot read to the end is no list (the installer takes it as open):
  // accounts it does not know, object and conditional entries.
  for (const char* bad : {"", "O:S-1-5-7", "D:(A;OICI;FA;;;)", "D:(X;;FA;;;WD)", "D:(A;;ZZ;;;WD)", "D:(A;;0x;;;WD)",
                          "D:(A;OICI;FA;;;WD", "Q:x", "D:(A;OICI;FA;;;AC)", "D:(A;;FA;;;PU)", "D:(A;;FA;;;BG)",
                          "D:(A;;FA;;;NU)", "D:(A;;FA;;;CG)", "D:(A;;FA;;;LA)", "D:(A;;FA;;;DU)",
                          "D:(OA;CI;FA;bf967aba-0de6-11d0-a285-00aa003049e2;;WD)", "D:(XA;;FA;;;WD;(Member_of {SY}))"})
    EXPECT_FALSE(ParseAccessList(bad)) << bad;
}

}  // namespace
