// menuforge-phonesim: a simulated phone on a local socket, for the program and menuforge-cli to
// connect to as if a phone were attached.
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/version.h"
#include "phone/phone_socket_path.h"
#include "phonesim/demo_firmware.h"
#include "phonesim/demo_storage.h"
#include "phonesim/phone_server.h"
#include "phonesim/seem_records.h"

namespace {

using namespace menuforge;

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr std::uint64_t kLongestIdleTimeout = 3600;
constexpr std::uint64_t kLongestLatency = 60'000;

constexpr char kUsage[] =
    "usage: menuforge-phonesim --storage DIR [--socket PATH] [--firmware VERSION]\n"
    "                          [--lp-version HEX] [--model NAME] [--imei DIGITS]\n"
    "                          [--refuse COMMAND:N[xTIMES]]... [--drop-after BYTES]\n"
    "                          [--capacity BYTES] [--idle-timeout SECONDS] [--prepare]\n"
    "                          [--latency MS] [--rate BYTES_PER_SECOND] [--stall-after N]\n"
    "                          [--stray-after N] [--trickle-after N [--trickle-pause MS]]\n"
    "       menuforge-phonesim --help | --version\n"
    "\n"
    "Simulates a phone attached by cable. DIR holds its volumes as sub-folders (a, b, c, e),\n"
    "the file attributes and the SEEM records; an empty or missing DIR is filled with a demo\n"
    "phone, and DIR/firmware holds the demo phone's firmware files when they are missing: a CG1\n"
    "image to make its profile from and a DRM binary of icons. The program and menuforge-cli find "
    "the phone on the socket: PATH, else\n"
    "$MENUFORGE_PHONE_SOCKET, else $XDG_RUNTIME_DIR/menuforge-phone.sock\n"
    "(/tmp/menuforge-phone-UID.sock without XDG_RUNTIME_DIR). Stop it with Ctrl+C.\n"
    "\n"
    "  --firmware VERSION    the firmware version the phone reports\n"
    "  --lp-version HEX      the LP version, four hexadecimal digits\n"
    "  --model NAME          stored as SEEM 0117 record 1\n"
    "  --imei DIGITS         14 digits (or 15 with the check digit), stored as SEEM 0004\n"
    "  --refuse COMMAND:N    refuse the Nth command of a kind (xTIMES: that many in a row);\n"
    "%KINDS%"
    "  --drop-after BYTES    drop each connection once that many file bytes have passed\n"
    "  --capacity BYTES      the room on each volume (default 67108864, 64 MB); a write past\n"
    "                        it is refused, as by a full phone\n"
    "  --prepare             fill DIR as above, then end without listening\n"
    "  --idle-timeout SECONDS  drop a client that sends no complete command that long after\n"
    "                        connecting, or leaves one unfinished that long (default 10)\n"
    "  --latency MS          hold each answer that many milliseconds, as a cable does with a\n"
    "                        command and its answer (default 0); a phone on a real cable:\n"
    "                        --latency 4 --rate 262144\n"
    "  --rate BYTES_PER_SECOND  move file bytes read or written no faster (default unlimited)\n"
    "  --stall-after N       answer N commands on each connection, then nothing more, keeping\n"
    "                        the connection open, as a phone that hangs\n"
    "  --stray-after N       after answering the Nth command on a connection, send one more\n"
    "                        answer that nobody asked for, as a phone that lies\n"
    "  --trickle-after N     answer N commands on each connection, then send every answer a\n"
    "                        byte at a time, as a phone whose cable barely works\n"
    "  --trickle-pause MS    the pause between those bytes (default 4000)\n";

// The usage with the kinds of command, named as --refuse takes them, from the one list of calls.
std::string Usage() {
  constexpr std::size_t kIndent = 24;
  constexpr std::size_t kWidth = 89;
  std::string kinds;
  std::string line = std::string(kIndent, ' ') + "kinds:";
  for (const PhoneCallKind& kind : kPhoneCalls) {
    if (line.size() + 1 + kind.name.size() > kWidth) {
      kinds += line + "\n";
      line = std::string(kIndent - 1, ' ');
    }
    line += " " + std::string(kind.name);
  }
  kinds += line + "\n";
  std::string usage = kUsage;
  const std::string placeholder = "%KINDS%";
  return usage.replace(usage.find(placeholder), placeholder.size(), kinds);
}

PhoneServer* runningServer = nullptr;

void StopOnSignal(int) {
  if (runningServer) runningServer->Stop();
}

struct Options {
  std::optional<std::string> storage, socket, firmware, lpVersion, model, imei, dropAfter, capacity,
      idleTimeout, latency, rate, stallAfter, strayAfter, trickleAfter, tricklePause;
  std::vector<std::string> refusals;
  bool help = false;
  bool version = false;
  bool prepare = false;
};

struct UsageError {
  std::string text;
};

std::uint64_t Number(const std::string& text, int base, std::uint64_t largest,
                     const std::string& what) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), &end, base);
  if (text.empty() || *end != '\0' || errno != 0 || value > largest || text[0] == '-')
    throw UsageError{"bad " + what + ": " + text};
  return value;
}

Options Parse(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name == "--version") {
      options.version = true;
      continue;
    }
    if (name == "--prepare") {
      options.prepare = true;
      continue;
    }
    if (i + 1 >= arguments.size()) throw UsageError{"option " + name + " needs a value"};
    const std::string& value = arguments[++i];
    if (name == "--storage")
      options.storage = value;
    else if (name == "--socket")
      options.socket = value;
    else if (name == "--firmware")
      options.firmware = value;
    else if (name == "--lp-version")
      options.lpVersion = value;
    else if (name == "--model")
      options.model = value;
    else if (name == "--imei")
      options.imei = value;
    else if (name == "--refuse")
      options.refusals.push_back(value);
    else if (name == "--drop-after")
      options.dropAfter = value;
    else if (name == "--capacity")
      options.capacity = value;
    else if (name == "--idle-timeout")
      options.idleTimeout = value;
    else if (name == "--latency")
      options.latency = value;
    else if (name == "--rate")
      options.rate = value;
    else if (name == "--stall-after")
      options.stallAfter = value;
    else if (name == "--stray-after")
      options.strayAfter = value;
    else if (name == "--trickle-after")
      options.trickleAfter = value;
    else if (name == "--trickle-pause")
      options.tricklePause = value;
    else
      throw UsageError{"unknown option " + name};
  }
  if (!options.help && !options.version && !options.storage)
    throw UsageError{"--storage DIR is required"};
  return options;
}

Refusal ParseRefusal(const std::string& text) {
  const std::size_t colon = text.find(':');
  const std::optional<PhoneCall> call = PhoneCallNamed(text.substr(0, colon));
  if (colon == std::string::npos || !call) throw UsageError{"bad --refuse: " + text};
  std::string count = text.substr(colon + 1);
  std::string times = "1";
  if (const std::size_t x = count.find('x'); x != std::string::npos) {
    times = count.substr(x + 1);
    count.resize(x);
  }
  return {*call, static_cast<std::uint32_t>(Number(count, 10, UINT32_MAX, "--refuse count")),
          static_cast<std::uint32_t>(Number(times, 10, UINT32_MAX, "--refuse times"))};
}

PhoneServerConfig Configure(const Options& options) {
  PhoneServerConfig config;
  config.storage = *options.storage;
  if (options.firmware) config.answers.firmwareVersion = *options.firmware;
  if (options.lpVersion)
    config.answers.lpVersion =
        static_cast<std::uint16_t>(Number(*options.lpVersion, 16, 0xFFFF, "--lp-version"));
  for (const std::string& refusal : options.refusals)
    config.faults.refusals.push_back(ParseRefusal(refusal));
  if (options.dropAfter)
    config.faults.dropAfterBytes = Number(*options.dropAfter, 10, UINT64_MAX, "--drop-after");
  if (options.capacity)
    config.volumeCapacity = Number(*options.capacity, 10, UINT64_MAX, "--capacity");
  if (options.idleTimeout) {
    const std::uint64_t seconds =
        Number(*options.idleTimeout, 10, kLongestIdleTimeout, "--idle-timeout");
    if (seconds == 0) throw UsageError{"bad --idle-timeout: " + *options.idleTimeout};
    config.limits.idle = std::chrono::seconds(seconds);
  }
  if (options.latency)
    config.pace.latency =
        std::chrono::milliseconds(Number(*options.latency, 10, kLongestLatency, "--latency"));
  if (options.rate) {
    config.pace.bytesPerSecond = Number(*options.rate, 10, UINT32_MAX, "--rate");
    if (config.pace.bytesPerSecond == 0) throw UsageError{"bad --rate: " + *options.rate};
  }
  if (options.stallAfter)
    config.pace.stallAfter = Number(*options.stallAfter, 10, UINT64_MAX, "--stall-after");
  if (options.strayAfter)
    config.pace.strayAfter = Number(*options.strayAfter, 10, UINT64_MAX, "--stray-after");
  if (options.trickleAfter)
    config.pace.trickleAfter = Number(*options.trickleAfter, 10, UINT64_MAX, "--trickle-after");
  if (options.tricklePause)
    config.pace.tricklePause = std::chrono::milliseconds(
        Number(*options.tricklePause, 10, kLongestLatency, "--trickle-pause"));
  return config;
}

int Run(const Options& options) {
  const PhoneServerConfig config = Configure(options);
  // Under a file size limit a write past it is refused like any other failed write.
  std::signal(SIGXFSZ, SIG_IGN);
  if (IsEmptyStorage(config.storage)) {
    if (const std::string error = CreateDemoStorage(config.storage); !error.empty()) {
      std::cerr << "error: " << error << '\n';
      return kExitFailure;
    }
    std::cout << "Created a demo phone in " << config.storage.string() << '\n';
  }
  if (const std::string error = WriteDemoFirmware(config.storage, config.answers.firmwareVersion);
      !error.empty()) {
    std::cerr << "error: " << error << '\n';
    return kExitFailure;
  }
  PhoneStorage storage(config.storage);
  storage.ClearDrafts();
  if (const std::string error = PrepareSeemRecords(storage, options.model, options.imei);
      !error.empty()) {
    std::cerr << "error: " << error << '\n';
    return kExitFailure;
  }
  if (options.prepare) return kExitSuccess;

  PhoneServer server(config);
  const std::filesystem::path socket = PhoneSocketPath(options.socket);
  if (const std::string error = server.Listen(socket); !error.empty()) {
    std::cerr << "error: " << error << '\n';
    return kExitFailure;
  }
  runningServer = &server;
  std::signal(SIGINT, StopOnSignal);
  std::signal(SIGTERM, StopOnSignal);
  std::signal(SIGPIPE, SIG_IGN);
  std::cout << "Phone simulator listening on " << socket.string() << std::endl;
  server.Run();
  runningServer = nullptr;
  return kExitSuccess;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Options options = Parse(std::vector<std::string>(argv + 1, argv + argc));
    if (options.help) {
      std::cout << Usage();
      return kExitSuccess;
    }
    if (options.version) {
      std::cout << "menuforge-phonesim " << kVersion << '\n';
      return kExitSuccess;
    }
    return Run(options);
  } catch (const UsageError& error) {
    std::cerr << "error: " << error.text << " (see menuforge-phonesim --help)\n";
    return kExitUsage;
  }
}
