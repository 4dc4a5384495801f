#include "cutstock/cutting_stock_report.h"

#include "cutstock/stock_files.h"

namespace vtl::ui {
namespace {
constexpr int kRuleLength = 116;
constexpr int kNoShopFile = 633;
constexpr int kForProfile = 634;
constexpr int kLoadedShopFile = 635;
constexpr int kDated = 636;
constexpr int kNoBuyFile = 637;
constexpr int kLoadedBuyFile = 638;

Vtl_String quoted(const Vtl_String& text) { return Vtl_String("\"") + text + "\""; }

Vtl_String missingLine(int text, const Vtl_String& profile) {
    return dialString(text) + " " + dialString(kForProfile) + " " + quoted(profile) + ".";
}

Vtl_String loadedLine(int text, const StockFile& file, const Vtl_String& profile) {
    return dialString(text) + " " + quoted(file.name) + " " + dialString(kForProfile) + " " +
           quoted(profile) + " " + dialString(kDated) + formatStockFileTime(file.time);
}

// Reads one kind's newest file into a block of the profile's rows and answers the report line for it.
Vtl_String loadKind(std::vector<DlgCSP2List::Block>& loaded, int profileId, const Vtl_String& profile, bool exists,
                    const StockFile& file, int missingText, int loadedText) {
    Vtl_Array<Vtl_StringArray> rows;
    if (!exists || !readStockFile(file.path, rows)) return missingLine(missingText, profile);
    loaded.emplace_back(profileId, std::move(rows));
    return loadedLine(loadedText, file, profile);
}
}  // namespace

Vtl_StringArray loadNewestStock(DlgCSP2Data& data) {
    const Vtl_String rule(std::string(kRuleLength, '-'));
    Vtl_StringArray lines;
    lines.append(rule);
    // The lists take the loaded rows at the end, each in one pass.
    std::vector<DlgCSP2List::Block> shop, buy;
    for (int i = 0; i < data.profileCount() && i < data.profileIds.length(); ++i) {
        const Vtl_String& profile = data.profileNames[i];
        const int id = data.profileIds[i];
        NewestStockFiles newest;
        Vtl_String folder;
        if (stockFolder(profile, folder)) newest = newestStockFiles(folder);
        lines.append(loadKind(shop, id, profile, newest.hasShop, newest.shop, kNoShopFile, kLoadedShopFile));
        lines.append(Vtl_String());
        lines.append(loadKind(buy, id, profile, newest.hasBuy, newest.buy, kNoBuyFile, kLoadedBuyFile));
        lines.append(rule);
    }
    data.list2.replaceRowsOf(std::move(shop));
    data.list3.replaceRowsOf(std::move(buy));
    return lines;
}

}  // namespace vtl::ui
