// loggard-cli: a headless front end over Loggard's core, for scripts and
// batch work.

#include "cli/commands.h"
#include "container/atomic_file.h"
#include "container/error.h"
#include "container/text_codec.h"
#include "las/las_problem.h"
#include "las/logging.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

namespace {

struct Command {
    const char* name;
    const char* usage;
    const char* summary;
    int (*run)(const CliArgs&);
};

constexpr Command kCommands[] = {
    {"dump", "dump FILE", "print a container file (settings.dat, fonts.dat) as a tree", RunDump},
    {"info", "info FILE.las [--encoding NAME]", "print a LAS file's header, index and curves as JSON", RunInfo},
    {"convert", "convert IN.las OUT.las", "load a LAS file and save it again", RunConvert},
    {"calc", "calc IN.las OUT.las [--methods settings.dat] [NAME=FORMULA ...]",
     "compute curves from formulas and save the result", RunCalc},
    {"build-fonts", "build-fonts DIR", "rasterise the chart fonts into DIR/fonts.dat", RunBuildFonts},
    {"render", "render IN.las OUT.png [--settings F] [--width W] [--height H] [--scale N | --fit] [--top D]",
     "draw the log chart as the viewer does and save it as PNG (--model F.json, --timings, --encoding NAME)",
     RunRender},
    {"crossplot", "crossplot IN.las XCURVE YCURVE OUT.png [--marker M] [--size N] [--colors A,B] [--no-gradient]",
     "draw a cross-plot of two curves and save it as PNG (--settings F, --model F.json, --encoding NAME)",
     RunCrossPlot},
};

RLasLanguage& CurrentLanguage()
{
    static RLasLanguage language = RLasLanguage::Russian;
    return language;
}

void PrintUsage(std::FILE* out)
{
    std::fprintf(out, "usage: loggard-cli [--lang en|ru] COMMAND [ARGS]\n\ncommands:\n");
    for (const Command& command : kCommands)
        std::fprintf(out, "  %-60s %s\n", command.usage, command.summary);
    std::fprintf(out, "\n--lang sets the language of diagnostics and of words in pictures: en English, ru Russian"
                      " (the default)\n");
}

// Words problems in the language the command line asks for and hands them,
// like every other message, to the sink the command has installed for as
// long as it wants diagnostics printed: which messages come out, and when,
// stays the command's choice.
class DiagnosticLanguageSink final : public RLogSink {
public:
    explicit DiagnosticLanguageSink(RLasLanguage language) : language_(language) {}

    void Message(const std::string& text) override
    {
        if (RLogSink* printer = Logging::Sink())
            printer->Message(text);
    }
    void Problem(const RLasProblem& problem) override
    {
        if (RLogSink* printer = Logging::Sink())
            printer->Message(ProblemText(problem, language_));
    }

private:
    RLasLanguage language_;
};

// Reads a leading "--lang en|ru" (or "--lang=en"); `next` is the index of
// the command after it. False with a message for an unknown language.
bool ReadLanguage(int argc, char** argv, int& next, RLasLanguage& language)
{
    next = 1;
    language = RLasLanguage::Russian;
    if (argc < 2)
        return true;
    const char* value = nullptr;
    if (std::strcmp(argv[1], "--lang") == 0) {
        if (argc < 3) {
            std::fprintf(stderr, "loggard-cli: --lang needs a value: en or ru\n");
            return false;
        }
        value = argv[2];
        next = 3;
    } else if (std::strncmp(argv[1], "--lang=", 7) == 0) {
        value = argv[1] + 7;
        next = 2;
    } else {
        return true;
    }
    if (std::strcmp(value, "en") == 0) {
        language = RLasLanguage::English;
    } else if (std::strcmp(value, "ru") != 0) {
        std::fprintf(stderr, "loggard-cli: unknown language '%s' (en or ru)\n", value);
        return false;
    }
    return true;
}

// A terminating signal removes the temporaries of the saves under way and
// then ends the program as it would have without the handler, so that the
// shell still sees the signal.
void RemoveTemporariesAndDie(int signalNumber)
{
    RAtomicFile::UnlinkPendingOnSignal();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

}  // namespace

RLasLanguage CliLanguage() { return CurrentLanguage(); }

std::string TerminalText(std::string_view text)
{
    constexpr char kHex[] = "0123456789abcdef";
    const auto escape = [&](std::string& out, unsigned code) {
        out += "\\x";
        out += kHex[code >> 4];
        out += kHex[code & 0xF];
    };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            const bool lineEnd = byte == '\n' || (byte == '\r' && text.substr(i + 1, 1) == "\n");
            if ((byte < 0x20 && !lineEnd && byte != '\t') || byte == 0x7F)
                escape(out, byte);
            else
                out += static_cast<char>(byte);
            ++i;
            continue;
        }
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        const std::string_view sequence = text.substr(i, length);
        if (length == 1 || !TextCodec::IsValidUtf8(sequence)) {
            escape(out, byte);  // a stray byte, which an 8-bit terminal might take for a control
            ++i;
        } else if (byte == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0) {
            escape(out, static_cast<unsigned char>(sequence[1]));  // C1: U+0080..U+009F
            i += length;
        } else {
            out += sequence;
            i += length;
        }
    }
    return out;
}

std::string ErrorMessage(const std::exception& error)
{
    if (const auto* known = dynamic_cast<const RError*>(&error))
        return TerminalText(known->Text(CurrentLanguage()));
    return TerminalText(error.what());
}

void PrintDiagnostic(const std::string& text)
{
    // A message is program text in UTF-8 that may quote file bytes in
    // Windows-1251 (or carry them in a path): read as such, then made safe
    // for the terminal, NUL bytes from the file included.
    const std::string line = TerminalText(TextCodec::DecodeMixed(text)) + '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

int main(int argc, char** argv)
{
    // Past a file-size limit the kernel sends SIGXFSZ, which would kill us
    // with a temporary file left beside the target. Ignored, the write
    // fails with EFBIG instead and the save reports it like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    // Ctrl+C or a kill during a save would leave its temporary file (as big
    // as the file being written) beside the target.
    std::signal(SIGTERM, RemoveTemporariesAndDie);
    std::signal(SIGINT, RemoveTemporariesAndDie);
    int first = 1;
    RLasLanguage language = RLasLanguage::Russian;
    if (!ReadLanguage(argc, argv, first, language)) {
        PrintUsage(stderr);
        return 2;
    }
    if (argc <= first) {
        PrintUsage(stderr);
        return 2;
    }
    const char* const name = argv[first];
    if (std::strcmp(name, "--help") == 0 || std::strcmp(name, "-h") == 0 || std::strcmp(name, "help") == 0) {
        PrintUsage(stdout);
        return 0;
    }
    CurrentLanguage() = language;
    DiagnosticLanguageSink languageSink(language);
    RLogScope scope(&languageSink);
    for (const Command& command : kCommands) {
        if (std::strcmp(name, command.name) != 0)
            continue;
        try {
            return command.run(CliArgs(argv + first + 1, argv + argc));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", ErrorMessage(error).c_str());
            return 1;
        }
    }
    std::fprintf(stderr, "loggard-cli: unknown command '%s'\n", name);
    PrintUsage(stderr);
    return 2;
}
