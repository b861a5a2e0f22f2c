// Files planted where the program keeps its own, and texts a terminal would act on: nothing
// found there may hang the program, swell it, or cost the user a copy of the phone's menu.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>

#include "app/core/folder_lock.h"
#include "base/terminal_text.h"
#include "phonesim/simulated_phone.h"
#include "support/test_support.h"
#include "workspace/phone_backups.h"

namespace menuforge::test {
namespace {

TEST(TerminalText, EscapesAllATerminalWouldActOn) {
  const struct {
    std::string text;
    std::string shown;
  } cases[] = {
      {"Caf\xC3\xA9 \xF0\x9F\x98\x80 ok", "Caf\xC3\xA9 \xF0\x9F\x98\x80 ok"},
      {"red\x1B[31m\a", "red\\x1B[31m\\x07"},
      {"tab\tdel\x7F", "tab\\x09del\\x7F"},
      {"csi\xC2\x9B"
       "2J next\xC2\x85line",
       "csi\\x9B2J next\\x85line"},
      {"\xE2\x80\xAEtxt.exe", "\\u202Etxt.exe"},
      {"\xE2\x81\xA6x\xE2\x81\xA9 \xE2\x80\x8E\xE2\x80\x8F", "\\u2066x\\u2069 \\u200E\\u200F"},
      {"Latin-1 caf\xE9 \x9B", "Latin-1 caf\\xE9 \\x9B"},
      {"overlong \xC0\xAF, surrogate \xED\xA0\x80",
       "overlong \\xC0\\xAF, surrogate \\xED\\xA0\\x80"},
      {"cut \xE2\x80", "cut \\xE2\\x80"},
  };
  for (const auto& c : cases) EXPECT_EQ(TerminalSafe(c.text), c.shown) << c.text;
  EXPECT_EQ(TerminalSafe("a \"b\" \\ \x1B", "\"\\"), "a \\\"b\\\" \\\\ \\x1B");
}

std::string NotLockable(const std::filesystem::path& folder, const std::string& reason) {
  return "The working folder " + folder.string() + " cannot be locked for this program; " + reason +
         ".\r\nOpen it read-only (nothing is written into the folder), or quit?";
}

// Whatever is found in place of the lock is said, never followed, waited on or read whole.
TEST(FolderLock, APlantedLockIsNamedAndNeitherFollowedNorWaitedOn) {
  const struct {
    const char* name;
    std::function<void(const std::filesystem::path&)> plant;
    std::string reason;
  } cases[] = {
      {"FIFO", [](const auto& lock) { ASSERT_EQ(::mkfifo(lock.c_str(), 0644), 0); },
       "its lock file menuforge.lock is a FIFO"},
      {"link to a FIFO",
       [](const auto& lock) {
         ASSERT_EQ(::mkfifo((lock.parent_path() / "fifo").c_str(), 0644), 0);
         std::filesystem::create_symlink("fifo", lock);
       },
       "its lock file menuforge.lock is a symbolic link"},
      {"link to /dev/zero",
       [](const auto& lock) { std::filesystem::create_symlink("/dev/zero", lock); },
       "its lock file menuforge.lock is a symbolic link"},
      {"dangling link", [](const auto& lock) { std::filesystem::create_symlink("gone", lock); },
       "its lock file menuforge.lock is a symbolic link"},
      {"folder", [](const auto& lock) { std::filesystem::create_directory(lock); },
       "its lock file menuforge.lock is a folder"},
      {"4 GB sparse file",
       [](const auto& lock) {
         WriteFileText(lock, "1\n");
         std::filesystem::resize_file(lock, 4ull << 30);
       },
       "its lock file menuforge.lock holds 4294967296 bytes, more than a lock ever does"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    c.plant(folder / "menuforge.lock");
    FolderLock lock(folder.path(), "menuforge");
    EXPECT_EQ(lock.Take(), NotLockable(folder.path(), c.reason)) << c.name;
  }
}

TEST(FolderLock, HeldWhileItsProcessRunsTakenOverAfter) {
  TempFolder folder;
  std::optional<FolderLock> first(std::in_place, folder.path(), "menuforge");
  ASSERT_EQ(first->Take(), std::nullopt);
  const std::string held = ReadFileText(folder / "menuforge.lock");
  EXPECT_TRUE(held.starts_with(std::to_string(::getpid()) + "\nmenuforge\n")) << held;
  FolderLock second(folder.path(), "menuforge");
  const std::optional<std::string> question = second.Take();
  ASSERT_TRUE(question);
  EXPECT_TRUE(question->starts_with("The working folder " + folder.path().string() +
                                    " is in use by menuforge, process " +
                                    std::to_string(::getpid()) + " on "))
      << *question;
  first.reset();
  EXPECT_FALSE(std::filesystem::exists(folder / "menuforge.lock"));

  // A process that has ended holds nothing; an empty lock names no holder.
  for (const std::string left : {"999999999\nmenuforge\n", ""}) {
    WriteFileText(folder / "menuforge.lock", left);
    FolderLock third(folder.path(), "menuforge");
    EXPECT_EQ(third.Take(), std::nullopt) << left;
  }
}

constexpr char kImei[] = "354678012345679";

// A clock that once ran ahead left copies dated in the future; today's copy is still the one
// kept, listed first and holding the phone's bytes.
TEST(PhoneBackups, TheCopyJustMadeIsNeverPruned) {
  TempFolder folder;
  const auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  for (int i = 0; i < 20; ++i) {
    const auto planted = folder / ("mma_ucp_" + std::string(kImei) + "_20991231-1200" +
                                   (i < 10 ? "0" : "") + std::to_string(i));
    WriteFileBytes(planted, Bytes{0xEE});
    std::filesystem::last_write_time(planted, longAgo + std::chrono::seconds(i));
  }
  const std::time_t today = 1700000000;
  const Result<std::filesystem::path> kept =
      StorePhoneBackup(folder.path(), kImei, today, Bytes{1, 2});
  ASSERT_TRUE(kept) << kept.errorText();
  EXPECT_EQ(ReadFileBytes(*kept), (Bytes{1, 2}));
  const std::vector<PhoneBackup> listed = ListPhoneBackups(folder.path());
  ASSERT_EQ(listed.size(), kKeptPhoneBackups);
  EXPECT_EQ(listed.front().path, *kept);
  EXPECT_EQ(listed.back().path.filename(), "mma_ucp_354678012345679_20991231-120001");
}

// A file far larger than any menu, named as the phone's newest copy, is not read to compare.
TEST(PhoneBackups, AHugeNewestCopyIsNotReadWhole) {
  TempFolder folder;
  const auto planted = folder / ("mma_ucp_" + std::string(kImei) + "_20991231-120000");
  WriteFileBytes(planted, Bytes{1, 2});
  std::filesystem::resize_file(planted, 3ull << 30);
  const Result<std::filesystem::path> kept =
      StorePhoneBackup(folder.path(), kImei, 1700000000, Bytes{1, 2});
  ASSERT_TRUE(kept) << kept.errorText();
  EXPECT_NE(*kept, planted);
  EXPECT_EQ(ReadFileBytes(*kept), (Bytes{1, 2}));
}

// Every file the simulated phone keeps counts against its capacity, however small.
TEST(PhoneCapacity, SeemRecordsAndEmptyFilesCount) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "a");
  PhoneStorage storage(folder.path(), 100000);
  std::size_t seemWrites = 0;
  for (std::uint16_t record = 1; record <= 400; ++record)
    seemWrites += storage.WriteSeem(0x0100, record, Bytes(4096, 7)) ? 1 : 0;
  EXPECT_EQ(seemWrites, 24u);
  SimulatedPhone phone(storage, {});
  std::size_t created = 0;
  for (int i = 0; i < 2000; ++i) {
    if (phone.CreateFile("/a/e" + std::to_string(i), 0) != 0) continue;
    ++created;
    EXPECT_EQ(phone.CloseFile(), 0);
  }
  EXPECT_EQ(created, 195u);
}

}  // namespace
}  // namespace menuforge::test
