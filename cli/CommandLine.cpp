#include "CommandLine.h"

#include <Console.h>

std::u16string Usage()
{
    return std::u16string(u"usage: jobsift-cli [--save-active] FILE...") + platform::kNewLine +
           u"       jobsift-cli --help | --version" + platform::kNewLine;
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
        else if (word == u"--save-active")
            line.saveActive = true;
        else if (word == u"--help" || word == u"-h")
            line.help = true;
        else if (word == u"--version")
            line.version = true;
        else
            line.problem = u"unknown option " + word;
    }
    if (line.problem.empty() && !line.help && !line.version && line.files.empty())
        line.problem = u"no FILE given";
    return line;
}
