#pragma once
// Running morvane-cli as a user would, in a scratch folder, and looking at what it left there.
#include <unistd.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace morvane_cli_test {

namespace fs = std::filesystem;

struct CliRun {
    int exit_code = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

inline std::string read_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class CliFolder {
public:
    CliFolder() {
        static int counter = 0;
        root_ = fs::temp_directory_path() / ("morvane-cli-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(root_);
        fs::create_directories(root_ / "out");
    }
    ~CliFolder() {
        std::error_code ec;
        fs::permissions(out(), fs::perms::owner_all, ec);
        fs::remove_all(root_, ec);
    }
    fs::path root() const { return root_; }
    fs::path out() const { return root_ / "out"; }

    CliRun run(const std::vector<std::string>& args) const {
        std::string command = quoted(MORVANE_CLI_PATH);
        for (const auto& a : args) command += " " + quoted(a);
        command += " >" + quoted((root_ / "stdout.txt").string()) + " 2>" + quoted((root_ / "stderr.txt").string());
        CliRun r;
        const int status = std::system(command.c_str());
        r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = read_text(root_ / "stdout.txt");
        r.err = read_text(root_ / "stderr.txt");
        return r;
    }

    std::vector<std::string> out_names() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(out())) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path root_;
};

}  // namespace morvane_cli_test
