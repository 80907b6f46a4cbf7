#include "Verbs.h"

#include <cerrno>
#include <cstdlib>

namespace korvan::cli {

std::string TakeValue(const Args& args, std::size_t& i)
{
    if (i + 1 >= args.size())
        throw UsageError(args[i] + " needs a value");
    return args[++i];
}

long long ParseInteger(const std::string& text, long long low, long long high)
{
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < low || value > high)
        throw UsageError("not a whole number in " + std::to_string(low) + ".." + std::to_string(high) + ": " + text);
    return value;
}

}  // namespace korvan::cli
