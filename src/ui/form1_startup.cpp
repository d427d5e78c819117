// Start-up and the data-file check.
#include <QDir>

#include "bytes.h"
#include "core/data_files.h"
#include "core/trap.h"
#include "form1.h"
#include "platform/files.h"
#include "platform/data_path.h"
#include "platform/platform.h"
#include "ranking_table.h"

namespace fifteen {

void Form1::Form_Load()
{
    // A start-up that stops early leaves a window without a board: say why.
    const auto tell = [this](const std::exception& failure) { platform_.report(QString::fromLocal8Bit(failure.what())); };
    guarded([&] {
        set_app_dir();
        // Once: where the table lives does not change.
        table_->set_path(QDir::cleanPath(data_path(platform_.table_dir(), from_bytes(kHighscoreFile))));
        hide();
        if (!platform_.launch(data_file(kSiblingProgram)))
            throw Failure(std::string(kSiblingProgram) + ": cannot be started");
        platform_.startup_pause();
        if (!check_data_files())
            return;
        show();
        // The game window takes the keyboard at once, even while the splash
        // is still up.
        raise();
        activateWindow();
        move_count_ = 0;
        name_confirmed_ = 0;
        StartnaTabla16();
        PrikaziTablu16();
        read_highscore_file();
        tell_new_game();
    }, tell);
}

bool Form1::check_data_files()
{
    const DataFileCheck check = fifteen::check_data_files([this](std::string_view name) {
        return look_at(name == kHighscoreFile ? table_->path() : data_file(name));
    });
    if (check.problem) {
        platform_.report(QString::fromStdString(check.problem->describe()));
        platform_.end_program(1);
        return false;
    }
    if (check.table_missing)
        write_default_highscore_file();
    return true;
}

}  // namespace fifteen
