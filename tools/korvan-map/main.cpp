// korvan-map: generate, inspect and render .korv maps from the command line.
#include "Verbs.h"

#include "base/KorvanError.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <map>

namespace {

constexpr const char* Usage =
    "usage: korvan-map generate --seed N -o FILE.korv\n"
    "       korvan-map info FILE.korv\n"
    "       korvan-map frame FILE.korv -o OUT.bmp [--scroll X Y] [--cursor X Y] [--mode M] [--item I]\n"
    "                        [--frames K] [--assets DIR]\n"
    "       korvan-map overview FILE.korv -o OUT.png [--assets DIR]\n";

}  // namespace

int main(int argc, char** argv)
{
    using namespace korvan::cli;
    const std::map<std::string, int (*)(const Args&)> verbs = {
        {"generate", Generate},
        {"info", Info},
        {"frame", Frame},
        {"overview", Overview},
    };
    if (argc < 2 || verbs.find(argv[1]) == verbs.end()) {
        std::fputs(Usage, stderr);
        return 2;
    }
    try {
        return verbs.at(argv[1])(Args(argv + 2, argv + argc));
    } catch (const UsageError& error) {
        std::fprintf(stderr, "korvan-map: %s\n%s", error.what(), Usage);
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvan-map: %s\n", error.what());
        return 1;
    }
}
