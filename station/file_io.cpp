#include "station/file_io.h"

#include <cerrno>

#include "platform/file_replace.h"

namespace {

std::size_t StdRead(void* buffer, std::size_t size, std::FILE* file) {
    return std::fread(buffer, 1, size, file);
}

std::size_t StdWrite(const void* buffer, std::size_t size, std::FILE* file) {
    return std::fwrite(buffer, 1, size, file);
}

const FileOps default_ops = {&OpenFile,   &StdRead,        &StdWrite,     &std::fclose, &std::fseek,
                             &std::ftell, &FlushFileToDisk, &MoveFileOver, &RemoveFile};
const FileOps* current_ops = &default_ops;

// Creates a new file in the target's folder, the target's name with
// ".~N.tmp" appended, and opens it for writing. The creation is exclusive
// ("wxb"), so a file of that name, or a link planted there (dangling or
// not), is never opened: the next N is tried. nullptr when the folder
// refuses a new file or a hundred such names are taken.
std::FILE* CreateTemporaryBeside(const FileOps& ops, const std::string& path, std::string& temporary) {
    for (int n = 1; n <= 100; ++n) {
        temporary = path + ".~" + std::to_string(n) + ".tmp";
        errno = 0;
        std::FILE* file = ops.open(temporary.c_str(), "wxb");
        if (file) return file;
        if (errno != EEXIST) break;  // not taken, so not creatable at all
    }
    return nullptr;
}

// A target that exists must be writable now, as the direct write needed;
// opening it for update changes nothing in it.
bool TargetWritable(const FileOps& ops, const std::string& path) {
    std::FILE* existing = ops.open(path.c_str(), "rb");
    if (!existing) return true;  // no file yet (or none we can see): the move decides
    ops.close(existing);
    std::FILE* update = ops.open(path.c_str(), "r+b");
    if (!update) return false;
    ops.close(update);
    return true;
}

}  // namespace

const FileOps& DefaultFileOps() { return default_ops; }
const FileOps& CurrentFileOps() { return *current_ops; }
void SetFileOps(const FileOps* ops) { current_ops = ops ? ops : &default_ops; }

SaveStatus SaveFileReplacing(const std::string& path, const SaveWriter& write) {
    const FileOps& ops = CurrentFileOps();
    if (!TargetWritable(ops, path)) return SaveStatus::cannot_create;
    std::string temporary;
    std::FILE* file = CreateTemporaryBeside(ops, path, temporary);
    if (!file) return SaveStatus::cannot_create;
    bool written = write(ops, file);
    // The flush to the disk comes before the close, so a full disk shows
    // here or in the close, while the old file is still untouched.
    bool flushed = written && ops.flush(file) == 0;
    bool closed = ops.close(file) == 0;
    if (written && flushed && closed && ops.move_over(temporary.c_str(), path.c_str()) == 0) {
        return SaveStatus::ok;
    }
    ops.remove(temporary.c_str());
    return SaveStatus::write_failed;
}

SaveStatus SaveBytesReplacing(const std::string& path, const void* bytes, std::size_t size) {
    return SaveFileReplacing(path, [bytes, size](const FileOps& ops, std::FILE* file) {
        return ops.write(bytes, size, file) == size;
    });
}
