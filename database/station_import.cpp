#include "database/station_import.h"

#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "database/data_text.h"
#include "database/station_search.h"

namespace {

using namespace db_layout;

struct FoundRecord {
    DataFileStatus status = DataFileStatus::ok;
    bool found = false;
    std::string bytes;  // the whole record
};

std::string_view RecordName(std::string_view header) { return header.substr(kNameOffset, kNameWidth); }

// ---- The pairing rule: which record of a data file a pick takes. The
// import scans a file for it (FindPickedRecord), the atlas looks it up in
// an index of TEMP.DAT (RecordIndex); both end in PickCandidates::Taken.

// A name as a pick with a number compares it: cut at a NUL, without
// trailing blanks.
std::string_view PairingName(std::string_view name) { return TrimTrailingBlanks(CutAtNul(name)); }

bool NameMatches(std::string_view header, const StationPick& pick) {
    if (pick.bare_name) return TextsEqual(RecordName(header), pick.name, kNameWidth);
    return pick.name.empty() || PairingName(RecordName(header)) == PairingName(pick.name);
}

bool NumberMatches(std::string_view header, const StationPick& pick) {
    return !pick.by_number || ParseLeadingInteger(header.substr(kNumberOffset)) == pick.number;
}

// What a file holds for one pick, as record indices in file order (-1: none).
struct PickCandidates {
    std::int64_t first_match = -1;    // the first record of the pick's name and number
    std::int64_t first_of_name = -1;  // the first record of the name, whatever its number
    bool number_seen = false;         // some record has the pick's number

    // Adds record i (records come in file order); true once it matched.
    bool Consider(std::string_view header, std::int64_t i, const StationPick& pick) {
        const bool number = NumberMatches(header, pick);
        number_seen = number_seen || number;
        if (!NameMatches(header, pick)) return false;
        if (first_of_name < 0) first_of_name = i;
        if (number && first_match < 0) first_match = i;
        return number;
    }
    // The record the pick takes: its match; with `name_fallback`, in a file
    // in which no record has the number, the first record of the name.
    std::int64_t Taken(bool name_fallback) const {
        if (first_match >= 0) return first_match;
        return name_fallback && !number_seen ? first_of_name : -1;
    }
};

// Record indices by a key, the first record of each key in file order:
// open addressing in one array, so an index of any size is a few
// allocations. The keys themselves stay with the caller, which compares
// a record with a key (`same`).
class FirstRecordTable {
public:
    void Reserve(std::size_t count) {
        std::size_t capacity = 16;
        while (capacity < 2 * count) capacity *= 2;
        slots_.assign(capacity, kEmpty);
        mask_ = capacity - 1;
    }
    // Adds record t unless a record of its key is there already.
    template <typename Same>
    void AddFirst(std::size_t hash, std::size_t t, const Same& same) {
        std::size_t s = hash & mask_;
        for (; slots_[s] != kEmpty; s = (s + 1) & mask_) {
            if (same(slots_[s])) return;
        }
        slots_[s] = t;
    }
    template <typename Same>
    std::int64_t Find(std::size_t hash, const Same& same) const {
        for (std::size_t s = hash & mask_; slots_[s] != kEmpty; s = (s + 1) & mask_) {
            if (same(slots_[s])) return static_cast<std::int64_t>(slots_[s]);
        }
        return -1;
    }

private:
    static constexpr std::size_t kEmpty = static_cast<std::size_t>(-1);
    std::vector<std::size_t> slots_;
    std::size_t mask_ = 0;
};

std::size_t NumberHash(std::int32_t number) {
    return static_cast<std::size_t>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(number)) *
                                     0x9E3779B97F4A7C15ull) >> 17);
}

// The records [begin, end) of a data file in memory, indexed so that a
// pick costs a lookup or two: by number and name, by number, and by name
// (each the first in file order). Thousands of records sharing one number
// cost no more than as many numbers. The tables by number and by name
// alone are made when a pick first needs them (once, whichever thread
// asks).
class RecordIndexPart {
public:
    void Make(const char* records, std::size_t begin, std::size_t end, std::size_t stride) {
        begin_ = begin;
        const std::size_t count = end - begin;
        numbers_.resize(count);
        names_.resize(count);
        name_hashes_.resize(count);
        by_number_and_name_.Reserve(count);
        for (std::size_t k = 0; k < count; ++k) {
            FetchAhead(records, begin + k, end, stride);
            const std::string_view header(records + (begin + k) * stride, kImportHeaderBytes);
            numbers_[k] = ParseLeadingInteger(header.substr(kNumberOffset));
            names_[k] = PairingName(RecordName(header));
            name_hashes_[k] = std::hash<std::string_view>()(names_[k]);
            by_number_and_name_.AddFirst(name_hashes_[k] ^ NumberHash(numbers_[k]), k,
                                         [&](std::size_t o) { return SameNumberAndName(o, numbers_[k], names_[k]); });
        }
    }

    // Record indices in the file, -1 for none.
    std::int64_t FirstOfNumberAndName(std::int32_t number, std::string_view name, std::size_t name_hash) const {
        return Global(by_number_and_name_.Find(name_hash ^ NumberHash(number),
                                               [&](std::size_t k) { return SameNumberAndName(k, number, name); }));
    }
    std::int64_t FirstOfNumber(std::int32_t number) const {
        std::call_once(by_number_made_, [&] {
            by_number_.Reserve(numbers_.size());
            for (std::size_t k = 0; k < numbers_.size(); ++k) {
                by_number_.AddFirst(NumberHash(numbers_[k]), k, [&](std::size_t o) { return numbers_[o] == numbers_[k]; });
            }
        });
        return Global(by_number_.Find(NumberHash(number), [&](std::size_t k) { return numbers_[k] == number; }));
    }
    std::int64_t FirstOfName(std::string_view name, std::size_t name_hash) const {
        std::call_once(by_name_made_, [&] {
            by_name_.Reserve(names_.size());
            for (std::size_t k = 0; k < names_.size(); ++k) {
                by_name_.AddFirst(name_hashes_[k], k, [&](std::size_t o) { return names_[o] == names_[k]; });
            }
        });
        return Global(by_name_.Find(name_hash, [&](std::size_t k) { return names_[k] == name; }));
    }

private:
    bool SameNumberAndName(std::size_t k, std::int32_t number, std::string_view name) const {
        return numbers_[k] == number && names_[k] == name;
    }
    std::int64_t Global(std::int64_t k) const { return k < 0 ? -1 : static_cast<std::int64_t>(begin_) + k; }

    std::size_t begin_ = 0;
    std::vector<std::int32_t> numbers_;    // each record's number, as a pick's is compared
    std::vector<std::string_view> names_;  // and its PairingName
    std::vector<std::size_t> name_hashes_;
    FirstRecordTable by_number_and_name_;
    mutable FirstRecordTable by_number_, by_name_;
    mutable std::once_flag by_number_made_, by_name_made_;
};

// The TEMP.DAT records of a database in memory, indexed in parts of
// records one after the other (each part may be made on a thread of its
// own): the first record of a key is the first of the first part that
// holds the key.
class RecordIndex {
public:
    // `stride`: the distance from one record to the next.
    RecordIndex(const char* records, std::size_t count, std::size_t stride, int parts)
        : records_(records), count_(count), stride_(stride) {
        for (int p = 0; p < parts; ++p) parts_.push_back(std::make_unique<RecordIndexPart>());
    }
    void MakePart(int part) {
        const std::size_t parts = parts_.size();
        const auto p = static_cast<std::size_t>(part);
        parts_[p]->Make(records_, count_ * p / parts, count_ * (p + 1) / parts, stride_);
    }

    // The record a pick takes (PickCandidates::Taken).
    std::int64_t Taken(const StationPick& pick, bool name_fallback) const {
        if (pick.bare_name) {  // compared over 24 characters as it stands: a scan
            PickCandidates c;
            for (std::size_t t = 0; t < count_ && !c.Consider(Header(t), static_cast<std::int64_t>(t), pick); ++t) {
            }
            return c.Taken(name_fallback);
        }
        return Taken(pick.by_number, pick.number, PairingName(pick.name), name_fallback);
    }
    // The same for a pick with a number text, its number and its name as
    // PairingName gives it.
    std::int64_t Taken(bool by_number, std::int32_t number, std::string_view name, bool name_fallback) const {
        const std::size_t name_hash = std::hash<std::string_view>()(name);
        const std::int64_t match = !by_number    ? FirstOfName(name, name_hash)
                                   : name.empty() ? FirstOfNumber(number)
                                                  : First([&](const RecordIndexPart& part) {
                                                        return part.FirstOfNumberAndName(number, name, name_hash);
                                                    });
        if (match >= 0 || !name_fallback) return match;
        const bool number_seen = by_number ? FirstOfNumber(number) >= 0 : count_ > 0;
        return number_seen ? -1 : FirstOfName(name, name_hash);
    }

private:
    template <typename Find>
    std::int64_t First(const Find& find) const {
        for (const auto& part : parts_) {
            const std::int64_t t = find(*part);
            if (t >= 0) return t;
        }
        return -1;
    }
    std::int64_t FirstOfNumber(std::int32_t number) const {
        return First([&](const RecordIndexPart& part) { return part.FirstOfNumber(number); });
    }
    std::int64_t FirstOfName(std::string_view name, std::size_t name_hash) const {
        if (name.empty()) return count_ > 0 ? 0 : -1;
        return First([&](const RecordIndexPart& part) { return part.FirstOfName(name, name_hash); });
    }
    std::string_view Header(std::size_t t) const {
        return std::string_view(records_ + t * stride_, kImportHeaderBytes);
    }

    const char* records_;
    std::size_t count_;
    std::size_t stride_;
    std::vector<std::unique_ptr<RecordIndexPart>> parts_;
};

// The record a pick takes from one file, in one scan that ends at the match.
FoundRecord FindPickedRecord(const std::string& path, const StationPick& pick, bool name_fallback) {
    FoundRecord result, first_of_name;
    PickCandidates candidates;
    std::int64_t index = 0;
    result.status = ScanStationRecords(path, [&](const StationRecordBytes& record) {
        const bool matched = candidates.Consider(record.Header(kImportHeaderBytes), index++, pick);
        if (matched) result.bytes.assign(record.bytes, kStationRecordSize);
        if (!first_of_name.found && candidates.first_of_name >= 0) {
            first_of_name.found = true;
            first_of_name.bytes.assign(record.bytes, kStationRecordSize);
        }
        return matched;
    });
    const std::int64_t taken = candidates.Taken(name_fallback);
    if (taken < 0) return result;
    FoundRecord& found = taken == candidates.first_match ? result : first_of_name;
    found.found = true;
    found.status = result.status;
    return found;
}

std::int32_t IntAt(std::string_view header, std::size_t offset) { return ParseLeadingInteger(header.substr(offset)); }
float RealAt(std::string_view header, std::size_t offset) { return ParseLeadingReal(header.substr(offset)); }

std::int32_t AbsSaturated(std::int32_t v) { return v == INT32_MIN ? INT32_MAX : std::abs(v); }

void ReadBlocks(const char* record, MonthArray& means, MonthArray& minima, MonthArray& maxima) {
    ParseMonthlyBlock(record + BlockOffset(kMeanBlock), kBlockSize, means);
    ParseMonthlyBlock(record + BlockOffset(kMinimumBlock), kBlockSize, minima);
    ParseMonthlyBlock(record + BlockOffset(kMaximumBlock), kBlockSize, maxima);
}

void ClearMonths(MonthArray& months) {
    for (int i = 1; i < kMonthSlots; ++i) months[i] = 0.0f;
}

void CopyPrecipHeader(std::string_view header, const CountryTable& table, StationRecord& r) {
    // The name as it stands, trailing blanks and all.
    std::memcpy(r.station_name, header.data() + kNameOffset, kNameWidth);
    r.station_name[kNameWidth] = '\0';
    r.elevation_m = IntAt(header, kElevationOffset);
    SetFieldText(r.station_number, CutAtNul(header.substr(kNumberOffset, kNumberWidth)));
    r.precip_years = YearsBetween(IntAt(header, kFirstYearOffset), IntAt(header, kLastYearOffset));
    r.latitude = RealAt(header, kLatitudeOffset);
    r.lat_degrees = AbsSaturated(IntAt(header, kLatitudeOffset));
    r.lat_minutes = IntAt(header, kLatMinutesOffset);
    r.longitude = RealAt(header, kLongitudeOffset);
    r.lon_degrees = AbsSaturated(IntAt(header, kLongitudeOffset));
    r.lon_minutes = IntAt(header, kLonMinutesOffset);
    if (const CountryEntry* entry = FindCountryByCode(table, header.substr(kCodeOffset, kCountryCodeWidth))) {
        SetFieldText(r.country_name, entry->name);
        r.country_code = IntAt(header, kCodeOffset);
    }
}

void ClearPrecipFields(std::string_view chosen_name, StationRecord& r) {
    SetFieldText(r.station_name, chosen_name.substr(0, kNameWidth));
    SetFieldText(r.station_number, "");
    SetFieldText(r.country_name, "");
    r.country_code = 0;
    r.elevation_m = 0;
    r.precip_years = 0;
    r.latitude = 0.0f;
    r.lat_degrees = r.lat_minutes = 0;
    r.longitude = 0.0f;
    r.lon_degrees = r.lon_minutes = 0;
    ClearMonths(r.precip_mm);
    ClearMonths(r.precip_min_mm);
    ClearMonths(r.precip_max_mm);
}

void ClearTempFields(StationRecord& r) {
    r.temp_years = 0;
    ClearMonths(r.temp_c);
    ClearMonths(r.temp_min_c);
    ClearMonths(r.temp_max_c);
}

UserMessage MissingMessage(DataFile file, DataFileStatus status) {
    if (status != DataFileStatus::ok) return DataFileProblemMessage(file, status);
    const char* text = file == DataFile::precip ? "No precipitation entry for this station in database!"
                                                : "No temperature entry for this station in database!";
    return {text, "Error reading Datafile."};
}

}  // namespace

StationPick ParseStationPick(std::string_view chosen_text) {
    StationPick pick;
    std::string_view text = CutAtNul(chosen_text);
    std::size_t tab = text.rfind('\t');  // the number follows the last tab, a name may hold one
    pick.name = std::string(text.substr(0, tab));
    if (tab == std::string_view::npos) {
        pick.bare_name = true;
        return pick;
    }
    std::string_view number = text.substr(tab + 1);
    pick.by_number = number.find_first_of("0123456789") != std::string_view::npos;
    pick.number = ParseLeadingInteger(number);
    return pick;
}

StationPick NumberPick(std::int32_t number) {
    StationPick pick;
    pick.by_number = true;
    pick.number = number;
    return pick;
}

StationImport ImportStationFromDatabase(const std::string& db_dir, const CountryTable& table,
                                        std::string_view chosen_station_name, StationData& station) {
    if (CutAtNul(chosen_station_name).empty()) return StationImport{};
    return ImportPickedStation(db_dir, table, ParseStationPick(chosen_station_name), station);
}

StationImport ImportPickedStation(const std::string& db_dir, const CountryTable& table, const StationPick& pick,
                                  StationData& station) {
    FoundRecord precip = FindPickedRecord(DataFilePath(db_dir, DataFile::precip), pick, false);
    StationPick temp_pick = pick;
    if (precip.found && temp_pick.name.empty()) {
        std::string_view header = std::string_view(precip.bytes).substr(0, kImportHeaderBytes);
        temp_pick.name = std::string(TrimTrailingBlanks(CutAtNul(RecordName(header))));
    }
    FoundRecord temp = FindPickedRecord(DataFilePath(db_dir, DataFile::temp), temp_pick, !pick.bare_name);
    return ImportStationRecords(table, pick.name, {precip.found ? precip.bytes.data() : nullptr, precip.status},
                                {temp.found ? temp.bytes.data() : nullptr, temp.status}, station);
}

StationImport ImportStationRecords(const CountryTable& table, std::string_view station_name,
                                   ImportSource precip, ImportSource temp, StationData& station) {
    StationImport result;
    result.imported = true;
    StationRecord& r = station.record;
    for (std::int32_t& mark : r.frost_flags) mark = 0;

    result.precip_status = precip.status;
    if (precip.record != nullptr) {
        result.precip_found = true;
        CopyPrecipHeader(std::string_view(precip.record, kImportHeaderBytes), table, r);
        ReadBlocks(precip.record, r.precip_mm, r.precip_min_mm, r.precip_max_mm);
    } else {
        result.messages.push_back(MissingMessage(DataFile::precip, precip.status));
        ClearPrecipFields(station_name, r);
    }

    if (temp.record != nullptr) {
        std::string_view header(temp.record, kImportHeaderBytes);
        r.temp_years = YearsBetween(IntAt(header, kFirstYearOffset), IntAt(header, kLastYearOffset));
        ReadBlocks(temp.record, r.temp_c, r.temp_min_c, r.temp_max_c);
    } else {
        result.messages.push_back(MissingMessage(DataFile::temp, temp.status));
        ClearTempFields(r);
    }

    UpdateDerivedValues(station, MonthExtremes::recompute);
    r.abs_max_c = -999.0f;
    r.abs_min_c = -999.0f;
    r.show_abs_min = r.show_abs_max = r.show_coldest_min = r.show_warmest_max = 0;
    if (IsSouthernStation(r)) {
        SwapHalfYears(r.temp_c);
        SwapHalfYears(r.precip_mm);
        SwapHalfYears(r.precip_min_mm);
        SwapHalfYears(r.precip_max_mm);
        SwapHalfYears(r.temp_min_c);
        SwapHalfYears(r.temp_max_c);
    }
    return result;
}

class TemperaturePairing::Index : public RecordIndex {
public:
    using RecordIndex::RecordIndex;
};

TemperaturePairing::TemperaturePairing(const char* temp, std::size_t temp_count, std::size_t stride)
    : TemperaturePairing(temp, temp_count, stride, 1) {
    MakePart(0);
}

TemperaturePairing::TemperaturePairing(const char* temp, std::size_t temp_count, std::size_t stride, int parts)
    : index_(std::make_unique<Index>(temp, temp_count, stride, parts)) {}

void TemperaturePairing::MakePart(int part) { index_->MakePart(part); }

TemperaturePairing::~TemperaturePairing() = default;

std::int64_t TemperaturePairing::PairOf(const char* precip_header) const {
    const std::string_view header(precip_header, kImportHeaderBytes);
    return PairOf(precip_header, TrimmedColumn(header.substr(kNumberOffset, kNumberWidth)),
                  PairingName(RecordName(header)));
}

std::int64_t TemperaturePairing::PairOf(const char* precip_header, std::string_view number, std::string_view name) const {
    const std::string_view header(precip_header, kImportHeaderBytes);
    // The pick exactly as the search dialog's OK makes it from the list
    // ("NAME<tab>NUMBER", the two columns trimmed), and the TEMP.DAT
    // record its import takes. The list text always has its tab, so the
    // pick is never a bare name; its name is the name column as
    // PairingName gives it, unless the number column holds a tab of its
    // own (the pick then splits at that one).
    if (number.find('\t') == std::string_view::npos) {
        const bool digits = std::any_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
        return index_->Taken(digits, ParseLeadingInteger(number), name, true);
    }
    const StationPick pick = ParseStationPick(RecordListText(header));
    return index_->Taken(pick, !pick.bare_name);
}

std::vector<std::int64_t> PairTemperatureRecords(const char* precip, std::size_t precip_count, const char* temp,
                                                 std::size_t temp_count, std::size_t stride) {
    const TemperaturePairing pairing(temp, temp_count, stride);
    std::vector<std::int64_t> pairs(precip_count, -1);
    for (std::size_t i = 0; i < precip_count; ++i) pairs[i] = pairing.PairOf(precip + i * stride);
    return pairs;
}
