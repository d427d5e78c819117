#pragma once
// The real desktop services.
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform.h"

namespace fifteen {

class PulseSound;

class QtPlatform final : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    [[nodiscard]] QString app_dir() const override;
    // The program's folder when it can be written, otherwise the user's data
    // folder for the game (a system-wide or read-only install).
    [[nodiscard]] QString table_dir() const override;
    [[nodiscard]] bool launch(const QString& program) override;
    void startup_pause() override;
    void play_sound(const QString& path) override;
    void open_url(const QUrl& url) override;
    void report(const QString& line) override;
    void end_program(int status) override;

private:
    std::unique_ptr<PulseSound> sound_;  // connected at the first sound
};

// The folder that holds the program, with every byte that is not printable
// ASCII written as \xNN, when its name is not UTF-8: Qt's paths cannot hold
// such a name, so the game would find none of its files. Nothing otherwise.
[[nodiscard]] std::optional<std::string> unusable_program_folder();

// Where the table lives: `app_dir` when it can be written, else the user's
// data folder for the game, made if need be. Only a refusal (EACCES, EPERM,
// EROFS) moves the table; any other failed look keeps it in `app_dir`.
// Whatever went wrong is said through `say`.
[[nodiscard]] QString table_folder(const QString& app_dir, const std::function<void(const QString&)>& say);

// Waits `milliseconds` with the event queue served, sleeping between events.
void serve_events_for(int milliseconds);

}  // namespace fifteen
