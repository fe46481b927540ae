#include "tools/dbgen/iso_countries.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

#include "station/text_encoding.h"

namespace {

// Reads the JSON string that starts at text[i] == '"'; i ends after it.
std::string ReadString(const std::string& text, std::size_t& i) {
    std::string out;
    for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        // The file writes every letter as UTF-8; an escaped code point, which
        // it does not use, becomes '?'.
        char e = text[++i];
        if (e == 'u') {
            out += '?';
            i += 4;
        } else {
            out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
        }
    }
    ++i;
    return out;
}

}  // namespace

bool ReadIsoCountries(const std::string& json_path, std::vector<CountryRow>& out, std::string* error) {
    std::ifstream in(json_path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) text.clear();
    // Every object of the file is flat: string keys with string values.
    std::vector<CountryRow> rows;
    std::map<std::string, std::string> object;
    std::string key;
    for (std::size_t i = 0; i < text.size();) {
        char c = text[i];
        if (c == '"') {
            std::string s = ReadString(text, i);
            if (key.empty()) {
                key = s;
            } else {
                object[key] = s;
                key.clear();
            }
        } else if (c == '{') {
            object.clear();
            key.clear();
            ++i;
        } else if (c == '}') {
            if (object.count("numeric") && object.count("name")) {
                const std::string& name = object.count("common_name") ? object["common_name"] : object["name"];
                rows.push_back({object["numeric"], Utf8ToCp1252(name)});
            }
            object.clear();
            key.clear();
            ++i;
        } else {
            if (c == ',' || c == '[' || c == ']') key.clear();
            ++i;
        }
    }
    if (rows.empty()) {
        if (error) *error = "no countries in " + json_path;
        return false;
    }
    std::stable_sort(rows.begin(), rows.end(), [](const CountryRow& a, const CountryRow& b) { return a.code < b.code; });
    out = rows;
    return true;
}
