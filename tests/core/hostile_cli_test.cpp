// The command-line tool met as an unlucky user or an attacker would: a full disk, a umask, a
// planted FIFO, an interrupt, crowded or full phones, and texts that would drive the terminal.
#ifdef MENUFORGE_CLI

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "phone/local_socket.h"
#include "phone/wire_format.h"
#include "phonesim/demo_storage.h"
#include "support/cli_runner.h"
#include "support/phone_test_rig.h"

namespace menuforge::test {
namespace {

constexpr char kFull[] = "menuforge-cli: write error: No space left on device\n";

class HostileCliTest : public ::testing::Test {
 protected:
  HostileCliTest() {
    EXPECT_EQ(CreateDemoStorage(storage()), "");
    std::filesystem::create_directories(work());
  }

  std::filesystem::path storage() const { return folder / "phone"; }
  std::filesystem::path work() const { return folder / "work"; }
  std::filesystem::path backups() const { return folder / "data/menuforge/backups"; }
  std::filesystem::path phoneMenu() const { return storage() / "a/mobile/system/mma_ucp"; }

  void StartSimulator(CablePace pace = {}) {
    server = std::make_unique<RunningServer>(
        PhoneServerConfig{storage(), {}, {}, kDefaultVolumeCapacity, {}, pace},
        folder / "phone.sock");
    ASSERT_EQ(server->error(), "");
  }

  // `before` runs in the shell first ("umask 077;").
  CliRun Run(const std::string& arguments, const std::string& before = {}) const {
    return RunCli(MENUFORGE_CLI, work(), arguments,
                  before + " MENUFORGE_PHONE_SOCKET='" + (folder / "phone.sock").string() +
                      "' XDG_DATA_HOME='" + (folder / "data").string() + "'");
  }

  TempFolder folder;
  std::unique_ptr<RunningServer> server;
};

TEST_F(HostileCliTest, OutputThatIsLostOrWouldDriveTheTerminal) {
  ASSERT_EQ(Run("new a.mma").exitCode, 0);
  const struct {
    std::string arguments;
    int exitCode;
    std::string err;
  } cases[] = {
      {"diff a.mma a.mma >/dev/full", 2, kFull},
      {"diff a.mma a.mma --json >/dev/full", 2, kFull},
      {"dump a.mma >/dev/full", 1, kFull},
      {"phone --help >/dev/full", 1, kFull},
      {"diff a.mma \"$(printf 'nope\\033[31m\\007')\"", 2,
       "error: Cannot open file \"nope\\x1B[31m\\x07\". No such file or directory\n"},
      {"dump \"$(printf '\\342\\200\\256gpj.exe\\351\\302\\233')\"", 1,
       "error: Cannot open file \"\\u202Egpj.exe\\xE9\\x9B\". No such file or directory\n"},
  };
  for (const auto& c : cases) {
    const CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
    EXPECT_EQ(run.err, c.err) << c.arguments;
  }
}

mode_t Mode(const std::filesystem::path& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

TEST_F(HostileCliTest, NewFilesFollowTheUmaskAndReplacedOnesKeepTheirMode) {
  StartSimulator();
  ASSERT_EQ(Run("new kept.mma").exitCode, 0);
  ::chmod((work() / "kept.mma").c_str(), 0640);
  const struct {
    std::string arguments;
    std::string file;
    mode_t mode;
  } cases[] = {
      {"new fresh.mma", "fresh.mma", 0600},
      {"new kept.mma --force", "kept.mma", 0640},
      {"phone pull /a/mobile/system/mma_ucp pulled", "pulled", 0600},
      {"phone backup-menu backup", "backup/mma_ucp", 0600},
      {"phone write-menu fresh.mma", "../data/menuforge/backups", 0700},
  };
  for (const auto& c : cases) {
    const CliRun run = Run(c.arguments, "umask 077;");
    EXPECT_EQ(run.exitCode, 0) << c.arguments << run.err;
    EXPECT_EQ(Mode(work() / c.file), c.mode) << c.arguments;
  }
  for (const auto& copy : std::filesystem::directory_iterator(backups()))
    EXPECT_EQ(Mode(copy.path()), 0600u) << copy.path();
}

TEST_F(HostileCliTest, PullRefusesWhatIsNoRegularFile) {
  StartSimulator();
  ASSERT_EQ(::mkfifo((work() / "fifo").c_str(), 0644), 0);
  std::filesystem::create_directory(work() / "folder");
  for (const std::string target : {"fifo", "folder"}) {
    const CliRun run = Run("phone pull /a/mobile/system/mma_ucp " + target);
    EXPECT_EQ(run.exitCode, 1) << target;
    EXPECT_EQ(run.err, "error: Cannot write file \"" + target + "\". It is not a regular file\n");
  }
  struct stat status {};
  ASSERT_EQ(::lstat((work() / "fifo").c_str(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

// Waits until the download's part file is there, then sends `signal`.
int InterruptedPull(const std::filesystem::path& work, const std::string& socket, int signal) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::setenv("MENUFORGE_PHONE_SOCKET", socket.c_str(), 1);
    if (::chdir(work.c_str()) == 0)
      ::execl(MENUFORGE_CLI, MENUFORGE_CLI, "phone", "pull", "/a/big.bin", "big.bin", nullptr);
    ::_exit(127);
  }
  const auto partThere = [&] {
    for (const auto& entry : std::filesystem::directory_iterator(work))
      if (entry.path().filename().string().starts_with("big.bin.menuforge-")) return true;
    return false;
  };
  for (int tries = 0; tries < 1000 && !partThere(); ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ::kill(child, signal);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(HostileCliTest, AnInterruptedDownloadLeavesNoPart) {
  WriteFileBytes(storage() / "a/big.bin", RandomBytes(400000, 3));
  StartSimulator({std::chrono::milliseconds(0), 50000, std::nullopt});
  for (const auto& [signal, exitCode] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
    EXPECT_EQ(InterruptedPull(work(), (folder / "phone.sock").string(), signal), exitCode);
    EXPECT_TRUE(std::filesystem::is_empty(work())) << signal;
  }
}

// A file the phone has that could not be copied (here, larger than the file size limit) fails
// the backup, which then leaves nothing that would pass for a whole one.
TEST_F(HostileCliTest, ABackupWithAFileMissingFails) {
  WriteFileBytes(storage() / "b/mobile/kjava/354678012345679/J2MEST", RandomBytes(300000, 4));
  StartSimulator();
  const CliRun run = Run("phone backup-menu backup", "trap '' XFSZ; ulimit -f 200;");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(run.err.ends_with(
      "error: no backup was written: not every file the phone has could be copied\n"))
      << run.err;
  EXPECT_FALSE(std::filesystem::exists(work() / "backup"));
}

TEST_F(HostileCliTest, WriteAndRestoreThePhoneMenuWithASafetyCopy) {
  StartSimulator();
  const Bytes old = ReadFileBytes(phoneMenu());
  ASSERT_EQ(Run("new fresh.mma --records 22").exitCode, 0);
  WriteFileText(work() / "junk", "no menu");
  const struct {
    std::string arguments;
    std::string before;
    int exitCode;
    std::string err;
  } refused[] = {
      {"phone write-menu junk", "", 1, "error: junk does not hold a menu; nothing was written\n"},
      {"phone write-menu fresh.mma", "XDG_DATA_HOME= HOME=", 1,
       "error: Nothing was written to the phone: a safety copy of its menu could not be kept.\n"
       "There is no folder for phone backups: neither XDG_DATA_HOME nor HOME is set\n"},
      {"phone restore-menu backup:1", "", 1,
       "error: backup:1: there is no such backup; backups are numbered from 1, the newest "
       "first, and 0 are kept\n"},
  };
  for (const auto& c : refused) {
    const CliRun run =
        RunCli(MENUFORGE_CLI, work(), c.arguments,
               "MENUFORGE_PHONE_SOCKET='" + (folder / "phone.sock").string() + "' XDG_DATA_HOME='" +
                   (folder / "data").string() + "' " + c.before);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
    EXPECT_EQ(run.err, c.err) << c.arguments;
    EXPECT_EQ(ReadFileBytes(phoneMenu()), old) << c.arguments;
  }

  const CliRun written = Run("phone write-menu fresh.mma");
  EXPECT_EQ(written.exitCode, 0) << written.err;
  EXPECT_EQ(ReadFileBytes(phoneMenu()), ReadFileBytes(work() / "fresh.mma"));
  const CliRun restored = Run("phone restore-menu backup:1");
  EXPECT_EQ(restored.exitCode, 0) << restored.err;
  EXPECT_EQ(restored.err, "The backup has been written to the phone\n");
  EXPECT_EQ(ReadFileBytes(phoneMenu()), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(backups()), {}), 2);
}

// Sixteen clients that asked once and stay silent hold every connection; the seventeenth is
// still served, in the place of the one quiet for longest.
TEST_F(HostileCliTest, QuietClientsMakeRoomForANewOne) {
  StartSimulator();
  std::vector<SocketHandle> quiet;
  for (int i = 0; i < 16; ++i) {
    quiet.push_back(ConnectLocalSocket(folder / "phone.sock"));
    const Bytes count = WireWriter(static_cast<std::uint8_t>(WireCall::CountFiles))
                            .Append(std::string("/a/*"))
                            .Frame();
    ASSERT_TRUE(SendAll(quiet.back().get(), count, std::chrono::seconds(5)));
    std::array<std::uint8_t, 64> answer{};
    ASSERT_GT(ReceiveSome(quiet.back().get(), answer, std::chrono::seconds(5)), 0u);
  }
  const CliRun info = Run("phone info");
  EXPECT_EQ(info.exitCode, 0) << info.err;
  EXPECT_TRUE(info.out.starts_with("model: ")) << info.out;
}

}  // namespace
}  // namespace menuforge::test

#endif
