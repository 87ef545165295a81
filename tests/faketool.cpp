// Stands in for the transfer tool, reading its command line as the tool does, with a Portfolio
// kept in the folder "portfolio" beside itself (drive a: is portfolio/A; names in capitals,
// since the Portfolio ignores letter case).
//
// Like the tool: a switch begins with "-" and is 2 or 3 characters long (t transmit, r receive,
// l list, f overwrite, d the next argument is the port device); every other argument is a path,
// the last one the destination. A Portfolio path is used up to 79 characters. A destination
// names a Portfolio folder when it ends in "\" or ":" or when several sources are given; a file
// sent into a folder gets its DOS name, and the "_" of that name are written back into the
// source path before it is opened. Status 0 when it ran to the end, 1 on any error.
//
// Like one parallel port: a second run while another holds the port fails with a checksum
// error. FAKE_TOOL_WAIT=forever makes it wait for the Portfolio without end.
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string g_home; // the tool's own folder, with its final "/"
const char *const Usage = "Usage: transfolio [-d device] [-f] -t|-r|-l SOURCE... DEST";

int fail(const std::string &message)
{
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
}

std::string underscored(const std::string &name)
{
    std::string out = name;
    const auto last = out.find_last_of('.');
    for (std::size_t i = 0; last != std::string::npos && i < last; ++i)
        if (out[i] == '.')
            out[i] = '_';
    return out;
}

std::string dosName(const std::string &name)
{
    const std::string plain = underscored(name);
    const auto dot = plain.find_last_of('.');
    const std::string base = plain.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : plain.substr(dot);
    return base.substr(0, 8) + extension.substr(0, 4);
}

// The PC file that holds a Portfolio path, or "" when the path names no drive.
std::string onPortfolio(std::string path)
{
    if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0])))
        return {};
    for (char &c : path)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    std::string file = g_home + "portfolio/" + path[0];
    path = path.substr(2);
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find('\\', start), path.size());
        if (end > start)
            file += "/" + path.substr(start, end - start);
        start = end + 1;
    }
    return file;
}

// Zeroed when nothing is there.
struct stat statOf(const std::string &path)
{
    struct stat info = {};
    stat(path.c_str(), &info);
    return info;
}

// Copies a file, printing the progress of every byte as the tool does.
bool copy(const std::string &from, const std::string &to, const char *verb, const char *tail)
{
    std::ifstream in(from, std::ios::binary);
    if (!in)
        return false;
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::ofstream out(to, std::ios::binary);
    if (!out)
        return false;
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    for (std::size_t i = 1; i <= bytes.size(); ++i)
        std::printf("%s %zu of %zu bytes%s\r", verb, i, bytes.size(), tail);
    std::printf("\n");
    return !out.fail();
}

int transmit(const std::vector<std::string> &sources, std::string dest, bool force)
{
    dest = dest.substr(0, 79);
    const bool intoFolder = dest.back() == '\\' || dest.back() == ':' || sources.size() > 1;
    for (std::string source : sources) {
        std::string target = dest;
        if (intoFolder) {
            const std::string name = source.substr(source.find_last_of('/') + 1); // npos + 1 is 0
            source = source.substr(0, source.size() - name.size()) + underscored(name);
            if (target.back() != '\\' && target.back() != ':')
                target += '\\';
            target += dosName(name);
        }
        const struct stat info = statOf(source);
        if (info.st_mode == 0)
            return fail("File not found: " + source);
        if (info.st_size > 32 * 1024 * 1024) {
            std::printf("Skipping %s\n", source.c_str());
            continue;
        }
        const std::string file = onPortfolio(target);
        if (file.empty())
            return fail("Invalid Portfolio path: " + target);
        if (statOf(file).st_mode != 0 && !force) {
            std::printf("File exists on Portfolio! Use -f to force overwriting.\n");
            continue;
        }
        std::printf("Transmitting %s to %s\n", source.c_str(), target.c_str());
        if (!copy(source, file, "Sent", "."))
            return fail("Cannot create file on Portfolio: " + target);
    }
    return 0;
}

int receive(const std::vector<std::string> &sources, const std::string &dest, bool force)
{
    std::vector<std::pair<std::string, std::string>> files; // Portfolio name, its file
    for (std::string source : sources) {
        source = source.substr(0, 79);
        const std::string file = onPortfolio(source);
        const auto slash = file.find_last_of('/');
        if (file.empty() || slash == std::string::npos)
            return fail("File not found: " + source);
        const std::string folder = file.substr(0, slash), pattern = file.substr(slash + 1);
        std::vector<std::string> names;
        if (DIR *dir = opendir(folder.c_str())) {
            while (dirent *entry = readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != ".." && fnmatch(pattern.c_str(), name.c_str(), 0) == 0
                    && !S_ISDIR(statOf(folder + "/" + name).st_mode))
                    names.push_back(name);
            }
            closedir(dir);
        }
        if (names.empty())
            return fail("File not found: " + source);
        std::sort(names.begin(), names.end());
        for (const std::string &name : names)
            files.emplace_back(name, folder + "/" + name);
    }
    const bool intoFolder = S_ISDIR(statOf(dest).st_mode);
    for (const auto &[name, file] : files) {
        const std::string target =
            intoFolder ? dest + (dest.back() == '/' ? "" : "/") + name : dest;
        if (statOf(target).st_mode != 0 && !force)
            return fail("File exists! Use -f to force overwriting.");
        std::printf("Receiving %s\n", name.c_str());
        if (!copy(file, target, "Received", ""))
            return fail("Cannot create file: " + target);
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string self = argv[0];
    g_home = self.substr(0, self.find_last_of('/') + 1);

    char mode = 0;
    bool force = false;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.size() >= 2 && argument.size() <= 3 && argument[0] == '-') {
            for (char letter : argument.substr(1)) {
                if (letter == 't' || letter == 'r' || letter == 'l')
                    mode = letter;
                else if (letter == 'f')
                    force = true;
                else if (letter == 'd' && i + 1 < argc)
                    ++i;
                else
                    return fail(Usage);
            }
        } else if (!argument.empty() && argument[0] == '-') {
            return fail(Usage);
        } else {
            paths.push_back(argument);
        }
    }
    if (!mode || paths.size() < 2 || paths.back().empty())
        return fail(Usage);

    const int port = open((g_home + "port.lock").c_str(), O_CREAT | O_RDWR, 0644);
    if (port < 0 || flock(port, LOCK_EX | LOCK_NB) != 0)
        return fail("Checksum error!");

    std::printf("Waiting for Portfolio...\n");
    std::fflush(stdout);
    const char *wait = std::getenv("FAKE_TOOL_WAIT");
    while (wait && std::strcmp(wait, "forever") == 0)
        std::this_thread::sleep_for(std::chrono::seconds(1));

    const std::string dest = paths.back();
    paths.pop_back();
    if (mode == 't')
        return transmit(paths, dest, force);
    if (mode == 'r')
        return receive(paths, dest, force);
    return 0;
}
