#include "data_files.h"

namespace fifteen {

std::string DataFileProblem::describe() const
{
    std::string line(file->name);
    if (!actual)
        return line + ": missing";
    if (file->rule == DataFile::Rule::AtMost)
        return line + ": size " + std::to_string(*actual) + ", larger than " + std::to_string(file->size) + " bytes";
    return line + ": size " + std::to_string(*actual) + " where " + std::to_string(file->size) + " is expected";
}

std::optional<DataFileProblem> check_data_files(const SizeLookup& size_of, const std::function<void()>& write_default)
{
    for (const DataFile& file : kDataFiles) {
        const auto size = size_of(file.name);
        if (!size) {
            if (file.name == kHighscoreFile) {
                write_default();
                continue;
            }
            return DataFileProblem{&file, std::nullopt};
        }
        const bool passes = file.rule == DataFile::Rule::AtMost ? *size <= file.size : *size == file.size;
        if (!passes)
            return DataFileProblem{&file, size};
    }
    return std::nullopt;
}

}  // namespace fifteen
