// Builds the logo.mdb delivered with the program from the channel list data/archive/
// channels_logos_tvgid.csv (columns name, logo_url, tvg_id, alt_names):
//   listrion-make-logo-archive CSV OUTPUT
// Logo_Orginal gets one row per channel with a logo; EPG one row per channel name and one per
// alternative name (';'-separated, native-script spellings), so that playlists in any script
// find their EPG id. The file is written beside OUTPUT and renamed over it when complete.
#include "store/LogoSchema.h"
#include "store/Transaction.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace listrion;

// One record of RFC 4180 CSV: fields separated by commas, a field in double quotes may hold
// commas, line breaks and doubled quotes. False at the end of the input.
bool readRecord(std::istream& in, std::vector<std::string>& fields)
{
    fields.assign(1, std::string());
    bool quoted = false;
    bool any = false;
    for (int c; (c = in.get()) != EOF;) {
        any = true;
        if (quoted) {
            if (c != '"') {
                fields.back().push_back(static_cast<char>(c));
            } else if (in.peek() == '"') {
                fields.back().push_back(static_cast<char>(in.get()));
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == '\n') {
            return true;
        } else if (c != '\r') {
            fields.back().push_back(static_cast<char>(c));
        }
    }
    return any;
}

struct Columns {
    int name = -1;
    int logo = -1;
    int tvgId = -1;
    int altNames = -1;
};

Columns findColumns(const std::vector<std::string>& header)
{
    Columns columns;
    for (int i = 0; i < static_cast<int>(header.size()); ++i) {
        const std::string& h = header[static_cast<std::size_t>(i)];
        if (h == "name") {
            columns.name = i;
        } else if (h == "logo_url") {
            columns.logo = i;
        } else if (h == "tvg_id") {
            columns.tvgId = i;
        } else if (h == "alt_names") {
            columns.altNames = i;
        }
    }
    if (columns.name < 0 || columns.logo < 0 || columns.tvgId < 0 || columns.altNames < 0) {
        throw std::runtime_error("the header lacks one of name, logo_url, tvg_id, alt_names");
    }
    return columns;
}

std::string field(const std::vector<std::string>& fields, int column)
{
    return column < static_cast<int>(fields.size()) ? fields[static_cast<std::size_t>(column)]
                                                    : std::string();
}

void fill(store::Database& db, std::istream& csv)
{
    std::vector<std::string> fields;
    if (!readRecord(csv, fields)) {
        throw std::runtime_error("the channel list is empty");
    }
    const Columns columns = findColumns(fields);
    store::Transaction tx(db);
    store::Statement logo = db.prepare("INSERT INTO Logo_Orginal (TVGname, Logo) VALUES (?, ?)");
    store::Statement epg =
        db.prepare("INSERT INTO EPG (grupa, Name, TVGname, tvgID) VALUES ('', ?1, ?1, ?2)");
    while (readRecord(csv, fields)) {
        const std::string name = field(fields, columns.name);
        if (name.empty()) {
            continue;
        }
        const std::string tvgId = field(fields, columns.tvgId);
        if (const std::string url = field(fields, columns.logo); !url.empty()) {
            logo.bindAll(name, url).run();
            logo.reset();
        }
        std::vector<std::string> names{name};
        const std::string alternatives = field(fields, columns.altNames);
        for (std::size_t from = 0; from <= alternatives.size();) {
            const std::size_t end = std::min(alternatives.find(';', from), alternatives.size());
            if (end > from) {
                names.push_back(alternatives.substr(from, end - from));
            }
            from = end + 1;
        }
        for (const std::string& each : names) {
            epg.bindAll(each, tvgId).run();
            epg.reset();
        }
    }
    tx.commit();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: listrion-make-logo-archive CSV OUTPUT\n";
        return 2;
    }
    const fs::path output = argv[2];
    fs::path partial = output;
    partial += ".partial";
    try {
        std::ifstream csv(argv[1], std::ios::binary);
        if (!csv) {
            throw std::runtime_error(std::string("cannot read ") + argv[1]);
        }
        fs::remove(partial);
        {
            store::Database db = store::LogoSchema::open(partial);
            fill(db, csv);
            // One self-contained file: no write-ahead log beside it, no free pages.
            db.exec("PRAGMA journal_mode=DELETE");
            db.exec("VACUUM");
        }
        fs::rename(partial, output);
    } catch (const std::exception& error) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        std::cerr << "listrion-make-logo-archive: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
