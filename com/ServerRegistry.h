#pragma once
// The per-user registration of in-process servers, the stand-in for the
// class entries of the Windows registry: a text file of sections, one per
// registered class or type library, each with "key=value" lines:
//
//   [CLSID {FE546FFD-E94C-4049-9321-B6A40A97F7A4}]
//   InprocServer32=/usr/lib/zembra/libZembraAviWriter.so
//   ThreadingModel=Apartment
//
// The file is $XDG_CONFIG_HOME/Zembra/ComServers.ini ($HOME/.config when
// XDG_CONFIG_HOME is not set). It is replaced as a whole on every change.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace com {

class TServerRegistry {
public:
    using TEntries = std::vector<std::pair<std::string, std::string>>;

    static std::filesystem::path DefaultFileName()
    {
        std::filesystem::path base;
        if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
            base = config;
        else if (const char* home = std::getenv("HOME"); home && *home)
            base = std::filesystem::path(home) / ".config";
        else
            base = "/tmp";
        return base / "Zembra" / "ComServers.ini";
    }

    explicit TServerRegistry(std::filesystem::path fileName = DefaultFileName()) : fFileName(std::move(fileName))
    {
        std::ifstream in(fFileName);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
                fSections.push_back({line.substr(1, line.size() - 2), {}});
            } else if (const size_t eq = line.find('='); eq != std::string::npos && !fSections.empty()
                       && line.front() != ';') {
                fSections.back().second.emplace_back(line.substr(0, eq), line.substr(eq + 1));
            }
        }
    }

    const std::filesystem::path& FileName() const { return fFileName; }

    std::optional<std::string> Value(const std::string& section, const std::string& key) const
    {
        for (const auto& [name, entries] : fSections)
            if (name == section)
                for (const auto& [k, v] : entries)
                    if (k == key)
                        return v;
        return std::nullopt;
    }

    void SetSection(const std::string& section, TEntries entries)
    {
        RemoveSection(section);
        fSections.emplace_back(section, std::move(entries));
    }

    void RemoveSection(const std::string& section)
    {
        std::erase_if(fSections, [&](const auto& s) { return s.first == section; });
    }

    // Writes the file (its folder created on demand); false when it cannot.
    bool Save() const
    {
        std::error_code ec;
        std::filesystem::create_directories(fFileName.parent_path(), ec);
        const std::filesystem::path temp = fFileName.string() + ".new";
        {
            std::ofstream out(temp, std::ios::trunc);
            out << "; In-process servers registered for this user (zembra regsvr).\n";
            for (const auto& [name, entries] : fSections) {
                out << '[' << name << "]\n";
                for (const auto& [k, v] : entries)
                    out << k << '=' << v << '\n';
            }
            out.flush();
            if (!out)
                return false;
        }
        std::filesystem::rename(temp, fFileName, ec);
        return !ec;
    }

private:
    std::filesystem::path fFileName;
    std::vector<std::pair<std::string, TEntries>> fSections;
};

} // namespace com
