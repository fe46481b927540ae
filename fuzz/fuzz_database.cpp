// The three database files from one input split in three (two 16-bit
// lengths first, then COUNTRY.DAT, PRECIP.DAT and TEMP.DAT), read as the
// search dialog and the import read them: the country table and list, the
// station list of some countries, the search by number, and the import of
// a listed station.
#include <cstdint>
#include <string>

#include "database/country_table.h"
#include "database/station_import.h"
#include "database/station_search.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::size_t country_size = input.Word();
    const std::size_t precip_size = input.Word();
    const std::int32_t number = static_cast<std::int32_t>(input.Long());
    const std::string folder = FuzzScratchFolder();
    WriteFuzzFile(folder + "/COUNTRY.DAT", input.Take(country_size));
    WriteFuzzFile(folder + "/PRECIP.DAT", input.Take(precip_size));
    WriteFuzzFile(folder + "/TEMP.DAT", input.Rest());

    CountryTable table;
    LoadCountryTable(folder, table);
    CountryListTexts list = ReadCountryListTexts(folder);
    std::size_t picked = 0;
    for (const std::string& text : list.texts) {
        if (picked++ == 3) break;
        const std::string code = CountryCodeOfListText(table, text);
        StationListFill stations = FillStationList(folder, code);
        for (std::size_t i = 0; i < stations.names.size() && i < 3; ++i) {
            StationData station;
            station.record = MakeStartupRecord();
            ImportStationFromDatabase(folder, table, stations.names[i], station);
        }
    }
    FindStationByNumber(folder, table, number);
    FindStationByNumber(folder, table, ParseStationNumberText(std::string(reinterpret_cast<const char*>(data),
                                                                          size < 20 ? size : 20)));
    StationData station;
    station.record = MakeStartupRecord();
    ImportStationFromDatabase(folder, table, std::string(reinterpret_cast<const char*>(data), size < 24 ? size : 24),
                              station);
    return 0;
}
