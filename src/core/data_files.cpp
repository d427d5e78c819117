#include "data_files.h"

namespace fifteen {

std::string tile_file(int value)
{
    const int f = value >= 0 && value <= 14 ? value : 15;
    return (f < 10 ? "00" : "0") + std::to_string(f) + ".JPG";
}

std::string DataFileProblem::describe() const
{
    std::string line(file->name);
    if (!actual)
        return line + ": missing";
    return line + ": size " + std::to_string(*actual) + " where " + std::to_string(file->size) + " is expected";
}

DataFileCheck check_data_files(const SizeLookup& size_of)
{
    DataFileCheck check;
    for (const DataFile& file : kDataFiles) {
        const auto size = size_of(file.name);
        if (!size && file.name == kHighscoreFile) {
            check.table_missing = true;
            continue;
        }
        if (!size) {
            check.problem = DataFileProblem{&file, std::nullopt};
            return check;
        }
        if (file.rule == DataFile::Rule::Exactly && *size != file.size) {
            check.problem = DataFileProblem{&file, size};
            return check;
        }
    }
    return check;
}

}  // namespace fifteen
