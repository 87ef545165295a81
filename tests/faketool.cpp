// Stands in for the transfer tool in the end-to-end test: appends the arguments it was given,
// one per line and ended by a line "----", to calls.log beside itself. The whole record is
// written at once, so that records of tools running at the same time do not mix.
#include <cstdio>
#include <string>

int main(int argc, char *argv[])
{
    const std::string self = argv[0];
    const std::string::size_type slash = self.find_last_of("/\\");
    const std::string log =
        (slash == std::string::npos ? std::string() : self.substr(0, slash + 1)) + "calls.log";

    std::string record;
    for (int i = 0; i < argc; ++i)
        record += std::string(argv[i]) + '\n';
    record += "----\n";

    std::FILE *file = std::fopen(log.c_str(), "ab");
    if (!file)
        return 1;
    std::setvbuf(file, nullptr, _IOFBF, record.size() + 1);
    const bool written = std::fwrite(record.data(), 1, record.size(), file) == record.size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}
