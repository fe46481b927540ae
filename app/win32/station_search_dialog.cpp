#include "app/win32/station_search_dialog.h"


#include <vector>

#include "app/win32/text_conversion.h"
#include "database/station_search.h"
#include "resources/dialog_ids.h"

namespace {

// The command values as the dialog compares them: notification code in the
// high word, control id in the low word.
constexpr WPARAM kCountrySelected = MAKEWPARAM(IDC_COUNTRY_LIST, LBN_SELCHANGE);   // 65722
constexpr WPARAM kStationSelected = MAKEWPARAM(IDC_STATION_LIST, LBN_SELCHANGE);   // 65736
constexpr WPARAM kStationDoubleClick = MAKEWPARAM(IDC_STATION_LIST, LBN_DBLCLK);   // 131272
constexpr std::size_t kChosenNameLimit = 64;

void ShowInformation(HWND owner, const UserMessage& message) {
    MessageBoxW(owner, WideFromUtf8(message.text).c_str(), WideFromUtf8(message.caption).c_str(), MB_ICONINFORMATION);
}

// The lists hold station texts: Windows-1252, whatever the system's code page.
void AddListText(HWND dialog, int control, const std::string& text) {
    SendDlgItemMessageW(dialog, control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFrom1252(text).c_str()));
}

void SetRedraw(HWND dialog, int control, bool on) {
    SendDlgItemMessageW(dialog, control, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) InvalidateRect(GetDlgItem(dialog, control), nullptr, TRUE);
}

// The selected item's Windows-1252 text (every item came from one).
std::string SelectedText(HWND dialog, int control) {
    LRESULT index = SendDlgItemMessageW(dialog, control, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return std::string();
    LRESULT length = SendDlgItemMessageW(dialog, control, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return std::string();
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
    SendDlgItemMessageW(dialog, control, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    std::string bytes, refused;
    unsigned code_point = 0;
    Cp1252FromWide(text.data(), bytes, refused, code_point);
    return bytes;
}

void ShowStationCount(HWND dialog) {
    LRESULT count = SendDlgItemMessageW(dialog, IDC_STATION_LIST, LB_GETCOUNT, 0, 0);
    SetDlgItemTextW(dialog, IDC_STATIONS_AVAILABLE, WideFromUtf8(StationsAvailableText(count < 0 ? 0 : count)).c_str());
}

void OnInit(HWND dialog, StationSearchContext& context) {
    // The second tab stop is the column of the WMO numbers, inside the list's width.
    static const int tab_stops[2] = {0, 96};
    SetRedraw(dialog, IDC_STATION_LIST, false);
    SendDlgItemMessageW(dialog, IDC_STATION_LIST, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(tab_stops));
    SendDlgItemMessageW(dialog, IDC_STATION_LIST, LB_RESETCONTENT, 0, 0);
    SetRedraw(dialog, IDC_STATION_LIST, true);

    CountryListTexts countries = ReadCountryListTexts(context.db_dir);
    SetRedraw(dialog, IDC_COUNTRY_LIST, false);
    for (const std::string& text : countries.texts) AddListText(dialog, IDC_COUNTRY_LIST, text);
    SetRedraw(dialog, IDC_COUNTRY_LIST, true);
    LRESULT count = SendDlgItemMessageW(dialog, IDC_COUNTRY_LIST, LB_GETCOUNT, 0, 0);
    SetDlgItemTextW(dialog, IDC_COUNTRIES, WideFromUtf8(CountriesCountText(count < 0 ? 0 : count)).c_str());
    if (countries.status != DataFileStatus::ok) {
        ShowInformation(dialog, DataFileProblemMessage(DataFile::country, countries.status));
    }
}

// The fill's progress on the dialog's bar, painted at once: the scan runs
// inside the selection's message, so no paint message would reach the bar
// before the list is full. A paint costs far more than reading a share of
// the records (a round trip to the display server), so the bar is painted
// at most every kPaintInterval milliseconds and at the end: a scan of a few
// milliseconds paints once, a long one moves the bar as it goes. The bar
// gets a 32-bit range, so a database of more than 65535 stations still runs
// from start to end.
class ProgressBar final : public FillProgress {
public:
    explicit ProgressBar(HWND bar) : bar_(bar) {}
    void Start(std::int64_t record_count) override {
        record_count_ = record_count;
        last_paint_ = GetTickCount();
        SendMessageW(bar_, PBM_SETRANGE32, 1, static_cast<LPARAM>(record_count));
    }
    void Advance(std::int64_t records_read) override {
        SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(records_read), 0);
        const DWORD now = GetTickCount();
        if (records_read >= record_count_ || now - last_paint_ >= kPaintInterval) {
            UpdateWindow(bar_);
            last_paint_ = now;
        }
    }

private:
    static constexpr DWORD kPaintInterval = 50;
    HWND bar_;
    std::int64_t record_count_ = 0;
    DWORD last_paint_ = 0;
};

// A new country: the station list is filled from a scan of PRECIP.DAT while
// the progress bar moves.
void OnCountrySelected(HWND dialog, StationSearchContext& context) {
    context.selected_country_code = CountryCodeOfListText(*context.country_table, SelectedText(dialog, IDC_COUNTRY_LIST));
    SetRedraw(dialog, IDC_STATION_LIST, false);
    SendDlgItemMessageW(dialog, IDC_STATION_LIST, LB_RESETCONTENT, 0, 0);

    ProgressBar progress(GetDlgItem(dialog, IDC_FILL_PROGRESS));
    StationListFill fill = FillStationList(context.db_dir, context.selected_country_code, &progress);
    SendDlgItemMessageW(dialog, IDC_STATION_LIST, LB_INITSTORAGE, fill.texts.size(), fill.texts.size() * 68);
    for (const std::string& text : fill.texts) AddListText(dialog, IDC_STATION_LIST, text);
    SetRedraw(dialog, IDC_STATION_LIST, true);
    ShowStationCount(dialog);
    if (fill.status != DataFileStatus::ok) ShowInformation(dialog, DataFileProblemMessage(DataFile::precip, fill.status));
}

void OnSearch(HWND dialog, StationSearchContext& context) {
    wchar_t number_text[16] = {};
    GetWindowTextW(GetDlgItem(dialog, IDC_STATION_NUMBER), number_text, 16);
    StationSearch search = FindStationByNumber(context.db_dir, *context.country_table,
                                               ParseStationNumberText(Utf8FromWide(number_text).c_str()));
    if (!search.found) {
        ShowInformation(dialog, search.message);  // lists and pick stay as they were
        return;
    }
    if (!search.country_name.empty()) {
        // A prefix match without regard to case; it does not refill the station list.
        SendDlgItemMessageW(dialog, IDC_COUNTRY_LIST, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(WideFrom1252(search.country_name).c_str()));
    }
    SendDlgItemMessageW(dialog, IDC_STATION_LIST, LB_RESETCONTENT, 0, 0);
    AddListText(dialog, IDC_STATION_LIST, search.list_text);
    SendDlgItemMessageW(dialog, IDC_STATION_LIST, LB_SETCURSEL, 0, 0);
    *context.chosen_station_name = SelectedText(dialog, IDC_STATION_LIST).substr(0, kChosenNameLimit);
    ShowStationCount(dialog);
}

bool OnCommand(HWND dialog, StationSearchContext& context, WPARAM command) {
    switch (command) {
    case kCountrySelected:
        OnCountrySelected(dialog, context);
        return true;
    case kStationSelected:
        *context.chosen_station_name = SelectedText(dialog, IDC_STATION_LIST).substr(0, kChosenNameLimit);
        return true;
    case kStationDoubleClick:
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);  // the first click has already picked it
        return true;
    case IDC_SEARCH:
        OnSearch(dialog, context);
        return true;
    case IDOK:
        EndDialog(dialog, 0);
        return true;
    case IDCANCEL:
        context.chosen_station_name->clear();
        EndDialog(dialog, 0);
        return true;
    }
    return false;
}

}  // namespace

INT_PTR CALLBACK StationSearchDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lparam);
        OnInit(dialog, *reinterpret_cast<StationSearchContext*>(lparam));
        return TRUE;  // the focus goes to the first tab stop, OK
    }
    auto* context = reinterpret_cast<StationSearchContext*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_COMMAND && context) return OnCommand(dialog, *context, wparam) ? TRUE : FALSE;
    return FALSE;
}

bool RunStationSearchDialog(HINSTANCE instance, HWND owner, StationSearchContext& context) {
    INT_PTR result = DialogBoxParamW(instance, L"GETSTATION", owner, StationSearchDialog, reinterpret_cast<LPARAM>(&context));
    return result != -1;
}
