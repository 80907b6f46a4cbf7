// The verbs of korvan-map. Each takes the words after its name and returns the exit status;
// usage errors and failures go to stderr.
#pragma once

#include <string>
#include <vector>

namespace korvan::cli {

using Args = std::vector<std::string>;

int Generate(const Args& args);
int Info(const Args& args);
int Frame(const Args& args);
int Overview(const Args& args);

// Small helpers shared by the verbs.
class UsageError : public std::exception {
public:
    explicit UsageError(std::string text) : text_(std::move(text)) {}
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

// Takes the value after a flag, or raises UsageError.
std::string TakeValue(const Args& args, std::size_t& i);
long long ParseInteger(const std::string& text, long long low, long long high);

// The file of an artwork name such as "Graphic\\Black.BMP": inside assetsDir when one is given,
// else where the editor would find it (working folder, then beside the executable).
std::string AssetFile(const std::string& name, const std::string& assetsDir);

}  // namespace korvan::cli
