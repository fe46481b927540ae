// varnok countries, stations, find, import: the station database as the
// search dialog and the import show it.
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>

#include "database/data_text.h"
#include "database/station_import.h"
#include "database/station_search.h"
#include "station/station_file.h"
#include "station/text_encoding.h"
#include "tools/varnok/commands.h"

namespace {

// --name VALUE style options; every option takes one value.
struct Options {
    std::map<std::string, std::string> values;
    std::string Get(const std::string& name) const {
        auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    }
    bool Has(const std::string& name) const { return values.count(name) != 0; }
};

bool ParseOptions(const Args& args, std::initializer_list<const char*> allowed, Options& out) {
    // Options come in pairs: a name and its value.
    for (std::size_t i = 0; i < args.size(); i += 2) {
        bool known = std::any_of(allowed.begin(), allowed.end(), [&](const char* a) { return args[i] == a; });
        if (!known || i + 1 >= args.size()) return false;
        out.values[args[i]] = args[i + 1];
    }
    return true;
}

int Usage(const char* usage) {
    std::fprintf(stderr, "usage: varnok %s\n", usage);
    return 1;
}

}  // namespace

void PrintMessage(const UserMessage& message) {
    std::fprintf(stderr, "varnok: %s\n", Cp1252ToUtf8(message.text).c_str());
}

// The program refuses to start without its three files; so does the tool.
bool CheckDatabase(const std::string& db_dir) {
    DatabaseCheck check = CheckDatabaseFiles(db_dir);
    if (!check.ok) PrintMessage(check.message);
    return check.ok;
}

bool LoadCountries(const std::string& db_dir, CountryTable& table) {
    DataFileStatus status = LoadCountryTable(db_dir, table);
    if (status != DataFileStatus::ok) PrintMessage(DataFileProblemMessage(DataFile::country, status));
    return status == DataFileStatus::ok;
}

namespace {

// Windows-1252 letters 0xC0..0xFF by their base letter ('*' for the few
// that have none), for sorting.
const char kLatinBase[] = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUYTSAAAAAAACEEEEIIIIDNOOOOO*OUUUUYTY";

int SortKey(char c) {
    auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return b - 'a' + 'A';
    if (b >= 0xC0) return kLatinBase[b - 0xC0];
    return b;
}

}  // namespace

bool ListBoxLess(std::string_view a, std::string_view b) {
    auto by_key = [](char x, char y) { return SortKey(x) < SortKey(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), by_key)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), by_key)) return false;
    return a < b;
}

namespace {

void SortLikeListBox(std::vector<std::string>& items) { std::stable_sort(items.begin(), items.end(), ListBoxLess); }

// List items without the trailing blanks of their fixed columns.
void PrintList(const std::vector<std::string>& items, const std::string& count_line) {
    for (const std::string& item : items) std::printf("%s\n", Cp1252ToUtf8(TrimTrailingBlanks(item)).c_str());
    std::printf("%s\n", count_line.c_str());
}

}  // namespace

int RunCountries(const Args& args) {
    Options o;
    if (!ParseOptions(args, {"--db"}, o)) return Usage("countries [--db DIR]");
    std::string db = o.Get("--db");
    if (!CheckDatabase(db)) return 1;
    CountryListTexts list = ReadCountryListTexts(db);
    if (list.status != DataFileStatus::ok) {
        PrintMessage(DataFileProblemMessage(DataFile::country, list.status));
        return 1;
    }
    SortLikeListBox(list.texts);
    PrintList(list.texts, CountriesCountText(list.texts.size()));
    return 0;
}

int RunStations(const Args& args) {
    Options o;
    if (!ParseOptions(args, {"--db", "--country"}, o) || !o.Has("--country")) {
        return Usage("stations --country NAME [--db DIR]");
    }
    std::string db = o.Get("--db");
    CountryTable table;
    if (!CheckDatabase(db) || !LoadCountries(db, table)) return 1;
    std::string list_text = PadWithBlanks(Utf8ToCp1252(o.Get("--country")), db_layout::kCountryNameWidth);
    std::string code = CountryCodeOfListText(table, list_text);
    if (code.empty()) {
        std::fprintf(stderr, "varnok: no country '%s' in COUNTRY.DAT\n", o.Get("--country").c_str());
        return 1;
    }
    StationListFill fill = FillStationList(db, code);
    if (fill.status != DataFileStatus::ok) {
        PrintMessage(DataFileProblemMessage(DataFile::precip, fill.status));
        return 1;
    }
    SortLikeListBox(fill.texts);
    PrintList(fill.texts, StationsAvailableText(fill.texts.size()));
    return 0;
}

namespace {

// The search by number as the dialog's Search button runs it; prints the
// message and returns false when nothing is found.
bool SearchByNumber(const std::string& db, const std::string& number_text, std::string& name) {
    CountryTable table;
    if (!LoadCountries(db, table)) return false;
    StationSearch search = FindStationByNumber(db, table, ParseStationNumberText(Utf8ToCp1252(number_text)));
    if (!search.found) {
        PrintMessage(search.message);
        return false;
    }
    name = search.station_name;
    return true;
}

}  // namespace

int RunFind(const Args& args) {
    Options o;
    if (!ParseOptions(args, {"--db", "--wmo"}, o) || !o.Has("--wmo")) return Usage("find --wmo N [--db DIR]");
    std::string db = o.Get("--db");
    std::string name;
    if (!CheckDatabase(db) || !SearchByNumber(db, o.Get("--wmo"), name)) return 1;
    std::printf("%s\n", Cp1252ToUtf8(TrimTrailingBlanks(name)).c_str());
    return 0;
}

int RunImport(const Args& args) {
    const char* usage = "import (--name NAME | --wmo N) -o OUT.cli [--from FILE.cli] [--db DIR]";
    Options o;
    if (!ParseOptions(args, {"--db", "--name", "--wmo", "-o", "--from"}, o) || !o.Has("-o") ||
        o.Has("--name") == o.Has("--wmo")) {
        return Usage(usage);
    }
    std::string db = o.Get("--db");
    if (!CheckDatabase(db)) return 1;

    // --name: a bare name, blank-padded to its 24-character column (the
    // first record of that name); --wmo: the station of that number, found
    // by the import itself so that each file is read once.
    StationPick pick;
    if (o.Has("--name")) {
        pick = ParseStationPick(PadWithBlanks(Utf8ToCp1252(o.Get("--name")), db_layout::kNameWidth).substr(0, 64));
        if (TrimTrailingBlanks(pick.name).empty()) {
            std::fprintf(stderr, "varnok: no station name given\n");
            return 1;
        }
    } else {
        pick = NumberPick(ParseStationNumberText(Utf8ToCp1252(o.Get("--wmo"))));
    }

    StationData station;
    if (o.Has("--from")) {
        if (!LoadStationForTool(o.Get("--from"), station)) return 1;
    } else {
        station.record = MakeStartupRecord();
    }
    CountryTable table;
    if (!LoadCountries(db, table)) return 1;
    StationImport result = ImportPickedStation(db, table, pick, station);
    if (!pick.bare_name && !result.precip_found) {
        // As the search reports a number it cannot find; nothing is written.
        PrintMessage(result.precip_status == DataFileStatus::ok ? NumberNotFoundMessage()
                                                                : DataFileProblemMessage(DataFile::precip, result.precip_status));
        return 1;
    }
    for (const UserMessage& m : result.messages) PrintMessage(m);

    StationFileResult written = WriteStationFile(o.Get("-o"), station.record);
    if (written != StationFileResult::ok) {
        std::fprintf(stderr, "varnok: %s\n", DescribeStationFileResult(written, o.Get("-o")).c_str());
        return 1;
    }
    return 0;
}
