// The manual data entry dialog (GETMANUALDATA) as plain data: the texts and
// check states of its controls, keyed by control id. The Win32 dialog
// procedure pushes a ManualEntryForm into its controls at start and reads
// one back on OK (the control ids are those of resources/dialog_ids.h); everything between the record and those texts (formats,
// buffer limits, the degrees.minutes rule, the month marks) lives here, so it
// runs and is tested without Windows.
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "resources/dialog_ids.h"
#include "station/station_record.h"

// Texts of edit fields and static labels, and the states of check boxes and
// radio buttons (true = checked), by control id. A control that is absent
// is one the procedure leaves as it is.
struct ManualEntryForm {
    std::map<int, std::string> texts;
    std::map<int, bool> checks;
};

// An edit field and the size of the buffer it is read back into, in
// characters including the terminator: a longer text keeps its first
// buffer_chars - 1 characters.
struct ManualEntryEdit {
    int id;
    int buffer_chars;
};

constexpr int kManualEntryEditCount = 37;
extern const ManualEntryEdit kManualEntryEdits[kManualEntryEditCount];

// Every check box and radio button whose state OK reads.
constexpr int kManualEntryCheckCount = 32;
extern const int kManualEntryChecks[kManualEntryCheckCount];

// Overwrites with NULs the blanks (code 32 only) that TrimTrailingBlanks
// takes off the end of the text held in a field of `size` bytes. A field
// without a NUL counts as `size` characters long; nothing outside it is
// read or written.
void ClearTrailingBlanks(char* text, std::size_t size);
template <std::size_t N>
void ClearTrailingBlanks(char (&text)[N]) {
    ClearTrailingBlanks(text, N);
}

// Dialog start: trims the three texts of the record in place (this sticks
// even if the dialog is then cancelled) and returns what the controls show.
ManualEntryForm OpenManualEntry(StationRecord& record);

// The 24 column heads for a station of the northern (Jan first) or the
// southern (Jul first) hemisphere, as the N and S buttons set them.
ManualEntryForm MonthHeads(bool southern);

// OK: reads the form into the record and the two annual values, in the
// dialog's order. Texts are cut to their buffers first; numbers that do not
// parse read as 0, numbers beyond a field's range are clamped.
void ApplyManualEntry(const ManualEntryForm& form, StationData& station);

// A typed character that a station text (Windows-1252) cannot hold: OK
// stores nothing and shows this message, naming the character (UTF-8) and
// its code point, and the dialog stays open.
std::string RefusedCharacterText(const std::string& character, unsigned code_point);
extern const char kRefusedCharacterCaption[];

// The parsing rules of the fields, shared with the tests.
float ReadRealField(const std::string& text);
std::int32_t ReadIntField(const std::string& text);

// A degrees.minutes coordinate as typed: the value, its whole degrees and
// the first two decimal digits of the typed number as minutes (0..99).
struct TypedCoordinate {
    double value;
    std::int32_t degrees;
    std::int32_t minutes;
};
TypedCoordinate ReadCoordinateField(const std::string& text);
