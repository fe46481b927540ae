// Station database scans against a plain sequential read of the same files.
//
//   bench_database DIR [REPEATS]
//   bench_database --generate N DIR [REPEATS]   (writes a synthetic database first)
//
// Measures, each as the best of REPEATS runs with the page cache warm:
// a plain read of PRECIP.DAT, the station list of one country, a plain read
// of PRECIP.DAT and TEMP.DAT, the import of the last station of PRECIP.DAT
// by its name, and by its WMO number as `varnok import --wmo N` runs it
// (at most 1.2 times the plain read: each file is read once); prints the
// ratios. The folder of --generate is made when it is not there. It also runs the record-by-record scan (a
// seek and a 36-byte header read per record) and checks that it lists the
// same stations.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/plain_read.h"
#include "database/data_text.h"
#include "database/station_import.h"
#include "database/station_search.h"
#include "tools/dbgen/synthetic_database.h"

namespace {

double Seconds(const std::function<void()>& run) {
    auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of `repeats` runs of each, taken in turns so that both see the
// same load of a shared machine.
void BestOfBoth(int repeats, const std::function<void()>& baseline, double& baseline_best,
                const std::function<void()>& run, double& run_best) {
    baseline_best = run_best = 1e30;
    for (int i = 0; i < repeats; ++i) {
        baseline_best = std::min(baseline_best, Seconds(baseline));
        run_best = std::min(run_best, Seconds(run));
    }
}


// The station list as a seek and a 36-byte read per record would fill it.
std::vector<std::string> RecordByRecordList(const std::string& path, const std::string& code) {
    std::vector<std::string> names;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    long count = f && std::fseek(f, 0, SEEK_END) == 0 ? std::ftell(f) / 1338L : 0;  // whole records
    char header[36];
    for (long k = 0; k < count && std::fseek(f, k * 1338L, SEEK_SET) == 0 && std::fread(header, 1, 36, f) == 36; ++k) {
        if (TextsEqual(std::string_view(header, 3), code, 3)) names.emplace_back(CutAtNul(std::string_view(header + 12, 24)));
    }
    if (f) std::fclose(f);
    return names;
}

// The name and the WMO number of the last record.
std::string LastStationName(const std::string& path, std::int32_t& number) {
    std::string name;
    ScanStationRecords(path, [&](const StationRecordBytes& r) {
        name.assign(r.bytes + 12, 24);
        number = ParseLeadingInteger(std::string_view(r.bytes + 4, 8));
        return false;
    });
    return name;
}

void Report(const char* what, double seconds, double baseline, const char* baseline_name) {
    std::printf("%-44s %9.2f ms   %.2f x %s\n", what, seconds * 1e3, seconds / baseline, baseline_name);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 3 && args[0] == "--generate") {
        std::string error;
        if (!WriteSyntheticDatabase(args[2], std::atoll(args[1].c_str()), &error)) {
            std::fprintf(stderr, "bench_database: %s\n", error.c_str());
            return 1;
        }
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) {
        std::fprintf(stderr, "usage: bench_database [--generate N] DIR [REPEATS]\n");
        return 2;
    }
    const std::string db = args[0];
    const int repeats = args.size() > 1 ? std::atoi(args[1].c_str()) : 5;
    const std::string precip = DataFilePath(db, DataFile::precip);
    const std::string temp = DataFilePath(db, DataFile::temp);
    CountryTable countries;
    if (!CheckDatabaseFiles(db).ok || LoadCountryTable(db, countries) != DataFileStatus::ok) {
        std::fprintf(stderr, "bench_database: no database in %s\n", db.c_str());
        return 1;
    }
    std::int32_t last_number = 0;
    const std::string last = LastStationName(precip, last_number);
    StationListFill probe = FillStationList(db, "");
    std::printf("%lld records in PRECIP.DAT, %zu countries, last station '%s'\n",
                static_cast<long long>(probe.record_count), countries.country_count(),
                std::string(TrimTrailingBlanks(last)).c_str());

    // The country of the last station: its list is one of the longer ones.
    std::string country;
    ScanStationRecords(precip, [&](const StationRecordBytes& r) {
        if (TextsEqual(std::string_view(r.bytes + 12, 24), last, 24)) country.assign(r.bytes, 3);
        return false;
    });

    PlainRead(precip);  // warm the cache
    PlainRead(temp);
    auto plain_precip = [&] { PlainRead(precip); };
    auto plain_both = [&] { PlainRead(precip), PlainRead(temp); };
    double read_precip, list, read_precip_2, list_by_record, read_both, import_last;
    StationListFill fill;
    BestOfBoth(repeats, plain_precip, read_precip, [&] { fill = FillStationList(db, country); }, list);
    std::vector<std::string> reference;
    BestOfBoth(repeats, plain_precip, read_precip_2, [&] { reference = RecordByRecordList(precip, country); },
               list_by_record);
    StationImport imported;
    BestOfBoth(repeats, plain_both, read_both, [&] {
        StationData s;
        s.record = MakeStartupRecord();
        imported = ImportStationFromDatabase(db, countries, last, s);
    }, import_last);
    double read_both_2, import_by_number;
    StationImport by_number;
    BestOfBoth(repeats, plain_both, read_both_2, [&] {
        StationData s;
        s.record = MakeStartupRecord();
        by_number = ImportPickedStation(db, countries, NumberPick(last_number), s);
    }, import_by_number);

    Report("plain read of PRECIP.DAT", read_precip, read_precip, "plain read");
    Report("station list of one country", list, read_precip, "plain read of PRECIP.DAT");
    Report("station list, seek + 36-byte read per record", list_by_record, read_precip_2, "plain read of PRECIP.DAT");
    Report("plain read of PRECIP.DAT and TEMP.DAT", read_both, read_both, "plain read");
    Report("import of the last station", import_last, read_both, "plain read of both files");
    Report("import of the last station by number", import_by_number, read_both_2, "plain read of both files");
    const double ratio = import_by_number / read_both_2;
    std::printf("import by number: %.2f x the plain read (goal at most 1.20): %s\n", ratio,
                ratio <= 1.2 ? "met" : "NOT MET");
    std::printf("station list: %zu stations, %s the record-by-record list; import: %zu messages\n",
                fill.names.size(), fill.names == reference ? "same as" : "DIFFERENT FROM", imported.messages.size());
    return fill.names == reference && imported.messages.empty() && by_number.messages.empty() ? 0 : 1;
}
