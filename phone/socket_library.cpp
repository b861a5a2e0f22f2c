#include "phone/socket_library.h"

#include <sys/socket.h>
#include <sys/un.h>

#include <algorithm>

#include "phone/fsac_request.h"
#include "phone/wire_format.h"

namespace menuforge {
namespace {

std::uint8_t Code(WireCall call) { return static_cast<std::uint8_t>(call); }

std::chrono::milliseconds Remaining(std::chrono::steady_clock::time_point deadline) {
  const auto left = deadline - std::chrono::steady_clock::now();
  return std::max(std::chrono::milliseconds(0), std::chrono::ceil<std::chrono::milliseconds>(left));
}

}  // namespace

SocketPhoneLibrary::SocketPhoneLibrary(std::filesystem::path socketPath, PhoneTimeouts timeouts)
    : socketPath_(std::move(socketPath)), timeouts_(timeouts) {}

std::int32_t SocketPhoneLibrary::P2K_Init(ConnectionNotification notification) {
  const std::string path = socketPath_.string();
  if (path.empty() || path.size() >= sizeof(sockaddr_un::sun_path)) return kP2kFailure;
  notification_ = std::move(notification);
  return 0;
}

void SocketPhoneLibrary::Poll() {
  if (!notification_ || callInFlight_) return;
  if (abandoned_ || (connection_.valid() && PeerHasLeft(connection_.get()))) Disconnect();
  if (reportedConnected_ && !connection_.valid()) {
    reportedConnected_ = false;
    notification_(0);
  }
  if (!connection_.valid()) {
    SocketHandle fresh = ConnectLocalSocket(socketPath_);
    const std::lock_guard guard(connectionGuard_);
    connection_ = std::move(fresh);
  }
  if (!reportedConnected_ && connection_.valid()) {
    reportedConnected_ = true;
    notification_(1);
  }
}

void SocketPhoneLibrary::Abandon() {
  const std::lock_guard guard(connectionGuard_);
  abandoned_ = true;
  // Wakes the call that waits at once; the descriptor itself is closed by the calling thread,
  // so that its number is never reused under it.
  if (connection_.valid()) ::shutdown(connection_.get(), SHUT_RDWR);
}

void SocketPhoneLibrary::TakeWaitTurn() {
  waitTurn_();
  lastWaitTurn_ = Clock::now();
}

bool SocketPhoneLibrary::StrayBytesWaiting() const {
  return input_.HasPartial() || WaitReadable(connection_.get(), std::chrono::milliseconds(0));
}

std::optional<Bytes> SocketPhoneLibrary::ReceivePayload() {
  receiveBuffer_.resize(kMaxFramePayload);
  bool tooLarge = false;
  // The whole frame must come within the reply time: a phone that trickles its answer a byte at
  // a time has hung as surely as one that sends nothing.
  const Clock::time_point giveUp = Clock::now() + timeouts_.reply;
  while (true) {
    if (std::optional<Bytes> payload = input_.Next(tooLarge)) return payload;
    if (tooLarge || abandoned_) return std::nullopt;
    const Clock::time_point until =
        waitTurn_ ? std::min(giveUp, lastWaitTurn_ + kWaitTurnInterval) : giveUp;
    if (WaitReadable(connection_.get(), Remaining(until))) {
      const std::size_t received =
          ReceiveSome(connection_.get(), receiveBuffer_, std::chrono::milliseconds(0));
      if (received == 0) return std::nullopt;
      input_.Append(ByteView(receiveBuffer_.data(), received));
      continue;
    }
    // An answer that came while the window had its turn is still taken.
    if (Clock::now() >= giveUp) return std::nullopt;
    if (waitTurn_) TakeWaitTurn();
  }
}

std::optional<SocketPhoneLibrary::Reply> SocketPhoneLibrary::Call(
    const Bytes& frame, const ListedEntryHandler& listed) {
  // The phone answers in order: a frame sent now, from the window's turn, would get the answer
  // meant for the call that waits. Refused, nothing is sent and the connection stays.
  if (callInFlight_) return Reply{};
  if (!connectionOpen()) return std::nullopt;
  // Calls that follow close on each other are one long wait for the window.
  if (Clock::now() - lastCallEnd_ > kWaitTurnInterval) lastWaitTurn_ = Clock::now();
  struct InFlight {
    explicit InFlight(SocketPhoneLibrary& library) : library(library) {
      library.callInFlight_ = true;
    }
    ~InFlight() {
      library.callInFlight_ = false;
      library.lastCallEnd_ = Clock::now();
    }
    SocketPhoneLibrary& library;
  } const inFlight(*this);
  return Exchange(frame, listed);
}

std::optional<SocketPhoneLibrary::Reply> SocketPhoneLibrary::Exchange(
    const Bytes& frame, const ListedEntryHandler& listed) {
  if (frame.size() > kFrameHeaderSize + kMaxFramePayload) return Reply{};
  // Bytes that wait before the question was even asked would be taken for its answer; once the
  // phone has said something nobody asked, none of its answers can be matched to a question.
  if (!StrayBytesWaiting() && SendAll(connection_.get(), frame, timeouts_.reply)) {
    while (std::optional<Bytes> payload = ReceivePayload()) {
      WireReader reader(*payload);
      const auto kind = static_cast<WireReply>(reader.U8());
      if (kind == WireReply::ListedEntry && listed && listed(reader.Rest())) continue;
      if (kind != WireReply::Result) break;
      Reply reply;
      reply.result = reader.I32();
      const ByteView data = reader.Rest();
      // More than the answer holds is the start of an answer to nothing.
      if (!reader.ok() || input_.HasPartial()) break;
      reply.data.assign(data.begin(), data.end());
      return reply;
    }
  }
  Disconnect();
  return std::nullopt;
}

void SocketPhoneLibrary::Disconnect() {
  {
    const std::lock_guard guard(connectionGuard_);
    connection_.Reset();
    abandoned_ = false;
  }
  input_ = FrameBuffer();
}

std::int32_t SocketPhoneLibrary::ResultOf(const Bytes& frame) {
  const std::optional<Reply> reply = Call(frame);
  return reply ? reply->result : kP2kFailure;
}

std::int32_t SocketPhoneLibrary::P2K_SendCMD(std::uint32_t command, ByteView request,
                                             std::span<std::uint8_t> response,
                                             std::uint32_t& responseLength) {
  const auto capacity =
      static_cast<std::uint32_t>(std::min<std::size_t>(responseLength, response.size()));
  responseLength = 0;
  const std::optional<Reply> reply = Call(
      WireWriter(Code(WireCall::SendCommand)).U32(command).U32(capacity).Append(request).Frame());
  if (!reply) return kP2kFailure;
  if (reply->data.size() > capacity) {
    Disconnect();
    return kP2kFailure;
  }
  std::copy(reply->data.begin(), reply->data.end(), response.begin());
  responseLength = static_cast<std::uint32_t>(reply->data.size());
  return reply->result;
}

std::int32_t SocketPhoneLibrary::P2K_Restart() {
  const std::int32_t result = ResultOf(WireWriter(Code(WireCall::Restart)).Frame());
  // A phone that restarts is gone until it has started again; the next Poll tells so.
  if (result != kP2kFailure) Disconnect();
  return result;
}

std::int32_t SocketPhoneLibrary::File_CountEx(const std::string& pattern) {
  return ResultOf(WireWriter(Code(WireCall::CountFiles)).Append(pattern).Frame());
}

std::int32_t SocketPhoneLibrary::File_ListEx(std::vector<FileListEntry>& entries, std::size_t count,
                                             const ListProgressNotification& progress) {
  const auto wanted = static_cast<std::uint32_t>(std::min(count, kMostListedFiles));
  const std::size_t first = entries.size();
  std::uint32_t taken = 0;
  // Entries come numbered 1, 2, 3 ... up to what was asked for, each once; any other number
  // is a phone that lies, and ends the call.
  auto listed = [&](ByteView payload) {
    WireReader reader(payload);
    const std::int32_t done = reader.I32();
    const std::int32_t total = reader.I32();
    const ByteView entry = reader.Take(kFileListEntrySize);
    if (!reader.ok() || taken == wanted || done != static_cast<std::int32_t>(taken + 1))
      return false;
    ++taken;
    std::copy(entry.begin(), entry.end(), entries.emplace_back().bytes.begin());
    if (progress) progress(0, done, total);
    return true;
  };
  const std::optional<Reply> reply =
      Call(WireWriter(Code(WireCall::ListFiles)).U32(wanted).Frame(), listed);
  if (!reply) entries.resize(first);
  return reply ? reply->result : kP2kFailure;
}

std::int32_t SocketPhoneLibrary::File_Create(const std::string& path, std::int32_t attributes) {
  return ResultOf(WireWriter(Code(WireCall::CreateFile)).I32(attributes).Append(path).Frame());
}

std::int32_t SocketPhoneLibrary::File_Close() {
  return ResultOf(WireWriter(Code(WireCall::CloseFile)).Frame());
}

std::int32_t SocketPhoneLibrary::File_Delete(const std::string& path) {
  return ResultOf(WireWriter(Code(WireCall::DeleteFile)).Append(path).Frame());
}

std::int32_t SocketPhoneLibrary::File_CreateDir(const std::string& path, std::int32_t) {
  return ResultOf(WireWriter(Code(WireCall::CreateDir)).Append(path).Frame());
}

std::int32_t SocketPhoneLibrary::File_DeleteDir(const std::string& path) {
  return ResultOf(WireWriter(Code(WireCall::DeleteDir)).Append(path).Frame());
}

std::int32_t SocketPhoneLibrary::Seem_Read(std::uint16_t seem, std::uint16_t record,
                                           std::uint32_t offset, std::uint32_t size,
                                           std::span<std::uint8_t> buffer) {
  const auto capacity = static_cast<std::uint32_t>(buffer.size());
  const std::optional<Reply> reply = Call(WireWriter(Code(WireCall::SeemRead))
                                              .U16(seem)
                                              .U16(record)
                                              .U32(offset)
                                              .U32(size)
                                              .U32(capacity)
                                              .Frame());
  if (!reply) return kP2kFailure;
  if (reply->data.size() > capacity) {
    Disconnect();
    return kP2kFailure;
  }
  std::copy(reply->data.begin(), reply->data.end(), buffer.begin());
  return reply->result;
}

std::int32_t SocketPhoneLibrary::Seem_Write(std::uint16_t seem, std::uint16_t record,
                                            std::uint32_t offset, ByteView data) {
  return ResultOf(
      WireWriter(Code(WireCall::SeemWrite)).U16(seem).U16(record).U32(offset).Append(data).Frame());
}

}  // namespace menuforge
