// Where the window finds its data files, and how it shows a picture file.
#include <QDir>

#include "bytes.h"
#include "core/trap.h"
#include "form1.h"
#include "picture_control.h"
#include "platform/data_path.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace fifteen {

QString Form1::data_file(std::string_view name) const
{
    return data_path(app_dir_, from_bytes(name));
}

void Form1::load_picture(PictureControl* control, std::string_view name) const
{
    // Read afresh every time, so that a picture replaced on disk shows at
    // the next drawing; the control repaints only when the bytes differ.
    control->show_jpeg(read_data_file(data_file(name), kPictureFileLimit));
    // The well-done pictures are read out by what they say.
    if (name == "WELLDONE1.JPG")
        set_spoken_name(control, QStringLiteral("Well done! Puzzle solved. Fewer moves next time to reach the best ten"));
    else if (name == "WELLDONE2.JPG")
        set_spoken_name(control, QStringLiteral("Well done! A new record! Type your name below"));
}

void Form1::set_app_dir()
{
    app_dir_ = platform_.app_dir();
    if (!QDir::setCurrent(app_dir_))
        throw Failure("cannot enter " + app_dir_.toStdString());
}

}  // namespace fifteen
