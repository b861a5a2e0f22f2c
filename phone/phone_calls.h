// The calls the program makes of a phone, listed once for the phone link and the simulated
// phone: each with the wire call that carries it and the name the simulator's command line gives
// it ("--refuse read:2"). The simulator counts and refuses calls by this list, so a call added to
// the wire without its row here does not compile.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "phone/wire_format.h"

namespace menuforge {

enum class PhoneCall : std::uint8_t {
  FsacOpen,
  FsacSeek,
  FsacRead,
  FsacWrite,
  FsacClose,
  VolumeList,
  VersionQuery,
  CountFiles,
  ListFiles,
  CreateFile,
  CloseFile,
  DeleteFile,
  CreateDir,
  DeleteDir,
  SeemRead,
  SeemWrite,
  Restart,
};

struct PhoneCallKind {
  PhoneCall call;
  WireCall wire;
  std::string_view name;
};

// In the order of PhoneCall.
inline constexpr std::array<PhoneCallKind, 17> kPhoneCalls = {{
    {PhoneCall::FsacOpen, WireCall::SendCommand, "open"},
    {PhoneCall::FsacSeek, WireCall::SendCommand, "seek"},
    {PhoneCall::FsacRead, WireCall::SendCommand, "read"},
    {PhoneCall::FsacWrite, WireCall::SendCommand, "write"},
    {PhoneCall::FsacClose, WireCall::SendCommand, "close"},
    {PhoneCall::VolumeList, WireCall::SendCommand, "volumes"},
    {PhoneCall::VersionQuery, WireCall::SendCommand, "version"},
    {PhoneCall::CountFiles, WireCall::CountFiles, "count"},
    {PhoneCall::ListFiles, WireCall::ListFiles, "list"},
    {PhoneCall::CreateFile, WireCall::CreateFile, "create"},
    {PhoneCall::CloseFile, WireCall::CloseFile, "file-close"},
    {PhoneCall::DeleteFile, WireCall::DeleteFile, "delete"},
    {PhoneCall::CreateDir, WireCall::CreateDir, "mkdir"},
    {PhoneCall::DeleteDir, WireCall::DeleteDir, "rmdir"},
    {PhoneCall::SeemRead, WireCall::SeemRead, "seem-read"},
    {PhoneCall::SeemWrite, WireCall::SeemWrite, "seem-write"},
    {PhoneCall::Restart, WireCall::Restart, "restart"},
}};
inline constexpr std::size_t kPhoneCallKinds = kPhoneCalls.size();

namespace phone_call_checks {

consteval bool InCallOrder() {
  for (std::size_t i = 0; i < kPhoneCalls.size(); ++i)
    if (static_cast<std::size_t>(kPhoneCalls[i].call) != i) return false;
  return true;
}

consteval bool EveryWireCallCarriesOne() {
  for (auto code = static_cast<unsigned>(WireCall::SendCommand);
       code <= static_cast<unsigned>(kLastWireCall); ++code) {
    bool carried = false;
    for (const PhoneCallKind& kind : kPhoneCalls)
      carried = carried || static_cast<unsigned>(kind.wire) == code;
    if (!carried) return false;
  }
  return true;
}

}  // namespace phone_call_checks

static_assert(phone_call_checks::InCallOrder(), "kPhoneCalls lists the calls in their order");
static_assert(phone_call_checks::EveryWireCallCarriesOne(),
              "every wire call has its row in kPhoneCalls");

// The call named so on the simulator's command line ("read", "seem-read", ...).
std::optional<PhoneCall> PhoneCallNamed(std::string_view name);

}  // namespace menuforge
