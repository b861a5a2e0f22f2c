// The simulated phone as a device: paths that must stay inside its storage, file patterns,
// attributes, folders, SEEM records and malformed requests.
#include <gtest/gtest.h>

#include <cstring>

#include "phone/fsac_request.h"
#include "phonesim/phone_path.h"
#include "support/phone_test_rig.h"

namespace menuforge::test {
namespace {

struct PathCase {
  std::string path;
  bool accepted;
};

TEST(PhoneDeviceTest, PathsResolveInsideTheStorageOnly) {
  TempFolder folder;
  const auto root = folder / "phone";
  MakePhoneStorage(root);
  std::filesystem::create_directories(folder / "outside");
  std::filesystem::create_directory_symlink(folder / "outside", root / "a" / "link");
  std::filesystem::create_directory_symlink(folder / "outside", root / "l");
  std::filesystem::create_symlink(folder / "outside" / "f", root / "a" / "linkfile");

  const std::vector<PathCase> cases = {
      {"/a", true},
      {"/a/x", true},
      {"/a/mobile/system/mma_ucp", true},
      {"/a/..x", true},
      {"/a/x y.gif", true},
      {"", false},
      {"/", false},
      {"a/x", false},
      {"/A/x", false},
      {"/ab/x", false},
      {"/z/x", false},
      {"/a/../x", false},
      {"/a/..", false},
      {"/a/./x", false},
      {"/a//x", false},
      {"/a/x/", false},
      {"//etc/passwd", false},
      {"/a/x\\..\\y", false},
      {"/a/x\ty", false},
      {std::string("/a/x\0y", 6), false},
      {"/a/" + std::string(501, 'n'), false},
      {"/a/link/x", false},
      {"/a/linkfile", false},
      {"/l/x", false},
  };
  for (const PathCase& c : cases) {
    const auto resolved = ResolvePhonePath(root, c.path);
    EXPECT_EQ(resolved.has_value(), c.accepted) << c.path;
    if (resolved) {
      EXPECT_TRUE(resolved->string().starts_with(root.string())) << c.path;
    }
  }
}

TEST(PhoneDeviceTest, EscapingPathsAreRefusedByEveryCall) {
  PhoneRig rig;
  std::filesystem::create_directories(rig.folder / "outside");
  WriteFileText(rig.folder / "outside" / "x", "keep");
  std::filesystem::create_directory_symlink(rig.folder / "outside", rig.storageRoot / "a" / "link");
  P2kLibrary& library = rig.library;

  for (const std::string path : {"/a/../../outside/x", "/a/link/x", "/a/../escape"}) {
    EXPECT_EQ(library.File_Delete(path), -1) << path;
    EXPECT_EQ(library.File_CreateDir(path, 0), -1) << path;
    EXPECT_EQ(library.File_DeleteDir(path), -1) << path;
    EXPECT_EQ(library.File_Create(path, 4), -1) << path;
    EXPECT_EQ(library.File_CountEx(path + "/*"), -1) << path;
    WriteFileText(rig.folder / "up", "new");
    EXPECT_EQ(rig.link.transfer.P2KFileWrite(rig.folder / "up", path).bytes, -1) << path;
    EXPECT_EQ(rig.link.transfer.P2KFileRead(path, rig.folder / "down", 10, "").bytes, -1) << path;
  }
  EXPECT_EQ(ReadFileText(rig.folder / "outside" / "x"), "keep");
  EXPECT_FALSE(std::filesystem::exists(rig.folder / "escape"));
}

TEST(PhoneDeviceTest, SeemRecordsAndAttributesAreNotFollowedOutOfTheStorage) {
  TempFolder folder;
  const auto root = folder / "phone";
  MakePhoneStorage(root);
  const auto outside = folder / "outside";
  std::filesystem::rename(root / kSeemFolder, outside);
  std::filesystem::create_directory_symlink(outside, root / kSeemFolder);
  WriteFileText(outside / kAttributeTableFile, "4 /a/x\r\n");
  std::filesystem::create_symlink(outside / kAttributeTableFile, root / kAttributeTableFile);
  WriteFileBytes(root / "a" / "x", Bytes(3));
  const auto before = ReadFileText(outside / "0004_0001.seem");

  PhoneStorage storage(root);
  EXPECT_EQ(storage.ReadSeem(kSeemImei, 1), std::nullopt);
  EXPECT_FALSE(storage.WriteSeem(kSeemImei, 1, Bytes(9)));
  EXPECT_FALSE(storage.WriteSeem(0x0999, 1, Bytes(9)));
  EXPECT_EQ(storage.Attributes("/a/x"), 0);
  EXPECT_FALSE(storage.SetAttributes("/a/x", 1));
  EXPECT_EQ(storage.List("/a/*"), std::nullopt);
  EXPECT_EQ(ReadFileText(outside / "0004_0001.seem"), before);
  EXPECT_FALSE(std::filesystem::exists(outside / "0999_0001.seem"));
  EXPECT_EQ(ReadFileText(outside / kAttributeTableFile), "4 /a/x\r\n");
}

TEST(PhoneDeviceTest, AStorageFolderGivenWithATrailingSlashStillGuardsItsVolumes) {
  TempFolder folder;
  MakePhoneStorage(folder / "phone");
  PhoneStorage storage(folder.path().string() + "/phone/");
  EXPECT_EQ(storage.root(), std::filesystem::canonical(folder / "phone"));
  SimulatedPhone phone(storage, {});
  EXPECT_EQ(phone.DeleteDir("/e"), -1);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "phone" / "e"));
}

TEST(PhoneDeviceTest, FilePatternsMatchNamesWithoutRegardToCase) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  };
  for (const Case& c :
       {Case{"x.gif", "*.gif", true}, Case{"X.GIF", "*.gif", true},
        Case{"x.gif.bak", "*.gif", false}, Case{"gif", "*.gif", false}, Case{".gif", "*.gif", true},
        Case{"ab", "?b", true}, Case{"b", "?b", false}, Case{"anything", "*", true},
        Case{"", "*", true}, Case{"a.b.c", "*.*.c", true}, Case{"abc", "a*c*", true}})
    EXPECT_EQ(MatchesFilePattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

TEST(PhoneDeviceTest, CountAndListCoverTheWholeFolder) {
  PhoneRig rig;
  rig.PutPhoneFile("/a/x.gif", Bytes(10));
  rig.PutPhoneFile("/a/mobile/y.GIF", Bytes(20));
  rig.PutPhoneFile("/a/mobile/z.txt", Bytes(30));
  rig.PutPhoneFile("/a/mobile/deep/w.gif", Bytes(40));
  rig.PutPhoneFile("/b/v.gif", Bytes(50));
  ASSERT_TRUE(rig.storage.SetAttributes("/a/mobile/y.GIF", kAttributeHidden | kAttributeSystem));
  P2kLibrary& library = rig.library;

  struct Case {
    const char* pattern;
    std::int32_t count;
  };
  for (const Case& c : {Case{"/a/*.gif", 3}, Case{"/a/*", 4}, Case{"/a/*.txt", 1},
                        Case{"/a/mobile/*", 3}, Case{"/b/*.gif", 1}, Case{"/a/*.png", 0},
                        Case{"/z/*", -1}, Case{"*", -1}, Case{"/a/x.gif/*", -1}})
    EXPECT_EQ(library.File_CountEx(c.pattern), c.count) << c.pattern;

  ASSERT_EQ(library.File_CountEx("/a/*.gif"), 3);
  std::vector<FileListEntry> entries;
  std::vector<std::array<std::int32_t, 3>> progress;
  EXPECT_EQ(library.File_ListEx(entries, 3,
                                [&](std::int32_t a, std::int32_t b, std::int32_t c) {
                                  progress.push_back({a, b, c});
                                }),
            3);
  EXPECT_EQ(entries[0].path(), "/a/mobile/deep/w.gif");
  EXPECT_EQ(entries[0].size(), 40u);
  EXPECT_EQ(entries[1].path(), "/a/mobile/y.GIF");
  EXPECT_EQ(entries[1].attributes(), kAttributeHidden | kAttributeSystem);
  EXPECT_EQ(AttributeText(entries[1].attributes()), "[HS]");
  EXPECT_EQ(entries[2].path(), "/a/x.gif");
  EXPECT_EQ(entries[2].attributes(), 0);
  EXPECT_EQ(progress, (std::vector<std::array<std::int32_t, 3>>{{0, 1, 3}, {0, 2, 3}, {0, 3, 3}}));

  std::vector<FileListEntry> fewer;
  EXPECT_EQ(library.File_ListEx(fewer, 1, {}), 1);
  ASSERT_EQ(fewer.size(), 1u);
  EXPECT_EQ(fewer[0].path(), "/a/mobile/deep/w.gif");
  EXPECT_EQ(library.File_CountEx("/z/*"), -1);
  EXPECT_EQ(library.File_ListEx(fewer, 1, {}), -1);
}

TEST(PhoneDeviceTest, FileListEntryLayout) {
  const FileListEntry entry = FileListEntry::Make(0x01020304, 5, "/a/x");
  std::uint32_t size = 0;
  std::memcpy(&size, entry.bytes.data(), 4);
  EXPECT_EQ(size, 0x01020304u);
  EXPECT_EQ(entry.bytes[4], 0);
  EXPECT_EQ(entry.bytes[5], 0);
  std::uint16_t mask = 0;
  std::memcpy(&mask, entry.bytes.data() + 6, 2);
  EXPECT_EQ(mask, 5);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry.bytes.data() + 8)), "/a/x");
  EXPECT_EQ(FileListEntry::Make(1, 0, std::string(600, 'p')).path().size(), 503u);
  EXPECT_EQ(AttributeText(kAttributeReadOnly | kAttributeHidden | kAttributeSystem), "[RHS]");
}

TEST(PhoneDeviceTest, SetAttributeLogsAndKeepsTheMaskBesideTheFile) {
  PhoneRig rig;
  rig.PutPhoneFile("/a/x", Bytes(5));
  EXPECT_TRUE(rig.link.menuFiles.SetAttribute("/a/x", kAttributeSystem).ok());
  EXPECT_EQ(rig.LogLines().back(), "Set attribute 4 to /a/x RC=0");
  EXPECT_EQ(rig.storage.Attributes("/a/x"), kAttributeSystem);
  EXPECT_EQ(ReadFileText(rig.storageRoot / "attributes"), "4 /a/x\r\n");

  EXPECT_EQ(rig.link.menuFiles.SetAttribute("/a/no/such/x", kAttributeSystem).error(),
            (Message{"Error changing attributes for /a/no/such/x", "Error", MessageIcon::Error}));
  EXPECT_EQ(rig.LogLines().back(), "Set attribute 4 to /a/no/such/x RC=-1");
  EXPECT_EQ(rig.library.File_Close(), -1);

  EXPECT_EQ(rig.library.File_Delete("/a/x"), 0);
  EXPECT_FALSE(std::filesystem::exists(rig.PhonePath("/a/x")));
  EXPECT_EQ(rig.storage.Attributes("/a/x"), 0);
  EXPECT_EQ(rig.library.File_Delete("/a/x"), -1);
}

TEST(PhoneDeviceTest, FoldersAreMadeAndRemovedOnlyWhenThatMakesSense) {
  PhoneRig rig;
  P2kLibrary& library = rig.library;
  EXPECT_EQ(library.File_CreateDir("/a/new", 0), 0);
  EXPECT_EQ(library.File_CreateDir("/a/new", 0), -1);
  EXPECT_EQ(library.File_CreateDir("/a/missing/new", 0), -1);
  rig.PutPhoneFile("/a/new/x", Bytes(1));
  EXPECT_EQ(library.File_DeleteDir("/a/new"), -1);
  EXPECT_EQ(library.File_Delete("/a/new"), -1);
  EXPECT_EQ(library.File_Delete("/a/new/x"), 0);
  EXPECT_EQ(library.File_DeleteDir("/a/new"), 0);
  EXPECT_EQ(library.File_DeleteDir("/a"), -1);
  EXPECT_TRUE(std::filesystem::is_directory(rig.storageRoot / "a"));
}

TEST(PhoneDeviceTest, SeemRecordsReadAndWrittenWholeOrInPart) {
  PhoneRig rig;
  P2kLibrary& library = rig.library;
  const Bytes record = RandomBytes(40, 1);
  Bytes buffer(kSeemBufferSize, 0);
  EXPECT_EQ(library.Seem_Write(kSeemMenuFlags, 1, 0, record), 0);
  EXPECT_EQ(library.Seem_Read(kSeemMenuFlags, 1, 0, 0, buffer), 40);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 40), record);
  EXPECT_EQ(library.Seem_Read(kSeemMenuFlags, 1, 10, 5, buffer), 5);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 5),
            Bytes(record.begin() + 10, record.begin() + 15));
  EXPECT_EQ(library.Seem_Read(kSeemMenuFlags, 1, 38, 5, buffer), -1);
  EXPECT_EQ(library.Seem_Read(kSeemMenuFlags, 2, 0, 0, buffer), -1);
  EXPECT_EQ(library.Seem_Write(kSeemMenuFlags, 1, 38, Bytes{1, 2}), 0);
  EXPECT_EQ(library.Seem_Write(kSeemMenuFlags, 1, 39, Bytes{1, 2}), -1);
  EXPECT_EQ(library.Seem_Write(kSeemMenuFlags, 1, 0, Bytes(kSeemBufferSize + 1)), -1);
  Bytes small(8);
  EXPECT_EQ(library.Seem_Read(kSeemMenuFlags, 1, 0, 0, small), -1);
}

TEST(PhoneDeviceTest, MalformedRequestsAreRefused) {
  PhoneRig rig;
  rig.PutPhoneFile("/a/x", RandomBytes(100, 2));
  P2kLibrary& library = rig.library;
  Bytes response(kFsacBufferSize);
  auto send = [&](std::uint32_t command, const Bytes& request, std::uint32_t capacity = 0) {
    std::uint32_t length = capacity;
    return library.P2K_SendCMD(command, request, response, length);
  };
  EXPECT_EQ(send(kCommandFsac, HexBytes("00 00")), -1);
  EXPECT_EQ(send(kCommandFsac, HexBytes("00 00 00 77")), -1);
  EXPECT_EQ(send(0x12, HexBytes("00 00 00 04")), -1);
  EXPECT_EQ(send(kCommandVersion, HexBytes("12 34"), 256), -1);
  EXPECT_EQ(send(kCommandFsac, FsacSeekRequest(0, kSeekFromStart)), -1);  // nothing open
  EXPECT_EQ(send(kCommandFsac, FsacOpenRequest("/a/x", false)), 0);
  EXPECT_EQ(send(kCommandFsac, HexBytes("00 00 00 03 00 00 00 00")), -1);        // short seek
  EXPECT_EQ(send(kCommandFsac, HexBytes("00 00 00 03 00 00 00 00 07")), -1);     // unknown mode
  EXPECT_EQ(send(kCommandFsac, HexBytes("00 00 00 02 00 00 00 05 01 02")), -1);  // length lies
  EXPECT_EQ(send(kCommandFsac, FsacCloseRequest()), -1);  // the lying write spoilt the file
  EXPECT_EQ(rig.PhoneFile("/a/x"), RandomBytes(100, 2));

  std::uint32_t length = 12;
  EXPECT_EQ(library.P2K_SendCMD(kCommandFsac, FsacVolumeListRequest(), response, length), 0);
  EXPECT_EQ(length, 12u);
  EXPECT_EQ(Bytes(response.begin(), response.begin() + 12),
            HexBytes("00 00 00 61 00 00 00 00 00 62 00 00"));
}

TEST(PhoneDeviceTest, ReadsOfAnOpenFileSeeItsWritesAndTheCloseKeepsThem) {
  PhoneRig rig;
  const Bytes old = RandomBytes(200'000, 4);
  const Bytes written = RandomBytes(1000, 5);
  rig.PutPhoneFile("/a/x", old);
  Bytes response(kFsacBufferSize);
  auto send = [&](const Bytes& request, std::uint32_t capacity = 0) {
    std::uint32_t length = capacity;
    const std::int32_t result = rig.library.P2K_SendCMD(kCommandFsac, request, response, length);
    return result == 0 ? Bytes(response.begin(), response.begin() + length) : Bytes{};
  };
  auto at = [](const Bytes& bytes, std::size_t from) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes.begin() + static_cast<std::ptrdiff_t>(from + 1024));
  };
  send(FsacOpenRequest("/a/x", false));
  send(FsacSeekRequest(99'000, kSeekFromStart));
  EXPECT_EQ(send(FsacReadRequest(1024), 1024), at(old, 99'000));
  send(FsacSeekRequest(99'000, kSeekFromStart));
  send(FsacWriteRequest(written));  // the file now ends after these bytes
  send(FsacSeekRequest(99'000, kSeekFromStart));
  EXPECT_EQ(send(FsacReadRequest(1024), 1024), written);
  send(FsacSeekRequest(0, kSeekFromStart));
  EXPECT_EQ(send(FsacReadRequest(1024), 1024), at(old, 0));
  send(FsacCloseRequest());
  Bytes expected(old.begin(), old.begin() + 99'000);
  expected.insert(expected.end(), written.begin(), written.end());
  EXPECT_EQ(rig.PhoneFile("/a/x"), expected);
}

TEST(PhoneDeviceTest, RefusalsCountEachKindOfCommand) {
  FaultCounter counter({{{PhoneCall::FsacRead, 2, 2}, {PhoneCall::FsacWrite, 1}}, std::nullopt});
  std::vector<bool> reads, writes;
  for (int i = 0; i < 5; ++i) {
    reads.push_back(counter.Refuses(PhoneCall::FsacRead));
    writes.push_back(counter.Refuses(PhoneCall::FsacWrite));
  }
  EXPECT_EQ(reads, (std::vector<bool>{false, true, true, false, false}));
  EXPECT_EQ(writes, (std::vector<bool>{true, false, false, false, false}));
  EXPECT_EQ(PhoneCallNamed("seem-read"), PhoneCall::SeemRead);
  EXPECT_EQ(PhoneCallNamed("file-close"), PhoneCall::CloseFile);
  EXPECT_EQ(PhoneCallNamed("nonsense"), std::nullopt);
}

// Each call of the one list answers to its own name on the simulator's command line.
TEST(PhoneDeviceTest, EveryCallIsNamedOnce) {
  for (const PhoneCallKind& kind : kPhoneCalls)
    EXPECT_EQ(PhoneCallNamed(kind.name), kind.call) << kind.name;
}

}  // namespace
}  // namespace menuforge::test
