#include "run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <stdexcept>

namespace {

void pipeOrThrow(int fds[2]) {
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
}

[[noreturn]] void childExec(const std::string& path, const std::vector<std::string>& args, const RunOptions& options,
                            int in, int out, int err) {
    dup2(in, STDIN_FILENO);
    dup2(err, STDERR_FILENO);
    if (options.stdoutTo == StdoutTo::Closed) {
        close(STDOUT_FILENO);
    } else if (options.stdoutTo == StdoutTo::Capture) {
        dup2(out, STDOUT_FILENO);
    } else {
        int fd = open("/dev/full", O_WRONLY);
        dup2(fd, STDOUT_FILENO);
    }
    std::vector<std::string> words;
    if (!options.shellPrefix.empty()) {
        std::string script = options.shellPrefix + "; exec \"$0\" \"$@\"";
        words = {"/bin/sh", "-c", script};
    }
    words.push_back(path);
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    signal(SIGPIPE, SIG_DFL);
    execvp(argv[0], argv.data());
    _exit(127);
}

// A test run may have standard input closed; the pipes must not land on
// descriptors 0 to 2, and a child that exits before reading its input must not
// kill the harness with SIGPIPE.
void prepareHarness() {
    static const bool done = [] {
        for (int fd = 0; fd <= 2; ++fd) {
            if (fcntl(fd, F_GETFD) < 0) open("/dev/null", O_RDWR);
        }
        signal(SIGPIPE, SIG_IGN);
        return true;
    }();
    (void)done;
}

}  // namespace

RunResult runProgram(const std::string& path, const std::vector<std::string>& args, const RunOptions& options) {
    prepareHarness();
    int in[2], out[2], err[2];
    pipeOrThrow(in);
    pipeOrThrow(out);
    pipeOrThrow(err);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (options.stopAndContinue) fcntl(out[0], F_SETPIPE_SZ, 4096);
    if (pid == 0) childExec(path, args, options, in[0], out[1], err[1]);
    close(in[0]);
    close(out[1]);
    close(err[1]);

    RunResult result;
    std::size_t written = 0;
    int inFd = in[1];
    if (options.input.empty()) {
        close(inFd);
        inFd = -1;
    } else {
        fcntl(inFd, F_SETFL, O_NONBLOCK);
    }
    int outFd = out[0], errFd = err[0];
    const auto deadline = start + std::chrono::duration<double>(options.timeoutSeconds * timeScale());
    char buffer[1 << 16];
    while (outFd >= 0 || errFd >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            kill(pid, SIGKILL);
            break;
        }
        pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {inFd, POLLOUT, 0}};
        if (poll(fds, 3, static_cast<int>(left.count())) < 0 && errno != EINTR) break;
        for (int i = 0; i < 2; ++i) {
            int& fd = i == 0 ? outFd : errFd;
            if (fd < 0 || fds[i].revents == 0) continue;
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n > 0 && i == 0 && options.countLinesOnly) {
                result.lines += static_cast<std::size_t>(std::count(buffer, buffer + n, '\n'));
            } else if (n > 0) {
                std::string& text = i == 0 ? result.out : result.err;
                // Only the bytes just read, and the text's length before them, can complete `until`.
                const std::size_t from = text.size() - std::min(text.size(), options.until.size());
                text.append(buffer, static_cast<std::size_t>(n));
                if (i == 0 && !options.until.empty() && text.find(options.until, from) != std::string::npos) {
                    kill(pid, SIGKILL);
                }
                // A program blocked on a full pipe that is stopped returns
                // from its write with only part of it written.
                if (i == 0 && options.stopAndContinue) {
                    kill(pid, SIGSTOP);
                    kill(pid, SIGCONT);
                }
            } else if (n == 0 || errno != EINTR) {
                close(fd);
                fd = -1;
            }
        }
        if (inFd >= 0 && fds[2].revents != 0) {
            const ssize_t n = write(inFd, options.input.data() + written, options.input.size() - written);
            if (n > 0) written += static_cast<std::size_t>(n);
            if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == options.input.size()) {
                close(inFd);
                inFd = -1;
            }
        }
    }
    for (int fd : {inFd, outFd, errFd}) {
        if (fd >= 0) close(fd);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

double timeScale() { return TIME_SCALE; }

std::vector<std::string> launcher() {
    std::vector<std::string> words;
    const std::string text = PROGRAM_LAUNCHER;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (end > at) words.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

RunResult runBuilt(const std::string& path, const std::vector<std::string>& args, const RunOptions& options) {
    std::vector<std::string> words = launcher();
    if (words.empty()) return runProgram(path, args, options);
    words.push_back(path);
    words.insert(words.end(), args.begin(), args.end());
    return runProgram(words.front(), std::vector<std::string>(words.begin() + 1, words.end()), options);
}

std::vector<std::string> shellScript(const std::string& script, const std::string& path) {
    std::vector<std::string> args{"-c", script, "sh"};
    for (const std::string& word : launcher()) args.push_back(word);
    args.push_back(path);
    return args;
}

::testing::AssertionResult sameText(const std::string& actual, const std::string& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    const auto first = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    const auto at = static_cast<std::size_t>(first.first - actual.begin());
    const std::size_t line = expected.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t from = line == std::string::npos || at == 0 ? 0 : line + 1;
    return ::testing::AssertionFailure() << "outputs differ at byte " << at << " (of " << actual.size() << " and "
                                         << expected.size()
                                         << "); from that line on:\n  actual:   " << actual.substr(from, 120)
                                         << "\n  expected: " << expected.substr(from, 120);
}
