#include "settings/durable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

namespace vantrope {

namespace {

namespace fs = std::filesystem;

constexpr size_t kSuffixDigits = 16;
constexpr std::string_view kTemporaryEnding = ".tmp";

std::string RandomSuffix() {
  std::random_device random;
  const uint64_t number = (static_cast<uint64_t>(random()) << 32) ^ random();
  char text[kSuffixDigits + 1];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(number));
  return text;
}

bool IsTemporaryOf(std::string_view name, std::string_view target) {
  if (name.size() != target.size() + 1 + kSuffixDigits + kTemporaryEnding.size() || !name.starts_with(target) ||
      name[target.size()] != '.' || !name.ends_with(kTemporaryEnding))
    return false;
  return name.substr(target.size() + 1, kSuffixDigits).find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

fs::path FolderOf(const fs::path& file) {
  const fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

bool WriteAllAt(int descriptor, std::string_view bytes, off_t offset) {
  while (!bytes.empty()) {
    const ssize_t written = pwrite(descriptor, bytes.data(), bytes.size(), offset);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
    offset += written;
  }
  return true;
}

// A new or renamed file is found after a power cut only once its folder's
// entry is on the disk as well.
bool SyncFolder(const fs::path& folder) {
  const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return false;
  // File systems that cannot sync a folder say EINVAL; the rename is all they offer.
  const bool synced = fsync(descriptor) == 0 || errno == EINVAL;
  return close(descriptor) == 0 && synced;
}

}  // namespace

bool ReplaceFileDurably(const fs::path& target, std::string_view content, std::optional<fs::perms> permissions) {
  const fs::path folder = FolderOf(target);
  const fs::path temporary =
      folder / (target.filename().string() + "." + RandomSuffix() + std::string(kTemporaryEnding));
  const int descriptor = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) return false;
  bool written = (!permissions || fchmod(descriptor, static_cast<mode_t>(*permissions & fs::perms::mask)) == 0) &&
                 WriteAllAt(descriptor, content, 0) && fsync(descriptor) == 0;
  written = close(descriptor) == 0 && written;
  if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return SyncFolder(folder);
}

bool AppendRecordDurably(const fs::path& path, std::string_view record) {
  // Never O_TRUNC, and no look-up of the path beforehand: one that fails for
  // a moment must not be taken for a missing file.
  const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (descriptor < 0) return false;
  const off_t size = lseek(descriptor, 0, SEEK_END);
  const auto record_size = static_cast<off_t>(record.size());
  bool written = size >= 0 && record_size > 0 && WriteAllAt(descriptor, record, size / record_size * record_size) &&
                 fsync(descriptor) == 0;
  written = close(descriptor) == 0 && written;
  return written && (size > 0 || SyncFolder(FolderOf(path)));
}

void RemoveLeftoverTemporaries(const fs::path& folder, const std::vector<std::string>& targets) {
  // What cannot be removed now stays for the next start.
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    std::error_code ignored;
    if (entry->symlink_status(ignored).type() == fs::file_type::regular &&
        std::ranges::any_of(targets, [&name](const std::string& target) { return IsTemporaryOf(name, target); }))
      fs::remove(entry->path(), ignored);
  }
}

bool WriteWholeFile(const std::string& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  return static_cast<bool>(out);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return std::nullopt;
  std::string content;
  char buffer[65536];
  ssize_t count;
  while ((count = read(descriptor, buffer, sizeof buffer)) != 0) {
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) break;
    content.append(buffer, static_cast<size_t>(count));
  }
  close(descriptor);
  if (count < 0) return std::nullopt;
  return content;
}

}  // namespace vantrope
