#include "base/temporary_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>

namespace menuforge {
namespace {

// Few temporary files are open at once: a download, a write, a scratch folder.
constexpr std::size_t kSlots = 32;

struct Slot {
  std::atomic<int> state{0};  // kFree, kFilling or kHeld
  char path[PATH_MAX];
};
constexpr int kFree = 0;
constexpr int kFilling = 1;
constexpr int kHeld = 2;

std::array<Slot, kSlots> slots;

// Empties a folder below `dir` through system calls alone, as a signal handler may.
void RemoveFolderContents(int dir) {
  alignas(8) char entries[4096];
  for (;;) {
    const long got = ::syscall(SYS_getdents64, dir, entries, sizeof entries);
    if (got <= 0) return;
    for (long at = 0; at < got;) {
      // struct linux_dirent64: inode (8), offset (8), record length (2), type (1), name.
      unsigned short length = 0;
      std::memcpy(&length, entries + at + 16, sizeof length);
      const char* name = entries + at + 19;
      const bool dots = name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
      if (!dots) ::unlinkat(dir, name, 0);
      at += length;
    }
  }
}

void RemoveRegistered() {
  for (Slot& slot : slots) {
    if (slot.state.load(std::memory_order_acquire) != kHeld) continue;
    if (::unlink(slot.path) == 0 || errno != EISDIR) continue;
    const int dir = ::open(slot.path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0) continue;
    RemoveFolderContents(dir);
    ::close(dir);
    ::rmdir(slot.path);
  }
}

void OnSignal(int signal) {
  RemoveRegistered();
  ::_exit(128 + signal);
}

}  // namespace

void RegisterTemporaryPath(const std::filesystem::path& path) {
  const std::string& text = path.native();
  if (text.size() >= PATH_MAX) return;
  for (Slot& slot : slots) {
    int expected = kFree;
    if (!slot.state.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(slot.path, text.c_str(), text.size() + 1);
    slot.state.store(kHeld, std::memory_order_release);
    return;
  }
}

void ForgetTemporaryPath(const std::filesystem::path& path) {
  for (Slot& slot : slots) {
    if (slot.state.load(std::memory_order_acquire) != kHeld || path.native() != slot.path) continue;
    slot.state.store(kFree, std::memory_order_release);
    return;
  }
}

void RemoveTemporaryPathsOnSignals() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaddset(&action.sa_mask, SIGINT);
  sigaddset(&action.sa_mask, SIGTERM);
  for (const int signal : {SIGINT, SIGTERM}) {
    // A signal the program was started to ignore (as by nohup) stays ignored.
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace menuforge
