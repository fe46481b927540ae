// The manual-entry texts: a record from the first 660 bytes (the start-up
// record when there are fewer), the dialog opened over it, then every edit
// field set from one line of the rest and the check boxes from a bit mask,
// and OK. A second OK without a change must change nothing.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_input.h"
#include "app/logic/manual_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StationData station;
    station.record = MakeStartupRecord();
    FuzzInput input(data, size);
    if (size >= kRecordSize) {
        RecordImage image;
        std::memcpy(image.data(), data, kRecordSize);
        DeserializeRecord(image, station.record);
        input.Take(kRecordSize);
    }
    ManualEntryForm form = OpenManualEntry(station.record);
    const std::uint32_t checks = input.Long();
    const std::uint32_t kept = input.Long();  // fields left as shown
    for (int i = 0; i < kManualEntryCheckCount; ++i) {
        if (checks & (1u << i)) form.checks[kManualEntryChecks[i]] = !form.checks[kManualEntryChecks[i]];
    }
    const std::string rest = input.Rest();
    std::size_t at = 0;
    for (int i = 0; i < kManualEntryEditCount && at <= rest.size(); ++i) {
        std::size_t end = rest.find('\n', at);
        if (end == std::string::npos) end = rest.size();
        if (!(kept & (1u << (i % 32)))) form.texts[kManualEntryEdits[i].id] = rest.substr(at, end - at);
        at = end + 1;
    }
    ApplyManualEntry(form, station);

    ManualEntryForm again = OpenManualEntry(station.record);
    RecordImage before, after;
    SerializeRecord(station.record, before);
    ApplyManualEntry(again, station);
    SerializeRecord(station.record, after);
    if (before != after) __builtin_trap();
    return 0;
}
