// "menuforge-cli phone ..." against the phone simulator, and the whole road of a menu from the
// phone, edited, back to the phone.
#ifdef MENUFORGE_CLI

#include <gtest/gtest.h>

#include "app/core/java_after_open.h"
#include "catalog/menu_opening.h"
#include "core/phone_test_rig.h"
#include "menu/mma_saver.h"
#include "menu/tree_operations.h"
#include "phone/socket_library.h"
#include "phonesim/demo_storage.h"
#include "support/cli_runner.h"

namespace menuforge::test {
namespace {

class PhoneCliTest : public ::testing::Test {
 protected:
  PhoneCliTest() {
    MakePhoneStorage(storage());
    std::filesystem::create_directories(folder / "work");
  }

  std::filesystem::path storage() const { return folder / "phone"; }
  std::filesystem::path socket() const { return folder / "phone.sock"; }

  void StartSimulator(FaultPlan faults = {}) {
    server = std::make_unique<RunningServer>(storage(), socket(), std::move(faults));
    ASSERT_EQ(server->error(), "");
  }

  CliRun Run(const std::string& arguments) const {
    return RunCli(MENUFORGE_CLI, folder / "work", arguments,
                  "MENUFORGE_PHONE_SOCKET='" + socket().string() + "'");
  }

  void PutPhoneFile(const std::string& phonePath, const Bytes& bytes) const {
    std::filesystem::create_directories((storage() / phonePath.substr(1)).parent_path());
    WriteFileBytes(storage() / phonePath.substr(1), bytes);
  }

  TempFolder folder;
  std::unique_ptr<RunningServer> server;
};

TEST_F(PhoneCliTest, InfoAndList) {
  StartSimulator();
  PutPhoneFile("/a/mobile/picture/x.gif", Bytes(12));
  ASSERT_TRUE(PhoneStorage(storage()).SetAttributes("/a/mobile/picture/x.gif", kAttributeSystem));
  const CliRun info = Run("phone info");
  EXPECT_EQ(info.exitCode, 0) << info.err;
  EXPECT_EQ(info.out,
            "model: Menuforge Phone\nimei: 354678012345679\nfirmware: R3443H1_G_0A.65.0BR\n"
            "lp-version: 0122\n");
  const CliRun list = Run("phone ls '/a/*.gif'");
  EXPECT_EQ(list.exitCode, 0) << list.err;
  EXPECT_EQ(list.out, "12 [S] /a/mobile/picture/x.gif\n");
  EXPECT_EQ(Run("phone ls '/a/*.png'").out, "");
}

TEST_F(PhoneCliTest, PullPushAndRemove) {
  StartSimulator();
  const Bytes data = RandomBytes(3072, 1);
  WriteFileBytes(folder / "work" / "up.bin", data);
  EXPECT_EQ(Run("phone push up.bin /a/up.bin").exitCode, 0);
  EXPECT_EQ(ReadFileBytes(storage() / "a" / "up.bin"), data);
  EXPECT_EQ(Run("phone pull /a/up.bin down.bin").exitCode, 0);
  EXPECT_EQ(ReadFileBytes(folder / "work" / "down.bin"), data);
  EXPECT_EQ(Run("phone rm /a/up.bin").exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(storage() / "a" / "up.bin"));
}

TEST_F(PhoneCliTest, RefusedCommandsExitWithTheirMessage) {
  struct Case {
    std::string arguments;
    std::string message;
  };
  StartSimulator();
  WriteFileText(folder / "work" / "up.bin", "data");
  const std::vector<Case> cases = {
      {"phone pull /a/none down.bin", "Error reading /a/none\n"},
      {"phone push up.bin /a/../up.bin", "Error writing /a/../up.bin\n"},
      {"phone rm /a/none", "Error deleting /a/none\n"},
  };
  for (const Case& c : cases) {
    const CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, 1) << c.arguments;
    EXPECT_EQ(run.err, c.message) << c.arguments;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "work" / "down.bin"));
  EXPECT_EQ(Run("phone push missing.bin /a/x").exitCode, 1);
}

TEST_F(PhoneCliTest, APullRefusedMidFileLeavesTheLocalFileAsItWas) {
  StartSimulator(Refusing(PhoneCall::FsacRead, 2));
  PutPhoneFile("/a/x", RandomBytes(5000, 2));
  WriteFileText(folder / "work" / "down.bin", "older copy");
  const CliRun run = Run("phone pull /a/x down.bin");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "Error reading /a/x\n");
  EXPECT_EQ(ReadFileText(folder / "work" / "down.bin"), "older copy");
  EXPECT_FALSE(std::filesystem::exists(folder / "work" / "down.bin.menuforge-part"));
}

TEST_F(PhoneCliTest, NoPhoneAndBadUsage) {
  const CliRun none = Run("phone info");
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_EQ(none.err, "error: no phone found on " + socket().string() + "\n");
  EXPECT_EQ(Run("phone").exitCode, 2);
  EXPECT_EQ(Run("phone dance").exitCode, 2);
  EXPECT_EQ(Run("phone pull /a/x").exitCode, 2);
  const CliRun help = Run("phone push --help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.starts_with("usage: menuforge-cli phone push LOCAL PHONEPATH\n"));
  EXPECT_EQ(Run("phone info --phone-socket " + (folder / "nowhere.sock").string()).exitCode, 1);
}

TEST_F(PhoneCliTest, BackupMenuCopiesTheMenuAndJ2mestFiles) {
  std::filesystem::remove_all(storage());
  ASSERT_EQ(CreateDemoStorage(storage()), "");
  StartSimulator();
  const CliRun run = Run("phone backup-menu backup");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const auto backup = folder / "work" / "backup";
  EXPECT_EQ(run.out, "backup/mma_ucp\nbackup/J2MEST\nbackup/J2MEST_mmc\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadFileBytes(backup / "mma_ucp"),
            ReadFileBytes(storage() / "a/mobile/system/mma_ucp"));
  EXPECT_EQ(ReadFileBytes(backup / "J2MEST"), ReadFileBytes(storage() / "a/mobile/kjava/J2MEST"));
  EXPECT_EQ(ReadFileBytes(backup / "J2MEST_mmc"),
            ReadFileBytes(storage() / "b/mobile/kjava/354678012345679/J2MEST"));

  // The demo's MIDlets with wrong CORELET info, two in phone memory and one on the card.
  const CliRun phone = Run("j2mest backup/J2MEST");
  EXPECT_EQ(phone.exitCode, 0) << phone.err;
  EXPECT_NE(phone.out.find("\npatch record=1 offset=860\npatch record=2 offset=1568\n"),
            std::string::npos)
      << phone.out;
  const CliRun card = Run("j2mest backup/J2MEST_mmc");
  EXPECT_NE(card.out.find("\npatch record=0 offset=156\n"), std::string::npos) << card.out;
}

struct NoProgress : ProgressWindows {
  struct Sink : ProgressSink {
    void SetCaption(const std::string&) override {}
    void SetPosition(int) override {}
    void Close() override {}
  };
  std::unique_ptr<ProgressSink> Show(const std::string&) override {
    return std::make_unique<Sink>();
  }
};

TEST_F(PhoneCliTest, OpenFromPhoneAddAnItemAndSaveToPhone) {
  std::filesystem::remove_all(storage());
  ASSERT_EQ(CreateDemoStorage(storage()), "");
  StartSimulator();
  const auto work = folder / "work";
  SocketPhoneLibrary library(socket());
  Settings settings;
  settings.setSystemAttribute = true;
  settings.readJ2mest = settings.fromPhone = settings.fromCard = settings.patchJ2mest = true;
  RecordingDialogs dialogs;
  NoProgress windows;
  CountingObserver observer;
  PhoneLink link(library, settings, dialogs, windows, observer, work);
  ASSERT_TRUE(link.session.Start());
  link.session.Poll();
  ASSERT_TRUE(link.session.connected());

  const std::filesystem::path copy = link.menuFiles.ReadPhoneMenuFiles();
  ASSERT_FALSE(copy.empty());
  Catalog catalog(work);
  ASSERT_TRUE(catalog.LoadItemBase().ok());
  catalog.SetSelectorIndex(0);
  FormatOptions options;
  FormatState state;
  MenuTree tree;
  ASSERT_TRUE(OpenMenuFile(copy, tree, catalog, options, state, dialogs).loaded);
  const InstalledMidlets midlets = ReadJ2mestAfterOpen(link, true, work, dialogs);
  EXPECT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(midlets.card[0], (InstalledMidlet{"Chess", "Chess", "Board Games"}));
  const ItemTable& items = catalog.availableItems();
  ASSERT_NE(
      AddEntry(tree, *tree.menuRoot(), Placement::LastChild, items.at(items.Find("Games")), false),
      nullptr);
  ASSERT_EQ(SaveMenuFile(work / "mma_temp", tree, options, items).status, SaveStatus::Saved);
  link.menuFiles.WritePhoneMenuFiles();
  EXPECT_TRUE(link.session.storedToPhone);
  EXPECT_TRUE(dialogs.shown.empty());

  const CliRun dump = Run("dump '" + (storage() / "a/mobile/system/mma_ucp").string() + "'");
  EXPECT_EQ(dump.exitCode, 0) << dump.err;
  EXPECT_NE(dump.out.find("name=\"Games\""), std::string::npos) << dump.out;
  const std::size_t size = ReadFileBytes(storage() / "a/mobile/system/mma_ucp").size();
  EXPECT_EQ(Run("phone ls /a/mobile/system/mma_ucp").out,
            std::to_string(size) + " [S] /a/mobile/system/mma_ucp\n");
  const CliRun java = Run("j2mest '" + (storage() / "a/mobile/kjava/J2MEST").string() + "'");
  EXPECT_EQ(java.out.find("patch "), std::string::npos) << java.out;
  EXPECT_NE(java.out.find("launch-text=\"Sky Chart\""), std::string::npos) << java.out;
}

}  // namespace
}  // namespace menuforge::test

#endif  // MENUFORGE_CLI
