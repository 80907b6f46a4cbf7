// The file routines that everything reading or writing a user's files goes through: whole-file
// reads that never block, and atomic saves that replace only regular files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvan {

// The message for a failing file call on path with error number error, as the map file dialogs
// show it (no path in it).
std::string FileErrorMessage(int error, const std::string& path);

// Why a file operation failed, in the operating system's words where there are some, for the
// command-line tools' "PATH: reason": strerror for an error number, "Not a regular file" for a
// FIFO, a socket or a device, otherwise the error's Reason ("Bitmap image is not valid", "Map
// file too short: 10 bytes (234256 expected)").
class FileError;
std::string SystemReason(const FileError& error);

// Reads at most limit bytes from the start of a regular file. The file is opened with O_NONBLOCK
// and checked with fstat on the very descriptor that is then read, so a FIFO, a socket or a
// device can neither block the caller nor feed it endless bytes. A folder fails with EISDIR,
// anything else that is not a regular file with NotRegularFileError (EACCES). Failures raise FileError carrying the
// error number, the path, and the map dialog's message for the number (FileErrorMessage).
// fileSize, when given, receives the file's whole size as fstat reports it.
std::vector<std::uint8_t> ReadRegularFile(const std::string& path, std::size_t limit,
                                          std::uint64_t* fileSize = nullptr);

// Whether a save may write through a symbolic link at its own name.
enum class Links { Follow, Refuse };

// Writes size bytes to path atomically: a complete new file or, on any failure, the old one
// untouched. The bytes go to a hidden temporary file beside the target (TemporaryFilePrefix),
// which every failure removes, and are renamed over it. A symbolic link is written through (the
// link stays a link); a replaced file keeps its permission bits. Refused with EACCES ("File access
// denied"): a read-only target; a link that the kernel would refuse to follow (fs.protected_symlinks:
// in a sticky, world-writable folder, owned by neither the user nor the folder's owner); and (as
// NotRegularFileError) a target that exists and is not a regular file after following links (a
// device node, a FIFO, a socket), which is left as it was. A folder fails with EISDIR. With
// Links::Refuse (a batch writing many names into one folder), a link at path is refused as
// LinkRefusedError and nothing is written. Leftovers of earlier writes to the same target that
// were killed before cleaning up, and are more than a minute old, are removed. Hard links to the
// old file keep the old bytes.
void WriteFileAtomically(const std::string& path, const std::uint8_t* data, std::size_t size,
                         Links links = Links::Follow);

// The start of the temporary files' names for a target file name (without folder): "." + name +
// ".korvan-save-", followed by six random characters. Long names are shortened to fit.
std::string TemporaryFilePrefix(const std::string& fileName);

// Leftover temporaries count as abandoned after this many seconds.
inline constexpr int AbandonedTemporarySeconds = 60;

}  // namespace korvan
