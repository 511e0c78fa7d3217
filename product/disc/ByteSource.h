#pragma once
// Where image bytes come from: a file on disk, or memory in tests. Reads are positioned and
// all-or-nothing so callers never see half a sector.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

class IByteSource {
public:
    virtual ~IByteSource() = default;
    virtual uint64_t Size() const = 0;
    // False unless all `count` bytes at `offset` were read.
    virtual bool Read(uint64_t offset, void* buffer, size_t count) = 0;
};

class CFileByteSource : public IByteSource {
public:
    // Null when the file cannot be opened.
    static std::unique_ptr<CFileByteSource> Open(const std::string& path);
    uint64_t Size() const override { return m_size; }
    bool Read(uint64_t offset, void* buffer, size_t count) override;

private:
    std::ifstream m_file;
    uint64_t m_size = 0;
};

class CMemoryByteSource : public IByteSource {
public:
    explicit CMemoryByteSource(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    uint64_t Size() const override { return m_bytes.size(); }
    bool Read(uint64_t offset, void* buffer, size_t count) override;

private:
    std::vector<uint8_t> m_bytes;
};

// A whole small file as text (CUE sheets); false when missing or larger than `limit`.
bool ReadTextFile(const std::string& path, std::string& text, size_t limit = 1 << 20);
bool FileExists(const std::string& path);
