// addfive: prompts for five integers on standard input and prints their total.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool isSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(int c) { return c >= '0' && c <= '9'; }

void writeAll(const char* text, std::size_t length) {
    while (length > 0) {
        const ssize_t n = write(STDOUT_FILENO, text, length);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            std::fprintf(stderr, "addfive: write error: %s\n", std::strerror(n < 0 ? errno : EIO));
            std::exit(1);
        }
        text += n;
        length -= static_cast<std::size_t>(n);
    }
}

// Ends the line the prompt left open and reports why no total can be given.
[[noreturn]] void failInput(const char* what, const char* detail) {
    writeAll("\n", 1);
    std::fprintf(stderr, "addfive: %s%s\n", what, detail);
    std::exit(1);
}

[[noreturn]] void failRead(int count, const char* token, const char* problem) {
    char what[40];
    std::snprintf(what, sizeof what, "read %d of 5 integers; ", count);
    if (token[0] == '\0') failInput(what, problem);  // no token: input ended
    char detail[96];
    std::snprintf(detail, sizeof detail, "'%s' %s", token, problem);
    failInput(what, detail);
}

// Input is read one byte at a time, so that whatever follows the fifth
// integer is left unread for the next reader of the same input.
struct Input {
    int next = 0;  // the byte under the cursor, or EOF
};

int advance(Input& input) {
    unsigned char byte = 0;
    ssize_t n;
    while ((n = read(STDIN_FILENO, &byte, 1)) < 0 && errno == EINTR) {
    }
    if (n < 0) failInput("read error: ", std::strerror(errno));
    input.next = n == 0 ? EOF : byte;
    return input.next;
}

// Reads one integer as "%d" does (white space, optional sign, digits), but
// refuses what "%d" would silently get wrong: no digits, or a number outside
// the 32-bit range. `count` is how many integers were read before this one.
int readInteger(Input& input, int count) {
    while (isSpace(input.next)) advance(input);
    if (input.next == EOF) failRead(count, "", "input ended");

    // Keep the start of the token for the message; 40 bytes identify it.
    char token[44] = {};
    std::size_t length = 0;
    auto take = [&] {
        // Bytes that would not print stand as '?' in the message.
        const bool printable = input.next >= ' ' && input.next <= '~';
        if (length < 40) token[length] = printable ? static_cast<char>(input.next) : '?';
        if (++length == 41) std::memcpy(token + 40, "...", 4);
        advance(input);
    };
    const bool negative = input.next == '-';
    if (input.next == '-' || input.next == '+') take();
    std::int64_t magnitude = 0;
    bool digits = false;
    while (isDigit(input.next)) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (input.next - '0'), std::int64_t{1} << 32);
        digits = true;
        take();
    }
    if (!digits) {
        while (input.next != EOF && !isSpace(input.next)) take();
        failRead(count, token, "is not an integer");
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) failRead(count, token, "is out of range");
    return static_cast<int>(value);
}

// Total of five integers, wrapping around in 32 bits.
int addNumbers(const int* fiveNumbers) {
    std::uint32_t sum = 0;
    for (int i = 0; i <= 4; ++i) sum += static_cast<std::uint32_t>(fiveNumbers[i]);
    return static_cast<int>(sum);
}

}  // namespace

int main() {
    static const char prompt[] = "Enter 5 integers separated by spaces: ";
    writeAll(prompt, sizeof prompt - 1);

    Input input;
    advance(input);
    int array[5];
    for (int i = 0; i <= 4; ++i) array[i] = readInteger(input, i);
    // The byte that ended the fifth integer was read too. Where the input
    // can seek, step back onto it; a pipe or a terminal cannot give it back.
    if (input.next != EOF) lseek(STDIN_FILENO, -1, SEEK_CUR);

    char line[40] = "\nTheir sum is: ";
    char* end = std::to_chars(line + 15, line + sizeof line, addNumbers(array)).ptr;
    *end++ = '\n';
    writeAll(line, static_cast<std::size_t>(end - line));
    return 0;
}
