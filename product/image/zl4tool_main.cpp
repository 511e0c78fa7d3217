// zl4tool: looks into .zl4 images.
//   zl4tool info <image>                  header, tracks, unreadable ranges, sizes
//   zl4tool verify <image>                every block restored and checked
//   zl4tool extract <image> <base> [--iso] <base>.bin/.cue (.sub with Q), WAV files of the
//                                          audio tracks; --iso: <base>.iso of the data track
// Exit codes: 0 done, 1 the image is refused or damaged, 2 usage or the file cannot be
// opened, 3 an output file cannot be written.
#include "image/Zl4Extract.h"
#include "image/Zl4Reader.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
int Usage() {
    std::fputs("usage: zl4tool info <image>\n"
               "       zl4tool verify <image>\n"
               "       zl4tool extract <image> <output base name> [--iso]\n",
               stderr);
    return 2;
}

int Run(int argc, char** argv) {
    if (argc < 3)
        return Usage();
    const std::string command = argv[1];
    const std::string path = argv[2];
    if (command != "info" && command != "verify" && command != "extract")
        return Usage();
    if (command == "extract" && argc < 4)
        return Usage();

    zl4::StdioFile file;
    if (!file.OpenRead(path)) {
        std::fprintf(stderr, "zl4tool: cannot open %s\n", path.c_str());
        return 2;
    }
    zl4::Reader reader;
    std::string error;
    if (!reader.Open(file, error)) {
        std::fprintf(stderr, "zl4tool: %s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    if (command == "info") {
        std::fputs(zl4::InfoText(reader, file.Size()).c_str(), stdout);
        return 0;
    }
    if (command == "verify") {
        if (!reader.Verify(error)) {
            std::fprintf(stderr, "zl4tool: %s: %s\n", path.c_str(), error.c_str());
            std::puts("FAILED");
            return 1;
        }
        std::printf("OK: %u blocks, %u sectors\n", reader.GetHeader().layout.blockCount,
                    reader.GetHeader().layout.sectorCount);
        return 0;
    }
    const std::string base = argv[3];
    const bool iso = argc > 4 && std::strcmp(argv[4], "--iso") == 0;
    std::vector<std::string> written;
    bool ok = iso ? zl4::ExtractIso(reader, base + ".iso", error)
                  : zl4::ExtractBinCue(reader, base, written, error) &&
                        zl4::ExtractWavs(reader, base, written, error);
    if (iso && ok)
        written.push_back(base + ".iso");
    for (const std::string& name : written)
        std::printf("%s\n", name.c_str());
    if (!ok) {
        std::fprintf(stderr, "zl4tool: %s\n", error.c_str());
        // A damaged block is the image's fault, anything else the output's.
        return error.compare(0, 6, "block ") == 0 ? 1 : 3;
    }
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (...) {
        std::fputs("zl4tool: out of memory\n", stderr);
        return 2;
    }
}
