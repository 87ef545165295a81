#pragma once

#include <string>

// Running a program on Windows and reading what it prints, free of Qt.
namespace WindowsProcess {

class Child final
{
public:
    Child() = default;
    ~Child();
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;

    // Runs the command line exactly as given (CreateProcessW finds the program in it, and the
    // program reads its arguments from it), with no console window; standard output and error
    // go into one pipe, standard input reads nothing. False, with the system's reason in
    // *error when given, when no process was started.
    bool start(const std::wstring &commandLine, std::wstring *error = nullptr);
    // What the process printed since the last call, at most limit bytes, without waiting.
    std::string readAvailable(std::size_t limit = 1 << 20);
    // True once the process has ended and everything it printed has been read.
    bool ended(unsigned long *exitCode);
    void terminate();

private:
    void *m_process = nullptr;
    void *m_output = nullptr;
};

} // namespace WindowsProcess
