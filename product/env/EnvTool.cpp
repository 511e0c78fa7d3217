#include "env/EnvTool.h"

#include "settings/StoreJournal.h"

void CEnvTool::PrintUsage(FILE* err) {
    fputs("usage: zl5env get NAME        print a text value (exit 1 when absent)\n"
          "       zl5env set NAME TEXT   write a text value\n"
          "       zl5env setbin NAME HEX write a binary value\n"
          "       zl5env del NAME        remove a value\n"
          "       zl5env dump            list every value, binary ones in hex\n",
          err);
}

int CEnvTool::Run(const std::vector<std::string>& args) {
    const std::string command = args.empty() ? "" : args[0];
    const size_t count = args.size();
    if (command == "get" && count == 2)
        return Get(args[1]);
    if (command == "set" && count == 3) {
        m_env.WriteText(args[1].c_str(), args[2].c_str());
        return kOk;
    }
    if (command == "setbin" && count == 3)
        return SetBinary(args[1], args[2]);
    if (command == "del" && count == 2) {
        m_env.WriteText(args[1].c_str(), "");
        return kOk;
    }
    if (command == "dump" && count == 1)
        return Dump();
    PrintUsage(m_err);
    return kUsage;
}

int CEnvTool::Get(const std::string& name) {
    std::string text;
    if (!m_env.ReadText(name.c_str(), text))
        return kNotFound;
    fprintf(m_out, "%s\n", text.c_str());
    return kOk;
}

int CEnvTool::SetBinary(const std::string& name, const std::string& hex) {
    std::string bytes;
    if (!ParseHexBytes(hex, bytes)) {
        fprintf(m_err, "zl5env: \"%s\" is not an even number of hex digits\n", hex.c_str());
        return kUsage;
    }
    m_env.WriteBinary(name.c_str(), bytes.data(), static_cast<int>(bytes.size()));
    return kOk;
}

// The store library has no way to list its values, so the listing reads the registry.
int CEnvTool::Dump() {
    for (const StoreValue& v : m_registry.List()) {
        std::string shown = v.binary ? HexBytes(v.data.data(), v.data.size()) : v.data;
        fprintf(m_out, "%s=%s\n", v.name.c_str(), shown.c_str());
    }
    return kOk;
}
