#include "phone/phone_worker.h"

#include <algorithm>

namespace menuforge {
namespace {

// What the owner's posted calls may still reach of a worker: the owner's Cancel button reaches
// the worker through this, and finds nothing once the worker is gone.
struct CancelLink {
  std::function<void()> cancel;
};

// A question on its way to the owner; the worker waits for the answer, or gives up on Cancel.
struct PendingAnswer {
  std::mutex mutex;
  std::condition_variable answered;
  std::optional<bool> value;
  bool givenUp = false;
};

// The owner's one-bar window, driven from the worker by posted calls.
class PostedSink : public ProgressSink {
 public:
  PostedSink(PostToOwner post, std::shared_ptr<std::unique_ptr<ProgressSink>> window,
             std::weak_ptr<CancelLink> cancel, const std::atomic<bool>& cancelled)
      : post_(std::move(post)),
        window_(std::move(window)),
        cancel_(std::move(cancel)),
        cancelled_(cancelled) {}

  void SetCaption(const std::string& caption) override {
    post_([window = window_, caption] {
      if (*window) (*window)->SetCaption(caption);
    });
  }
  // The window's own Cancel is looked at whenever it moves, as it would have been in the loop.
  void SetPosition(int percent) override {
    post_([window = window_, cancel = cancel_, percent] {
      if (!*window) return;
      (*window)->SetPosition(percent);
      if ((*window)->CancelRequested())
        if (const auto link = cancel.lock()) link->cancel();
    });
  }
  void Close() override {
    post_([window = window_] {
      if (!*window) return;
      (*window)->Close();
      window->reset();
    });
  }
  bool CancelRequested() const override { return cancelled_; }

 private:
  PostToOwner post_;
  std::shared_ptr<std::unique_ptr<ProgressSink>> window_;
  std::weak_ptr<CancelLink> cancel_;
  const std::atomic<bool>& cancelled_;
};

// Copies the phone's identity on the worker, where the session changes, and tells the owner.
class WorkerObserver : public PhoneObserver {
 public:
  explicit WorkerObserver(std::function<void()> changed) : changed_(std::move(changed)) {}
  void PhoneConnected() override { changed_(); }
  void PhoneDisconnected() override { changed_(); }

 private:
  std::function<void()> changed_;
};

}  // namespace

class PhoneWorker::OwnerDialogs : public UserDialogs {
 public:
  explicit OwnerDialogs(PhoneWorker& worker) : worker_(worker) {}

  // A cancelled job's failures are the cancel's doing; the owner says it was cancelled.
  void Show(const Message& message) override {
    if (worker_.cancelled_) return;
    worker_.Post([&dialogs = worker_.owner_.dialogs, message] { dialogs.Show(message); });
  }

  bool Ask(const Message& question) override {
    if (worker_.cancelled_) return false;
    if (worker_.threading_ == Threading::Inline) return worker_.owner_.dialogs.Ask(question);
    auto answer = std::make_shared<PendingAnswer>();
    {
      const std::lock_guard guard(worker_.mutex_);
      if (worker_.stopping_) return false;
      pending_ = answer;
    }
    worker_.Post([&dialogs = worker_.owner_.dialogs, question, answer] {
      const bool yes = dialogs.Ask(question);
      const std::lock_guard guard(answer->mutex);
      answer->value = yes;
      answer->answered.notify_all();
    });
    std::unique_lock lock(answer->mutex);
    answer->answered.wait(lock, [&] { return answer->value || answer->givenUp; });
    const bool yes = answer->value.value_or(false) && !answer->givenUp;
    lock.unlock();
    const std::lock_guard guard(worker_.mutex_);
    pending_.reset();
    return yes;
  }

  // Called with the worker's mutex held.
  void GiveUp() {
    if (!pending_) return;
    const std::lock_guard guard(pending_->mutex);
    pending_->givenUp = true;
    pending_->answered.notify_all();
  }

 private:
  PhoneWorker& worker_;
  std::shared_ptr<PendingAnswer> pending_;
};

class PhoneWorker::OwnerWindows : public ProgressWindows {
 public:
  explicit OwnerWindows(PhoneWorker& worker) : worker_(worker) {}

  std::unique_ptr<ProgressSink> Show(const std::string& caption) override {
    if (worker_.threading_ == Threading::Inline) return worker_.owner_.windows.Show(caption);
    auto window = std::make_shared<std::unique_ptr<ProgressSink>>();
    worker_.Post(
        [&windows = worker_.owner_.windows, window, caption] { *window = windows.Show(caption); });
    return std::make_unique<PostedSink>(worker_.owner_.post, window, cancelLink_,
                                        worker_.cancelled_);
  }

 private:
  PhoneWorker& worker_;
  std::shared_ptr<CancelLink> cancelLink_ =
      std::make_shared<CancelLink>(CancelLink{[this] { worker_.Cancel(); }});
};

PhoneWorker::PhoneWorker(P2kLibrary& library, const Settings& settings, PhoneOwner owner,
                         const std::filesystem::path& workingFolder, Threading threading,
                         ReconnectPauses pauses)
    : library_(library),
      owner_(std::move(owner)),
      threading_(threading),
      pauses_(pauses),
      dialogs_(std::make_unique<OwnerDialogs>(*this)),
      windows_(std::make_unique<OwnerWindows>(*this)),
      observer_(std::make_unique<WorkerObserver>([this] { TellOwner(); })) {
  link_ = std::make_unique<PhoneLink>(
      library_, settings, *dialogs_, *windows_, *observer_, workingFolder,
      [this](std::chrono::milliseconds duration) { Wait(duration); });
}

PhoneWorker::~PhoneWorker() {
  {
    const std::lock_guard guard(mutex_);
    stopping_ = true;
    dialogs_->GiveUp();
  }
  wake_.notify_all();
  if (thread_.joinable()) {
    // A call that waits on a hung phone would hold the join for the whole reply time.
    library_.Abandon();
    thread_.join();
  }
}

Status PhoneWorker::Start() {
  if (Status started = link_->session.Start(); !started) return started;
  if (threading_ == Threading::Thread && !thread_.joinable())
    thread_ = std::thread([this] { Run(); });
  return {};
}

void PhoneWorker::PollNow() { link_->session.Poll(); }

bool PhoneWorker::Submit(Job job, Done done) {
  if (busy_.exchange(true)) return false;
  cancelled_ = false;
  if (threading_ == Threading::Inline) {
    RunJob({std::move(job), std::move(done)});
    return true;
  }
  {
    const std::lock_guard guard(mutex_);
    queued_ = Queued{std::move(job), std::move(done)};
  }
  wake_.notify_all();
  return true;
}

void PhoneWorker::Cancel() {
  if (!busy_ || cancelled_.exchange(true)) return;
  library_.Abandon();
  {
    const std::lock_guard guard(mutex_);
    dialogs_->GiveUp();
  }
  wake_.notify_all();
}

PhoneShown PhoneWorker::shown() const {
  const std::lock_guard guard(mutex_);
  return shown_;
}

void PhoneWorker::Run() {
  std::chrono::milliseconds nextPause = pauses_.first;
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (queued_) {
      Queued queued = std::move(*queued_);
      queued_.reset();
      lock.unlock();
      RunJob(std::move(queued));
      lock.lock();
      continue;
    }
    lock.unlock();
    PollNow();
    std::chrono::milliseconds pause = pauses_.connected;
    // A phone that does not answer is tried again less and less often, quietly.
    if (link_->session.connected()) {
      nextPause = pauses_.first;
    } else {
      pause = nextPause;
      nextPause = std::min(nextPause * 2, pauses_.longest);
    }
    lock.lock();
    wake_.wait_for(lock, pause, [&] { return stopping_ || queued_.has_value(); });
  }
}

void PhoneWorker::RunJob(Queued queued) {
  PhoneJobContext context{*link_, *dialogs_, *windows_};
  if (!cancelled_) queued.job(context);
  // The looks for the phone that follow are no part of the job: what they find is shown, and
  // their retries wait.
  const bool cancelled = cancelled_.exchange(false);
  // A link given up during the job is noticed now, so that the owner shows the phone gone as
  // soon as the job's message.
  PollNow();
  busy_ = false;
  Post([done = std::move(queued.done), cancelled] {
    if (done) done(cancelled);
  });
}

void PhoneWorker::Wait(std::chrono::milliseconds duration) {
  if (threading_ == Threading::Inline) {
    std::this_thread::sleep_for(duration);
    return;
  }
  std::unique_lock lock(mutex_);
  wake_.wait_for(lock, duration, [&] { return stopping_ || cancelled_.load(); });
}

void PhoneWorker::TellOwner() {
  PhoneSession& session = link_->session;
  PhoneShown shown{session.connected(),       session.modelName(),     session.imei(),
                   session.firmwareVersion(), session.lpVersionText(), session.ProfileToApply()};
  {
    const std::lock_guard guard(mutex_);
    shown_ = shown;
  }
  if (owner_.phoneChanged)
    Post([changed = owner_.phoneChanged, shown = std::move(shown)] { changed(shown); });
}

void PhoneWorker::Post(std::function<void()> call) {
  if (threading_ == Threading::Inline)
    call();
  else
    owner_.post(std::move(call));
}

}  // namespace menuforge
