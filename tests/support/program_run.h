// Runs a built program (wegator-cli, wegator-sim) as a user would, while the
// test goes on: arguments in; standard output, standard error and the exit
// status out. Each run has its own folder, which also serves as the user's
// configuration and state folders.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "lab/lab_test_support.h"

extern char** environ;

namespace wegator::test {

using lab::testing::ReadFile;

// A folder of its own for each test, removed at its end; the programs the
// test starts take it as $XDG_CONFIG_HOME and $XDG_STATE_HOME.
class UserFolder : public lab::testing::TempFolder {
public:
    UserFolder() {
        ::setenv("XDG_CONFIG_HOME", (Path() / "config").c_str(), 1);
        ::setenv("XDG_STATE_HOME", (Path() / "state").c_str(), 1);
    }
    std::filesystem::path Write(const std::string& name, const std::string& text) const {
        lab::testing::WriteFile(Path() / name, text);
        return Path() / name;
    }
};

class Program {
public:
    // Starts `path` with `args`; its output goes to files in `folder`.
    Program(const std::string& path, const std::vector<std::string>& args, const std::filesystem::path& folder,
            const std::string& name)
        : out_(folder / (name + ".out")), err_(folder / (name + ".err")) {
        std::vector<std::string> all{path};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : all) argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    // A program still running at the end of a test is ended.
    ~Program() {
        if (pid_ > 0 && status_ < 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Running() {
        Poll();
        return pid_ > 0 && status_ < 0;
    }
    void Signal(int signal) {
        if (Running()) ::kill(pid_, signal);
    }
    // The exit status once the program ended (-1 when it was killed or did
    // not end within `limitMs`, after which it is ended).
    int Wait(int limitMs = 20000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
        while (Running() && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (Running()) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
            status_ = 1000;
        }
        return status_ >= 0 && status_ < 256 ? status_ : -1;
    }
    std::string Out() const { return ReadFile(out_); }
    std::string Err() const { return ReadFile(err_); }

private:
    void Poll() {
        if (pid_ <= 0 || status_ >= 0) return;
        int raw = 0;
        if (::waitpid(pid_, &raw, WNOHANG) == pid_) status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 1000;
    }

    pid_t pid_ = -1;
    int status_ = -1;
    std::filesystem::path out_;
    std::filesystem::path err_;
};

}  // namespace wegator::test
