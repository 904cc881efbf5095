// sources.json texts: a parse gives hosts or an error text, never both; sites B to E end
// with "/" (their paths have none in front), the others never do.

#include "draws/draw_hosts.h"
#include "fuzz_input.h"

using namespace sanxing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Result<DrawHosts> hosts = ParseDrawHosts(fuzz::Bytes(data, size));
    fuzz::Check(static_cast<bool>(hosts) == hosts.error().empty(), "hosts or an error");
    if (!hosts) return 0;
    for (char letter = 'A'; letter <= 'H'; ++letter) {
        const std::string& site = hosts->site(letter);
        fuzz::Check(hosts->url(letter, "p").empty() == site.empty(), "a site without a host has no address");
        fuzz::Check(site.empty() || site.ends_with('/') == (letter >= 'B' && letter <= 'E'), "the trailing slash");
    }
    return 0;
}
