#include "CommandLine.h"

namespace
{
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
