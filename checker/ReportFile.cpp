#include "ReportFile.h"

#include "HtmlReport.h"
#include "StoredProgram.h"

#include <FileSystem.h>
#include <Paths.h>
#include <TextConversion.h>
#include <WholeFile.h>

std::u16string ReportNameFor(const std::u16string& cleanedName)
{
    const auto dot = cleanedName.find_last_of(u'.');
    return (dot == std::u16string::npos ? cleanedName : cleanedName.substr(0, dot)) + u".html";
}

std::u16string ReportPathFor(const std::u16string& sourcePath)
{
    platform::FileLocation location;
    if (!platform::LocateFile(sourcePath, location))
        return {};
    return platform::JoinPath(location.folder, ReportNameFor(StoredProgram::CleanedNameFor(location.name)));
}

std::optional<std::u16string> WriteReportFile(const FinishedRun& run)
{
    const std::u16string path = ReportPathFor(run.path);
    const std::string page = platform::ToUtf8(HtmlReportPage(run));
    platform::CWholeFile file;
    if (path.empty() || !file.Create(path, run.results.sourcePermissions) || !file.Write(page.data(), static_cast<std::uint32_t>(page.size())) ||
        !file.Commit())
        return std::nullopt;
    return file.FinalPath();
}
