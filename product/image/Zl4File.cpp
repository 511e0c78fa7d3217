#include "image/Zl4File.h"

#include <cstring>

namespace zl4 {

StdioFile::~StdioFile() {
    Close();
}

bool StdioFile::OpenRead(const std::string& path) {
    Close();
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_)
        return false;
    if (!Seek(0) ||
#ifdef _WIN32
        _fseeki64(file_, 0, SEEK_END) != 0
#else
        fseeko(file_, 0, SEEK_END) != 0
#endif
    ) {
        Close();
        return false;
    }
#ifdef _WIN32
    long long end = _ftelli64(file_);
#else
    long long end = ftello(file_);
#endif
    if (end < 0) {
        Close();
        return false;
    }
    size_ = static_cast<uint64_t>(end);
    pos_ = UINT64_MAX;
    return true;
}

bool StdioFile::Create(const std::string& path) {
    Close();
    file_ = std::fopen(path.c_str(), "wb");
    size_ = 0;
    pos_ = 0;
    return file_ != nullptr;
}

bool StdioFile::Close() {
    if (!file_)
        return true;
    bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

bool StdioFile::Seek(uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(file_, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    return fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

bool StdioFile::Write(const void* data, size_t size) {
    // Seeking flushes the C library's buffer, so only seek when the position moved.
    if (!file_ || (pos_ != size_ && !Seek(size_)))
        return false;
    pos_ = UINT64_MAX;
    if (size > 0 && std::fwrite(data, 1, size, file_) != size)
        return false;
    size_ += size;
    pos_ = size_;
    return true;
}

bool StdioFile::WriteAt(uint64_t offset, const void* data, size_t size) {
    if (!file_ || offset + size > size_ || !Seek(offset))
        return false;
    pos_ = UINT64_MAX;
    return std::fwrite(data, 1, size, file_) == size && std::fflush(file_) == 0;
}

bool StdioFile::ReadAt(uint64_t offset, void* data, size_t size) {
    if (!file_ || offset > size_ || size > size_ - offset)
        return false;
    if (pos_ != offset && !Seek(offset))
        return false;
    pos_ = UINT64_MAX;
    if (std::fread(data, 1, size, file_) != size)
        return false;
    pos_ = offset + size;
    return true;
}

bool MemoryFile::Write(const void* data, size_t size) {
    if (size > limit_ - bytes.size())
        return false;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), p, p + size);
    return true;
}

bool MemoryFile::WriteAt(uint64_t offset, const void* data, size_t size) {
    if (offset > bytes.size() || size > bytes.size() - offset)
        return false;
    if (size > 0)
        memcpy(bytes.data() + offset, data, size);
    return true;
}

bool MemoryFile::ReadAt(uint64_t offset, void* data, size_t size) {
    if (offset > bytes.size() || size > bytes.size() - offset)
        return false;
    if (size > 0)
        memcpy(data, bytes.data() + offset, size);
    return true;
}

} // namespace zl4
