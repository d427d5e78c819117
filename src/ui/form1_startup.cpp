// Start-up, the data-file check and the high-score file.
#include <QDir>

#include "bytes.h"
#include "core/data_files.h"
#include "core/trap.h"
#include "form1.h"
#include "picture_control.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "text_label.h"

namespace fifteen {

void Form1::Form_Load()
{
    // A start-up that stops early leaves a window without a board: say why.
    const auto tell = [this](const std::exception& failure) { platform_.report(QString::fromUtf8(failure.what())); };
    guarded([&] {
        set_app_dir();
        table_dir_ = platform_.table_dir();  // once: where the table lives does not change
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
    }, tell);
}

bool Form1::check_data_files()
{
    const auto problem = fifteen::check_data_files(
        [this](std::string_view name) {
            return file_size(name == kHighscoreFile ? table_file() : data_file(name));
        },
        [this] { write_default_highscore_file(); });
    if (!problem)
        return true;
    platform_.report(QString::fromStdString(problem->describe()));
    platform_.end_program(1);
    return false;
}

void Form1::read_highscore_file()
{
    guarded([&] { iz_opena_u_tekst(read_stored_table()); });
}

QByteArray Form1::read_stored_table()
{
    // One byte more than the start accepts, so that a table written by a
    // game that stored 121 bytes still reads; nothing larger is read.
    QByteArray bytes = read_small_file(table_file(), kFileLimit + 1);
    last_table_bytes_ = bytes;
    return bytes;
}

void Form1::iz_opena_u_tekst(const QByteArray& bufer)
{
    guarded([&] {
        const std::vector<std::string> fields = parse_table_text(std::string_view(bufer.constData(), std::size_t(bufer.size())));
        for (std::size_t i = 0; i < fields.size(); ++i) {
            TextLabel* label = i % 2 == 0 ? place_names[i / 2] : place_scores[i / 2];
            label->setText(from_bytes(fields[i]));
        }
    });
}

void Form1::write_highscore_file()
{
    guarded([&] { write_table_text(compose_table_text(captions(place_names), captions(place_scores))); },
            [this](const std::exception& failure) { tell_not_saved(failure); });
}

void Form1::write_default_highscore_file()
{
    guarded([&] { write_table_text(kDefaultTableText); },
            [this](const std::exception& failure) { tell_not_saved(failure); });
}

void Form1::tell_not_saved(const std::exception& failure)
{
    // The old table stays as it was; the window keeps the new one and the
    // game goes on. The player hears why on the terminal.
    platform_.report(from_bytes(kHighscoreFile) + QStringLiteral(": not saved: ") + QString::fromLocal8Bit(failure.what()));
}

void Form1::write_table_text(std::string_view text)
{
    const auto bytes = table_file_bytes(text);
    if (!bytes)
        return;  // too long to store: the file keeps what it had
    const QByteArray stored = QByteArray::fromStdString(*bytes);
    save_whole_file(table_file(), stored);
    last_table_bytes_ = stored;
}

}  // namespace fifteen
