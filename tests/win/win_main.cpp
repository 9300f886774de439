// Entry of the Windows test suite. Each test creates the window, device
// context or memory bitmap it needs; nothing global is set up here.
//
// With --serve=DIR the suite stays up and runs one case after another, as
// tests/run-wine-case.sh asks through files in DIR, so that CTest can name
// every case on its own without starting Wine for each (a start costs more
// than most cases). One request at a time:
//   DIR\request   the case's arguments, one per line (written, then renamed)
//   DIR\output    what the suite printed for it
//   DIR\status    the suite's exit status, renamed into place when all is written
#include <gtest/gtest.h>

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "settings_racer.h"

namespace {

const char ServeFlag[] = "--serve=";

std::vector<std::string> takeRequest(const std::string& path) {
    std::vector<std::string> args;
    std::ifstream request(path);
    if (!request) return args;
    for (std::string line; std::getline(request, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) args.push_back(line);
    }
    request.close();
    DeleteFileA(path.c_str());
    return args;
}

// Only the flags CTest gives a case: which case, and disabled ones too.
void applyCaseFlags(const std::vector<std::string>& args) {
    GTEST_FLAG_SET(filter, "*");
    GTEST_FLAG_SET(also_run_disabled_tests, false);
    for (const std::string& arg : args) {
        if (arg.rfind("--gtest_filter=", 0) == 0) GTEST_FLAG_SET(filter, arg.substr(15));
        if (arg == "--gtest_also_run_disabled_tests") GTEST_FLAG_SET(also_run_disabled_tests, true);
    }
}

// Runs the selected cases with the suite's output going to outputPath.
int runWithOutputTo(const std::string& outputPath) {
    std::fflush(stdout);
    std::fflush(stderr);
    int savedOut = _dup(1);
    int savedErr = _dup(2);
    int file = _open(outputPath.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0644);
    if (file < 0) return 1;
    _dup2(file, 1);
    _dup2(file, 2);
    _close(file);
    int status = RUN_ALL_TESTS();
    std::fflush(stdout);
    std::fflush(stderr);
    _dup2(savedOut, 1);
    _dup2(savedErr, 2);
    _close(savedOut);
    _close(savedErr);
    return status;
}

void writeStatus(const std::string& dir, int status) {
    std::string temporary = dir + "\\status.tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << status << "\n";
    }
    MoveFileExA(temporary.c_str(), (dir + "\\status").c_str(), MOVEFILE_REPLACE_EXISTING);
}

// The client polls for the status the same way; a request is a few bytes on
// a local disk, so a short sleep costs nothing a case would notice.
int serveCases(const std::string& dir) {
    for (;;) {
        std::vector<std::string> args = takeRequest(dir + "\\request");
        if (args.empty()) {
            Sleep(5);
            continue;
        }
        applyCaseFlags(args);
        writeStatus(dir, runWithOutputTo(dir + "\\output"));
    }
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], ServeFlag, sizeof ServeFlag - 1) == 0)
            return serveCases(argv[i] + sizeof ServeFlag - 1);
        if (std::strncmp(argv[i], SettingsRacerFlag, sizeof SettingsRacerFlag - 1) == 0)
            return runSettingsRacer(argv[i] + sizeof SettingsRacerFlag - 1);
    }
    return RUN_ALL_TESTS();
}
