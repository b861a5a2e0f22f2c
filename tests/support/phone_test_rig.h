// A simulated phone with the program's whole phone link around it, and recording stand-ins for
// the windows, shared by the phone tests.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "phone/phone_link.h"
#include "phonesim/in_process_library.h"
#include "phonesim/phone_server.h"
#include "support/test_support.h"
#include "workspace/settings.h"

namespace menuforge::test {

struct CountingObserver : PhoneObserver {
  int connects = 0;
  int disconnects = 0;
  void PhoneConnected() override { ++connects; }
  void PhoneDisconnected() override { ++disconnects; }
};

// Every one-bar window shown, with what was done to it.
struct RecordingProgressWindows : ProgressWindows {
  struct Record {
    std::vector<std::string> captions;  // the one it was shown with, then every change
    std::vector<int> positions;
    bool closed = false;
  };
  std::vector<std::shared_ptr<Record>> windows;
  // Called on every position set, as a window processing its events would be.
  std::function<void()> onPosition;

  std::unique_ptr<ProgressSink> Show(const std::string& caption) override;
};

struct RecordingGroupWindow : GroupProgressSink {
  std::vector<std::string> captions;
  std::vector<int> filePositions;
  std::vector<int> groupPositions;
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  void SetFilePosition(int percent) override { filePositions.push_back(percent); }
  void SetGroupPosition(int percent) override { groupPositions.push_back(percent); }
};

// Passes every call on and keeps the file-system and version requests sent.
class RecordingLibrary : public P2kLibrary {
 public:
  struct Sent {
    std::uint32_t command;
    Bytes request;
    std::uint32_t capacity;
  };
  explicit RecordingLibrary(P2kLibrary& inner) : inner_(inner) {}
  std::vector<Sent> sent;

  std::int32_t P2K_Init(ConnectionNotification n) override { return inner_.P2K_Init(std::move(n)); }
  std::int32_t P2K_SendCMD(std::uint32_t command, ByteView request,
                           std::span<std::uint8_t> response,
                           std::uint32_t& responseLength) override {
    sent.push_back({command, Bytes(request.begin(), request.end()), responseLength});
    return inner_.P2K_SendCMD(command, request, response, responseLength);
  }
  std::int32_t P2K_Restart() override { return inner_.P2K_Restart(); }
  std::int32_t File_CountEx(const std::string& p) override { return inner_.File_CountEx(p); }
  std::int32_t File_ListEx(std::vector<FileListEntry>& e, std::size_t c,
                           const ListProgressNotification& p) override {
    return inner_.File_ListEx(e, c, p);
  }
  std::int32_t File_Create(const std::string& p, std::int32_t a) override {
    return inner_.File_Create(p, a);
  }
  std::int32_t File_Close() override { return inner_.File_Close(); }
  std::int32_t File_Delete(const std::string& p) override { return inner_.File_Delete(p); }
  std::int32_t File_CreateDir(const std::string& p, std::int32_t f) override {
    return inner_.File_CreateDir(p, f);
  }
  std::int32_t File_DeleteDir(const std::string& p) override { return inner_.File_DeleteDir(p); }
  std::int32_t Seem_Read(std::uint16_t s, std::uint16_t r, std::uint32_t o, std::uint32_t z,
                         std::span<std::uint8_t> b) override {
    return inner_.Seem_Read(s, r, o, z, b);
  }
  std::int32_t Seem_Write(std::uint16_t s, std::uint16_t r, std::uint32_t o, ByteView d) override {
    return inner_.Seem_Write(s, r, o, d);
  }
  void Abandon() override { inner_.Abandon(); }
  void Poll() override { inner_.Poll(); }
  bool connectionOpen() const override { return inner_.connectionOpen(); }
  void SetWaitTurn(std::function<void()> turn) override { inner_.SetWaitTurn(std::move(turn)); }
  bool callInFlight() const override { return inner_.callInFlight(); }

 private:
  P2kLibrary& inner_;
};

inline FaultPlan Refusing(PhoneCall call, std::uint32_t nth, std::uint32_t times = 1) {
  return FaultPlan{{Refusal{call, nth, times}}, std::nullopt};
}

// Makes the volume folders "a", "b", "c" and "e", the menu file's folder and the default SEEM
// records.
void MakePhoneStorage(const std::filesystem::path& root);
Bytes RandomBytes(std::size_t size, std::uint32_t seed);

// The phone simulator's server on its own thread, as menuforge-phonesim runs it.
class RunningServer {
 public:
  RunningServer(const std::filesystem::path& storage, const std::filesystem::path& socket,
                FaultPlan faults = {})
      : RunningServer(PhoneServerConfig{storage, {}, std::move(faults)}, socket) {}
  RunningServer(PhoneServerConfig config, const std::filesystem::path& socket)
      : server_(std::move(config)) {
    error_ = server_.Listen(socket);
    thread_ = std::thread([this] { server_.Run(); });
  }
  ~RunningServer() {
    server_.Stop();
    thread_.join();
  }
  const std::string& error() const { return error_; }

 private:
  PhoneServer server_;
  std::string error_;
  std::thread thread_;
};

// The simulated phone in process, plugged in and connected, logging on.
struct PhoneRig {
  explicit PhoneRig(FaultPlan faults = {}, PhoneAnswers answers = {});

  std::filesystem::path PhonePath(const std::string& phonePath) const;
  void PutPhoneFile(const std::string& phonePath, const Bytes& bytes) const;
  Bytes PhoneFile(const std::string& phonePath) const;
  std::vector<std::string> LogLines() const;
  // Plugs the phone in again with new faults and lets the session see it.
  void Replug(FaultPlan faults = {});

  TempFolder folder;
  std::filesystem::path storageRoot;
  std::filesystem::path workingFolder;
  PhoneStorage storage;
  InProcessPhoneLibrary phone;
  RecordingLibrary library;
  Settings settings;
  RecordingDialogs dialogs;
  RecordingProgressWindows windows;
  CountingObserver observer;
  std::vector<std::chrono::milliseconds> waits;
  PhoneLink link;
};

}  // namespace menuforge::test
