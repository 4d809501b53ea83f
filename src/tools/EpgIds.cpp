#include "tools/EpgIds.h"

#include "editing/NameText.h"
#include "store/SqlFunction.h"
#include "store/Transaction.h"
#include "text/AsciiCase.h"
#include "text/LetterCase.h"
#include "tools/EpgDeployment.h"

#include <QByteArray>

#include <span>

namespace listrion::tools {
namespace {

using editing::NameText::replaceAll;
using Texts = std::span<const std::string_view>;

// Quality and country suffixes of channel names, removed before the key is built.
constexpr std::string_view kNameSuffixes[] = {
    " FHD", " HD",  " Fhd", " Hd",   " fhd",  " hd",    " SD",    " Sd", " sd", " Hr",
    " HR",  " Srb", " SRB", " (Hr)", " (HR)", " (Srb)", " (SRB)", " DE", " De"};
// Letters of the key that become plain Latin ones (after lower case).
constexpr std::pair<std::string_view, std::string_view> kPlainLetters[] = {
    {"ž", "z"}, {"č", "c"}, {"ć", "c"}, {"đ", "dj"}, {"š", "s"}};
constexpr std::string_view kTvgNameMarks[] = {" Sd", " SD", " Hd", " HD",  "Fhd",
                                              "FHD", "Uhd", "UHD", "Hevc", "HEVC"};
constexpr std::string_view kTvgNameCountries[] = {" (Hr)", " (HR)", " (Sr)", " (SR)"};
constexpr std::string_view kLookupSuffixes[] = {
    " HD",  " FHD", " SD",  " Hd",  " Fhd", " Sd",  " hd", " fhd", " sd",
    " hr",  " Hr",  " HR",  " srb", " Srb", " SRB", " sr", " Sr",  " SR",
    " slo", " Slo", " SLO", " sl",  " SL",  " si",  " SI"};
constexpr std::string_view kOnlineSuffixes[] = {
    " HD", " FHD", " SD", " Hd", " Fhd", " Sd",  " hd",  " fhd", " sd",
    " hr", " Hr",  " HR", " sr", " Sr",  " SR",  " srb", " Srb", " SRB",
    " si", " SI",  " sl", " SL", " slo", " Slo", " SLO"};

std::string without(std::string_view text, Texts removed)
{
    std::string out(text);
    for (std::string_view part : removed) {
        if (out.find(part) != std::string::npos) {
            out = replaceAll(out, part, "");
        }
    }
    return out;
}

std::string joined(std::string_view base, std::string_view path)
{
    return std::string(base) + std::string(path);
}

} // namespace

std::string epgKey(std::string_view name)
{
    std::string key = without(name, kNameSuffixes);
    key = replaceAll(key, " ", "");
    key = replaceAll(key, "&", "and");
    key = replaceAll(key, "-", "");
    key = text::lowerCase(key);
    for (const auto& [from, to] : kPlainLetters) {
        key = replaceAll(key, from, to);
    }
    key = key.substr(0, key.find('('));
    key.erase(key.find_last_not_of(' ') + 1);
    return key;
}

bool lacksEpgId(std::string_view tvgid)
{
    return tvgid.empty() || text::equalsIgnoringAsciiCase(tvgid, "null") ||
           text::equalsIgnoringAsciiCase(tvgid, "ext");
}

std::string cleanedEpgTvgName(std::string_view tvgname)
{
    return without(without(tvgname, kTvgNameMarks), kTvgNameCountries);
}

std::string lookupText(std::string_view name)
{
    return without(name, kLookupSuffixes);
}

std::string onlineLookupText(std::string_view text)
{
    return without(text, kOnlineSuffixes);
}

std::string lookupAddress(std::string_view text)
{
    // The "+" stand for the spaces; everything else the query could misread is escaped.
    const QByteArray term =
        QByteArray::fromStdString(replaceAll(text, " ", "+")).toPercentEncoding("+");
    return joined(kEpgChannelDirectoryBase, kEpgChannelDirectoryPath) + term.toStdString();
}

std::string countryCodesAddress()
{
    return joined(kEpgCountryCodesBase, kEpgCountryCodesPath);
}

DerivedEpgIds deriveEpgIds(store::Database& db, const std::string& group, const std::string& code)
{
    DerivedEpgIds done;
    if (code.empty()) {
        return done;
    }
    store::Transaction tx(db);
    auto text = [](std::string s) {
        return std::optional<std::string>(std::move(s));
    };
    // Whether a row changes: its id is missing or its tvg-name loses a mark.
    const store::SqlFunction changes(
        db, "listrion_epg_changes", 2, [&](std::span<const std::string_view> a) {
            return text(lacksEpgId(a[0]) || cleanedEpgTvgName(a[1]) != a[1] ? "1" : "0");
        });
    // Called once per row written.
    const store::SqlFunction newId(db, "listrion_epg_id", 2,
                                   [&](std::span<const std::string_view> a) {
                                       if (!lacksEpgId(a[1])) {
                                           return text(std::string(a[1]));
                                       }
                                       ++done.ids;
                                       return text(epgKey(a[0]) + "." + code);
                                   });
    const store::SqlFunction newTvgName(db, "listrion_epg_tvgname", 1,
                                        [&](std::span<const std::string_view> a) {
                                            std::string cleaned = cleanedEpgTvgName(a[0]);
                                            done.tvgNames += cleaned != a[0] ? 1 : 0;
                                            return text(std::move(cleaned));
                                        });
    // A NULL tvg-name stays NULL; a NULL id reads as none.
    store::Statement update = db.prepare(
        "UPDATE Playlist SET tvgid = listrion_epg_id(name, tvgid), "
        "tvgname = CASE WHEN tvgname IS NULL THEN NULL ELSE listrion_epg_tvgname(tvgname) END "
        "WHERE grupa = ? AND listrion_epg_changes(tvgid, tvgname) = '1'");
    update.bind(1, group);
    update.run();
    tx.commit();
    return done;
}

std::int64_t clearEpgIds(store::Database& db, const std::string& group)
{
    store::Transaction tx(db);
    store::Statement update = db.prepare("UPDATE Playlist SET tvgid = 'ext' WHERE grupa = ? AND "
                                         "tvgid IS NOT 'ext' COLLATE BINARY");
    update.bind(1, group);
    update.run();
    const std::int64_t changed = db.changes();
    tx.commit();
    return changed;
}

std::int64_t replaceInEpgIds(store::Database& db, const std::string& group, const std::string& find,
                             const std::string& replacement)
{
    if (find.empty()) {
        return 0;
    }
    store::Transaction tx(db);
    // replace() and instr() compare bytes: letter case counts.
    store::Statement update =
        db.prepare("UPDATE Playlist SET tvgid = replace(tvgid, ?2, ?3) WHERE grupa = ?1 AND "
                   "instr(tvgid, ?2) > 0 AND replace(tvgid, ?2, ?3) <> tvgid COLLATE BINARY");
    update.bind(1, group).bind(2, find).bind(3, replacement);
    update.run();
    const std::int64_t changed = db.changes();
    tx.commit();
    return changed;
}

} // namespace listrion::tools
