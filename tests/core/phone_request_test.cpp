// The request bytes the transfers send, byte for byte.
#include <gtest/gtest.h>

#include "phone/fsac_request.h"
#include "support/phone_test_rig.h"

namespace menuforge::test {
namespace {

constexpr char kPath[] = "/a/x.bin";

// Requests of one sub-command, in the order sent.
std::vector<RecordingLibrary::Sent> Sent(const PhoneRig& rig, std::uint32_t subCommand) {
  std::vector<RecordingLibrary::Sent> found;
  for (const auto& sent : rig.library.sent)
    if (sent.command == kCommandFsac && ReadU32Be(sent.request, 0) == subCommand)
      found.push_back(sent);
  return found;
}

Bytes Path(const std::string& path) { return Bytes(path.begin(), path.end()); }

Bytes Concat(Bytes head, const Bytes& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(PhoneRequestTest, UploadOf1500BytesIsOneFullWriteAndOneOf484) {
  PhoneRig rig;
  const Bytes data = RandomBytes(1500, 1);
  WriteFileBytes(rig.folder / "x.bin", data);
  EXPECT_TRUE(rig.link.transfer.P2KFileWrite(rig.folder / "x.bin", kPath).complete);

  const auto writes = Sent(rig, kFsacWrite);
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].request.size(), 1032u);
  EXPECT_EQ(Bytes(writes[0].request.begin(), writes[0].request.begin() + 8),
            HexBytes("00 00 00 02 00 00 04 00"));
  EXPECT_EQ(Bytes(writes[0].request.begin() + 8, writes[0].request.end()),
            Bytes(data.begin(), data.begin() + 1024));
  EXPECT_EQ(writes[1].request.size(), 484u);
  EXPECT_EQ(Bytes(writes[1].request.begin(), writes[1].request.begin() + 8),
            HexBytes("00 00 00 02 00 00 01 DC"));
  EXPECT_EQ(Bytes(writes[1].request.begin() + 8, writes[1].request.end()),
            Bytes(data.begin() + 1024, data.end()));
  for (const auto& write : writes) EXPECT_EQ(write.capacity, 0u);
}

TEST(PhoneRequestTest, WholeBlocksNeedNoRemainderWrite) {
  for (const std::size_t blocks : {1u, 2u, 3u, 5u}) {
    PhoneRig rig;
    WriteFileBytes(rig.folder / "x.bin", RandomBytes(1024 * blocks, 2));
    EXPECT_EQ(rig.link.transfer.P2KFileWrite(rig.folder / "x.bin", kPath).bytes,
              static_cast<std::int32_t>(1024 * blocks));
    const auto writes = Sent(rig, kFsacWrite);
    ASSERT_EQ(writes.size(), blocks);
    for (const auto& write : writes) EXPECT_EQ(write.request.size(), 1032u);
  }
}

TEST(PhoneRequestTest, SingleWriteOpenCarriesAZeroByteAndGroupWriteOpenDoesNot) {
  PhoneRig rig;
  WriteFileBytes(rig.folder / "x.bin", RandomBytes(10, 3));
  EXPECT_TRUE(rig.link.transfer.P2KFileWrite(rig.folder / "x.bin", kPath).complete);
  RecordingGroupWindow groupWindow;
  GroupProgress group(groupWindow);
  EXPECT_TRUE(rig.link.transfer.P2KGroupWrite(rig.folder / "x.bin", kPath, group).complete);

  const auto opens = Sent(rig, kFsacOpen);
  ASSERT_EQ(opens.size(), 2u);
  EXPECT_EQ(opens[0].request,
            Concat(HexBytes("00 00 00 00 00 00 00 00"), Concat(Path(kPath), {0})));
  EXPECT_EQ(opens[0].request.size(), std::string(kPath).size() + 9);
  EXPECT_EQ(opens[1].request, Concat(HexBytes("00 00 00 00 00 00 00 00"), Path(kPath)));
}

TEST(PhoneRequestTest, ReadSendsOpenSeekReadsEndCheckAndClose) {
  PhoneRig rig;
  rig.PutPhoneFile(kPath, RandomBytes(2048, 4));
  rig.library.sent.clear();
  EXPECT_TRUE(rig.link.transfer.P2KFileRead(kPath, rig.folder / "x.bin", 2048, "").complete);

  const Bytes read = HexBytes("00 00 00 01 00 00 04 00");
  const std::vector<std::pair<Bytes, std::uint32_t>> expected = {
      {Concat(HexBytes("00 00 00 00 00 00 00 00"), Path(kPath)), 0},
      {HexBytes("00 00 00 03 00 00 00 00 00"), 0},
      {read, 1024},
      {read, 1024},
      {read, 1024},
      {HexBytes("00 00 00 03 00 00 03 FF 02"), 0},
      {read, 1024},
      {HexBytes("00 00 00 04"), 0},
  };
  ASSERT_EQ(rig.library.sent.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(rig.library.sent[i].command, kCommandFsac);
    EXPECT_EQ(rig.library.sent[i].request, expected[i].first) << "request " << i;
    EXPECT_EQ(rig.library.sent[i].capacity, expected[i].second) << "request " << i;
  }
}

TEST(PhoneRequestTest, VersionQueriesAndVolumeList) {
  PhoneRig rig;
  ASSERT_EQ(rig.library.sent.size(), 2u);
  EXPECT_EQ(rig.library.sent[0].command, kCommandVersion);
  EXPECT_EQ(rig.library.sent[0].request, HexBytes("FF FF"));
  EXPECT_EQ(rig.library.sent[0].capacity, 256u);
  EXPECT_EQ(rig.library.sent[1].command, kCommandVersion);
  EXPECT_EQ(rig.library.sent[1].request, HexBytes("00 04"));
  EXPECT_EQ(rig.library.sent[1].capacity, 4u);

  rig.PutPhoneFile("/a/mobile/system/mma_ucp", RandomBytes(100, 5));
  rig.library.sent.clear();
  EXPECT_FALSE(rig.link.menuFiles.ReadPhoneMenuFiles().empty());
  const auto volumes = Sent(rig, kFsacVolumeList);
  ASSERT_EQ(volumes.size(), 1u);
  EXPECT_EQ(volumes[0].request, HexBytes("00 00 00 0A"));
  EXPECT_EQ(volumes[0].capacity, 128u);
  EXPECT_EQ(rig.link.session.volumes(), "abce");
}

}  // namespace
}  // namespace menuforge::test
