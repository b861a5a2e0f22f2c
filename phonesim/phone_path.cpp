#include "phonesim/phone_path.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "phone/file_list_entry.h"

namespace menuforge {
namespace {

bool IsVolumeName(std::string_view name) {
  return name.size() == 1 && name[0] >= 'a' && name[0] <= 'z';
}

bool IsAcceptableComponent(std::string_view component) {
  if (component.empty() || component == "." || component == "..") return false;
  for (const char c : component) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '\\') return false;
  }
  return true;
}

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> components;
  while (true) {
    const std::size_t slash = path.find('/');
    components.push_back(path.substr(0, slash));
    if (slash == std::string_view::npos) return components;
    path.remove_prefix(slash + 1);
  }
}

bool IsLink(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_symlink(std::filesystem::symlink_status(path, error));
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

std::optional<std::filesystem::path> ResolvePhonePath(const std::filesystem::path& storage,
                                                      std::string_view phonePath) {
  if (phonePath.size() > kMaxPhonePathLength || !phonePath.starts_with('/')) return std::nullopt;
  const std::vector<std::string_view> components = Components(phonePath.substr(1));
  if (!IsVolumeName(components.front())) return std::nullopt;

  std::filesystem::path local = storage / std::string(components.front());
  std::error_code error;
  if (IsLink(local) || !std::filesystem::is_directory(local, error)) return std::nullopt;
  for (std::size_t i = 1; i < components.size(); ++i) {
    if (!IsAcceptableComponent(components[i])) return std::nullopt;
    local /= std::string(components[i]);
    if (IsLink(local)) return std::nullopt;
  }
  return local;
}

std::filesystem::path NormalStorageRoot(const std::filesystem::path& storage) {
  std::error_code error;
  std::filesystem::path root = std::filesystem::weakly_canonical(storage, error);
  if (error) root = storage.lexically_normal();
  if (!root.has_filename() && root.has_relative_path()) root = root.parent_path();
  return root;
}

bool LiesWithin(const std::filesystem::path& root, const std::filesystem::path& local) {
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(local, error);
  if (error) return false;
  const auto [rootEnd, localEnd] =
      std::mismatch(root.begin(), root.end(), resolved.begin(), resolved.end());
  return rootEnd == root.end() && localEnd != resolved.end();
}

std::string PhonePathOf(const std::filesystem::path& storage, const std::filesystem::path& local) {
  return "/" + local.lexically_relative(storage).generic_string();
}

bool MatchesFilePattern(std::string_view name, std::string_view pattern) {
  std::size_t n = 0, p = 0;
  std::size_t starAt = std::string_view::npos, resumeAt = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      resumeAt = n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      n = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace menuforge
