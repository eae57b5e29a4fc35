// The Linux side in memory: whether Corvane runs under Wine, its
// environment, and Wine's drives, each a Unix folder shown as a drive's
// root. A relative path is taken from Wine's current folder, as Wine does.
#pragma once

#include <algorithm>
#include <map>
#include <string>

#include "platform/wine_host.h"

namespace corvane::test {

struct FakeWineHost : WineHost {
    bool bUnderWine = false;
    std::map<std::string, std::string> environment;
    std::map<std::string, std::string> drives;  // "/run/media" -> "D:\"; "/" -> "Z:\"

    bool UnderWine() override { return bUnderWine; }
    std::optional<std::string> Environment(const std::string& szName) override {
        const auto it = environment.find(szName);
        return it == environment.end() ? std::nullopt : std::optional(it->second);
    }
    // Through the drive of the longest Unix folder the path lies in, as Wine does.
    std::optional<std::string> DosPathOf(const std::string& szUnixPath) override {
        if (!szUnixPath.empty() && szUnixPath[0] != '/') return DosPathOf("/tmp/" + szUnixPath);
        for (auto it = drives.rbegin(); it != drives.rend(); ++it) {
            const std::string szFolder = it->first == "/" ? "" : it->first;
            if (szUnixPath != szFolder && szUnixPath.rfind(szFolder + "/", 0) != 0) continue;
            std::string szRest = szUnixPath.substr(std::min(szUnixPath.size(), szFolder.size() + 1));
            for (char& c : szRest) c = c == '/' ? '\\' : c;
            return it->second + szRest;
        }
        return std::nullopt;
    }
};

}  // namespace corvane::test
