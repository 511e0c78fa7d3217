// CD-Text: the CRC against packs published with a burning tool's documentation, the
// emulated disc's packs read back by the library's decoder, and damaged answers.
#include "cddb/CdText.h"
#include "disc/CdTextPacks.h"

#include <gtest/gtest.h>

#include <random>

namespace {
std::vector<uint8_t> Answer(const std::vector<uint8_t>& packs) {
    std::vector<uint8_t> a = {static_cast<uint8_t>((packs.size() + 2) >> 8),
                              static_cast<uint8_t>(packs.size() + 2), 0, 0};
    a.insert(a.end(), packs.begin(), packs.end());
    return a;
}

CdTextAlbum Decode(const std::vector<uint8_t>& answer) {
    return DecodeCdText(answer.data(), answer.size());
}

CueSheet Sheet() {
    CueSheet sheet;
    std::string error;
    const std::string text = "TITLE \"A Rather Long Album Title Indeed\"\n"
                             "PERFORMER \"Zelvane Sample Band\"\n"
                             "FILE \"a.bin\" BINARY\n"
                             "TRACK 01 AUDIO\n TITLE \"One\"\n INDEX 01 00:00:00\n"
                             "TRACK 02 AUDIO\n TITLE \"Song number two is long\"\n"
                             " PERFORMER \"Guest\"\n INDEX 01 00:10:00\n"
                             "TRACK 03 AUDIO\n TITLE \"Three\"\n INDEX 01 00:20:00\n";
    EXPECT_TRUE(ParseCueSheet(text, sheet, error)) << error;
    return sheet;
}

TEST(CdTextTest, CrcMatchesPublishedPacks) {
    // Size-information packs of a two-track disc, CRC in the last two bytes.
    const std::vector<std::vector<uint8_t>> packs = {
        {0x8F, 0x00, 0x08, 0x00, 0x00, 0x01, 0x02, 0x00, 0x05, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00,
         0x00, 0xF3, 0x00},
        {0x8F, 0x01, 0x09, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x0A, 0x00, 0x00,
         0x00, 0x36, 0x1B},
        {0x8F, 0x02, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
         0x00, 0x87, 0xED},
    };
    for (const auto& p : packs)
        EXPECT_EQ(CdTextCrc(p.data()), p[16] << 8 | p[17]);
}

TEST(CdTextTest, SheetTextsComeBackFromThePacks) {
    const std::vector<uint8_t> packs = CdTextPacks::FromSheet(Sheet());
    ASSERT_EQ(packs.size() % 18, 0u);
    for (size_t i = 0; i < packs.size(); i += 18) {
        EXPECT_EQ(CdTextCrc(&packs[i]), packs[i + 16] << 8 | packs[i + 17]);
        EXPECT_EQ(packs[i + 2], i / 18) << "sequence numbers count up";
    }
    const CdTextAlbum album = Decode(Answer(packs));
    EXPECT_EQ(album.Title(0), "A Rather Long Album Title Indeed");
    EXPECT_EQ(album.Performer(0), "Zelvane Sample Band");
    EXPECT_EQ(album.Title(2), "Song number two is long");
    EXPECT_EQ(album.Title(3), "Three");
    EXPECT_EQ(album.Performer(1), "");
    EXPECT_EQ(album.Performer(2), "Guest");
    // The closing size information counts the packs of each type and names the last one.
    std::vector<uint8_t> info;
    for (size_t p = packs.size() - 54; p < packs.size(); p += 18)
        info.insert(info.end(), packs.begin() + p + 4, packs.begin() + p + 16);
    EXPECT_EQ(info[1], 1);
    EXPECT_EQ(info[2], 3);
    EXPECT_EQ(size_t(info[4] + info[5] + info[19]), packs.size() / 18);
    EXPECT_EQ(size_t(info[20]), packs.size() / 18 - 1);

    CueSheet plain = Sheet();
    plain.title = plain.performer = "";
    for (CueTrack& t : plain.tracks)
        t.title = t.performer = "";
    EXPECT_TRUE(CdTextPacks::FromSheet(plain).empty());
}

TEST(CdTextTest, DamagedPacksCostOnlyTheTextsTheyCarry) {
    const std::vector<uint8_t> packs = CdTextPacks::FromSheet(Sheet());
    // Title packs: "A Rather Lon" "g Album Titl" "e Indeed\0One\0" ... Breaking the second
    // loses the album title but none of the track titles after it.
    std::vector<uint8_t> bad = packs;
    bad[18 + 6] ^= 0x20;
    CdTextAlbum album = Decode(Answer(bad));
    EXPECT_EQ(album.Title(0), "");
    EXPECT_EQ(album.Title(1), "One");
    EXPECT_EQ(album.Title(3), "Three");
    EXPECT_EQ(album.Performer(0), "Zelvane Sample Band");

    // The same with the pack left out altogether, and with every pack sent twice.
    std::vector<uint8_t> missing = packs;
    missing.erase(missing.begin() + 18, missing.begin() + 36);
    album = Decode(Answer(missing));
    EXPECT_EQ(album.Title(0), "");
    EXPECT_EQ(album.Title(1), "One");
    std::vector<uint8_t> twice;
    for (size_t i = 0; i < packs.size(); i += 18)
        for (int copy = 0; copy < 2; ++copy)
            twice.insert(twice.end(), packs.begin() + i, packs.begin() + i + 18);
    EXPECT_EQ(Decode(Answer(twice)).Title(0), "A Rather Long Album Title Indeed");

    // A header claiming more than was delivered, and random bytes, read nothing past the end.
    std::vector<uint8_t> shortAnswer = Answer(packs);
    shortAnswer.resize(4 + 18 * 2 + 7);
    EXPECT_EQ(Decode(shortAnswer).Title(1), "");
    std::mt19937 random(3);
    for (int round = 0; round < 100; ++round) {
        std::vector<uint8_t> junk(random() % 2000);
        for (uint8_t& b : junk)
            b = static_cast<uint8_t>(random());
        Decode(junk);
    }
}

TEST(CdTextTest, TabRepeatsTheTextBefore) {
    CueSheet sheet = Sheet();
    sheet.tracks[2].performer = "\t";
    sheet.tracks[1].performer = "Guest";
    EXPECT_EQ(Decode(Answer(CdTextPacks::FromSheet(sheet))).Performer(3), "Guest");
}

TEST(CdTextTest, CdTextFilesGiveTheirPacks) {
    const std::vector<uint8_t> packs = CdTextPacks::FromSheet(Sheet());
    const std::string bare(packs.begin(), packs.end());
    const std::vector<uint8_t> answer = Answer(packs);
    const std::string withHeader(answer.begin(), answer.end());
    for (const std::string& file : {bare, withHeader, bare + '\0'}) {
        std::vector<uint8_t> read;
        ASSERT_TRUE(CdTextPacks::FromFile(file, read));
        EXPECT_EQ(read, packs);
    }
    std::vector<uint8_t> read;
    EXPECT_FALSE(CdTextPacks::FromFile(bare.substr(1), read));
    EXPECT_FALSE(CdTextPacks::FromFile("", read));
}
} // namespace
