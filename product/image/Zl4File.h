#pragma once
// Where an image is written to and read from: a file through the C library (large files
// included) or memory for tests. Every failure is a false result, never an exception.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace zl4 {

class Output {
public:
    virtual ~Output() = default;
    virtual bool Write(const void* data, size_t size) = 0;
    virtual bool WriteAt(uint64_t offset, const void* data, size_t size) = 0;
};

class Input {
public:
    virtual ~Input() = default;
    virtual uint64_t Size() const = 0;
    virtual bool ReadAt(uint64_t offset, void* data, size_t size) = 0;
};

class StdioFile : public Output, public Input {
public:
    StdioFile() = default;
    ~StdioFile() override;
    StdioFile(const StdioFile&) = delete;
    StdioFile& operator=(const StdioFile&) = delete;

    bool OpenRead(const std::string& path);
    bool Create(const std::string& path); // replaces any file of that name
    bool Close();                         // false when buffered bytes could not be written

    bool Write(const void* data, size_t size) override;
    bool WriteAt(uint64_t offset, const void* data, size_t size) override;
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* data, size_t size) override;

private:
    bool Seek(uint64_t offset);
    std::FILE* file_ = nullptr;
    uint64_t size_ = 0;
    uint64_t pos_ = UINT64_MAX; // where the C library stands; unknown after a failure
};

// In memory; `limit` bytes at most, to play a full disk.
class MemoryFile : public Output, public Input {
public:
    explicit MemoryFile(uint64_t limit = UINT64_MAX) : limit_(limit) {}
    std::vector<uint8_t> bytes;

    bool Write(const void* data, size_t size) override;
    bool WriteAt(uint64_t offset, const void* data, size_t size) override;
    uint64_t Size() const override { return bytes.size(); }
    bool ReadAt(uint64_t offset, void* data, size_t size) override;

private:
    uint64_t limit_;
};

} // namespace zl4
