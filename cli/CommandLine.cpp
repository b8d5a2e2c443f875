#include "CommandLine.h"

#include <Console.h>

#include <initializer_list>

namespace
{
std::u16string Lines(std::initializer_list<const char16_t*> lines)
{
    std::u16string text;
    for (const char16_t* line : lines)
        text += std::u16string(line) + platform::kNewLine;
    return text;
}

bool SetFlag(CommandLine& line, const std::u16string& word)
{
    struct Flag
    {
        const char16_t* word;
        bool CommandLine::*member;
    };
    static constexpr Flag kFlags[] = {
        {u"--save-active", &CommandLine::saveActive}, {u"--salvage", &CommandLine::salvage},
        {u"--past-end", &CommandLine::pastEnd},       {u"--test", &CommandLine::testOnly},
        {u"--list", &CommandLine::list},              {u"--json", &CommandLine::json},
        {u"--report", &CommandLine::report},
        {u"--help", &CommandLine::help},              {u"-h", &CommandLine::help},
        {u"--version", &CommandLine::version},
    };
    for (const Flag& flag : kFlags)
    {
        if (word == flag.word)
        {
            line.*flag.member = true;
            return true;
        }
    }
    return false;
}

std::u16string Conflict(const CommandLine& line)
{
    if (line.testOnly && line.saveActive)
        return u"--test writes nothing, so it cannot go with --save-active";
    if (line.pastEnd && !line.salvage)
        return u"--past-end needs --salvage";
    if (line.list && line.json)
        return u"--list and --json are two layouts; choose one";
    if (!line.help && !line.version && line.files.empty())
        return u"no FILE given";
    return {};
}
}

std::u16string Usage()
{
    return Lines({
        u"usage: jobsift-cli [--save-active] [--salvage [--past-end]] [--test]",
        u"                   [--list | --json] [--report] FILE...",
        u"       jobsift-cli --help | --version",
        u"A FILE may be a folder: every .pgs file in it and below it is checked.",
        u"  --save-active  also write each good program as NAME.pga in the current folder",
        u"  --salvage      take back every intact program, also behind damage",
        u"  --past-end     with --salvage: also intact programs behind the end mark",
        u"  --test         check only; write no file but the --report",
        u"  --list         list every examined record: offset, size, state, verdict, checksums",
        u"  --json         one JSON object per file (JSON Lines) instead of the text",
        u"  --report       write NAME__.html beside each file: the check, with a map of the memory",
        u"Exit status: 0 no damage, 1 damage found, 2 a check failed, 7 wrong words.",
    });
}

CommandLine CommandLine::Parse(const std::vector<std::u16string>& arguments)
{
    CommandLine line;
    bool optionsEnded = false;
    for (const std::u16string& word : arguments)
    {
        if (optionsEnded || word.empty() || word[0] != u'-' || word == u"-")
            line.files.push_back(word);
        else if (word == u"--")
            optionsEnded = true;
        else if (!SetFlag(line, word) && line.problem.empty())
            line.problem = u"unknown option " + word;
    }
    if (line.problem.empty())
        line.problem = Conflict(line);
    return line;
}
