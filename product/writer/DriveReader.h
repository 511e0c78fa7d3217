#pragma once
// The build's disc reads through the drive access library, as the job's read options say.
#include "writer/ImageBuild.h"

class CDriveReader : public IDiscReader {
public:
    CDriveReader(char letter, int rawAudioType) : m_letter(letter), m_rawAudioType(rawAudioType) {}

    bool Open();  // false: no disc is ready in the drive
    void Close(); // also ends the library's work with the drive
    bool Eject();

    bool ReadCooked(uint32_t lba, uint16_t count, uint8_t* out, bool fua) override;
    bool ReadRaw(uint32_t lba, uint16_t count, uint8_t* out, bool audio, bool q) override;
    void SetSpeed(int factor) override;
    bool SessionDetails(uint8_t* out) override;
    bool Toc(uint8_t* out) override;

private:
public:
    char Letter() const { return m_letter; }

private:
    char m_letter;
    int m_rawAudioType;
    bool m_open = false;
    int m_blockSize = 0;
};
