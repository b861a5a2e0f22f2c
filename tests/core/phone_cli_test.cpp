// "menuforge-cli phone ..." against the phone simulator, and the whole road of a menu from the
// phone, edited, back to the phone.
#ifdef MENUFORGE_CLI

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/core/java_after_open.h"
#include "catalog/menu_opening.h"
#include "menu/mma_saver.h"
#include "menu/tree_operations.h"
#include "phone/socket_library.h"
#include "phonesim/demo_storage.h"
#include "support/cli_runner.h"
#include "support/phone_test_rig.h"

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
      {"phone pull /a/none down.bin", "error: Error reading /a/none: refused by the phone\n"},
      {"phone push up.bin /a/../up.bin",
       "error: Error writing /a/../up.bin: refused by the phone\n"},
      {"phone rm /a/none", "error: Error deleting /a/none: refused by the phone\n"},
      {"phone ls /x/*", "error: Error listing /x/*: refused by the phone\n"},
      {"phone rm '/a/\xE6\x97\xA5'",
       "error: The phone takes only 8-bit (Latin-1) characters in its paths: /a/\xE6\x97\xA5\n"},
  };
  for (const Case& c : cases) {
    const CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, 1) << c.arguments;
    EXPECT_EQ(run.err, c.message) << c.arguments;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "work" / "down.bin"));
  EXPECT_EQ(Run("phone push missing.bin /a/x").exitCode, 1);
  ASSERT_EQ(mkfifo((folder / "work" / "fifo").c_str(), 0644), 0);
  const CliRun fifo = RunCli(MENUFORGE_CLI, folder / "work", "phone push fifo /a/x",
                             "MENUFORGE_PHONE_SOCKET='" + socket().string() + "' timeout 60");
  EXPECT_EQ(fifo.exitCode, 1);
  EXPECT_EQ(fifo.err, "error: Cannot open file \"fifo\". It is not a regular file\n");
}

TEST_F(PhoneCliTest, APullRefusedMidFileLeavesTheLocalFileAsItWas) {
  StartSimulator(Refusing(PhoneCall::FsacRead, 2));
  PutPhoneFile("/a/x", RandomBytes(5000, 2));
  WriteFileText(folder / "work" / "down.bin", "older copy");
  const CliRun run = Run("phone pull /a/x down.bin");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "error: Error reading /a/x: refused by the phone\n");
  EXPECT_EQ(ReadFileText(folder / "work" / "down.bin"), "older copy");
  EXPECT_FALSE(std::filesystem::exists(folder / "work" / "down.bin.menuforge-part"));
}

// Whoever may write into the folder cannot make a pull write through a link of theirs: the
// download goes to a fresh file, and takes the target's name only when whole.
TEST_F(PhoneCliTest, APullWritesThroughNoLinkPlantedBesideItsTarget) {
  StartSimulator();
  const Bytes data = RandomBytes(3000, 4);
  PutPhoneFile("/a/x", data);
  const std::filesystem::path victim = folder / "victim.txt";
  const std::filesystem::path planted = folder / "work" / "copy.menuforge-part";
  struct Case {
    const char* phonePath;
    int exitCode;
  };
  for (const Case& c : {Case{"/a/does-not-exist", 1}, Case{"/a/x", 0}}) {
    WriteFileText(victim, "keep me");
    std::filesystem::remove(planted);
    std::filesystem::create_symlink(victim, planted);
    EXPECT_EQ(Run(std::string("phone pull ") + c.phonePath + " copy").exitCode, c.exitCode);
    EXPECT_EQ(ReadFileText(victim), "keep me") << c.phonePath;
    EXPECT_TRUE(std::filesystem::is_symlink(planted)) << c.phonePath;
  }
  EXPECT_EQ(ReadFileBytes(folder / "work" / "copy"), data);
}

// A push is done only when the phone took every block and closed the file; otherwise the phone
// keeps its old file and the command fails, saying whether the phone refused or went away.
TEST_F(PhoneCliTest, AnUploadThatDidNotReachThePhoneWholeFails) {
  struct Case {
    FaultPlan faults;
    std::string err;
  };
  const std::vector<Case> cases = {
      {Refusing(PhoneCall::FsacClose, 1), "error: Error writing /a/up.bin: refused by the phone\n"},
      {Refusing(PhoneCall::FsacWrite, 2), "error: Error writing /a/up.bin: refused by the phone\n"},
      {FaultPlan{{}, 2000},
       "error: Error writing /a/up.bin: the connection to the phone was lost\n"},
  };
  const Bytes old = RandomBytes(100, 3);
  WriteFileBytes(folder / "work" / "big.bin", RandomBytes(5000, 4));
  for (const Case& c : cases) {
    PutPhoneFile("/a/up.bin", old);
    StartSimulator(c.faults);
    const CliRun run = Run("phone push big.bin /a/up.bin");
    EXPECT_EQ(run.exitCode, 1) << c.err;
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(ReadFileBytes(storage() / "a" / "up.bin"), old) << c.err;
    server.reset();
  }
}

// A phone that hangs mid-transfer is given up after the reply time; nothing is taken as whole.
TEST_F(PhoneCliTest, AHungPhoneEndsPullAndPushAsALostConnectionAndKeepsTheOldFiles) {
  struct Case {
    std::string arguments;
    std::string err;
  };
  const Case cases[] = {
      {"phone pull /a/big.bin down.bin",
       "error: Error reading /a/big.bin: the connection to the phone was lost\n"},
      {"phone push up.bin /a/big.bin",
       "error: Error writing /a/big.bin: the connection to the phone was lost\n"},
  };
  const Bytes old = RandomBytes(20000, 5);
  PutPhoneFile("/a/big.bin", old);
  WriteFileText(folder / "work" / "down.bin", "old");
  WriteFileBytes(folder / "work" / "up.bin", RandomBytes(20000, 6));
  // The identity takes a few commands; the transfer hangs a few blocks in.
  server = std::make_unique<RunningServer>(
      PhoneServerConfig{.storage = storage(), .pace = {.stallAfter = 16}}, socket());
  for (const Case& c : cases) {
    const CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, 1) << c.arguments;
    EXPECT_EQ(run.err, c.err);
  }
  EXPECT_EQ(ReadFileText(folder / "work" / "down.bin"), "old");
  EXPECT_EQ(ReadFileBytes(storage() / "a" / "big.bin"), old);
}

// Paths go to the phone as 8-bit characters and come back as UTF-8; a pattern without a volume
// is looked for on every volume.
TEST_F(PhoneCliTest, PathsAreLatin1OnThePhoneAndPatternsWithoutAVolumeSearchThemAll) {
  StartSimulator();
  PutPhoneFile("/b/x.gif", Bytes(3));
  WriteFileText(folder / "work" / "up.bin", "data");
  EXPECT_EQ(Run("phone push up.bin '/a/caf\xC3\xA9.gif'").exitCode, 0);
  EXPECT_EQ(ReadFileText(storage() / "a" / "caf\xE9.gif"), "data");
  const CliRun all = Run("phone ls '*'");
  EXPECT_EQ(all.exitCode, 0) << all.err;
  EXPECT_EQ(all.out, "4 [] /a/caf\xC3\xA9.gif\n3 [] /b/x.gif\n");
  EXPECT_EQ(Run("phone pull '/a/caf\xC3\xA9.gif' down.bin").exitCode, 0);
  EXPECT_EQ(ReadFileText(folder / "work" / "down.bin"), "data");
  EXPECT_EQ(Run("phone rm '/a/caf\xC3\xA9.gif'").exitCode, 0);
  EXPECT_EQ(Run("phone ls '*.gif'").out, "3 [] /b/x.gif\n");
}

// With "LogEnabled" on, a script's phone operations are added to the log the window keeps; with
// it off the working folder is left as it was.
TEST_F(PhoneCliTest, TransfersAreLoggedOnlyWhenLoggingIsOn) {
  StartSimulator();
  const auto work = folder / "work";
  WriteFileText(work / "up.bin", "data");
  EXPECT_EQ(Run("phone push up.bin /a/up.bin").exitCode, 0);
  EXPECT_EQ(Run("phone ls /a/*").exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(work / "p2klog.txt"));

  WriteFileText(work / "menuforge.ini", "[setup]\r\nLogEnabled=1\r\n");
  WriteFileText(work / "p2klog.txt", "a line of the window\r\n");
  EXPECT_EQ(Run("phone push up.bin /a/up.bin").exitCode, 0);
  const std::string log = ReadFileText(work / "p2klog.txt");
  EXPECT_TRUE(log.starts_with("a line of the window\r\nPhone connected\r\nRead SEEM 279_1 RC="))
      << log;
  EXPECT_NE(log.find("\r\n[P2KFileWrite] Enter /a/up.bin\r\n"
                     "[P2KFileWrite] Send command FSAC (0x0000) RC=0\r\n"),
            std::string::npos)
      << log;
  EXPECT_TRUE(log.ends_with("[P2KFileWrite] Send command FSAC (0x0004) RC=0\r\n")) << log;
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

TEST_F(PhoneCliTest, BackupMenuOfAPhoneWithoutAMenuFailsWithAnError) {
  StartSimulator();
  const CliRun run = Run("phone backup-menu backup");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(run.err.starts_with("error: ")) << run.err;
  EXPECT_FALSE(std::filesystem::exists(folder / "work" / "backup"));
}

// The phone's menu against a file: read into a temporary folder, never into the working folder.
TEST_F(PhoneCliTest, DiffAgainstThePhone) {
  std::filesystem::remove_all(storage());
  ASSERT_EQ(CreateDemoStorage(storage()), "");
  StartSimulator();
  const std::filesystem::path copy = folder / "phone_menu";
  std::filesystem::copy_file(storage() / "a/mobile/system/mma_ucp", copy);
  const struct {
    std::string arguments;
    int exitCode;
  } cases[] = {{"diff phone: " + copy.string(), 0}, {"diff phone: phone:", 0}};
  for (const auto& c : cases) {
    const CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_EQ(run.out, "files are identical\n");
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder / "work"));
  server.reset();
  const CliRun gone = Run("diff phone: " + copy.string());
  EXPECT_EQ(gone.exitCode, 2);
  EXPECT_TRUE(gone.err.starts_with("error: no phone found")) << gone.err;
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
  catalog.UseDefaultProfile();
  FormatOptions options;
  FormatState state;
  MenuTree tree;
  ASSERT_TRUE(OpenMenuFile(copy, tree, catalog, options, state).loaded());
  const InstalledMidlets midlets = ReadJ2mestAfterOpen(link, true, work, dialogs);
  EXPECT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(midlets.card[0], (InstalledMidlet{"Chess", "Chess", "Board Games"}));
  const ItemTable& items = catalog.availableItems();
  ASSERT_NE(
      AddEntry(tree, *tree.menuRoot(), Placement::LastChild, items.at(items.Find("Games")), false),
      nullptr);
  ASSERT_EQ(SaveMenuFile(work / "mma_temp", tree, options, items).status(), SaveStatus::Saved);
  link.menuFiles.WritePhoneMenuFiles();
  EXPECT_TRUE(link.menuFiles.storedToPhone());
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
