#pragma once
// Audio sectors of the source disc as one byte stream, for the digital audio test: callers
// ask for any number of bytes, the stream reads whole 2352-byte sectors and pads with zeros
// once the end sector is reached.
#include "source/DriveLibrary.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// How audio sectors are read (the raw audio method of the read test).
enum AudioReadMethod { kAudioReadCd = 1, kAudioReadPlextor = 2, kAudioReadNec = 3 };

class CAudioSectorStream {
public:
    static constexpr size_t kSectorBytes = 2352;

    explicit CAudioSectorStream(IDriveLibrary& drives);
    // Sectors first to end - 1 of the drive's disc.
    void Start(char letter, uint32_t firstSector, uint32_t endSector);
    // Fills `bytes` bytes of `destination`. 1 when every read succeeded, 0 after a failed
    // read (the stream stops there; what was copied stays copied).
    int Read(uint8_t* destination, size_t bytes, int method);
    uint32_t ReadAttempts() const { return m_attempts; }

private:
    // One attempt; the stream moves past the sector whether or not it could be read.
    bool ReadSector(int method);

    IDriveLibrary& m_drives;
    std::vector<uint8_t> m_buffer;
    size_t m_position = kSectorBytes; // kSectorBytes: nothing unread in the buffer
    uint32_t m_next = 0;
    uint32_t m_end = 0;
    char m_letter = 0;
    uint32_t m_attempts = 0;
};
