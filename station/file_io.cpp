#include "station/file_io.h"

namespace {

std::size_t StdRead(void* buffer, std::size_t size, std::FILE* file) {
    return std::fread(buffer, 1, size, file);
}

std::size_t StdWrite(const void* buffer, std::size_t size, std::FILE* file) {
    return std::fwrite(buffer, 1, size, file);
}

const FileOps default_ops = {&std::fopen, &StdRead, &StdWrite, &std::fclose, &std::fseek, &std::ftell};
const FileOps* current_ops = &default_ops;

}  // namespace

const FileOps& DefaultFileOps() { return default_ops; }
const FileOps& CurrentFileOps() { return *current_ops; }
void SetFileOps(const FileOps* ops) { current_ops = ops ? ops : &default_ops; }
