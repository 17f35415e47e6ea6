#include "console/password_prompt.h"

#include <windows.h>

#include "base/narrow.h"
#include "console/console_output.h"

namespace {

// Passwords are short; room for a long one up front, so that no reallocation leaves an
// unwiped copy behind.
constexpr size_t kLineReserve = 1024;

// The console's echo is off for the life of the object.
class EchoOff {
public:
    explicit EchoOff(HANDLE input) : input_(input)
    {
        active_ = GetConsoleMode(input_, &mode_) &&
                  SetConsoleMode(input_, (mode_ & ~ENABLE_ECHO_INPUT) | ENABLE_LINE_INPUT);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;
    ~EchoOff()
    {
        if (active_)
            SetConsoleMode(input_, mode_);
    }

private:
    HANDLE input_;
    DWORD mode_ = 0;
    bool active_ = false;
};

// One line from a console, as wide characters, without its line end.
bool ReadConsoleLine(HANDLE input, std::wstring& line)
{
    EchoOff echoOff(input);
    line.reserve(kLineReserve);
    wchar_t buffer[256];
    for (;;) {
        DWORD read = 0;
        if (!ReadConsoleW(input, buffer, ARRAYSIZE(buffer), &read, nullptr) || read == 0)
            break;
        line.append(buffer, read);
        SecureZeroMemory(buffer, sizeof buffer);
        if (line.find(L'\n') != std::wstring::npos)
            break;
    }
    SecureZeroMemory(buffer, sizeof buffer);
    return !line.empty();
}

// One line from a pipe or a file, byte by byte so that nothing after it is taken.
bool ReadPipedLine(HANDLE input, std::wstring& line)
{
    std::string bytes;
    bytes.reserve(kLineReserve);
    char character = 0;
    DWORD read = 0;
    while (ReadFile(input, &character, 1, &read, nullptr) && read == 1 && character != '\n')
        bytes += character;
    character = 0;
    bool any = !bytes.empty() || read == 1;
    line = ToWideFromUtf8OrAnsi(bytes);
    SecureZeroMemory(bytes.data(), bytes.size());
    return any;
}

}  // namespace

bool ReadPassword(const std::string& prompt, bool utf8, SecretText& password)
{
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (!input || input == INVALID_HANDLE_VALUE)
        return false;
    StdHandleSink errors(STD_ERROR_HANDLE, utf8, StreamUse::Messages);
    errors.Write(prompt);
    std::wstring line;
    DWORD mode = 0;
    bool read = GetConsoleMode(input, &mode) ? ReadConsoleLine(input, line) : ReadPipedLine(input, line);
    // The prompt's line ends here: the Enter typed was not echoed, a piped one never shows.
    errors.Write("\n");
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r'))
        line.pop_back();
    password = SecretText(line);
    SecureZeroMemory(line.data(), line.size() * sizeof(wchar_t));
    return read && !password.Empty();
}
