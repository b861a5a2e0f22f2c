// The phone library with the simulated phone in the same process, behind a cable that tests
// plug and unplug.
#pragma once

#include <atomic>
#include <deque>
#include <optional>

#include "phone/p2k_library.h"
#include "phonesim/simulated_phone.h"

namespace menuforge {

class InProcessPhoneLibrary : public P2kLibrary {
 public:
  InProcessPhoneLibrary(PhoneStorage& storage, PhoneAnswers answers);

  // A new phone session with these faults; the connect notification comes with the next Poll.
  void Plug(FaultPlan faults = {});
  // Every call fails from now on; the disconnect notification comes with the next Poll.
  void Unplug();
  bool plugged() const { return phone_.has_value(); }
  bool connectionOpen() const override { return plugged(); }

  std::int32_t P2K_Init(ConnectionNotification notification) override;
  std::int32_t P2K_SendCMD(std::uint32_t command, ByteView request,
                           std::span<std::uint8_t> response,
                           std::uint32_t& responseLength) override;
  std::int32_t P2K_Restart() override;
  std::int32_t File_CountEx(const std::string& pattern) override;
  std::int32_t File_ListEx(std::vector<FileListEntry>& entries, std::size_t count,
                           const ListProgressNotification& progress) override;
  std::int32_t File_Create(const std::string& path, std::int32_t attributes) override;
  std::int32_t File_Close() override;
  std::int32_t File_Delete(const std::string& path) override;
  std::int32_t File_CreateDir(const std::string& path, std::int32_t flags) override;
  std::int32_t File_DeleteDir(const std::string& path) override;
  std::int32_t Seem_Read(std::uint16_t seem, std::uint16_t record, std::uint32_t offset,
                         std::uint32_t size, std::span<std::uint8_t> buffer) override;
  std::int32_t Seem_Write(std::uint16_t seem, std::uint16_t record, std::uint32_t offset,
                          ByteView data) override;
  // The phone in the same process answers at once, so there is never a call to wake; the
  // next call drops the session and the phone is plugged in afresh.
  void Abandon() override { abandoned_ = true; }
  void Poll() override;

 private:
  struct CableEvent {
    bool connect = false;
    FaultPlan faults;
  };

  // Runs one call on the phone, or fails without one; then notices a dropped connection.
  template <typename Call>
  std::int32_t OnPhone(Call call);

  PhoneStorage& storage_;
  PhoneAnswers answers_;
  std::optional<SimulatedPhone> phone_;
  std::deque<CableEvent> pending_;
  ConnectionNotification notification_;
  std::atomic<bool> abandoned_ = false;
};

}  // namespace menuforge
