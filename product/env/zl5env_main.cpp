// zl5env: reads and writes the settings store from the command line.
#include "common/HomeFolder.h"
#include "env/EnvTool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // The library beside the tool, so the tool always works on the same store as the
    // programs installed with it.
    CEnvLibrary env;
    std::string path = FolderOf(ModuleFilePath(nullptr)) + "ZL5Env.dll";
    if (!env.Load(path)) {
        fprintf(stderr, "zl5env: cannot load %s\n", path.c_str());
        return CEnvTool::kNoLibrary;
    }
    CRegistryStore registry;
    return CEnvTool(env, registry, stdout, stderr).Run(args);
}
