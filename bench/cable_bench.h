// What the cable timings share: the pace of the simulated cable, the goals, a phone library that
// counts what went over the cable, a meter of the longest time between two turns of the event
// loop, and the simulator's server on a thread of its own.
#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <thread>

#include "phone/fsac_request.h"
#include "phone/socket_library.h"
#include "phonesim/phone_server.h"

namespace menuforge::cable {

using Clock = std::chrono::steady_clock;

inline constexpr std::chrono::milliseconds kLatency{4};
inline constexpr std::uint64_t kRate = 262144;
inline constexpr double kGapGoalMs = 100;
inline constexpr double kCableFactorGoal = 1.3;

inline double Ms(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

// The commands and file bytes that went over the cable.
class CountingLibrary : public SocketPhoneLibrary {
 public:
  using SocketPhoneLibrary::SocketPhoneLibrary;

  std::int32_t P2K_SendCMD(std::uint32_t command, ByteView request,
                           std::span<std::uint8_t> response,
                           std::uint32_t& responseLength) override {
    ++calls;
    const bool open = connectionOpen();
    const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    const std::int32_t rc =
        SocketPhoneLibrary::P2K_SendCMD(command, request, response, responseLength);
    if (open && !connectionOpen()) givenUpAfter = std::chrono::steady_clock::now() - start;
    if (command == kCommandFsac) {
      if (request.size() > kFsacHeaderSize && request[3] == kFsacWrite)
        bytes += request.size() - kFsacHeaderSize;
      else if (request.size() >= 4 && request[3] == kFsacRead)
        bytes += responseLength;
    }
    return rc;
  }
  std::int32_t File_CountEx(const std::string& pattern) override {
    ++calls;
    return SocketPhoneLibrary::File_CountEx(pattern);
  }
  std::int32_t File_ListEx(std::vector<FileListEntry>& entries, std::size_t count,
                           const ListProgressNotification& progress) override {
    ++calls;
    return SocketPhoneLibrary::File_ListEx(entries, count, progress);
  }
  std::int32_t File_Create(const std::string& path, std::int32_t attributes) override {
    ++calls;
    return SocketPhoneLibrary::File_Create(path, attributes);
  }
  std::int32_t File_Close() override {
    ++calls;
    return SocketPhoneLibrary::File_Close();
  }
  std::int32_t Seem_Read(std::uint16_t seem, std::uint16_t record, std::uint32_t offset,
                         std::uint32_t size, std::span<std::uint8_t> buffer) override {
    ++calls;
    const std::int32_t read = SocketPhoneLibrary::Seem_Read(seem, record, offset, size, buffer);
    if (read > 0) bytes += static_cast<std::uint64_t>(read);
    return read;
  }
  std::int32_t Seem_Write(std::uint16_t seem, std::uint16_t record, std::uint32_t offset,
                          ByteView data) override {
    ++calls;
    bytes += data.size();
    return SocketPhoneLibrary::Seem_Write(seem, record, offset, data);
  }

  // What the cable needs for what was counted.
  double CableMs() const {
    return static_cast<double>(calls) * static_cast<double>(kLatency.count()) +
           static_cast<double>(bytes) * 1000.0 / static_cast<double>(kRate);
  }

  std::uint64_t calls = 0;
  std::uint64_t bytes = 0;
  // How long the call that found the connection lost waited.
  std::chrono::steady_clock::duration givenUpAfter{};
};

// The longest time between two turns of the event loop, seen by a timer due every turn.
class GapMeter {
 public:
  GapMeter() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const Clock::time_point now = Clock::now();
      longest_ = std::max(longest_, now - last_);
      last_ = now;
    });
  }
  void Start() {
    longest_ = {};
    last_ = Clock::now();
    timer_.start(0);
  }
  double StopMs() {
    timer_.stop();
    return Ms(std::max(longest_, Clock::now() - last_));
  }

 private:
  QTimer timer_;
  Clock::time_point last_;
  Clock::duration longest_{};
};

class RunningServer {
 public:
  RunningServer(PhoneServerConfig config, const std::filesystem::path& socket)
      : server_(std::move(config)) {
    if (const std::string error = server_.Listen(socket); !error.empty())
      throw std::runtime_error(error);
    thread_ = std::thread([this] { server_.Run(); });
  }
  ~RunningServer() {
    server_.Stop();
    thread_.join();
  }
  RunningServer(const RunningServer&) = delete;
  RunningServer& operator=(const RunningServer&) = delete;

 private:
  PhoneServer server_;
  std::thread thread_;
};

struct Figures {
  std::string action;
  double totalMs;
  double cableMs;
  double gapMs;
};

inline void Print(const Figures& f) {
  const double factor = f.cableMs > 0 ? f.totalMs / f.cableMs : 0;
  std::printf("%-44s %9.0f ms  cable %8.0f ms  x%.2f %-4s  longest gap %6.1f ms %s\n",
              f.action.c_str(), f.totalMs, f.cableMs, factor,
              factor <= kCableFactorGoal ? "ok" : "SLOW", f.gapMs,
              f.gapMs <= kGapGoalMs ? "ok" : "OVER");
}

inline void ProcessUntil(const std::function<bool()>& done) {
  while (!done()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Times `work` against the cable time of what `library` counted meanwhile.
class Stopwatch {
 public:
  Stopwatch(CountingLibrary& library, std::vector<Figures>& figures)
      : library_(library), figures_(figures) {}

  void Measure(const std::string& action, const std::function<void()>& work) {
    const std::uint64_t calls = library_.calls;
    const std::uint64_t bytes = library_.bytes;
    library_.calls = library_.bytes = 0;
    gaps_.Start();
    const Clock::time_point start = Clock::now();
    work();
    const double total = Ms(Clock::now() - start);
    figures_.push_back({action, total, library_.CableMs(), gaps_.StopMs()});
    library_.calls += calls;
    library_.bytes += bytes;
  }

 private:
  CountingLibrary& library_;
  std::vector<Figures>& figures_;
  GapMeter gaps_;
};

// The main window's own phone commands against a simulator serving `storage` at the cable's
// pace; files go into `folder`.
std::vector<Figures> MainWindowFigures(const std::filesystem::path& folder,
                                       const std::filesystem::path& storage);
// The phone worker, and phones that hang, vanish or are cancelled during a hang under it; the
// figures of what has a cable time, the rest printed as it is measured.
std::vector<Figures> WorkerFigures(const std::filesystem::path& folder,
                                   const std::filesystem::path& storage);

}  // namespace menuforge::cable
