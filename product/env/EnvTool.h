#pragma once
// The store's command-line tool: reads and writes single values through the store library
// and lists the whole store.
#include "common/EnvLibrary.h"
#include "common/RegistryStore.h"

#include <cstdio>
#include <string>
#include <vector>

class CEnvTool {
public:
    enum ExitCode { kOk = 0, kNotFound = 1, kUsage = 2, kNoLibrary = 3 };

    CEnvTool(const CEnvLibrary& env, const CRegistryStore& registry, FILE* out, FILE* err)
        : m_env(env), m_registry(registry), m_out(out), m_err(err) {}

    // args excludes the program name.
    int Run(const std::vector<std::string>& args);
    static void PrintUsage(FILE* err);

private:
    int Get(const std::string& name);
    int SetBinary(const std::string& name, const std::string& hex);
    int Dump();

    const CEnvLibrary& m_env;
    const CRegistryStore& m_registry;
    FILE* m_out;
    FILE* m_err;
};
