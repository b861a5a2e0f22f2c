// The phone link on a thread of its own.
//
// Why: a phone on a cable can hang, vanish or trickle, and every call then waits up to the reply
// time. Run on a window's thread, that wait is a frozen window, and the old remedy (letting the
// window have turns from inside the wait) is a nested event loop, where re-entrancy faults come
// from. So one worker thread owns the connection and everything that talks to the phone: the
// session with its connect-time reads, the transfers, the menu files. A window never calls the
// phone; it hands the worker a job and hears back through the owner's own queue.
//
// How the next callers fit in:
// - A phone command of a window (Open or Save to phone with its safety copy, restore, SEEM backup
//   and restore, the J2MEST read and patch, restart, compare with the phone, the picker's and the
//   item editor's reads) becomes one job: a function of the PhoneLink run on the worker. What it
//   needs of the window's state (the menu to write, the settings) is copied into the job when it
//   is submitted, so the window may go on editing meanwhile; what it brings back is posted.
// - Messages a job shows and questions it asks (the patch question, overwrite questions) go
//   through the link's UserDialogs, which the worker posts to the owner's dialogs; a question
//   waits on the worker for the answer while the owner's thread stays live. Progress windows
//   are the owner's, driven the same way.
// - Cancel abandons the connection instead of waiting for the phone: the waiting call ends at
//   once, nothing the job did counts as done, and the next connection is a fresh one, so a late
//   answer can never be matched to another command. The job's own messages are dropped then; the
//   owner says it was cancelled.
// - Between jobs the worker looks for the phone, with pauses that grow while none answers, so
//   a hung phone costs the window nothing. Connect and disconnect reach the owner's observer as
//   posted events, with a copy of the phone's identity taken on the worker (PhoneShown).
// - A command-line tool makes the worker Inline: the same jobs run at once on the caller's
//   thread, which has no events to keep alive, and no second thread is started.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "base/user_messages.h"
#include "phone/p2k_library.h"
#include "phone/phone_link.h"
#include "phone/transfer_progress.h"
#include "workspace/settings.h"

namespace menuforge {

// Runs a function later on the owner's thread, in the order posted (a window's queued event).
using PostToOwner = std::function<void(std::function<void()>)>;

// What the owner may show of the phone: copied on the worker when the phone came or went, so
// that the owner never reads the session while the worker changes it.
struct PhoneShown {
  bool connected = false;
  std::string modelName;
  std::string imei;
  std::string firmwareVersion;
  std::string lpVersionText;
  std::optional<std::string> profileToApply;
};

// The owner's side, each called on the owner's thread.
struct PhoneOwner {
  PostToOwner post;
  UserDialogs& dialogs;
  ProgressWindows& windows;
  // Told of a phone that came (with its identity) or went, and of a link given up.
  std::function<void(const PhoneShown&)> phoneChanged;
};

// Grows while no phone answers; back to the first once one has told who it is.
struct ReconnectPauses {
  std::chrono::milliseconds first{250};
  std::chrono::milliseconds longest{4000};
  // How often a connected phone is looked at, to notice a cable pulled between jobs.
  std::chrono::milliseconds connected{250};
};

// What a job has on the worker: the link, and the owner's dialogs and progress windows as the
// job may use them from there.
struct PhoneJobContext {
  PhoneLink& link;
  UserDialogs& dialogs;
  ProgressWindows& windows;
};

class PhoneWorker {
 public:
  enum class Threading { Thread, Inline };
  // A job must not touch the owner's state: what it needs is copied in, what it finds posted.
  using Job = std::function<void(PhoneJobContext& context)>;
  // Called on the owner's thread once the job is over: `cancelled` when the user stopped it.
  using Done = std::function<void(bool cancelled)>;

  PhoneWorker(P2kLibrary& library, const Settings& settings, PhoneOwner owner,
              const std::filesystem::path& workingFolder, Threading threading = Threading::Thread,
              ReconnectPauses pauses = {});
  ~PhoneWorker();
  PhoneWorker(const PhoneWorker&) = delete;
  PhoneWorker& operator=(const PhoneWorker&) = delete;

  // Starts the library; fails with "Error initializing P2KAPI library" when it refuses. A
  // threaded worker then starts looking for the phone.
  [[nodiscard]] Status Start();
  // Looks for the phone now: what the worker does by itself between jobs, for an inline one.
  void PollNow();

  // False, and nothing is run, while another job runs or waits: one phone command at a time.
  bool Submit(Job job, Done done = {});
  bool busy() const { return busy_; }
  // Safe from any thread; takes effect at once, even while the phone hangs.
  void Cancel();
  bool cancelRequested() const { return cancelled_; }

  PhoneShown shown() const;

 private:
  class OwnerDialogs;
  class OwnerWindows;
  struct Queued {
    Job job;
    Done done;
  };

  void Run();
  void RunJob(Queued queued);
  // The connect-time retries wait here, woken by a stop.
  void Wait(std::chrono::milliseconds duration);
  void TellOwner();
  void Post(std::function<void()> call);

  P2kLibrary& library_;
  PhoneOwner owner_;
  Threading threading_;
  ReconnectPauses pauses_;
  std::unique_ptr<OwnerDialogs> dialogs_;
  std::unique_ptr<OwnerWindows> windows_;
  std::unique_ptr<PhoneObserver> observer_;
  std::unique_ptr<PhoneLink> link_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Queued> queued_;
  PhoneShown shown_;
  bool stopping_ = false;
  std::atomic<bool> busy_ = false;
  std::atomic<bool> cancelled_ = false;
  std::thread thread_;
};

}  // namespace menuforge
