// Every draw parser on one page, decoded as GBK and as UTF-8. The parsers take any text:
// nothing may crash, and what they cut out is valid UTF-8 like the page text itself.

#include "draws/draw_parsers.h"
#include "fuzz_input.h"
#include "net/page_text.h"

using namespace sanxing;

namespace {

void CheckRecord(const DrawRecord& record) {
    fuzz::Check(RepairUtf8(record.issue) == record.issue && RepairUtf8(record.number) == record.number,
                "a parsed draw is valid UTF-8");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const PageEncoding encoding : {PageEncoding::Gbk, PageEncoding::Utf8}) {
        const std::string page = PageText(fuzz::Bytes(data, size), encoding);
        for (auto latest : {LatestFromFeed, LatestFromJiben, LatestFromBaseTrend, LatestFromXinjiangResults,
                            LatestFromLongjiangHistory}) {
            CheckRecord(latest(page));
        }
        for (auto recent : {RecentFromJiben, RecentFromBaseTrend, RecentFromDxds, RecentFromZoushi,
                            RecentFromXinjiangTrend, RecentFromOneDay}) {
            for (const DrawRecord& record : recent(page, {})) CheckRecord(record);
        }
    }
    return 0;
}
