// tablora-cli's side of race: the race program decides.
#include "RaceCommand.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

int RunRace(const std::vector<std::string>& args, const TRaceRequest&, std::ostream& out, std::ostream& err) {
    // The folder this program runs from (links resolved, as installed links point into lib/tablora).
    std::string self(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    self.resize(n > 0 ? static_cast<size_t>(n) : 0);
    const size_t slash = self.find_last_of('/');
    const std::string program =
        (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) + "/" + kRaceProgram;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // What was written so far goes out before this process becomes the race program.
    out.flush();
    err.flush();
    std::fflush(nullptr);
    ::execv(program.c_str(), argv.data());
    const int why = errno;
    err << "tablora-cli: 優勝争いを決めるプログラム " << program
        << (why == ENOENT ? " がありません" : " を起動できません: " + std::string(std::strerror(why))) << "\n";
    return 1;
}
