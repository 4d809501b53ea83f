#include "StoreGenerator.h"

#include "store/Schema.h"
#include "store/Transaction.h"
#include "store/UndoSnapshot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

namespace listrion::bench {
namespace {

std::vector<std::int64_t> zipfSizes(std::int64_t channels, int groups)
{
    double harmonic = 0;
    for (int k = 1; k <= groups; ++k) {
        harmonic += 1.0 / k;
    }
    std::vector<std::int64_t> sizes;
    std::int64_t total = 0;
    for (int k = 1; k <= groups; ++k) {
        sizes.push_back(std::max<std::int64_t>(1, std::llround(channels / harmonic / k)));
        total += sizes.back();
    }
    // One group of exactly 50,000 channels for the delete timing; the largest group and the
    // rounding rest make up the difference.
    auto near = std::min_element(sizes.begin() + 1, sizes.end(), [](auto a, auto b) {
        return std::llabs(a - 50'000) < std::llabs(b - 50'000);
    });
    if (channels >= 200'000) {
        total += 50'000 - *near;
        *near = 50'000;
    }
    sizes.front() += channels - total;
    std::shuffle(sizes.begin(), sizes.end(), std::mt19937(7));
    return sizes;
}

std::vector<GeneratedGroup> makeGroups(std::int64_t channels, int groups)
{
    const char* themes[] = {"Sports", "News", "Movies", "Kids", "Music", "Documentary"};
    std::vector<GeneratedGroup> result;
    const std::vector<std::int64_t> sizes = zipfSizes(channels, groups);
    for (int i = 0; i < groups; ++i) {
        const int roll = i % 20;
        const std::string type = roll < 14 ? "Live" : (roll < 19 ? "VOD" : "Radio");
        result.push_back({"Country " + std::to_string(i + 1) + " | " + themes[i % 6], type,
                          sizes[static_cast<std::size_t>(i)]});
    }
    // Groups of one type form one run, as the group numbering leaves them.
    std::stable_sort(result.begin(), result.end(),
                     [](const auto& a, const auto& b) { return a.type < b.type; });
    return result;
}

void insertChannels(store::Database& db, const std::vector<GeneratedGroup>& groups)
{
    store::Statement channel = db.prepare(
        "INSERT INTO Playlist (izberi, grupa, name, tvgname, tvgid, link, logo, broj, type, "
        "parent_code) VALUES (0, ?, ?, ?, ?, ?, ?, ?, ?, 0)");
    std::int64_t broj = 0;
    for (const GeneratedGroup& group : groups) {
        for (std::int64_t i = 0; i < group.channels; ++i) {
            const std::string n = std::to_string(++broj);
            const std::string name = "Channel " + n + (i % 3 == 0 ? " HD" : "");
            channel.bindAll(group.name, name, name, group.type == "Live" ? "ch" + n + ".tv" : "",
                            "http://stream.example.net:8080/live/user/pass/" + n + ".ts",
                            "http://logos.example.net/images/" + n + ".png", broj, group.type);
            channel.run();
        }
    }
}

} // namespace

std::vector<GeneratedGroup> generateStore(store::Database& db, std::int64_t channels, int groups)
{
    const std::vector<GeneratedGroup> result = makeGroups(channels, groups);
    store::Transaction tx(db);
    store::Schema::dropPlaylistIndexes(db);
    store::Statement group =
        db.prepare("INSERT INTO Grupa (izberi, grupa, type, count, broj) VALUES (0, ?, ?, ?, ?)");
    for (std::size_t i = 0; i < result.size(); ++i) {
        group.bindAll(result[i].name, result[i].type, result[i].channels,
                      static_cast<std::int64_t>(i + 1));
        group.run();
    }
    insertChannels(db, result);
    store::Schema::createPlaylistIndexes(db);
    tx.commit();
    store::takeUndoSnapshot(db);
    return result;
}

} // namespace listrion::bench
