#pragma once
// The services the game takes from the desktop, behind one small interface so
// that window tests can record the calls instead of making them.
#include <QString>
#include <QUrl>

namespace fifteen {

class Platform {
public:
    virtual ~Platform() = default;

    // The folder that holds the program and its data files.
    [[nodiscard]] virtual QString app_dir() const = 0;
    // The folder that holds the high-score table: the program's own folder
    // when it can be written, which keeps a game folder portable.
    [[nodiscard]] virtual QString table_dir() const { return app_dir(); }
    // Starts a program by its path with no arguments and does not wait for it.
    // Returns false when it cannot be started.
    [[nodiscard]] virtual bool launch(const QString& program) = 0;
    // The pause at start-up, with the event queue served.
    virtual void startup_pause() = 0;
    // Plays a sound file asynchronously; a new sound cuts the one playing.
    virtual void play_sound(const QString& path) = 0;
    // Opens a web address in the user's browser without waiting for it.
    virtual void open_url(const QUrl& url) = 0;
    // Tells the user one line on the terminal: why the program ends, or
    // what the game could not do and goes on without (a table not saved).
    virtual void report(const QString& line) = 0;
    // Ends the program at once with `status`: no close handling runs. The
    // real one never returns; the caller returns right after it all the same.
    virtual void end_program(int status) = 0;
};

}  // namespace fifteen
