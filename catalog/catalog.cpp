#include "catalog/catalog.h"

#include <algorithm>
#include <system_error>

#include "base/local_file.h"
#include "catalog/item_base_file.h"
#include "catalog/profile_file.h"

namespace menuforge {
namespace {

constexpr char kProfileNotFound[] = "Profile not found. Default profile will be applied";
constexpr char kProfileNotFoundCaption[] = "Missing profile";
constexpr char kUnsupportedItems[] = "Unsupported mma item(s) found and omitted: ";

// The available items count in 16 bits up to 256, "Custom item" included.
constexpr std::size_t kMaxProfileItems = 255;

// Names arrive from the selector and from a connected phone's firmware version; a name that
// would reach outside the "Profiles" folder is treated as no profile at all.
bool UsableProfileName(const std::string& name) {
  return !name.empty() && name.find_first_of(std::string_view("/\0", 2)) == std::string::npos;
}

bool IsListedProfileFile(const std::filesystem::directory_entry& entry) {
  const std::string fileName = entry.path().filename().string();
  std::error_code ignored;
  return fileName.ends_with(kProfileExtension) && !fileName.starts_with('.') &&
         entry.is_regular_file(ignored);
}

}  // namespace

Catalog::Catalog(std::filesystem::path workingFolder) : workingFolder_(std::move(workingFolder)) {}

std::filesystem::path Catalog::profilesFolder() const { return workingFolder_ / kProfilesFolder; }

std::filesystem::path Catalog::itemBasePath() const { return profilesFolder() / kItemBaseFile; }

Status Catalog::CreateProfilesFolder() const {
  std::error_code error;
  std::filesystem::create_directory(profilesFolder(), error);
  if (!error) return {};
  return Failure("Cannot create folder \"" + profilesFolder().string() + "\". " + error.message());
}

Result<ItemBaseWarnings> Catalog::LoadItemBase() { return ReadItemBaseFile(!readOnly_); }

Result<ItemBaseWarnings> Catalog::ReadItemBase() { return ReadItemBaseFile(false); }

Result<ItemBaseWarnings> Catalog::ReadItemBaseFile(bool createWhenMissing) {
  if (createWhenMissing)
    if (const Status created = CreateProfilesFolder(); !created) return Failure(created.error());

  const std::filesystem::path path = itemBasePath();
  std::error_code error;
  const bool present = std::filesystem::exists(path, error);
  if (error) return Failure(FileError("open", path, error.value()));
  if (!present) {
    if (createWhenMissing)
      if (const Status written = WriteFileAtomically(path, FormatItemBase(BuiltInItemBase()));
          !written)
        return Failure(written.error());
    itemBase_ = ItemTable(BuiltInItemBase());
    admittedLines_.clear();
    appendedUnread_ = 0;
    MakeWholeBaseAvailable();
    return ItemBaseWarnings();
  }

  const Result<std::string> text = ReadWholeFile(path);
  if (!text) return Failure(text.error());
  ParsedItemBase parsed = ParseItemBase(*text);
  itemBase_ = ItemTable(std::move(parsed.entries));
  admittedLines_.clear();
  appendedUnread_ = 0;
  MakeWholeBaseAvailable();
  return std::move(parsed.warnings);
}

Result<ItemBaseWarnings> Catalog::ReloadItemBase() {
  Result<ItemBaseWarnings> result = LoadItemBase();
  if (result) UseDefaultProfile();
  return result;
}

Status Catalog::AppendItemBaseEntry(const std::string& identifier, bool isShortcut) {
  if (readOnly_) return Failure(kReadOnlyFolderText);
  if (!AppendableIdentifier(identifier)) return Failure(UnstorableIdentifierError(identifier));
  Status appended = AppendLine(itemBasePath(), AppendedItemBaseLine(identifier, isShortcut));
  if (appended) ++appendedUnread_;
  return appended;
}

bool Catalog::ItemBaseHasRoom() const {
  return itemBase_.count() - 1 + appendedUnread_ < kMaxItemBaseEntries;
}

Catalog::Admission Catalog::AdmitItem(const std::string& identifier, bool isShortcut) {
  if (!AppendableIdentifier(identifier)) return Admission::Unstorable;
  if (itemBase_.Contains(identifier)) return Admission::Known;
  if (!ItemBaseHasRoom()) return Admission::Full;
  const std::string line = AppendedItemBaseLine(identifier, isShortcut);
  itemBase_.Append(ParseItemBase(line).entries.front());
  admittedLines_.push_back(line);
  return Admission::Added;
}

Status Catalog::StoreAdmittedItems() {
  if (readOnly_) {
    // In memory they serve this run; the file stays the other program's.
    admittedLines_.clear();
    return {};
  }
  std::error_code error;
  if (!std::filesystem::exists(itemBasePath(), error) && !error) {
    if (Status created = CreateProfilesFolder(); !created) return created;
    const std::vector<ItemBaseEntry>& entries = itemBase_.entries();
    Status written =
        WriteFileAtomically(itemBasePath(), FormatItemBase({entries.begin(), entries.end() - 1}));
    if (written) admittedLines_.clear();
    return written;
  }
  while (!admittedLines_.empty()) {
    if (Status appended = AppendLine(itemBasePath(), admittedLines_.front()); !appended)
      return appended;
    admittedLines_.erase(admittedLines_.begin());
  }
  return {};
}

void Catalog::MakeWholeBaseAvailable() { availableItems_ = itemBase_; }

void Catalog::ListProfiles() {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(profilesFolder(), error), end; !error && it != end;
       it.increment(error)) {
    if (!IsListedProfileFile(*it)) continue;
    const std::string fileName = it->path().filename().string();
    names.push_back(
        fileName.substr(0, fileName.size() - std::string_view(kProfileExtension).size()));
  }
  std::sort(names.begin(), names.end());
  profileNames_ = std::move(names);
}

void Catalog::UseDefaultProfile() {
  profileSource_ = ProfileSource::Default;
  profileName_.clear();
}

bool Catalog::ApplyProfile(const std::string& name, FormatOptions& options, UserDialogs& dialogs) {
  const std::filesystem::path path = profilesFolder() / (name + kProfileExtension);
  std::error_code missing;
  if (!UsableProfileName(name) || !std::filesystem::is_regular_file(path, missing)) {
    dialogs.Show({kProfileNotFound, kProfileNotFoundCaption, MessageIcon::Warning});
    ApplyDefault(options);
    return false;
  }
  // Chosen, even when it cannot be read: the items stay as they were and the reason is shown.
  profileSource_ = ProfileSource::Named;
  profileName_ = name;

  const Result<std::string> text = ReadWholeFile(path);
  if (!text) {
    dialogs.Show(text.error());
    return true;
  }
  const ProfileContents profile = ParseProfile(*text);

  if (profile.recordLength) options.SelectSaveMode(*profile.recordLength);
  if (profile.iconMarker && options.saveMode == RecordSize::k22)
    options.iconAttribute = *profile.iconMarker;
  if (profile.c698pFix) options.c698pFix = *profile.c698pFix;

  if (profile.fault != ProfileFault::None) {
    switch (profile.fault) {
      case ProfileFault::RecordLength: options.SelectSaveMode(RecordSize::k36); break;
      case ProfileFault::IconMarker: options.iconAttribute = IconAttribute::Tag0C; break;
      case ProfileFault::C698pFix: options.c698pFix = false; break;
      case ProfileFault::Formatting:
      case ProfileFault::None: break;
    }
    dialogs.Show({ProfileFaultMessage(profile.fault), kProfileErrorCaption, MessageIcon::Warning});
    UseDefaultProfile();
    return true;
  }

  std::vector<ItemBaseEntry> available;
  const std::string* lastUnsupported = nullptr;
  for (const std::string& identifier : profile.items) {
    const std::size_t position = itemBase_.Find(identifier);
    if (position == itemBase_.count()) {
      lastUnsupported = &identifier;
      continue;
    }
    if (available.size() < kMaxProfileItems)
      available.push_back(
          {identifier, itemBase_.at(position).displayName, itemBase_.at(position).mayHaveSubitems});
  }
  availableItems_ = ItemTable(std::move(available));

  if (lastUnsupported) {
    dialogs.Show({kUnsupportedItems + ShortenedForMessage(*lastUnsupported), kProfileErrorCaption,
                  MessageIcon::Warning});
    UseDefaultProfile();
  }
  return true;
}

void Catalog::ApplyDefault(FormatOptions& options) {
  MakeWholeBaseAvailable();
  UseDefaultProfile();
  options.SelectSaveMode(RecordSize::k36);
}

}  // namespace menuforge
