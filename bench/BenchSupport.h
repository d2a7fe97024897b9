// What several benchmarks share: a folder of their own for the files they
// make (removed when they end), a program run in a child process to its end (for the whole process's
// time and peak memory, as the kernel counts them), and team symbols enough
// for districts far beyond any real league.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

// A new folder `name`-XXXXXX under the temporary folder; the caller removes it.
inline std::filesystem::path MakeBenchFolder(const std::string& name) {
    std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        std::abort();
    return pattern;
}

// A benchmark program's main: runs the benchmarks asked for, then removes
// the folder they made their files in.
inline int RunBenchmarksIn(int argc, char** argv, const std::filesystem::path& folder) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}

struct TChildRun {
    int Status = -1; // the exit status; -1 when it did not start or did not exit
    rusage Usage{};  // its processor times and peak resident memory (ru_maxrss, KB)
};

// Runs the program args[0] with `args` and waits for it; its standard output
// goes to the file `output` (made or emptied), or stays this program's.
inline TChildRun RunChild(const std::vector<std::string>& args, const char* output = nullptr) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output)
        posix_spawn_file_actions_addopen(&actions, 1, output, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    TChildRun run;
    int status = 0;
    if (spawned != 0 || ::wait4(child, &status, 0, &run.Usage) != child)
        return run;
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// A three-byte symbol for every number below 91^3.
inline std::string BenchSymbol(int n) {
    std::string s;
    for (int i = 0; i < 3; ++i, n /= 91)
        s += static_cast<char>('!' + 1 + n % 91);
    return s;
}
