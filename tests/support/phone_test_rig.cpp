#include "support/phone_test_rig.h"

#include <random>

#include "phonesim/seem_records.h"

namespace menuforge::test {
namespace {

class RecordingSink : public ProgressSink {
 public:
  RecordingSink(std::shared_ptr<RecordingProgressWindows::Record> record,
                std::function<void()>& onPosition)
      : record_(std::move(record)), onPosition_(onPosition) {}
  void SetCaption(const std::string& caption) override { record_->captions.push_back(caption); }
  void SetPosition(int percent) override {
    record_->positions.push_back(percent);
    if (onPosition_) onPosition_();
  }
  void Close() override { record_->closed = true; }

 private:
  std::shared_ptr<RecordingProgressWindows::Record> record_;
  std::function<void()>& onPosition_;
};

}  // namespace

std::unique_ptr<ProgressSink> RecordingProgressWindows::Show(const std::string& caption) {
  auto record = std::make_shared<Record>();
  record->captions.push_back(caption);
  windows.push_back(record);
  return std::make_unique<RecordingSink>(record, onPosition);
}

void MakePhoneStorage(const std::filesystem::path& root) {
  for (const char* volume : {"a/mobile/system", "b", "c", "e"})
    std::filesystem::create_directories(root / volume);
  PhoneStorage storage(root);
  if (!PrepareSeemRecords(storage, std::nullopt, std::nullopt).empty())
    throw std::runtime_error("cannot write SEEM records");
}

Bytes RandomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 random(seed);
  Bytes bytes(size);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

PhoneRig::PhoneRig(FaultPlan faults, PhoneAnswers answers)
    : storageRoot(folder / "phone"),
      workingFolder(folder / "work"),
      storage((MakePhoneStorage(storageRoot), storageRoot)),
      phone(storage, std::move(answers)),
      library(phone),
      link(library, settings, dialogs, windows, observer,
           (std::filesystem::create_directories(workingFolder), workingFolder),
           [this](std::chrono::milliseconds wait) { waits.push_back(wait); }) {
  settings.logging = true;
  if (!link.log.Create(workingFolder / "p2klog.txt")) throw std::runtime_error("no log");
  if (!link.session.Start()) throw std::runtime_error("no library");
  phone.Plug(std::move(faults));
  link.session.Poll();
}

std::filesystem::path PhoneRig::PhonePath(const std::string& phonePath) const {
  return storageRoot / phonePath.substr(1);
}

void PhoneRig::PutPhoneFile(const std::string& phonePath, const Bytes& bytes) const {
  std::filesystem::create_directories(PhonePath(phonePath).parent_path());
  WriteFileBytes(PhonePath(phonePath), bytes);
}

Bytes PhoneRig::PhoneFile(const std::string& phonePath) const {
  return ReadFileBytes(PhonePath(phonePath));
}

std::vector<std::string> PhoneRig::LogLines() const {
  const std::string text = ReadFileText(workingFolder / "p2klog.txt");
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) throw std::runtime_error("log line without CR LF");
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void PhoneRig::Replug(FaultPlan faults) {
  phone.Unplug();
  phone.Plug(std::move(faults));
  link.session.Poll();
}

}  // namespace menuforge::test
