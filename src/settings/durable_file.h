// Files that survive a crash or a power cut at any moment: a replaced file
// is either the old one or the new one, an appended record is on the disk
// when the call returns, and nothing ever cuts a file short.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrope {

// Replaces `target` with `content`: a new temporary file beside it,
// "<target's name>.<16 hex digits>.tmp", is written and synced, renamed over
// the target, and the folder is synced. The temporary gets `permissions`
// when given. False on any failure, with the temporary removed; the target
// is as it was, unless only the folder's sync at the end failed.
bool ReplaceFileDurably(const std::filesystem::path& target, std::string_view content,
                        std::optional<std::filesystem::perms> permissions = std::nullopt);

// Writes one record of `record.size()` bytes just behind the last whole
// record of the file (a torn record at its end is overwritten), creating the
// file when missing, and syncs it. The file is never truncated. False on any
// failure.
bool AppendRecordDurably(const std::filesystem::path& path, std::string_view record);

// Writes `content` as the whole file, in place and not durably: for the
// exports a user asks for. False on any failure.
bool WriteWholeFile(const std::string& path, std::string_view content);

// The whole file, or nothing when it cannot be opened or read to its end.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Removes the temporaries that an interrupted ReplaceFileDurably of one of
// `targets` left in `folder`; no other file is touched.
void RemoveLeftoverTemporaries(const std::filesystem::path& folder, const std::vector<std::string>& targets);

}  // namespace vantrope
