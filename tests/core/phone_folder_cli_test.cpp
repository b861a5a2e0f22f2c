// "menuforge-cli phone mkdir|rmdir|attr" against the phone simulator.
#ifdef MENUFORGE_CLI

#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/phone_test_rig.h"

namespace menuforge::test {
namespace {

struct PhoneFolderCli {
  explicit PhoneFolderCli(FaultPlan faults = {}) {
    MakePhoneStorage(folder / "phone");
    std::filesystem::create_directories(folder / "work");
    WriteFileText(folder / "phone/a/x.gif", "gif");
    server =
        std::make_unique<RunningServer>(folder / "phone", folder / "phone.sock", std::move(faults));
  }
  CliRun Run(const std::string& arguments) const {
    return RunCli(MENUFORGE_CLI, folder / "work", "phone " + arguments,
                  "MENUFORGE_PHONE_SOCKET='" + (folder / "phone.sock").string() + "'");
  }
  TempFolder folder;
  std::unique_ptr<RunningServer> server;
};

TEST(PhoneFolderCliTest, FoldersAndAttributes) {
  struct Case {
    std::string arguments;
    int exitCode;
    std::string out;
    std::string err;
  };
  const std::vector<Case> cases = {
      {"mkdir /a/new", 0, "", ""},
      {"mkdir /a/new", 1, "", "error: Error creating /a/new: refused by the phone\n"},
      {"mkdir '/a/caf\xC3\xA9'", 0, "", ""},
      {"mkdir '/a/\xE6\x97\xA5'", 1, "",
       "error: The phone takes only 8-bit (Latin-1) characters in its paths: /a/\xE6\x97\xA5\n"},
      {"rmdir '/a/caf\xC3\xA9'", 0, "", ""},
      {"rmdir /a/none", 1, "", "error: Error deleting /a/none: refused by the phone\n"},
      {"attr /a/x.gif", 0, "[] /a/x.gif\n", ""},
      {"attr /a/x.gif +S +R", 0, "[RS] /a/x.gif\n", ""},
      {"attr /a/x.gif -R +H", 0, "[HS] /a/x.gif\n", ""},
      {"attr /a/none.gif +S", 1, "", "error: File not found on the phone: /a/none.gif\n"},
      {"attr /a/x.gif +S -S", 2, "", ""},
      {"attr /a/x.gif S", 2, "", ""},
      {"attr /a/x.gif +S +H +R +S", 2, "", ""},
  };
  PhoneFolderCli cli;
  for (const Case& c : cases) {
    const CliRun run = cli.Run(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.out, c.out) << c.arguments;
    if (c.exitCode != 2) {
      EXPECT_EQ(run.err, c.err) << c.arguments;
    }
  }
  EXPECT_TRUE(std::filesystem::is_directory(cli.folder / "phone/a/new"));
  EXPECT_EQ(PhoneStorage(cli.folder / "phone").Attributes("/a/x.gif"),
            kAttributeHidden | kAttributeSystem);
  EXPECT_TRUE(
      cli.Run("attr --help")
          .out.starts_with("usage: menuforge-cli phone attr PHONEPATH [+S|-S|+H|-H|+R|-R]...\n"));
}

TEST(PhoneFolderCliTest, ARefusedAttributeChangeSaysSo) {
  PhoneFolderCli cli(Refusing(PhoneCall::CreateFile, 1));
  const CliRun run = cli.Run("attr /a/x.gif +S");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "error: Error changing attributes for /a/x.gif: refused by the phone\n");
}

}  // namespace
}  // namespace menuforge::test

#endif
