#include "data_files.h"

namespace fifteen {

std::string tile_file(int value)
{
    const int f = value >= 0 && value <= 14 ? value : 15;
    return (f < 10 ? "00" : "0") + std::to_string(f) + ".JPG";
}

std::string DataFileProblem::describe() const
{
    const std::string line(file->name);
    switch (found.kind) {
    case FileLook::Kind::Missing:
        return line + ": missing";
    case FileLook::Kind::NotRegular:
        return line + ": not a regular file";
    case FileLook::Kind::Failed:
        return line + ": cannot be read: " + found.reason;
    case FileLook::Kind::Regular:
        break;
    }
    return line + ": size " + std::to_string(found.size) + " where " + std::to_string(file->size) + " is expected";
}

DataFileCheck check_data_files(const FileLookup& look_at)
{
    DataFileCheck check;
    for (const DataFile& file : kDataFiles) {
        const FileLook found = look_at(file.name);
        if (file.name == kHighscoreFile) {
            check.table_missing = found.kind == FileLook::Kind::Missing;
            continue;
        }
        if (found.kind != FileLook::Kind::Regular
            || (file.rule == DataFile::Rule::Exactly && found.size != file.size)) {
            check.problem = DataFileProblem{&file, found};
            return check;
        }
    }
    return check;
}

}  // namespace fifteen
