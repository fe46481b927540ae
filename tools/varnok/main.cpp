// varnok: the command-line face of the portable core. It reads station
// files and the station database as the program does and prints or renders
// what the program would show.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/varnok/commands.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#include <vector>
#endif

namespace {

struct Command {
    const char* name;
    int (*run)(const Args&);
    const char* usage;
};

const Command kCommands[] = {
    {"show", &RunShow, "show FILE.cli                 print the station as JSON"},
    {"render", &RunRender, "render FILE.cli -o OUT.svg [options]   draw the diagram or table as SVG"},
    {"countries", &RunCountries, "countries [--db DIR]          the country list of the search dialog"},
    {"stations", &RunStations, "stations --country NAME [--db DIR]   the stations of a country"},
    {"find", &RunFind, "find --wmo N [--db DIR]       the station with that WMO number"},
    {"import", &RunImport, "import (--name NAME | --wmo N) -o OUT.cli [--from FILE.cli] [--db DIR]"},
    {"atlas", &RunAtlas, "atlas [--db DIR] -o OUTDIR [--table]   every station as SVG, with an index page"},
    {"classes", &RunClasses, "classes [--db DIR]            the climate class of every station"},
    {"map", &RunMap, "map [--db DIR] -o OUT.svg [--size WxH]   the station map as SVG"},
};

void PrintUsage(std::FILE* to) {
    std::fprintf(to, "usage: varnok COMMAND [ARGS]\ncommands:\n");
    for (const Command& c : kCommands) std::fprintf(to, "  varnok %s\n", c.usage);
}

}  // namespace

#ifdef _WIN32
// The arguments as given, UTF-8 (as on other systems): a path or a country
// name in any script arrives whole, whatever the ANSI code page. What the
// tool prints is UTF-8 too, and the console is told so.
std::vector<std::string> Utf8Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 0; words && i < count; ++i) {
        int bytes = WideCharToMultiByte(CP_UTF8, 0, words[i], -1, nullptr, 0, nullptr, nullptr);
        std::string word(bytes > 0 ? static_cast<std::size_t>(bytes) : 1, '\0');
        if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, words[i], -1, &word[0], bytes, nullptr, nullptr);
        word.resize(word.size() - 1);
        arguments.push_back(word);
    }
    LocalFree(words);
    SetConsoleOutputCP(CP_UTF8);
    return arguments;
}
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    std::vector<std::string> utf8 = Utf8Arguments();
    std::vector<char*> utf8_argv;
    for (std::string& word : utf8) utf8_argv.push_back(&word[0]);
    if (!utf8_argv.empty()) {
        argc = static_cast<int>(utf8_argv.size());
        argv = utf8_argv.data();
    }
#endif
    if (argc < 2) {
        PrintUsage(stderr);
        return 1;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return 0;
    }
    Args args(argv + 2, argv + argc);
    for (const Command& c : kCommands) {
        if (name == c.name) return c.run(args);
    }
    std::fprintf(stderr, "varnok: unknown command '%s'\n", name.c_str());
    PrintUsage(stderr);
    return 1;
}
