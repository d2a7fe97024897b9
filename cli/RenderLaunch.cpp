// tablora-cli's side of render: the render program does the painting.
#include "RenderCommand.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

// The folder this program runs from (links resolved, as installed links point into lib/tablora).
std::string ProgramFolder() {
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0)
        return ".";
    path.resize(static_cast<size_t>(n));
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

} // namespace

int RunRender(const std::vector<std::string>& args, const TRenderRequest&, std::ostream& err) {
    const std::string program = ProgramFolder() + "/" + kRenderProgram;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // What was written so far goes out before this process becomes the render program.
    std::cout.flush();
    err.flush();
    std::fflush(nullptr);
    ::execv(program.c_str(), argv.data());
    const int why = errno;
    if (why == ENOENT)
        err << "tablora-cli: 画像を描くプログラム " << program << " がありません\n";
    else
        err << "tablora-cli: 画像を描くプログラム " << program << " を起動できません: " << std::strerror(why) << "\n";
    return 1;
}
