#pragma once
// Where the draw sources live: the base address of each of the sites A to H and of the
// announcement page, read from sources.json. There are no built-in hosts; a site without
// a host yields nothing.

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/result.h"

namespace sanxing {

struct DrawHosts {
    std::array<std::string, 8> sites;  // A..H
    std::string announcement;
    // "history": per lottery ("福彩3D", "排列三", …), the addresses of draw files that bring
    // its history up to date, in the order given.
    std::vector<std::pair<std::string, std::vector<std::string>>> historyFiles;
    // Why there are no hosts, for the user: no sources.json (and where it goes), or what
    // is wrong with it. Empty once a file was read.
    std::string problem;

    // The base address of a site letter 'A'..'H'; empty when not configured.
    const std::string& site(char letter) const;
    // The full address of a source: base address and path; empty when the site has no host.
    std::string url(char letter, std::string_view path) const;
};

// Parses the JSON object {"A": "http://...", ..., "H": "...", "announcement": "...",
// "history": {"福彩3D": ["http://..."], ...}}. Every key is optional; unknown keys,
// unknown lotteries, addresses that are not http or https and values of the wrong kind
// are errors. Sites B to E get a
// trailing "/" and the other sites lose one, so that base address and path always join
// with exactly one "/".
Result<DrawHosts> ParseDrawHosts(std::string_view json);
Result<DrawHosts> LoadDrawHosts(const std::string& path);

// sanxing/sources.json in the user's configuration folder ($XDG_CONFIG_HOME, else
// ~/.config); empty when neither is known.
std::string DefaultDrawHostsPath();

// The window's hosts: the file at `path` (DefaultDrawHostsPath()). Without it, or with a
// broken one, there are none and `problem` says so, naming the file.
DrawHosts LoadConfiguredDrawHosts(const std::string& path);

}  // namespace sanxing
